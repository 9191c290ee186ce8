#include "calc/DayComputation.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

TEST(DayComputation, FiguresOfADay) {
    struct Case {
        const char* date;
        const char* enter;
        const char* leave;
        const char* atWork;
        const char* worktime;
        const char* overtime;
        OvertimeSign sign;
    } cases[] = {
        {"01.03.2006", "08:00:00", "09:00:00", "01:00:00", "00:00:00", "-08:00:00",
         OvertimeSign::Negative},
        {"01.03.2006", "08:00:00", "08:59:59", "00:59:59", "n/a", "-08:00:01",
         OvertimeSign::Negative},
        {"01.03.2006", "08:00:00", "17:00:01", "09:00:01", "08:00:01", "+00:00:01",
         OvertimeSign::Positive},
        // A normalised date is the real date.
        {"31.02.2006", "08:00:00", "18:00:00", "10:00:00", "09:00:00", "+01:00:00",
         OvertimeSign::Positive},
        // Minutes beyond 59 carry; the hour field can reach into the next day.
        {"01.03.2006", "08:75:00", "17:00:00", "07:45:00", "06:45:00", "-01:15:00",
         OvertimeSign::Negative},
        // Whole days are dropped from the "%H" field.
        {"01.03.2006", "00:00:00", "48:00:00", "00:00:00", "23:00:00", "+15:00:00",
         OvertimeSign::Positive},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " " + c.enter + " - " + c.leave);
        const DayComputation day = computeDay(c.date, c.enter, c.leave);
        ASSERT_TRUE(day.date);
        ASSERT_TRUE(day.figures);
        EXPECT_EQ(day.figures->atWork, c.atWork);
        EXPECT_EQ(day.figures->worktimeText, c.worktime);
        EXPECT_EQ(day.figures->overtimeText, c.overtime);
        EXPECT_EQ(day.figures->sign, c.sign);
    }
}

} // namespace
} // namespace tallimo
