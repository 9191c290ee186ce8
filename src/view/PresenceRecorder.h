#pragma once

#include "platform/PresenceSource.h"
#include "view/PresenceJournal.h"

#include <optional>
#include <string>
#include <vector>

namespace tallimo {

class CTagrolView;

// What the user is told about one arrival or departure.
struct PresenceNotice {
    std::string text;
    // In suggest mode: accepting records the event at its own time.
    bool suggestion = false;
    bool arrival = false;
    Instant at = 0;
    PresenceCause cause = PresenceCause::Start;
    bool operator==(const PresenceNotice&) const = default;
};

// Decides what the session's arrivals and departures record in the open month, by the settings
// Presence and PresenceAwayMinutes. An away period (lock, screen saver) becomes a departure once
// it lasted the minimum; a suspend or the session's end is one at once, taken back by an arrival
// within the minimum. A departure is dated at the start of its away period and changes only a
// Leave that holds the forecast, is empty or was written by presence detection; an arrival on the
// day of such a departure puts the forecast back. Each recording is one change of the month.
class PresenceRecorder {
public:
    PresenceRecorder(CTagrolView& view, PresenceJournal& journal);

    std::vector<PresenceNotice> handle(const PresenceEvent& event);
    // When a pending away period becomes a departure; the desktop wakes up then and settles.
    std::optional<Instant> deadline() const;
    std::vector<PresenceNotice> settle(Instant now);
    // Records what a suggestion offered, at the event's time; the notice says what became of it.
    PresenceNotice accept(const PresenceNotice& suggestion);
    // Journals that no source of events could be watched.
    void noteUnavailable(Instant at, const std::string& reason);

private:
    struct Plan;
    Span minimum() const;
    Plan planArrival(Instant at) const;
    Plan planDeparture(Instant at) const;
    // The month file an event outside the open month belongs in, beside the open one.
    std::string monthFileFor(Instant at) const;
    PresenceNotice perform(const Plan& plan, const PresenceEvent& event, bool suggest);
    std::optional<PresenceNotice> depart();
    std::optional<PresenceNotice> arrive(const PresenceEvent& event);
    void journal(const PresenceEvent& event, const std::string& row, const std::string& wrote,
                 const std::string& cell, const std::string& outcome);

    CTagrolView& m_view;
    PresenceJournal& m_journal;
    bool m_present = false;
    // The event that began the away period, while the user is away.
    std::optional<PresenceEvent> m_away;
    bool m_departed = false;
    // A departure written at once, which an arrival within the minimum takes back.
    struct Written {
        int row = -1;
        std::string cell;
        std::string previous;
    };
    std::optional<Written> m_written;
};

} // namespace tallimo
