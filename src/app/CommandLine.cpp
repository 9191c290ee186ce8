#include "app/CommandLine.h"

#include "view/Version.h"

#include <cstring>

namespace tallimo {

CommandLine parseCommandLine(const std::vector<std::string>& arguments, const char* traceVariable) {
    CommandLine line;
    line.trace = traceVariable != nullptr && std::strcmp(traceVariable, "1") == 0;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (!optionsEnded && argument == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (!optionsEnded && argument == "--hidden") {
            line.hidden = true;
        } else if (!optionsEnded && argument == "--trace") {
            line.trace = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            line.action = CommandLine::Action::UsageError;
            line.error = "unknown option '" + argument + "'";
            return line;
        } else if (line.file) {
            line.action = CommandLine::Action::UsageError;
            line.error = "only one FILE can be opened";
            return line;
        } else {
            line.file = argument;
        }
    }
    return line;
}

std::string usageText() {
    return "Usage: tallimo [--hidden] [--trace] [FILE]\n"
           "\n"
           "Tallimo, the time sheet. Opens FILE (a .time month) when given; a running Tallimo\n"
           "opens it instead and comes to the front.\n"
           "\n"
           "  --hidden    start with the window hidden in the notification area (where there is "
           "one)\n"
           "  --trace     write the trace lines to standard error (also TALLIMO_TRACE=1)\n"
           "  --version   print the version\n"
           "  --help      print this help\n"
           "\n"
           "tallimo-cli runs the same commands from a terminal.\n";
}

std::string versionText() {
    return std::string(kVersionText) + "\n";
}

} // namespace tallimo
