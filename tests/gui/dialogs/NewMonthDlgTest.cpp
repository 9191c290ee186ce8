#include "DialogKeys.h"
#include "support/ViewFixture.h"
#include "view/qt/CNewMonthDlg.h"

namespace tallimo::test {
namespace {

// 1 April 00:30 in Berlin is still 31 March in UTC; 26 March 2006 has no 02:30.
TEST(NewMonthDlg, HandsTheViewTheDayThePickerShows) {
    const struct {
        const char* now;
        std::vector<Qt::Key> calendarKeys;
        Qt::Key close;
        const char* chosenDay;
        const char* title;
    } cases[] = {
        {"01.04.2006 00:30:00", {}, Qt::Key_Return, "01.04.2006", "April2006.time"},
        {"15.03.2006 12:00:00",
         {Qt::Key_PageDown, Qt::Key_Return},
         Qt::Key_Return,
         "15.04.2006",
         "April2006.time"},
        {"25.03.2006 02:30:00",
         {Qt::Key_Right, Qt::Key_Return},
         Qt::Key_Return,
         "26.03.2006",
         "March2006.time"},
        {"15.03.2006 12:00:00", {}, Qt::Key_Escape, "15.03.2006", "Untitled.time"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosenDay);
        ViewFixture f;
        f.clock.current = *parsePeriodMoment(c.now);
        std::string chosen;
        f.ui.onNewMonthDialog = [&](NewMonthDialog& data) {
            CNewMonthDlg dialog(nullptr, data);
            showActive(dialog);
            auto* picker = part<QDateEdit>(dialog, "month");
            if (!c.calendarKeys.empty()) {
                pickInCalendar(picker, c.calendarKeys);
            }
            EXPECT_EQ(picker->date().toString("dd.MM.yyyy").toStdString(), c.chosenDay);
            QTest::keyClick(picker, c.close);
            chosen = formatInstant(data.chosen, "%d.%m.%Y");
            return data.accepted;
        };
        f.view->OnFileNew();
        EXPECT_EQ(f.doc().title(), c.title);
        if (c.close == Qt::Key_Return) {
            EXPECT_EQ(chosen, c.chosenDay);
        }
    }
}

} // namespace
} // namespace tallimo::test
