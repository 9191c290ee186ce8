#pragma once

#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::test {

// Readers that refuse everything their standard does not allow, so that a writer's slip fails a
// test instead of being forgiven as a lenient program would.

// The number of characters of well-formed UTF-8 (no overlong forms, no surrogates); throws
// otherwise.
inline std::size_t utf8Length(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80   ? 1
                             : lead < 0xC2 ? 0
                             : lead < 0xE0 ? 2
                             : lead < 0xF0 ? 3
                             : lead < 0xF5 ? 4
                                           : 0;
        unsigned code = lead & (0xFFu >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned next = i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
            length = (next & 0xC0) == 0x80 ? length : 0;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (length == 0 || (length == 3 && (code < 0x800 || (code >= 0xD800 && code < 0xE000))) ||
            (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
            throw std::runtime_error("malformed UTF-8 at byte " + std::to_string(i));
        }
        i += length;
    }
    return count;
}

// RFC 4180: records end in CRLF (the last one too), fields are separated by commas, a field with
// a quote, comma or line break is quoted and its quotes doubled.
inline std::vector<std::vector<std::string>> readCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::size_t i = 0;
    const auto fail = [&](const std::string& why) {
        throw std::runtime_error("CSV: " + why + " at byte " + std::to_string(i));
    };
    while (i < text.size()) {
        std::string field;
        if (text[i] == '"') {
            // Inside quotes a doubled quote stands for one; a single one ends the field.
            for (++i; text.compare(i, 1, "\"") != 0 || text.compare(i, 2, "\"\"") == 0; ++i) {
                if (i >= text.size()) {
                    fail("unterminated quoted field");
                }
                i += text[i] == '"' ? 1 : 0;
                field += text[i];
            }
            ++i;
        } else {
            for (; i < text.size() && text[i] != ',' && text[i] != '\r'; ++i) {
                if (text[i] == '"' || text[i] == '\n') {
                    fail("quote or line feed in an unquoted field");
                }
                field += text[i];
            }
        }
        record.push_back(field);
        if (text.compare(i, 1, ",") == 0) {
            ++i;
            continue;
        }
        if (text.compare(i, 2, "\r\n") != 0) {
            fail("a record must end in CRLF");
        }
        i += 2;
        if (!records.empty() && record.size() != records.front().size()) {
            fail("records differ in their number of fields");
        }
        records.push_back(std::move(record));
        record.clear();
    }
    return records;
}

// RFC 5545, as far as these files use it: CRLF lines of at most 75 octets, folded lines joined,
// one VCALENDAR of VEVENTs (each with its UID and DTSTAMP) whose properties have no parameters,
// and TEXT values unescaped.
using IcalEvent = std::map<std::string, std::string>;

inline std::string unescapeText(const std::string& value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const char next = c == '\\' && i + 1 < value.size() ? value[++i] : '\0';
        if (c == ',' || c == ';' ||
            (c == '\\' && std::string_view("nN\\;,").find(next) == std::string_view::npos)) {
            throw std::runtime_error("iCalendar: bad or unescaped character in '" + value + "'");
        }
        text += next == 'n' || next == 'N' ? '\n' : c == '\\' ? next : c;
    }
    return text;
}

inline std::vector<IcalEvent> readCalendar(const std::string& bytes) {
    utf8Length(bytes);
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", start);
        const std::string line = bytes.substr(start, end - start);
        if (end == std::string::npos || line.find_first_of("\r\n") != std::string::npos ||
            line.size() > 75 || (line.starts_with(' ') && lines.empty())) {
            throw std::runtime_error("iCalendar: bad line '" + line + "'");
        }
        if (line.starts_with(' ')) {
            lines.back() += line.substr(1);
        } else {
            lines.push_back(line);
        }
        start = end + 2;
    }
    if (lines.size() < 2 || lines.front() != "BEGIN:VCALENDAR" || lines.back() != "END:VCALENDAR") {
        throw std::runtime_error("iCalendar: not one VCALENDAR");
    }
    std::vector<IcalEvent> events;
    IcalEvent calendar;
    IcalEvent* current = &calendar;
    for (std::size_t n = 1; n + 1 < lines.size(); ++n) {
        const std::string& line = lines[n];
        const std::size_t colon = line.find(':');
        const std::string name = line.substr(0, colon);
        if (colon == std::string::npos || name.empty() ||
            name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ-") != std::string::npos) {
            throw std::runtime_error("iCalendar: bad content line '" + line + "'");
        }
        const std::string value = line.substr(colon + 1);
        if (line == "BEGIN:VEVENT" && current == &calendar) {
            current = &events.emplace_back();
        } else if (line == "END:VEVENT" && current != &calendar) {
            if (!current->contains("UID") || !current->contains("DTSTAMP")) {
                throw std::runtime_error("iCalendar: an event without UID or DTSTAMP");
            }
            current = &calendar;
        } else if (name == "BEGIN" || name == "END" || current->contains(name)) {
            throw std::runtime_error("iCalendar: misplaced or repeated '" + line + "'");
        } else {
            (*current)[name] =
                name == "SUMMARY" || name == "DESCRIPTION" ? unescapeText(value) : value;
        }
    }
    if (current != &calendar || calendar["VERSION"] != "2.0" || !calendar.contains("PRODID") ||
        events.empty()) {
        throw std::runtime_error("iCalendar: an open event, no VERSION 2.0, PRODID or event");
    }
    return events;
}

} // namespace tallimo::test
