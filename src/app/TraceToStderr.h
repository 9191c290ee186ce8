#pragma once

#include "platform/Encoding.h"
#include "platform/TraceSink.h"

#include <cstdio>

namespace tallimo {

// Trace lines on standard error with --trace or TALLIMO_TRACE=1; otherwise they are dropped.
class TraceToStderr final : public TraceSink {
public:
    explicit TraceToStderr(bool on) : m_on(on) {}
    void write(std::string_view line) override {
        if (m_on) {
            const std::string text = windows1252ToUtf8(line);
            std::fwrite(text.data(), 1, text.size(), stderr);
            std::fflush(stderr);
        }
    }

private:
    bool m_on;
};

} // namespace tallimo
