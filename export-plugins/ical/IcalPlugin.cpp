// Export plug-in: one iCalendar file (RFC 5545) per run, one event per worked day or stand-by
// period, in floating local time.
#include "PluginOutput.h"
#include "platform/Encoding.h"
#include "plugins/tallimo_export.h"

#include <chrono>
#include <ctime>
#include <optional>
#include <string>

namespace {

using tallimo::plugin::ListKind;
using namespace std::chrono;

constexpr std::size_t kMaxLineOctets = 75;
constexpr const char* kUidDomain = "tallimo.morvane.com";

tallimo::plugin::PluginOutput g_output;
int g_events = 0;
std::string g_stamp;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int number(std::string_view text, std::size_t at, std::size_t length) {
    int value = 0;
    for (std::size_t i = at; i < at + length; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool hasShape(std::string_view text, std::string_view shape) {
    if (text.size() != shape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == '9' ? !isDigit(text[i]) : text[i] != shape[i]) {
            return false;
        }
    }
    return true;
}

std::optional<sys_days> parseDate(std::string_view text) {
    if (!hasShape(text, "99.99.9999")) {
        return std::nullopt;
    }
    const year_month_day date{year(number(text, 6, 4)),
                              month(static_cast<unsigned>(number(text, 3, 2))),
                              day(static_cast<unsigned>(number(text, 0, 2)))};
    return date.ok() ? std::optional<sys_days>(date) : std::nullopt;
}

// "HH:MM:SS"; a Leave may be carried over into the next day (24:00:00 to 47:59:59).
std::optional<seconds> parseClock(std::string_view text, int maxHour) {
    if (!hasShape(text, "99:99:99")) {
        return std::nullopt;
    }
    const int hour = number(text, 0, 2);
    const int minute = number(text, 3, 2);
    const int second = number(text, 6, 2);
    if (hour > maxHour || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return hours(hour) + minutes(minute) + seconds(second);
}

std::optional<sys_seconds> parseMoment(std::string_view text) {
    if (text.size() != 19 || text[10] != ' ') {
        return std::nullopt;
    }
    const auto date = parseDate(text.substr(0, 10));
    const auto clock = parseClock(text.substr(11), 23);
    return date && clock ? std::optional<sys_seconds>(*date + *clock) : std::nullopt;
}

// Local time written as if it were UTC: the calendar reads it as floating local time.
std::string dateTime(sys_seconds moment) {
    const sys_days dayOf = floor<days>(moment);
    const year_month_day date(dayOf);
    const hh_mm_ss clock(moment - dayOf);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02uT%02d%02d%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}

std::string escapeText(std::string_view bytes) {
    const std::string text = tallimo::windows1252ToUtf8(bytes);
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\r' || c == '\n') {
            escaped += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if ((static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) || c == '\t') {
            // Other control characters are not allowed in a text value.
            escaped += c;
        }
    }
    return escaped;
}

// A content line folded at 75 octets, never inside a UTF-8 sequence.
std::string contentLine(std::string_view line) {
    std::string folded;
    std::size_t limit = kMaxLineOctets;
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        folded.append(line.substr(0, cut)).append("\r\n ");
        line.remove_prefix(cut);
        limit = kMaxLineOctets - 1;
    }
    return folded.append(line).append("\r\n");
}

int32_t writeEvent(ListKind kind, std::string_view date, std::optional<sys_seconds> start,
                   std::optional<sys_seconds> end, const std::string& uid, const char* summary,
                   const std::string& description) {
    if (!g_output.accept(kind, date)) {
        return 0;
    }
    // A row without both times, or whose end lies before its start, is no event.
    if (!start || !end || *end < *start) {
        return 1;
    }
    std::string text;
    if (g_events++ == 0) {
        text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Morvane//Tallimo//EN\r\n"
               "CALSCALE:GREGORIAN\r\n";
    }
    text += "BEGIN:VEVENT\r\n";
    text += contentLine("UID:" + uid + "@" + kUidDomain);
    text += "DTSTAMP:" + g_stamp + "\r\n";
    text += "DTSTART:" + dateTime(*start) + "\r\n";
    text += "DTEND:" + dateTime(*end) + "\r\n";
    text += contentLine(std::string("SUMMARY:") + summary);
    if (!description.empty()) {
        text += contentLine("DESCRIPTION:" + description);
    }
    text += "END:VEVENT\r\n";
    return g_output.write(text) ? 1 : 0;
}

} // namespace

extern "C" {

int32_t GetDescription(char* description) {
    tallimo::plugin::describe(description, "iCalendar (.ics) for calendar programs");
    return 1;
}

int32_t Init(void) {
    g_events = 0;
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    char stamp[32] = "";
    gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    g_stamp = stamp;
    return g_output.init() ? 1 : 0;
}

int32_t Export(const char* date, const char*, const char* enter, const char* leave,
               const char* comment, const char*, const char*, const char*) {
    const auto dayOf = parseDate(date);
    const auto from = parseClock(enter, 23);
    const auto to = parseClock(leave, 47);
    std::optional<sys_seconds> start;
    std::optional<sys_seconds> end;
    if (dayOf && from && to) {
        start = *dayOf + *from;
        // A Leave earlier than the Enter is the next morning's.
        end = *dayOf + *to + (*to < *from ? days(1) : days(0));
    }
    // One event per day: exporting the month again updates an edited day instead of adding one.
    const std::string uid = dayOf ? dateTime(*dayOf).substr(0, 8) + "-work" : "";
    return writeEvent(ListKind::Work, date, start, end, uid, "Work", escapeText(comment));
}

int32_t SquadExport(const char* start, const char* end, const char*, const char* incident,
                    const char* description) {
    const auto from = parseMoment(start);
    const auto to = parseMoment(end);
    const std::string incidentText = escapeText(incident);
    const std::string descriptionText = escapeText(description);
    const std::string text = incidentText +
                             (incidentText.empty() || descriptionText.empty() ? "" : "\\n") +
                             descriptionText;
    const std::string uid = from ? dateTime(*from) + "-standby" : "";
    return writeEvent(ListKind::Standby, start, from, to, uid, "Stand-by", text);
}

int32_t DeInit(void) {
    const bool keep = g_events > 0 && g_output.write("END:VCALENDAR\r\n");
    return g_output.finish("ics", keep) ? 1 : 0;
}

int32_t GetExportedFile(char* path, int32_t size) {
    return tallimo::plugin::nameWrittenFile(g_output, path, size);
}
}
