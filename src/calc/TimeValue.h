#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallimo {

// Whole seconds since 1970-01-01 00:00:00 UTC. 64 bits in memory; the file keeps 32 unsigned.
using Instant = std::int64_t;
// A signed length of time in seconds.
using Span = std::int64_t;

// Local calendar fields of an instant; weekday is 1 = Sunday .. 7 = Saturday.
struct LocalFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;
};

// The largest instant a time sheet file can hold (unsigned 32-bit field).
inline constexpr Instant kMaxFileInstant = 0xFFFFFFFFLL;

// Local time with mktime's normalisation (fields out of range carry, daylight saving decided by
// the zone rules). Empty when the result lies before 1970 or beyond what a file can hold.
std::optional<Instant> makeLocalInstant(int year, int month, int day, int hour, int minute,
                                        int second);

LocalFields splitLocal(Instant instant);

// strftime-like formatting with English names whatever the process locale is.
// Supports %d %m %Y %H %M %S %A %B %%; other characters are copied.
std::string formatInstant(Instant instant, std::string_view format);

const char* weekdayName(int weekday); // 1 = Sunday
const char* monthName(int month);     // 1 = January

// Components of a span, each truncated toward zero (so all <= 0 for a negative span).
struct SpanParts {
    std::int64_t days = 0;
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;
};
SpanParts splitSpan(Span span);

// The duration format: %D plain, %H %M %S as "%02d" of the signed component, %% a percent sign.
std::string formatSpan(Span span, std::string_view format);
// "-%02d:%02d:%02d" filled with the absolute hours, minutes and seconds (days dropped).
std::string formatNegativeHms(Span span);
// "-%d Day(s) %02d:%02d:%02d" filled with the absolute components.
std::string formatNegativeDays(Span span);

// atoi: optional white space and sign, then decimal digits up to the first other character.
int atoiPrefix(std::string_view text);
// atoi of the characters first..last (1-based, inclusive); missing characters read as absent.
int readNumberAt(std::string_view text, std::size_t first, std::size_t last);

// A "Date" cell "%d.%m.%Y" read by character position, at 00:00:00 local time.
std::optional<Instant> parseDateCell(std::string_view date);

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};
// A time cell is valid exactly when it holds 8 bytes; separators are not examined.
bool isTimeCell(std::string_view text);
TimeOfDay readTimeCell(std::string_view text);

// The date of a "Date" cell, `laterDays` days on, at a time cell's clock time (no validity check
// on either text).
std::optional<Instant> dateCellAtTime(std::string_view date, std::string_view time,
                                      int laterDays = 0);

// A period moment "%d.%m.%Y %H:%M:%S" is 19 bytes long.
inline constexpr std::size_t kPeriodMomentLength = 19;
std::optional<Instant> parsePeriodMoment(std::string_view moment);

// The strict readers of what a user types: a field out of range is refused, never carried into
// the next minute, hour, day or month. A clock time is H:MM, HH:MM, H:MM:SS or HH:MM:SS with an
// hour up to `largestHour` (47 admits the carried-over form of a Leave on the next day).
std::optional<TimeOfDay> parseClockTime(std::string_view text, int largestHour = 23);
// "DD.MM.YYYY HH:MM[:SS]" or ISO 8601's "YYYY-MM-DDTHH:MM[:SS]".
std::optional<Instant> parseMoment(std::string_view text);
// A length of time a user types: an optional sign, hours (up to six digits), then ":MM" and
// optionally ":SS", as "+12:30", "-1:00:00" or "150:00". Minutes and seconds stay below 60.
std::optional<Span> parseSignedSpan(std::string_view text);
// The local date of `day` at a clock time; empty where a file could not hold the instant.
std::optional<Instant> atClockTime(Instant day, TimeOfDay time);

} // namespace tallimo
