#pragma once

#include "platform/Timers.h"

#include <functional>
#include <map>
#include <memory>

class QTimer;

namespace tallimo {

// One QTimer per id, owned here rather than by a window, so a timer keeps ticking while the main
// window is hidden. Each tick calls the handler with the timer's id on the user-interface thread.
class QtTimers final : public Timers {
public:
    explicit QtTimers(std::function<void(unsigned id)> onTick);
    ~QtTimers() override;

    // The identifier is the id; starting a running id restarts it with the new period.
    unsigned start(unsigned id, unsigned periodMs) override;
    void stop(unsigned identifier) override;

    bool isRunning(unsigned id) const;

private:
    std::function<void(unsigned)> m_onTick;
    std::map<unsigned, std::unique_ptr<QTimer>> m_timers;
};

} // namespace tallimo
