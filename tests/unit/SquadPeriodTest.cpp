#include "calc/SquadPeriod.h"

#include "support/TzGuard.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

TEST(SquadPeriod, LengthTextSwitchesToDaysAtOneDayAndNightsOfClockChangesHaveTheirRealLength) {
    const struct {
        Span length;
        const char* expected;
    } cases[] = {
        {86399, "23:59:59"},
        {86400, "1 Days + 00:00:00"},
        {-9000, "-2:-30:00"},
        {-90061, "-1:-1:-1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatSquadLength(c.length), c.expected) << c.length;
    }
    EXPECT_EQ(squadPeriodLength("25.03.2006 20:00:00", "26.03.2006 08:00:00"), 11 * 3600);
    EXPECT_EQ(squadPeriodLength("28.10.2006 20:00:00", "29.10.2006 08:00:00"), 13 * 3600);
    test::TzGuard southern("Australia/Sydney");
    EXPECT_EQ(squadPeriodLength("02.10.2010 20:00:00", "03.10.2010 08:00:00"), 11 * 3600);
    EXPECT_EQ(squadPeriodLength("03.04.2010 20:00:00", "04.04.2010 08:00:00"), 13 * 3600);
}

} // namespace
} // namespace tallimo
