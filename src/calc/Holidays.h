#pragma once

#include "calc/CivilDate.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

struct PublicHoliday {
    CivilDate date;
    std::string name;
};

// The region codes (ISO 3166-2, e.g. "DE-BY", "AT", "GB-ENG", "US") whose holiday rules are
// shipped, sorted.
std::vector<std::string> holidayRegions();
bool isHolidayRegion(std::string_view code);

// The public holidays of a region in a year, computed from the region's rules (substitute days
// included), sorted by date. Empty for a region that is not shipped, and for a year before 1583
// or after 9999.
std::vector<PublicHoliday> publicHolidays(std::string_view region, int year);

// What is wrong with the shipped rule files, one "CODE.rules line N: why" each; empty when every
// file parses. publicHolidays() throws std::runtime_error for a region whose file does not.
std::vector<std::string> holidayRuleErrors();

} // namespace tallimo
