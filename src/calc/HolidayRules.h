#pragma once

#include "calc/CivilDate.h"
#include "calc/Holidays.h"

#include <climits>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// Easter Sunday of the Gregorian calendar (the computus), for any year from 1583 on.
CivilDate easterSunday(int year);

// One line of a region's rule file: how the holiday's date is found in a year, the years it is
// in force and what happens when it falls on a weekend.
struct HolidayRule {
    enum class Kind {
        Fixed,         // MM-DD
        Once,          // YYYY-MM-DD: one year only
        Easter,        // easter, easter+N, easter-N
        NthWeekday,    // first..fourth or last WEEKDAY in MONTH
        WeekdayBefore, // WEEKDAY before MM-DD (strictly before)
        WeekdayAfter,  // WEEKDAY after MM-DD (strictly after)
    };
    Kind kind = Kind::Fixed;
    int year = 0; // Once
    int month = 0;
    int day = 0;
    int offset = 0;  // Easter: days from Easter Sunday
    int ordinal = 0; // NthWeekday: 1..4, or -1 for the last
    int weekday = 0; // 1 = Monday .. 7 = Sunday
    int since = INT_MIN;
    int until = INT_MAX;
    int saturdayShift = 0;        // days the holiday moves when it falls on a Saturday
    int sundayShift = 0;          // the same for a Sunday
    bool substitute = false;      // on a weekend, adds the next weekday that is no holiday
    std::vector<CivilDate> moved; // in the year of each date, the holiday is on that date
    std::string name;
};

struct ParsedHolidayRules {
    std::vector<HolidayRule> rules;
    std::string error; // "line N: why"; the rules are not to be used when it is set
};

// Parses the text of a rule file (the format is described in the README). `lookup` gives the
// text of another region's file for an "include CODE" line, or nothing for an unknown code.
using RuleFileLookup = std::function<std::optional<std::string_view>(std::string_view region)>;
ParsedHolidayRules parseHolidayRules(std::string_view text, const RuleFileLookup& lookup = {});

// The holidays the rules give in a year, sorted by date; a holiday moved out of the year by a
// weekend rule is left out, and one moved into it from the year before or after is listed.
// Empty for a year before 1583 (the first Gregorian Easter) or after 9999.
std::vector<PublicHoliday> evaluateHolidayRules(const std::vector<HolidayRule>& rules, int year);

} // namespace tallimo
