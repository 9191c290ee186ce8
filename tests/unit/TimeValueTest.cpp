#include "calc/TimeValue.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

Instant local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return makeLocalInstant(y, mo, d, h, mi, s).value();
}

TEST(TimeValue, MktimeCarriesFieldsBeyondTheirRange) {
    const struct {
        int y, mo, d, h, mi, s;
        const char* expected;
    } cases[] = {
        {2006, 2, 31, 8, 0, 0, "03.03.2006 08:00:00"},  // day 31 of February
        {2006, 3, 1, 24, 30, 0, "02.03.2006 00:30:00"}, // hour 24
        {2006, 3, 1, 8, 75, 0, "01.03.2006 09:15:00"},  // minute 75
        {2006, 3, 0, 0, 0, 0, "28.02.2006 00:00:00"},   // day 0
        {2006, 13, 1, 0, 0, 0, "01.01.2007 00:00:00"},  // month 13
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatInstant(local(c.y, c.mo, c.d, c.h, c.mi, c.s), "%d.%m.%Y %H:%M:%S"),
                  c.expected);
    }
}

TEST(TimeValue, NumbersReadLikeAtoi) {
    EXPECT_EQ(atoiPrefix("  -12x"), -12);
    EXPECT_EQ(atoiPrefix("+7"), 7);
    EXPECT_EQ(atoiPrefix("ab"), 0);
    EXPECT_EQ(atoiPrefix(""), 0);
    EXPECT_EQ(readNumberAt("01.03.2006", 7, 10), 2006);
    EXPECT_EQ(readNumberAt("1.3", 4, 5), 0); // beyond the text
}

} // namespace
} // namespace tallimo
