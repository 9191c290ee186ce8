#include "support/ViewFixture.h"
#include "view/EntryDialog.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr auto kBound = ViewFixture::Start::Bound;

Instant at(int day, int hour, int minute = 0, int month = 3) {
    return ViewFixture::at(day, month, 2006, hour, minute);
}

TEST(EntryDialogRules, EnabledControlsFollowTheModes) {
    for (const bool work : {true, false}) {
        for (const bool modify : {true, false}) {
            EntryDialog dialog;
            dialog.workMode = work;
            dialog.modifyMode = modify;
            EXPECT_EQ(dialog.standByEnabled(), !work);
            EXPECT_EQ(dialog.datePickersEnabled(), !(work && modify));
        }
    }
}

TEST(EntryDialogRules, DateCalendarsOnlyWarnAndEndDateFollowsStart) {
    fake::FakeUi ui;
    EntryDialog dialog;
    dialog.minDate = at(1, 0);
    dialog.maxDate = at(31, 23, 59);
    dialog.startDate = at(28, 10, 0, 2);
    dialog.startDateCalendarClosed(ui);
    EXPECT_EQ(dialog.endDate, dialog.startDate);
    dialog.endDate = at(1, 0, 0, 4);
    dialog.endDateCalendarClosed(ui);
    EXPECT_EQ(dialog.endDate, at(1, 0, 0, 4));
    dialog.startDate = at(1, 0); // the first moment of the month is no warning
    dialog.startDateCalendarClosed(ui);
    dialog.endDateCalendarClosed(ui);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Datum zu klein.", "Datum zu gro\xDF."}));
}

TEST(OnAdd, WorkEntryOffersNowAndWritesTheDayOfTheStartDate) {
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
        dialog.comment = "server down";
        return true;
    };
    f.view->OnAdd();
    f.view->OnAdd();
    ASSERT_EQ(f.squad().rowCount(), 2);
    EXPECT_EQ(f.period(1),
              "16.03.2006 18:00:00|17.03.2006 02:00:00|08:00:00|not implemented||server down");
    EXPECT_EQ(f.saves(), 2);
}

TEST(OnModify, ShowsOneDialogPerRowBottomMostFirstAndSkipsCancelled) {
    ViewFixture f({}, kBound);
    ViewFixture::select(f.work(), {2, 5, 9});
    std::vector<std::string> shown;
    f.ui.onEntryDialog = [&](EntryDialog& dialog) {
        shown.push_back(formatInstant(dialog.startDate, "%d.%m.%Y"));
        dialog.startTime = at(1, 8);
        dialog.comment = "changed";
        return shown.size() != 2;
    };
    f.view->OnModify();
    EXPECT_EQ(shown, (std::vector<std::string>{"10.03.2006", "06.03.2006", "03.03.2006"}));
    // An empty day offers 07:00:00 to 16:00:00; only the start was changed.
    EXPECT_EQ(f.day(9),
              "10.03.2006|Friday|08:00:00|16:00:00|changed||08:00:00|07:00:00|-01:00:00|REG 07:00");
    EXPECT_EQ(f.cell(2, WorkColumn::Enter), "08:00:00");
    EXPECT_EQ(f.day(5), "06.03.2006|Monday||||||||");
}

TEST(OnModify, OffersTheRowsTimesOnlyWhenBothAreComplete) {
    const struct {
        const char* enter;
        const char* leave;
        Instant start, end;
    } cases[] = {
        {"08:00:00", "", at(7, 7), at(7, 16)},
        {"08:00", "17:00:00", at(7, 7), at(7, 16)},
        {"08:15:00", "17:45:00", at(7, 8, 15), at(7, 17, 45)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.enter) + "-" + c.leave);
        ViewFixture f({}, kBound);
        f.work().SetItemText(6, WorkColumn::Enter, c.enter);
        f.work().SetItemText(6, WorkColumn::Leave, c.leave);
        ViewFixture::select(f.work(), {6});
        EntryDialog offered;
        f.ui.onEntryDialog = [&](EntryDialog& dialog) {
            offered = dialog;
            return false;
        };
        f.view->OnModify();
        EXPECT_EQ(offered.startDate, c.start);
        EXPECT_EQ(offered.endTime, c.end);
    }
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
