#include "calc/TimeAndLabor.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

Instant at(int h, int mi = 0, int s = 0, int day = 1) {
    return makeLocalInstant(2006, 3, day, h, mi, s).value();
}

TEST(TimeAndLabor, BandsAreMeasuredOnTheDayOfTheirArgumentAndMakeTheCodes) {
    const struct {
        const char* band;
        Span actual;
        Span expected;
    } cases[] = {
        {"before 04:00 from 03:00", BandBefore0400(at(3)), 3600},
        {"before 04:00 from 04:00", BandBefore0400(at(4)), 0},
        {"04-06 from 04:00", Band0400To0600(at(4)), 7200},
        {"04-06 from 05:59:59", Band0400To0600(at(5, 59, 59)), 1},
        {"04-06 from 06:00", Band0400To0600(at(6)), 0},
        {"until 20:00, to after 20:00", BandUntil2000(at(19), at(22, 30)), 3600},
        {"until 20:00, from after 20:00", BandUntil2000(at(21), at(23)), -3600},
        {"until 20:00, from after to", BandUntil2000(at(19), at(18)), 0},
        {"from 20:00 at 22:30", BandFrom2000(at(22, 30)), 9000},
        {"from 20:00 at 19:59:59", BandFrom2000(at(19, 59, 59)), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.actual, c.expected) << c.band;
    }
    const struct {
        Instant enter;
        Instant leave;
        const char* expected;
    } codes[] = {
        {at(10), at(22, 30), "REG 08:00 + OT06E 01:00:00+ OT20E 02:30:00"},
        // The late band always starts at 20:00, even inside the regular part.
        {at(12), at(23), "REG 08:00 + OT20E 03:00:00"},
        // 3:59:59 counts as a full band to midnight; 3:59:58 does not.
        {at(12), at(23, 59, 59), "REG 08:00 + OT20E 04:00:00"},
        {at(12), at(23, 59, 58), "REG 08:00 + OT20E 03:59:58"},
        {at(3), at(16), "REG 08:00 + OT+0E 01:00:00+ OT04E 02:00:00+ OT06E 01:00:00"},
        {at(5), at(14, 30), "STTE 08:30:00 + + OT04E 01:00:00"},
        {at(2), at(13), "STTE 07:00:00 + + OT+0E 02:00:00+ OT04E 02:00:00"},
        // Exactly nine hours after 06:00 is still the short form.
        {at(5), at(15), "STTE 09:00:00 + + OT04E 01:00:00"},
        {at(5), at(15, 0, 1), "REG 08:00 + OT04E 01:00:00+ OT06E 00:00:01"},
        {at(5, 59, 59), at(22), "REG 08:00 + OT04E 00:00:01+ OT06E 05:00:00+ OT20E 02:00:00"},
        {at(6), at(15, 30), "REG 08:00 + OT06E 00:30:00"},
        {at(14), at(0, 30, 0, 2), "not implemented"},
    };
    for (const auto& c : codes) {
        EXPECT_EQ(timeAndLaborForPositive(c.enter, c.leave), c.expected) << c.expected;
    }
}

} // namespace
} // namespace tallimo
