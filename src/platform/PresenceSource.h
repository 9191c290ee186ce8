#pragma once

#include "calc/TimeValue.h"

#include <functional>
#include <string>

namespace tallimo {

// What the session reported. The first four bring the user back, the others take them away.
enum class PresenceCause {
    Start,
    Unlock,
    ScreenSaverEnd,
    Resume,
    Lock,
    ScreenSaverStart,
    Suspend,
    SessionEnd,
};

struct PresenceEvent {
    PresenceCause cause = PresenceCause::Start;
    // When it happened, which may be long before it is handled (a lock seen after a resume).
    Instant at = 0;
};

inline bool isArrival(PresenceCause cause) {
    return cause <= PresenceCause::Resume;
}

// The machine may stop before the program runs again, so these end the presence at once.
inline bool endsAtOnce(PresenceCause cause) {
    return cause == PresenceCause::Suspend || cause == PresenceCause::SessionEnd;
}

// The word the journal and the announcements use: "unlocked", "screen saver started"...
const char* presenceCauseWord(PresenceCause cause);

// Delivers the session's arrivals and departures. Adapters watch logind, the screen savers and
// the program's own start and end; the listener runs on the program's event loop.
class PresenceSource {
public:
    using Listener = std::function<void(const PresenceEvent&)>;

    virtual ~PresenceSource() = default;
    virtual void setListener(Listener listener) = 0;
    // Empty when at least one source is watched; otherwise why none is (shown to the user).
    virtual std::string unavailableReason() const = 0;
};

} // namespace tallimo
