#include "support/ViewFixture.h"
#include "view/EntryDialog.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr auto kBound = ViewFixture::Start::Bound;

Instant at(int day, int hour, int minute = 0, int month = 3) {
    return ViewFixture::at(day, month, 2006, hour, minute);
}

// The warnings themselves are the desktop's entry dialog test.
TEST(EntryDialogRules, TheMonthsOwnBoundsAreNoWarning) {
    fake::FakeUi ui;
    EntryDialog dialog;
    dialog.minDate = dialog.startDate = at(1, 0);
    dialog.maxDate = at(31, 23, 59);
    dialog.startDateCalendarClosed(ui);
    dialog.endDate = dialog.maxDate;
    dialog.endDateCalendarClosed(ui);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(OnAddOrModify, WorkEntryOffersNowOrEachSelectedDayBottomMostFirstAndWritesItsDay) {
    ViewFixture f({}, kBound);
    f.clock.current = at(16, 10, 15);
    f.ui.onEntryDialog = [&](EntryDialog& dialog) {
        for (const Instant value :
             {dialog.startDate, dialog.endDate, dialog.startTime, dialog.endTime}) {
            EXPECT_EQ(value, at(16, 10, 15));
        }
        dialog.startTime = at(16, 8);
        dialog.startTimeChanged();
        dialog.comment = "by hand";
        return true;
    };
    EXPECT_TRUE(f.view->OnAdd());
    EXPECT_EQ(f.day(15),
              "16.03.2006|Thursday|08:00:00|17:00:00|by hand||09:00:00|08:00:00|n/a|REG 08:00");
    EXPECT_TRUE(f.doc().isModified());
    // Modify offers each selected day, bottom-most first, its times only when both are complete.
    const char* times[][2] = {{"08:00:00", ""}, {"08:00", "17:00:00"}, {"08:15:00", "17:45:00"}};
    for (int i = 0; i < 3; ++i) {
        f.work().SetItemText(2 + 3 * i, WorkColumn::Enter, times[i][0]);
        f.work().SetItemText(2 + 3 * i, WorkColumn::Leave, times[i][1]);
    }
    ViewFixture::select(f.work(), {2, 5, 8});
    std::vector<std::string> offered;
    f.ui.onEntryDialog = [&](EntryDialog& dialog) {
        offered.push_back(formatInstant(dialog.startDate, "%d.%m.%Y ") +
                          formatInstant(dialog.startTime, "%H:%M-") +
                          formatInstant(dialog.endTime, "%H:%M"));
        dialog.startTime = at(1, 8);
        dialog.comment = "changed";
        return offered.size() != 2;
    };
    EXPECT_TRUE(f.view->OnModify());
    EXPECT_EQ(offered, (std::vector<std::string>{"09.03.2006 08:15-17:45", "06.03.2006 07:00-16:00",
                                                 "03.03.2006 07:00-16:00"}));
    EXPECT_EQ(f.day(8), "09.03.2006|Thursday|08:00:00|17:45:00|changed||09:45:00|08:45:00|"
                        "+00:45:00|REG 08:00 + OT06E 00:45:00");
    EXPECT_EQ(f.cell(5, WorkColumn::Comment), "");
    EXPECT_EQ(f.cell(2, WorkColumn::Leave), "16:00:00");
}

TEST(OnAdd, WorkEntryOfAnotherMonthOrYearIsRefusedAndChangesNothing) {
    const Instant starts[] = {at(3, 8, 0, 4), at(31, 8, 0, 1), ViewFixture::at(16, 3, 2005, 8)};
    for (const Instant start : starts) {
        ViewFixture f({}, kBound);
        f.clock.current = start;
        f.ui.onEntryDialog = [](EntryDialog&) { return true; };
        EXPECT_EQ(f.view->OnAdd().outcome, Outcome::Refused);
        EXPECT_EQ(f.ui.messages,
                  std::vector<std::string>{"The date " + formatInstant(start, "%d.%m.%Y") +
                                           " is not a day of the open month. "
                                           "Nothing was changed."});
        EXPECT_EQ(f.cell(splitLocal(start).day - 1, WorkColumn::Enter), "");
        EXPECT_FALSE(f.doc().isModified());
    }
}

TEST(OnAdd, SquadEntryAlwaysAppends) {
    ViewFixture f({"AutoSave"}, kBound);
    f.view->OnShowSquadTime();
    f.clock.current = at(16, 18);
    f.ui.onEntryDialog = [](EntryDialog& dialog) {
        dialog.endDate = dialog.endTime = at(17, 2);
        return true;
    };
    f.view->OnAdd();
    f.view->OnAdd();
    // The period's cells are the CLI's squad-add test.
    EXPECT_EQ(f.squad().rowCount(), 2);
    EXPECT_EQ(f.saves(), 2);
}

TEST(OnModify, SquadRowOffersItsMomentsOrSevenToEightAndRewritesInPlace) {
    ViewFixture f({}, kBound);
    f.view->OnShowSquadTime();
    f.addPeriod("10.03.2006 18:00:00", "11.03.2006 01:30:00");
    f.addPeriod("12.03.2006 18:00:00", "");
    ViewFixture::select(f.squad(), {0, 1});
    std::vector<EntryDialog> offered;
    f.ui.onEntryDialog = [&](EntryDialog& dialog) {
        offered.push_back(dialog);
        dialog.startDate = at(20, 0);
        dialog.endDate = at(21, 0);
        return true;
    };
    f.view->OnModify();
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0].startTime, at(12, 7));
    EXPECT_EQ(offered[0].endTime, at(12, 8));
    EXPECT_EQ(offered[1].endDate, at(11, 1, 30));
    EXPECT_EQ(f.period(0), "20.03.2006 18:00:00|21.03.2006 01:30:00|07:30:00|not implemented||");
    EXPECT_EQ(f.period(1), "20.03.2006 07:00:00|21.03.2006 08:00:00|1 Days + 01:00:00|not "
                           "implemented||");
}

} // namespace
} // namespace tallimo::test
