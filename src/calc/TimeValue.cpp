#include "calc/TimeValue.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <ctime>

namespace tallimo {
namespace {

constexpr const char* kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

void appendTwoDigits(std::string& out, std::int64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02lld", static_cast<long long>(value));
    out += buffer;
}

} // namespace

std::optional<Instant> makeLocalInstant(int year, int month, int day, int hour, int minute,
                                        int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    const std::time_t result = std::mktime(&fields);
    if (result == static_cast<std::time_t>(-1) || result < 0 || result > kMaxFileInstant) {
        return std::nullopt;
    }
    return static_cast<Instant>(result);
}

LocalFields splitLocal(Instant instant) {
    const std::time_t value = static_cast<std::time_t>(instant);
    std::tm fields{};
    localtime_r(&value, &fields);
    return LocalFields{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,    fields.tm_hour,
                       fields.tm_min,         fields.tm_sec,     fields.tm_wday + 1};
}

const char* weekdayName(int weekday) {
    return weekday >= 1 && weekday <= 7 ? kWeekdays[weekday - 1] : "";
}

const char* monthName(int month) {
    return month >= 1 && month <= 12 ? kMonths[month - 1] : "";
}

std::string formatInstant(Instant instant, std::string_view format) {
    const LocalFields f = splitLocal(instant);
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        switch (format[++i]) {
        case 'd':
            appendTwoDigits(out, f.day);
            break;
        case 'm':
            appendTwoDigits(out, f.month);
            break;
        case 'Y':
            out += std::to_string(f.year);
            break;
        case 'H':
            appendTwoDigits(out, f.hour);
            break;
        case 'M':
            appendTwoDigits(out, f.minute);
            break;
        case 'S':
            appendTwoDigits(out, f.second);
            break;
        case 'A':
            out += weekdayName(f.weekday);
            break;
        case 'B':
            out += monthName(f.month);
            break;
        case '%':
            out += '%';
            break;
        default:
            out += '%';
            out += format[i];
            break;
        }
    }
    return out;
}

SpanParts splitSpan(Span span) {
    SpanParts parts;
    parts.days = span / 86400;
    parts.hours = span / 3600 - parts.days * 24;
    parts.minutes = span / 60 - (span / 3600) * 60;
    parts.seconds = span - (span / 60) * 60;
    return parts;
}

std::string formatSpan(Span span, std::string_view format) {
    const SpanParts parts = splitSpan(span);
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        switch (format[++i]) {
        case 'D':
            out += std::to_string(parts.days);
            break;
        case 'H':
            appendTwoDigits(out, parts.hours);
            break;
        case 'M':
            appendTwoDigits(out, parts.minutes);
            break;
        case 'S':
            appendTwoDigits(out, parts.seconds);
            break;
        case '%':
            out += '%';
            break;
        default:
            out += '%';
            out += format[i];
            break;
        }
    }
    return out;
}

namespace {
std::int64_t absolute(std::int64_t value) {
    return value < 0 ? -value : value;
}
} // namespace

std::string formatNegativeHms(Span span) {
    const SpanParts p = splitSpan(span);
    char buffer[96];
    std::snprintf(
        buffer, sizeof buffer, "-%02lld:%02lld:%02lld", static_cast<long long>(absolute(p.hours)),
        static_cast<long long>(absolute(p.minutes)), static_cast<long long>(absolute(p.seconds)));
    return buffer;
}

std::string formatNegativeDays(Span span) {
    const SpanParts p = splitSpan(span);
    char buffer[128];
    std::snprintf(
        buffer, sizeof buffer, "-%lld Day(s) %02lld:%02lld:%02lld",
        static_cast<long long>(absolute(p.days)), static_cast<long long>(absolute(p.hours)),
        static_cast<long long>(absolute(p.minutes)), static_cast<long long>(absolute(p.seconds)));
    return buffer;
}

int atoiPrefix(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        // Saturate instead of overflowing; such values are out of every range anyway.
        if (value < INT_MAX) {
            value = value * 10 + (text[i] - '0');
        }
    }
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

int readNumberAt(std::string_view text, std::size_t first, std::size_t last) {
    if (first == 0 || first > text.size()) {
        return 0;
    }
    const std::size_t end = last < text.size() ? last : text.size();
    return atoiPrefix(text.substr(first - 1, end - first + 1));
}

std::optional<Instant> parseDateCell(std::string_view date) {
    return makeLocalInstant(readNumberAt(date, 7, 10), readNumberAt(date, 4, 5),
                            readNumberAt(date, 1, 2), 0, 0, 0);
}

bool isTimeCell(std::string_view text) {
    return text.size() == 8;
}

