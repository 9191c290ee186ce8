#include "document/WorkModelFile.h"
#include "support/ViewFixture.h"

#include <fstream>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// March 2006 (the 1st is a Wednesday) under a part-time contract, counted on Wednesday the 15th.
struct PartTimeMarch : ViewFixture {
    PartTimeMarch() : ViewFixture({}, Start::Bound) {
        std::ofstream(dir.file("tallimo-model.txt")) << "[period 2006-01-01]\n"
                                                        "hours = Mon-Thu 8:00, Fri 5:00\n"
                                                        "[company days]\n"
                                                        "2006-03-09 = half\n"
                                                        "2006-03-10 = free Outing\n";
        clock.current = at(15, 3, 2006, 12);
        setDay(1, "08:00:00", "17:00:00");
        setDay(3, "08:00:00", "15:00:00");
        setDay(6, "", "", "Urlaub");
        setDay(16, "08:00:00", "17:00:00");
        view->CalculateAllWorkRows();
    }
    void setDay(int day, const char* enter, const char* leave, const char* comment = "") {
        work().SetItemText(day - 1, WorkColumn::Enter, enter);
        work().SetItemText(day - 1, WorkColumn::Leave, leave);
        work().SetItemText(day - 1, WorkColumn::Comment, comment);
    }
    std::string computed(int day) const {
        const int row = day - 1;
        return cell(row, WorkColumn::Worktime) + "|" + cell(row, WorkColumn::Overtime) + "|" +
               cell(row, WorkColumn::TimeAndLabor);
    }
};

TEST(WorkModelView, TheCellsMeasureEachDayAgainstItsOwnTarget) {
    PartTimeMarch f;
    EXPECT_EQ(f.computed(1), "08:00:00|n/a|REG 08:00");
    EXPECT_EQ(f.computed(3), "06:00:00|+01:00:00|REG 05:00 + OT06E 01:00:00");
    EXPECT_EQ(f.computed(2), "|-08:00:00|");
    EXPECT_EQ(f.work().cellAttributes(1, WorkColumn::Overtime).textColour, kNegativeOvertimeColour);
    EXPECT_EQ(f.computed(9), "|-04:00:00|"); // the half day
    for (const int credited : {6, 10, 15}) { // vacation, company day, today
        EXPECT_EQ(f.computed(credited), "||") << credited;
    }
}

TEST(WorkModelView, TheMonthTotalCountsMissingDaysAndNothingAfterToday) {
    PartTimeMarch f;
    f.view->OnCalculateovertimemonth();
    // +1:00 on the 3rd; the 2nd, 7th, 8th, 13th and 14th miss 8:00, the half day 4:00.
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0], "Overtime for this month: -1 Day(s) 19:00:00");
}

TEST(WorkModelView, WithoutTheModelFileTheDaysCountAsBefore) {
    PartTimeMarch f;
    ASSERT_TRUE(switchWorkModelOff(f.dir.path()).done());
    f.view->CalculateAllWorkRows();
    EXPECT_EQ(f.computed(3), "06:00:00|-02:00:00|REG 06:00");
    EXPECT_EQ(f.computed(2), "||");
    f.view->OnCalculateovertimemonth();
    EXPECT_EQ(f.ui.messages.back(), "Overtime for this month: -02:00:00");
}

} // namespace
} // namespace tallimo::test
