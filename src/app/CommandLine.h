#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tallimo {

// What `tallimo [--hidden] [--trace] [FILE]` asks for. Parsed before the QApplication exists, so
// --help and --version also answer where no display is.
struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };

    Action action = Action::Run;
    std::optional<std::string> file;
    bool hidden = false;
    bool trace = false;
    std::string error; // for UsageError
};

// The environment's TALLIMO_TRACE=1 switches tracing on as --trace does.
CommandLine parseCommandLine(const std::vector<std::string>& arguments, const char* traceVariable);

std::string usageText();
std::string versionText();

} // namespace tallimo
