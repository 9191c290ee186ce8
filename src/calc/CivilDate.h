#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallimo {

// A calendar date without a time or a zone: what holidays, targets and vacation days are about.
struct CivilDate {
    int year = 0;
    int month = 0; // 1 = January
    int day = 0;
    auto operator<=>(const CivilDate&) const = default;
};

// Days since 1970-01-01 of the proleptic Gregorian calendar, and back.
std::int64_t daysFromCivil(CivilDate date);
CivilDate civilFromDays(std::int64_t days);
// 1 = Monday .. 7 = Sunday (ISO 8601).
int isoWeekday(CivilDate date);
int daysInMonth(int year, int month);
CivilDate addDays(CivilDate date, std::int64_t days);
// "YYYY-MM-DD"; parse refuses anything else, and dates that do not exist.
std::string formatIsoDate(CivilDate date);
std::optional<CivilDate> parseIsoDate(std::string_view text);

} // namespace tallimo
