#include "view/PresenceJournal.h"

#include "document/AtomicFile.h"
#include "platform/PresenceSource.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tallimo {
namespace {

constexpr const char* kStampFormat = "%Y-%m-%d %H:%M:%S";
constexpr Span kDay = 86400;

// Tabs and line feeds would split the entry; they never belong in its fields.
std::string field(const std::string& text) {
    std::string cleaned = text;
    for (char& c : cleaned) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return cleaned.empty() ? "-" : cleaned;
}

std::string line(const PresenceEntry& entry) {
    return formatInstant(entry.at, kStampFormat) + '\t' + field(entry.source) + '\t' +
           field(entry.row) + '\t' + field(entry.wrote) + '\t' + field(entry.cell) + '\t' +
           field(entry.outcome) + '\n';
}

std::optional<PresenceEntry> parseLine(const std::string& text) {
    std::vector<std::string> fields;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, '\t');) {
        fields.push_back(part == "-" ? "" : part);
    }
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (fields.size() != 6 || std::sscanf(fields[0].c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &year,
                                          &month, &day, &hour, &minute, &second) != 6) {
        return std::nullopt;
    }
    const auto at = makeLocalInstant(year, month, day, hour, minute, second);
    if (!at) {
        return std::nullopt;
    }
    return PresenceEntry{*at, fields[1], fields[2], fields[3], fields[4], fields[5]};
}

} // namespace

std::string awayMinutesText(int minutes) {
    return std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes");
}

PresenceJournal::PresenceJournal(std::string path) : m_path(std::move(path)) {}

std::vector<PresenceEntry> PresenceJournal::read() const {
    std::vector<PresenceEntry> entries;
    std::ifstream in(m_path, std::ios::binary);
    for (std::string text; std::getline(in, text);) {
        if (auto entry = parseLine(text)) {
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

Result PresenceJournal::append(const PresenceEntry& entry) {
    std::string data;
    for (const PresenceEntry& kept : read()) {
        if (kept.at >= entry.at - kKeptDays * kDay) {
            data += line(kept);
        }
    }
    data += line(entry);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ignored);
    return writeFileAtomically(m_path,
                               {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()});
}

std::optional<PresenceEntry> PresenceJournal::lastLeave() const {
    std::optional<PresenceEntry> last;
    for (PresenceEntry& entry : read()) {
        if (entry.wrote == "Leave") {
            last = std::move(entry);
        }
    }
    return last;
}

std::optional<std::string> PresenceJournal::unavailableReason() const {
    std::optional<std::string> reason;
    for (const PresenceEntry& entry : read()) {
        if (entry.outcome.starts_with(kPresenceUnavailable)) {
            reason = entry.outcome.substr(kPresenceUnavailable.size());
        } else if (entry.source != presenceCauseWord(PresenceCause::SessionEnd)) {
            // The session's end is the program's own, seen without any bus.
            reason.reset();
        }
    }
    return reason;
}

std::optional<std::string> PresenceJournal::presenceLeave(const std::string& row) const {
    std::optional<std::string> cell;
    for (const PresenceEntry& entry : read()) {
        if (entry.wrote == "Leave" && entry.row == row) {
            cell = entry.cell;
        }
    }
    return cell;
}

} // namespace tallimo
