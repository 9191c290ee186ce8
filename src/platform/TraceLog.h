#pragma once

#include "platform/Clock.h"
#include "platform/TraceSink.h"

#include <functional>
#include <string_view>

namespace tallimo {

// Module names of trace lines.
namespace TraceModule {
inline constexpr std::string_view App = "Tagrol";
inline constexpr std::string_view View = "TagrolView";
inline constexpr std::string_view ExportDlg = "ExportDlg";
inline constexpr std::string_view OptionDlg = "OptionDlg";
} // namespace TraceModule

unsigned long currentThreadId();

// Writes "%d-%m-%Y %H:%M:%S [module](thread): text\n" to the sink while switched on. It is off
// until the view switches it on and is never switched off again.
class TraceLog {
public:
    TraceLog(TraceSink& sink, const Clock& clock,
             std::function<unsigned long()> threadId = currentThreadId);

    void switchOn() { m_on = true; }
    bool isOn() const { return m_on; }
    void write(std::string_view module, std::string_view text);

private:
    TraceSink& m_sink;
    const Clock& m_clock;
    std::function<unsigned long()> m_threadId;
    bool m_on = false;
};

} // namespace tallimo
