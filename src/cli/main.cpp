// tallimo-cli: the time sheet commands from a terminal, on the same view commands as the desktop.
#include "calc/TimeValue.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "platform/posix/DlLibraryLoader.h"
#include "platform/qt/QtSettingsStore.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

using namespace tallimo;
using namespace tallimo::cli;

namespace {

void printUsage(std::ostream& stream) {
    stream << "Usage: tallimo-cli COMMAND [ARGS] [--now \"DD.MM.YYYY HH:MM:SS\" | --at HH:MM[:SS]]"
              " [--yes | --no] [--trace]\n\nCommands:\n";
    for (const auto& command : commands()) {
        stream << "  " << command.usage << '\n';
    }
    stream << "\nGlobal options, before or after the command:\n"
              "  --now \"DD.MM.YYYY HH:MM:SS\"  run the command at this moment\n"
              "  --at HH:MM[:SS]              run the command today at this time\n"
              "  --yes, --no                  answer questions OK or Cancel without a terminal\n"
              "  --trace                      write the trace lines to standard error\n"
              "  --                           pass what follows to the command untouched\n"
              "\n'tallimo-cli COMMAND --help' describes a command.\n";
}

std::optional<Instant> parseNow(const std::string& text) {
    // "DD.MM.YYYY HH:MM:SS", checked strictly: a typo must not record a wrong moment.
    if (text.size() != 19 || text[2] != '.' || text[5] != '.' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    for (std::size_t i : {0u, 1u, 3u, 4u, 6u, 7u, 8u, 9u, 11u, 12u, 14u, 15u, 17u, 18u}) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
    }
    const int day = readNumberAt(text, 1, 2);
    const int month = readNumberAt(text, 4, 5);
    const int year = readNumberAt(text, 7, 10);
    const int hour = readNumberAt(text, 12, 13);
    const int minute = readNumberAt(text, 15, 16);
    const int second = readNumberAt(text, 18, 19);
    if (day < 1 || day > 31 || month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    const auto instant = makeLocalInstant(year, month, day, hour, minute, second);
    if (!instant || splitLocal(*instant).day != day) {
        return std::nullopt;
    }
    return instant;
}

std::optional<Instant> parseAt(const std::string& text, Instant today) {
    if ((text.size() != 5 && text.size() != 8) || text[2] != ':' ||
        (text.size() == 8 && text[5] != ':')) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != 2 && i != 5 && (text[i] < '0' || text[i] > '9')) {
            return std::nullopt;
        }
    }
    const int hour = readNumberAt(text, 1, 2);
    const int minute = readNumberAt(text, 4, 5);
    const int second = text.size() == 8 ? readNumberAt(text, 7, 8) : 0;
    if (hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    const LocalFields date = splitLocal(today);
    return makeLocalInstant(date.year, date.month, date.day, hour, minute, second);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> rest;
    std::optional<std::string> nowText;
    std::optional<std::string> atText;
    bool yes = false;
    bool no = false;
    bool traceOn = false;
    bool help = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            // Everything after "--" belongs to the command, even a value like "--yes" or "-h".
            rest.insert(rest.end(), argv + i + 1, argv + argc);
            break;
        }
        if ((arg == "--now" || arg == "--at") && i + 1 < argc) {
            (arg == "--now" ? nowText : atText) = argv[++i];
        } else if (arg == "--now" || arg == "--at") {
            std::cerr << "tallimo-cli: " << arg << " needs a value\n";
            return kExitUsage;
        } else if (arg == "--yes") {
            yes = true;
        } else if (arg == "--no") {
            no = true;
        } else if (arg == "--trace") {
            traceOn = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else {
            rest.push_back(arg);
        }
    }
    if (rest.empty()) {
        printUsage(help ? std::cout : std::cerr);
        return help ? kExitDone : kExitUsage;
    }
    const std::string name = rest.front();
    rest.erase(rest.begin());
    const CliCommand* command = nullptr;
    for (const auto& candidate : commands()) {
        if (candidate.name == name) {
            command = &candidate;
        }
    }
    if (command == nullptr) {
        std::cerr << "tallimo-cli: unknown command '" << name << "'\n";
        printUsage(std::cerr);
        return kExitUsage;
    }
    if (help) {
        std::cout << "Usage: tallimo-cli " << command->usage << "\n\n" << command->help;
        return kExitDone;
    }
    if (yes && no) {
        std::cerr << "tallimo-cli: --yes and --no exclude each other\n";
        return kExitUsage;
    }
    if (nowText && atText) {
        std::cerr << "tallimo-cli: --now and --at exclude each other\n";
        return kExitUsage;
    }

    QtSettingsStore settings;
    DlLibraryLoader libraries;
    const AnswerPolicy policy = yes ? AnswerPolicy::AlwaysOk
                                    : (no ? AnswerPolicy::AlwaysCancel : AnswerPolicy::AskTerminal);
    CliContext context(rest, std::cout, std::cerr, policy, traceOn, settings, libraries);
    if (nowText) {
        const auto now = parseNow(*nowText);
        if (!now) {
            std::cerr << "tallimo-cli: --now wants \"DD.MM.YYYY HH:MM:SS\", not '" << *nowText
                      << "'\n";
            return kExitUsage;
        }
        context.clock.fix(*now);
    }
    if (atText) {
        const auto at = parseAt(*atText, SystemClock().now());
        if (!at) {
            std::cerr << "tallimo-cli: --at wants HH:MM or HH:MM:SS, not '" << *atText << "'\n";
            return kExitUsage;
        }
        context.clock.fix(*at);
    }
    return command->run(context);
}