TimeOfDay readTimeCell(std::string_view text) {
    return TimeOfDay{readNumberAt(text, 1, 2), readNumberAt(text, 4, 5), readNumberAt(text, 7, 8)};
}

std::optional<Instant> dateCellAtTime(std::string_view date, std::string_view time, int laterDays) {
    const TimeOfDay t = readTimeCell(time);
    return makeLocalInstant(readNumberAt(date, 7, 10), readNumberAt(date, 4, 5),
                            readNumberAt(date, 1, 2) + laterDays, t.hour, t.minute, t.second);
}

std::optional<Instant> parsePeriodMoment(std::string_view moment) {
    return makeLocalInstant(readNumberAt(moment, 7, 10), readNumberAt(moment, 4, 5),
                            readNumberAt(moment, 1, 2), readNumberAt(moment, 12, 13),
                            readNumberAt(moment, 15, 16), readNumberAt(moment, 18, 19));
}

namespace {

bool digitsAt(std::string_view text, std::initializer_list<std::size_t> positions) {
    return std::all_of(positions.begin(), positions.end(),
                       [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; });
}

} // namespace

std::optional<TimeOfDay> parseClockTime(std::string_view text, int largestHour) {
    // H:MM and HH:MM, each optionally followed by :SS.
    const std::size_t hourDigits = text.size() > 1 && text[1] == ':' ? 1 : 2;
    const std::size_t length = text.size() - hourDigits;
    if ((length != 3 && length != 6) || text[hourDigits] != ':' ||
        (length == 6 && text[hourDigits + 3] != ':')) {
        return std::nullopt;
    }
    const std::size_t m = hourDigits + 1;
    if (!digitsAt(text, {0, hourDigits - 1, m, m + 1}) ||
        (length == 6 && !digitsAt(text, {m + 3, m + 4}))) {
        return std::nullopt;
    }
    const TimeOfDay time{readNumberAt(text, 1, hourDigits), readNumberAt(text, m + 1, m + 2),
                         length == 6 ? readNumberAt(text, m + 4, m + 5) : 0};
    if (time.hour > largestHour || time.minute > 59 || time.second > 59) {
        return std::nullopt;
    }
    return time;
}

std::optional<Instant> parseMoment(std::string_view text) {
    if (text.size() < 11) {
        return std::nullopt;
    }
    int day = 0;
    int month = 0;
    int year = 0;
    if (text[2] == '.' && text[5] == '.' && text[10] == ' ' &&
        digitsAt(text, {0, 1, 3, 4, 6, 7, 8, 9})) {
        day = readNumberAt(text, 1, 2);
        month = readNumberAt(text, 4, 5);
        year = readNumberAt(text, 7, 10);
    } else if (text[4] == '-' && text[7] == '-' && text[10] == 'T' &&
               digitsAt(text, {0, 1, 2, 3, 5, 6, 8, 9})) {
        year = readNumberAt(text, 1, 4);
        month = readNumberAt(text, 6, 7);
        day = readNumberAt(text, 9, 10);
    } else {
        return std::nullopt;
    }
    const std::string_view clock = text.substr(11);
    const auto time = clock.size() > 1 && clock[1] == ':' ? std::nullopt : parseClockTime(clock);
    if (!time || day < 1 || month < 1 || month > 12) {
        return std::nullopt;
    }
    const auto instant = makeLocalInstant(year, month, day, time->hour, time->minute, time->second);
    // mktime carries 31.04. into May: such a date is a typo, not a moment.
    if (!instant || splitLocal(*instant).day != day) {
        return std::nullopt;
    }
    return instant;
}

std::optional<Span> parseSignedSpan(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    const auto colon = text.find(':');
    const std::string_view hours = text.substr(0, colon);
    const std::string_view rest = colon == std::string_view::npos ? "" : text.substr(colon);
    if (hours.empty() || hours.size() > 6 || (rest.size() != 3 && rest.size() != 6) ||
        !std::all_of(hours.begin(), hours.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        !digitsAt(rest, {1, 2}) ||
        (rest.size() == 6 && (rest[3] != ':' || !digitsAt(rest, {4, 5})))) {
        return std::nullopt;
    }
    const int minutes = readNumberAt(rest, 2, 3);
    const int seconds = rest.size() == 6 ? readNumberAt(rest, 5, 6) : 0;
    if (minutes > 59 || seconds > 59) {
        return std::nullopt;
    }
    const Span length = Span{atoiPrefix(hours)} * 3600 + minutes * 60 + seconds;
    return negative ? -length : length;
}

std::optional<Instant> atClockTime(Instant day, TimeOfDay time) {
    const LocalFields date = splitLocal(day);
    return makeLocalInstant(date.year, date.month, date.day, time.hour, time.minute, time.second);
}

} // namespace tallimo
