#include "calc/Holidays.h"

#include "calc/HolidayRules.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace tallimo {
namespace {

// The dates of one holiday (by name) in a region's year.
std::vector<CivilDate> datesOf(std::string_view region, int year, std::string_view name) {
    std::vector<CivilDate> dates;
    for (const PublicHoliday& holiday : publicHolidays(region, year)) {
        if (holiday.name == name) {
            dates.push_back(holiday.date);
        }
    }
    return dates;
}

// "YYYY-MM-DD YYYY-MM-DD ..." as dates.
std::vector<CivilDate> parseDates(const std::string& text) {
    std::vector<CivilDate> dates;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        dates.push_back(parseIsoDate(word).value());
    }
    return dates;
}

// Easter Sunday 2000-2100, from the published tables of the Gregorian computus.
constexpr const char* kEasterSundays = R"(
2000-04-23 2001-04-15 2002-03-31 2003-04-20 2004-04-11 2005-03-27 2006-04-16 2007-04-08
2008-03-23 2009-04-12 2010-04-04 2011-04-24 2012-04-08 2013-03-31 2014-04-20 2015-04-05
2016-03-27 2017-04-16 2018-04-01 2019-04-21 2020-04-12 2021-04-04 2022-04-17 2023-04-09
2024-03-31 2025-04-20 2026-04-05 2027-03-28 2028-04-16 2029-04-01 2030-04-21 2031-04-13
2032-03-28 2033-04-17 2034-04-09 2035-03-25 2036-04-13 2037-04-05 2038-04-25 2039-04-10
2040-04-01 2041-04-21 2042-04-06 2043-03-29 2044-04-17 2045-04-09 2046-03-25 2047-04-14
2048-04-05 2049-04-18 2050-04-10 2051-04-02 2052-04-21 2053-04-06 2054-03-29 2055-04-18
2056-04-02 2057-04-22 2058-04-14 2059-03-30 2060-04-18 2061-04-10 2062-03-26 2063-04-15
2064-04-06 2065-03-29 2066-04-11 2067-04-03 2068-04-22 2069-04-14 2070-03-30 2071-04-19
2072-04-10 2073-03-26 2074-04-15 2075-04-07 2076-04-19 2077-04-11 2078-04-03 2079-04-23
2080-04-07 2081-03-30 2082-04-19 2083-04-04 2084-03-26 2085-04-15 2086-03-31 2087-04-20
2088-04-11 2089-04-03 2090-04-16 2091-04-08 2092-03-30 2093-04-12 2094-04-04 2095-04-24
2096-04-15 2097-03-31 2098-04-20 2099-04-12 2100-03-28)";

TEST(Holidays, EasterHolidaysFollowThePublishedEasterDates2000To2100) {
    const std::vector<CivilDate> easter = parseDates(kEasterSundays);
    ASSERT_EQ(easter.size(), 101u);
    for (const CivilDate& sunday : easter) {
        const int year = sunday.year;
        EXPECT_EQ(datesOf("DE-BB", year, "Ostersonntag"), std::vector{sunday}) << year;
        EXPECT_EQ(datesOf("DE-BY", year, "Karfreitag"), std::vector{addDays(sunday, -2)}) << year;
        EXPECT_EQ(datesOf("AT", year, "Pfingstmontag"), std::vector{addDays(sunday, 50)}) << year;
        EXPECT_EQ(datesOf("DE-NW", year, "Fronleichnam"), std::vector{addDays(sunday, 60)}) << year;
    }
}

