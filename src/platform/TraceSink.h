#pragma once

#include <string_view>

namespace tallimo {

// Receives one finished trace line, line feed included.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void write(std::string_view line) = 0;
};

} // namespace tallimo
