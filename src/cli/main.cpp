// tallimo-cli: the time sheet commands from a terminal, on the same view commands as the desktop.
#include "calc/TimeValue.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "platform/posix/DlLibraryLoader.h"
#include "platform/qt/QtSettingsStore.h"

#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

using namespace tallimo;
using namespace tallimo::cli;

namespace {

void printUsage(std::ostream& stream) {
    stream << "Usage: tallimo-cli COMMAND [ARGS] [--now \"DD.MM.YYYY HH:MM:SS\" | --at HH:MM[:SS]]"
              " [--yes | --no] [--force] [--trace]\n\nCommands:\n";
    for (const CliCommand* command : commands()) {
        stream << "  " << command->usage << '\n';
    }
    stream << "\nGlobal options, before or after the command:\n"
              "  --now \"DD.MM.YYYY HH:MM:SS\"  run the command at this moment\n"
              "  --at HH:MM[:SS]              run the command today at this time\n"
              "  --yes, --no                  answer questions OK or Cancel without a terminal\n"
              "  --force                      save over a file whose load reported damage (its\n"
              "                               damaged original is kept beside it) or that another\n"
              "                               program changed since it was read\n"
              "  --trace                      write the trace lines to standard error\n"
              "  --                           pass what follows to the command untouched\n"
              "\n'tallimo-cli COMMAND --help' describes a command.\n";
}

// Help that cannot be written is no success either.
int helpWritten(std::ostream& out) {
    out.flush();
    if (!out) {
        std::cerr << "tallimo-cli: the output could not be written\n";
        return kExitRefused;
    }
    return kExitDone;
}

// The clock fixed by --now or --at; false (after the message) when the text is no such moment.
bool fixClock(CliContext& context, const std::optional<std::string>& nowText,
              const std::optional<std::string>& atText) {
    if (nowText) {
        const auto now = parseMoment(*nowText);
        if (!now) {
            context.fail("--now wants \"DD.MM.YYYY HH:MM:SS\", not '" + *nowText + "'");
            return false;
        }
        context.clock.fix(*now);
    }
    if (atText) {
        const auto time = parseClockTime(*atText);
        const auto at = time ? atClockTime(SystemClock().now(), *time) : std::nullopt;
        if (!at) {
            context.fail("--at wants HH:MM or HH:MM:SS, not '" + *atText + "'");
            return false;
        }
        context.clock.fix(*at);
    }
    return true;
}

// Runs the command; running out of memory (or any failure that escapes it) ends with a message
// and exit status 1, never an abort. So does output that cannot be written, or settings that
// were changed and cannot be stored: a later command without FILE would otherwise read a stale
// LastDocument.
int runCommand(const CliCommand& command, CliContext& context, DeferredSettings& settings) {
    int status = kExitRefused;
    try {
        status = command.run(context);
    } catch (const std::bad_alloc&) {
        return context.fail("there is not enough memory for this command");
    } catch (const std::exception& failure) {
        return context.fail(failure.what());
    }
    context.out.flush();
    if (!context.out) {
        return context.fail("the output could not be written");
    }
    const bool written = !settings.pending() || settings.sync();
    if (status == kExitDone && !written) {
        return context.fail("the settings could not be written");
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> rest;
    std::optional<std::string> nowText;
    std::optional<std::string> atText;
    bool yes = false;
    bool no = false;
    bool traceOn = false;
    bool force = false;
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
        } else if (arg == "--force") {
            force = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else {
            rest.push_back(arg);
        }
    }
    if (rest.empty()) {
        printUsage(help ? std::cout : std::cerr);
        return help ? helpWritten(std::cout) : kExitUsage;
    }
    const std::string name = rest.front();
    rest.erase(rest.begin());
    const CliCommand* command = nullptr;
    for (const CliCommand* candidate : commands()) {
        if (candidate->name == name) {
            command = candidate;
        }
    }
    if (command == nullptr) {
        std::cerr << "tallimo-cli: unknown command '" << name << "'\n";
        printUsage(std::cerr);
        return kExitUsage;
    }
    if (help) {
        std::cout << "Usage: tallimo-cli " << command->usage << "\n\n" << command->help;
        return helpWritten(std::cout);
    }
    if (yes && no) {
        std::cerr << "tallimo-cli: --yes and --no exclude each other\n";
        return kExitUsage;
    }
    if (nowText && atText) {
        std::cerr << "tallimo-cli: --now and --at exclude each other\n";
        return kExitUsage;
    }

    QtSettingsStore store;
    DeferredSettings settings(store);
    DlLibraryLoader libraries;
    const AnswerPolicy policy = yes ? AnswerPolicy::AlwaysOk
                                    : (no ? AnswerPolicy::AlwaysCancel : AnswerPolicy::AskTerminal);
    CliContext context(rest, std::cout, std::cerr, policy, traceOn, force, settings, libraries);
    if (!fixClock(context, nowText, atText)) {
        return kExitUsage;
    }
    return runCommand(*command, context, settings);
}
