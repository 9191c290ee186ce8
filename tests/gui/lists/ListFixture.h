#pragma once

#include "controls/CCellListCtrl.h"
#include "support/ViewFixture.h"

#include <QColor>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <ostream>

// Colours read from the screen print as their red, green and blue in failures.
inline void PrintTo(const QColor& colour, std::ostream* out) {
    *out << "rgb(" << colour.red() << ", " << colour.green() << ", " << colour.blue() << ")";
}

namespace tallimo::test {

// The view's tables in their lists, in a window of their own: the work list shows March 2006
// with a few days entered, the squad list four periods. Only one list is shown, as in the window.
class ListFixture {
public:
    // Days entered and computed: a weekday with zero overtime and the three looks of a weekend.
    static constexpr int kPlainDay = 0;     // Wednesday, no overtime
    static constexpr int kPositiveDay = 3;  // Saturday with overtime
    static constexpr int kNegativeDay = 4;  // Sunday with too little time
    static constexpr int kZeroWeekend = 10; // Saturday, no overtime

    explicit ListFixture(bool withMonth = true, QSize size = QSize(1400, 800)) {
        if (withMonth) {
            view.view->InitListCtrl(3, 2006);
            enterDay(kPlainDay, "08:00:00", "17:00:00");
            enterDay(kPositiveDay, "08:00:00", "19:00:00");
            enterDay(kNegativeDay, "08:00:00", "12:00:00");
            enterDay(kZeroWeekend, "08:00:00", "17:00:00");
            for (int row = 0; row < 4; ++row) {
                view.addPeriod("01.03.2006 18:00:00", "02.03.2006 06:00:00");
                setUpSquadRow(view.sheet(), row, *view.view);
            }
        }
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        work = new CCellListCtrl(view.work(), kWorkColumns);
        work->setEmptyPicture(true);
        squad = new CCellListCtrl(view.squad(), kSquadColumns);
        squad->setLastColumnFills(true);
        squad->hide();
        layout->addWidget(work);
        layout->addWidget(squad);
        window.resize(size);
        window.show();
        window.activateWindow();
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(&window);
    }

    void enterDay(int row, const char* enter, const char* leave) {
        view.work().SetItemText(row, WorkColumn::Enter, enter);
        view.work().SetItemText(row, WorkColumn::Leave, leave);
        view.view->CalculateWorkRow(row);
    }

    // Where a cell lies on the list's viewport, and its centre.
    static QRect cellRect(CCellListCtrl& list, int row, int column) {
        return list.visualRect(list.model()->index(row, column));
    }
    static QPoint inCell(CCellListCtrl& list, int row, int column) {
        return cellRect(list, row, column).center();
    }

    ViewFixture view;
    QWidget window;
    CCellListCtrl* work = nullptr;
    CCellListCtrl* squad = nullptr;
};

} // namespace tallimo::test
