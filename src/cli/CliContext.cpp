#include "cli/CliContext.h"

#include <ostream>

namespace tallimo::cli {

void StreamTraceSink::write(std::string_view line) {
    if (m_stream != nullptr) {
        *m_stream << line << std::flush;
    }
}

CliContext::CliContext(std::vector<std::string> arguments, std::ostream& outStream,
                       std::ostream& errStream, AnswerPolicy policy, bool traceOn,
                       SettingsStore& settingsStore, LibraryLoader& libraryLoader)
    : args(std::move(arguments)), out(outStream), err(errStream), ui(errStream, policy),
      settings(settingsStore), trace(traceOn ? &errStream : nullptr), libraries(libraryLoader) {}

Platform CliContext::platform() {
    return Platform{ui, settings, clock, timers, trace, libraries};
}

int CliContext::fail(const std::string& text, int status) {
    err << "tallimo-cli: " << text << '\n';
    return status;
}

} // namespace tallimo::cli
