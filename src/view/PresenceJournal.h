#pragma once

#include "calc/TimeValue.h"
#include "document/Result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// How the journal says that the desktop could watch no source of the session.
inline constexpr std::string_view kPresenceUnavailable = "presence detection unavailable: ";

// "1 minute", "5 minutes": the minimum away time as the journal and the CLI say it.
std::string awayMinutesText(int minutes);

// One event the session reported and what became of it.
struct PresenceEntry {
    Instant at = 0;
    std::string source;  // "unlocked", "suspended"...
    std::string row;     // the Date cell of the day it concerns; empty for none
    std::string wrote;   // "Enter", "Leave", "Forecast", "Taken back"; empty when nothing
    std::string cell;    // the Leave text written; empty when nothing
    std::string outcome; // what the user was told, or why nothing was recorded
    bool operator==(const PresenceEntry&) const = default;
};

// The last weeks of presence events, one tab-separated line each, in a plain text file beside
// the settings. It also remembers which Leave cells presence detection wrote, so that a Leave the
// user wrote is told apart from one it may change again.
class PresenceJournal {
public:
    static constexpr int kKeptDays = 60;

    // The desktop and the CLI keep it beside the settings file (presenceJournalPath()).
    explicit PresenceJournal(std::string path);
    const std::string& path() const { return m_path; }

    // Every well-formed entry, oldest first; a missing file has none.
    std::vector<PresenceEntry> read() const;
    // Adds the entry and drops those more than kKeptDays older than it; the file is replaced
    // atomically, so a crash leaves the old journal or the new one.
    Result append(const PresenceEntry& entry);
    // The last Leave text presence detection wrote in the row of that Date cell.
    std::optional<std::string> presenceLeave(const std::string& row) const;
    // The last entry that wrote a Leave.
    std::optional<PresenceEntry> lastLeave() const;
    // Why the desktop could watch no source of the session, as it last noted; empty once a
    // later start or an event of the session shows one watched.
    std::optional<std::string> unavailableReason() const;

private:
    std::string m_path;
};

} // namespace tallimo