// The moving feasts that do not follow Easter: the dates published for the years below, and for
// every year 2000-2100 the weekday and days of the month their laws allow.
TEST(Holidays, WeekdayFeastsFallOnTheirPublishedDatesAndWithinTheirLawsRange) {
    const struct {
        const char* region;
        const char* name;
        const char* published;
        int weekday;
        int month;
        int firstDay;
        int lastDay;
    } feasts[] = {
        {"DE-SN", "Buß- und Bettag",
         "2017-11-22 2019-11-20 2020-11-18 2021-11-17 2022-11-16 2024-11-20 2025-11-19 "
         "2026-11-18 2027-11-17 2028-11-22 2029-11-21 2030-11-20 2031-11-19 2032-11-17 "
         "2033-11-16 2034-11-22",
         3, 11, 16, 22},
        {"US", "Thanksgiving Day", "2021-11-25 2022-11-24 2023-11-23 2024-11-28", 4, 11, 22, 28},
        {"GB-ENG", "Spring bank holiday",
         "2002-06-04 2012-06-04 2019-05-27 2020-05-25 2021-05-31 2022-06-02 2023-05-29 "
         "2024-05-27 2025-05-26 2026-05-25 2027-05-31",
         1, 5, 25, 31},
    };
    for (const auto& feast : feasts) {
        const std::vector<CivilDate> published = parseDates(feast.published);
        for (int year = 2000; year <= 2100; ++year) {
            const std::vector<CivilDate> dates = datesOf(feast.region, year, feast.name);
            ASSERT_EQ(dates.size(), 1u) << feast.name << ' ' << year;
            const auto listed = std::find_if(published.begin(), published.end(),
                                             [year](CivilDate d) { return d.year == year; });
            if (listed != published.end()) {
                EXPECT_EQ(dates.front(), *listed) << feast.name;
            } else {
                EXPECT_EQ(isoWeekday(dates.front()), feast.weekday) << feast.name << ' ' << year;
                EXPECT_EQ(dates.front().month, feast.month) << feast.name << ' ' << year;
                EXPECT_GE(dates.front().day, feast.firstDay) << feast.name << ' ' << year;
                EXPECT_LE(dates.front().day, feast.lastDay) << feast.name << ' ' << year;
            }
        }
    }
}

// Whole years of days off as GOV.UK and the US Office of Personnel Management publish them:
// substitute days, observed days, one-off and moved holidays included.
TEST(Holidays, WeekdaysOffMatchTheOfficialCalendarsWithSubstituteAndObservedDays) {
    const struct {
        const char* region;
        int year;
        const char* days; // MM-DD of every holiday on a weekday
    } years[] = {
        {"GB-ENG", 2020, "01-01 04-10 04-13 05-08 05-25 08-31 12-25 12-28"},
        {"GB-ENG", 2021, "01-01 04-02 04-05 05-03 05-31 08-30 12-27 12-28"},
        {"GB-ENG", 2022, "01-03 04-15 04-18 05-02 06-02 06-03 08-29 09-19 12-26 12-27"},
        {"GB-ENG", 2023, "01-02 04-07 04-10 05-01 05-08 05-29 08-28 12-25 12-26"},
        {"GB-WLS", 2026, "01-01 04-03 04-06 05-04 05-25 08-31 12-25 12-28"},
        {"GB-SCT", 2019, "01-01 01-02 04-19 05-06 05-27 08-05 12-02 12-25 12-26"},
        {"GB-SCT", 2021, "01-01 01-04 04-02 05-03 05-31 08-02 11-30 12-27 12-28"},
        {"GB-SCT", 2022, "01-03 01-04 04-15 05-02 06-02 06-03 08-01 09-19 11-30 12-26 12-27"},
        {"US", 2021, "01-01 01-18 02-15 05-31 06-18 07-05 09-06 10-11 11-11 11-25 12-24 12-31"},
        {"US", 2023, "01-02 01-16 02-20 05-29 06-19 07-04 09-04 10-09 11-10 11-23 12-25"},
    };
    for (const auto& y : years) {
        std::string days;
        for (const PublicHoliday& holiday : publicHolidays(y.region, y.year)) {
            if (isoWeekday(holiday.date) <= 5) {
                days += (days.empty() ? "" : " ") + formatIsoDate(holiday.date).substr(5);
            }
        }
        EXPECT_EQ(days, y.days) << y.region << ' ' << y.year;
    }
}

TEST(Holidays, HolidaysAreInForceOnlyInTheYearsOfTheirLaw) {
    const struct {
        const char* region;
        const char* date;
        const char* name;
        bool holiday;
    } cases[] = {
        {"DE-NI", "2016-10-31", "Reformationstag", false},
        {"DE-NI", "2017-10-31", "Reformationstag", true}, // the 500th year, in every state
        {"DE-BY", "2017-10-31", "Reformationstag", true},
        {"DE-BE", "2019-03-08", "Internationaler Frauentag", true},
        {"DE-MV", "2023-03-08", "Internationaler Frauentag", true},
        {"DE-TH", "2018-09-20", "Weltkindertag", false},
        {"DE-TH", "2019-09-20", "Weltkindertag", true},
        {"DE-BE", "2025-05-08", "Tag der Befreiung", true},
        {"US", "2020-06-19", "Juneteenth National Independence Day", false},
        {"US", "2021-06-18", "Juneteenth National Independence Day", true}, // 19th a Saturday
        {"NL", "2013-04-30", "Koninginnedag", true},
        {"NL", "2014-04-30", "Koninginnedag", false},
        {"NL", "2014-04-26", "Koningsdag", true}, // the 27th a Sunday
    };
    for (const auto& c : cases) {
        const CivilDate date = parseIsoDate(c.date).value();
        const auto dates = datesOf(c.region, date.year, c.name);
        EXPECT_EQ(std::count(dates.begin(), dates.end(), date), c.holiday ? 1 : 0)
            << c.region << ' ' << c.date << ' ' << c.name;
    }
}

