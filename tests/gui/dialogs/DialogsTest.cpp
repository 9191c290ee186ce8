#include "DialogKeys.h"
#include "platform/fake/FakePlatform.h"
#include "support/ViewFixture.h"
#include "view/EntryDialog.h"
#include "view/qt/CEntryDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimeEdit>

namespace tallimo::test {
namespace {

// A new start time of 07:30:00 proposes 16:30:00 except when an entry is modified; what the user
// typed comes back to the list in the list's own formats.
TEST(EntryDlg, ShowsTheModeAndHandsBackWhatWasTyped) {
    const struct {
        bool squad, modify;
        const char* title;
        bool datesEnabled;
        const char* start; // the changed entry's start and end as the list shows them afterwards
        const char* end;
    } cases[] = {
        {false, false, "Tallimo - Create", true, "07:30:00", "16:30:00"},
        {false, true, "Tallimo - Modify", false, "07:30:00", "16:00:00"},
        {true, false, "Tallimo Squadtime - Create", true, "15.03.2006 07:30:00",
         "15.03.2006 16:30:00"},
        {true, true, "Tallimo Squadtime - Modify", true, "15.03.2006 07:30:00",
         "15.03.2006 16:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ViewFixture f;
        f.newMonth(3, 2006);
        f.clock.current = ViewFixture::at(15, 3, 2006, 10, 15);
        if (c.squad) {
            f.view->OnShowSquadTime();
            ViewFixture::select(f.squad(),
                                {f.addPeriod("15.03.2006 07:00:00", "15.03.2006 16:00:00")});
        } else {
            f.work().SetItemText(14, WorkColumn::Enter, "07:00:00");
            f.work().SetItemText(14, WorkColumn::Leave, "16:00:00");
            ViewFixture::select(f.work(), {14});
        }
        f.ui.onEntryDialog = [&](EntryDialog& data) {
            CEntryDlg dialog(nullptr, f.ui, data);
            showActive(dialog);
            EXPECT_EQ(dialog.windowTitle().toStdString(), c.title);
            EXPECT_EQ(part<QDateEdit>(dialog, "startDate")->isEnabled(), c.datesEnabled);
            EXPECT_EQ(part<QDateEdit>(dialog, "endDate")->isEnabled(), c.datesEnabled);
            EXPECT_EQ(part<QCheckBox>(dialog, "standBy")->isEnabled(), c.squad);
            typeInto(part<QTimeEdit>(dialog, "startTime"), "07:30:00");
            typeInto(part<QLineEdit>(dialog, "comment"), QString::fromUtf8("Zug versp\u00e4tet"));
            press(Qt::Key_Return);
            return data.ok;
        };
        if (c.modify) {
            f.view->OnModify();
        } else {
            f.view->OnAdd();
        }
        const CellTable& table = c.squad ? f.squad() : f.work();
        const int row = c.squad ? table.rowCount() - 1 : 14;
        const int start = c.squad ? SquadColumn::Start : WorkColumn::Enter; // the end follows it
        EXPECT_EQ(table.itemText(row, start), c.start);
        EXPECT_EQ(table.itemText(row, start + 1), c.end);
        EXPECT_EQ(table.itemText(row, c.squad ? SquadColumn::Description : WorkColumn::Comment),
                  "Zug versp\xE4tet");
    }
}

// The date rules run when a calendar closes and when a date changed with the keys is confirmed;
// they only warn, and the start date carries the end date along.
TEST(EntryDlgDates, WarnAboutDatesOutsideTheMonth) {
    fake::FakeUi ui;
    EntryDialog data;
    data.workMode = false;
    data.minDate = ViewFixture::at(1, 3, 2006);
    data.maxDate = ViewFixture::at(31, 3, 2006, 23, 59);
    data.startDate = data.startTime = ViewFixture::at(1, 3, 2006, 10);
    data.endDate = data.endTime = ViewFixture::at(31, 3, 2006, 10);
    CEntryDlg dialog(nullptr, ui, data);
    showActive(dialog);

    auto* endDate = part<QDateEdit>(dialog, "endDate");
    endDate->setFocus(Qt::BacktabFocusReason);
    QTest::keyClick(endDate, Qt::Key_Up);
    press(Qt::Key_Tab);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Datum zu gro\xDF."});

    ui.messages.clear();
    auto* startDate = part<QDateEdit>(dialog, "startDate");
    pickInCalendar(startDate, {Qt::Key_PageUp, Qt::Key_Return});
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Datum zu klein."});
    EXPECT_EQ(endDate->date(), QDate(2006, 2, 1));

    QTest::keyClick(startDate, Qt::Key_Return);
    EXPECT_TRUE(data.ok);
    EXPECT_EQ(formatInstant(data.startDate, "%d.%m.%Y"), "01.02.2006");
}

} // namespace
} // namespace tallimo::test
