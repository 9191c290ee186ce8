#pragma once

#include "platform/PresenceSource.h"

#include <string>
#include <utility>

namespace tallimo::fake {

// Plays the session's events to the listener, as a test script says.
class FakePresenceSource final : public PresenceSource {
public:
    void setListener(Listener listener) override { m_listener = std::move(listener); }
    std::string unavailableReason() const override { return reason; }

    void emit(PresenceCause cause, Instant at) {
        if (m_listener) {
            m_listener(PresenceEvent{cause, at});
        }
    }

    std::string reason;

private:
    Listener m_listener;
};

} // namespace tallimo::fake