TEST(Holidays, EveryShippedRegionParsesAndGivesAPlausibleSortedYear) {
    EXPECT_EQ(holidayRuleErrors(), std::vector<std::string>());
    const std::vector<std::string> regions = holidayRegions();
    for (const char* code :
         {"DE-BW", "DE-BY",  "DE-BE",  "DE-BB",  "DE-HB", "DE-HH", "DE-HE", "DE-MV", "DE-NI",
          "DE-NW", "DE-RP",  "DE-SL",  "DE-SN",  "DE-ST", "DE-SH", "DE-TH", "AT",    "CH-ZH",
          "CH-BE", "GB-ENG", "GB-WLS", "GB-SCT", "FR",    "NL",    "US"}) {
        EXPECT_TRUE(std::binary_search(regions.begin(), regions.end(), code)) << code;
    }
    for (const std::string& region : regions) {
        EXPECT_TRUE(isHolidayRegion(region));
        const std::vector<PublicHoliday> holidays = publicHolidays(region, 2026);
        EXPECT_GE(holidays.size(), 6u) << region;
        EXPECT_LE(holidays.size(), 16u) << region;
        EXPECT_TRUE(std::is_sorted(holidays.begin(), holidays.end(),
                                   [](const auto& a, const auto& b) { return a.date < b.date; }))
            << region;
        for (const PublicHoliday& holiday : holidays) {
            EXPECT_EQ(holiday.date.year, 2026) << region << ' ' << holiday.name;
            EXPECT_FALSE(holiday.name.empty()) << region;
        }
    }
}

TEST(Holidays, AnUnknownRegionHasNoHolidays) {
    for (const char* code : {"", "XX", "DE-XX", "de-by", "DE-BY "}) {
        EXPECT_FALSE(isHolidayRegion(code)) << code;
        EXPECT_TRUE(publicHolidays(code, 2026).empty()) << code;
    }
}

TEST(Holidays, AYearOutsideTheGregorianFourDigitYearsHasNoHolidays) {
    EXPECT_TRUE(publicHolidays("DE-BY", 1582).empty() && publicHolidays("US", 2147483647).empty());
    EXPECT_FALSE(publicHolidays("DE-BY", 1583).empty());
}

TEST(HolidayRules, AMalformedLineIsRefusedWithItsNumber) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"01-01 = A\n\n01-32 = B\n", "line 3: '01-32' is no date rule"},
        {"fifth monday in may = A\n", "line 1: 'fifth monday in may' is no date rule"},
        {"01-01 since 20 = A\n", "line 1: since wants one year YYYY"},
        {"01-01 since 2020 until 2010 = A\n", "line 1: since is after until"},
        {"01-01 moved 2020-02-30 = A\n", "line 1: moved wants a date YYYY-MM-DD"},
        {"01-01 sunday->monday sunday->saturday = A\n", "line 1: 'sunday->saturday' is no option"},
        {"01-01 =  \n", "line 1: the holiday has no name"},
        {"01-01 Neujahr\n", "line 1: a rule is written WHEN [OPTIONS] = NAME"},
        {"include XX\n", "line 1: there are no rules of 'XX'"},
        {"include SELF\n", "line 1: in SELF, line 1: in SELF, line 1: in SELF, line 1: in SELF, "
                           "line 1: includes nest too deep"},
    };
    for (const auto& c : cases) {
        const ParsedHolidayRules parsed = parseHolidayRules(c.text, [](std::string_view code) {
            return code == "SELF" ? std::optional<std::string_view>("include SELF")
                                  : std::optional<std::string_view>();
        });
        EXPECT_EQ(parsed.error, c.error) << c.text;
    }
}

} // namespace
} // namespace tallimo
