#include "calc/TimeValue.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

Instant local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return makeLocalInstant(y, mo, d, h, mi, s).value();
}

TEST(TimeValue, MktimeCarriesFieldsBeyondTheirRangeButWhatAUserTypesIsReadStrictly) {
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
    // Cells are read as atoi reads numbers, never beyond their text.
    EXPECT_EQ(atoiPrefix("  -12x"), -12);
    EXPECT_EQ(readNumberAt("1.3", 4, 5), 0);
    // What a user types is read strictly and never rolls into another day.
    const struct {
        const char* text;
        int largestHour;
        const char* moment; // as read on 10.05.2006, or "" when refused
    } clockTimes[] = {
        {"08:30", 23, "10.05.2006 08:30:00"},
        {"8:30:15", 23, "10.05.2006 08:30:15"},
        {"23:59:59", 23, "10.05.2006 23:59:59"},
        {"24:30", 47, "11.05.2006 00:30:00"},
        {"47:59:59", 47, "11.05.2006 23:59:59"},
        {"23:60", 23, ""},
        {"23:59:60", 23, ""},
        {"8:3", 23, ""},
        {"123:00", 47, ""},
        {"08:30:", 23, ""},
        {"08-30", 23, ""},
        {"0a:30", 23, ""},
        {":30", 23, ""},
        {"", 23, ""},
    };
    for (const auto& c : clockTimes) {
        const auto time = parseClockTime(c.text, c.largestHour);
        const auto at = time ? atClockTime(local(2006, 5, 10, 12), *time) : std::nullopt;
        EXPECT_EQ(at ? formatInstant(*at, "%d.%m.%Y %H:%M:%S") : "", c.moment) << c.text;
    }
    const std::pair<const char*, const char*> moments[] = {
        {"29.02.2008 23:59:59", "29.02.2008 23:59:59"},
        {"31.12.2006 00:00:00", "31.12.2006 00:00:00"},
        {"01.03.2006 08:00", "01.03.2006 08:00:00"},
        {"2006-03-07T08:00:30", "07.03.2006 08:00:30"},
    };
    for (const auto& [text, moment] : moments) {
        const auto read = parseMoment(text);
        EXPECT_EQ(read ? formatInstant(*read, "%d.%m.%Y %H:%M:%S") : "", moment) << text;
    }
    for (const char* refused : {"31.04.2006 08:00:00", "29.02.2006 08:00:00", "00.03.2006 08:00:00",
                                "32.03.2006 08:00:00", "01.13.2006 08:00:00", "01.03.2006 24:00:00",
                                "1.3.2006 08:00:00", "01.03.1969 08:00:00", "2006-02-29T08:00",
                                "2006-03-07 08:00", "07.03.2006T08:00", "2006-03-07T08"}) {
        EXPECT_FALSE(parseMoment(refused)) << refused;
    }
    // Signed spans of any number of hours.
    const struct {
        const char* text;
        std::optional<Span> span;
    } spans[] = {
        {"+12:30", 45000},  {"-1:00:01", -3601},
        {"150:00", 540000}, {"999999:59:59", 3599999999},
        {"+-1:00", {}},     {"1:60", {}},
        {"1:00:60", {}},    {"1", {}},
        {":30", {}},        {"1:3", {}},
        {"1:30:", {}},      {"1000000:00", {}},
        {" 1:00", {}},      {"", {}},
    };
    for (const auto& c : spans) {
        EXPECT_EQ(parseSignedSpan(c.text), c.span) << c.text;
    }
}

} // namespace
} // namespace tallimo
