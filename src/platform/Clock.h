#pragma once

#include "calc/TimeValue.h"

namespace tallimo {

class Clock {
public:
    virtual ~Clock() = default;
    virtual Instant now() const = 0;
};

// The system clock, whole seconds.
class SystemClock final : public Clock {
public:
    Instant now() const override;
};

} // namespace tallimo
