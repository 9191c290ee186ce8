#pragma once

namespace tallimo {

// Repeating timers delivered to the view's OnTimer on the user-interface thread.
class Timers {
public:
    virtual ~Timers() = default;
    // Starts a repeating timer; returns its identifier, 0 when it cannot be started.
    virtual unsigned start(unsigned id, unsigned periodMs) = 0;
    virtual void stop(unsigned identifier) = 0;
};

} // namespace tallimo
