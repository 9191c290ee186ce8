#include "platform/Clock.h"

#include <chrono>

namespace tallimo {

Instant SystemClock::now() const {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace tallimo
