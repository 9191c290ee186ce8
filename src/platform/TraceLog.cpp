#include "platform/TraceLog.h"

#include <string>
#include <utility>

#if defined(__linux__)
#include <unistd.h>
#else
#include <thread>
#endif

namespace tallimo {

unsigned long currentThreadId() {
#if defined(__linux__)
    return static_cast<unsigned long>(gettid());
#else
    return static_cast<unsigned long>(std::hash<std::thread::id>{}(std::this_thread::get_id()));
#endif
}

TraceLog::TraceLog(TraceSink& sink, const Clock& clock, std::function<unsigned long()> threadId)
    : m_sink(sink), m_clock(clock), m_threadId(std::move(threadId)) {}

void TraceLog::write(std::string_view module, std::string_view text) {
    if (!m_on) {
        return;
    }
    std::string line = formatInstant(m_clock.now(), "%d-%m-%Y %H:%M:%S");
    line += " [";
    line += module;
    line += "](";
    line += std::to_string(m_threadId());
    line += "): ";
    line += text;
    line += '\n';
    m_sink.write(line);
}

} // namespace tallimo
