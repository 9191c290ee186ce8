#include "cli/CliMain.h"

#include "calc/TimeValue.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "view/Version.h"

#include <exception>
#include <new>
#include <optional>
#include <ostream>

namespace tallimo::cli {
namespace {

void printUsage(std::ostream& stream) {
    stream << "Usage: tallimo-cli COMMAND [ARGS] [--now MOMENT | --at TIME] [--yes | --no]"
              " [--force] [--quiet] [--trace]\n\nCommands:\n";
    for (const CliCommand* command : commands()) {
        stream << "  " << command->usage << '\n';
    }
    stream << "  help [COMMAND]\n"
              "\nGlobal options, before or after the command:\n"
              "  --now MOMENT     run the command at this moment: \"DD.MM.YYYY HH:MM[:SS]\" or\n"
              "                   YYYY-MM-DDTHH:MM[:SS]\n"
              "  --at TIME        run the command today at H:MM, HH:MM or HH:MM:SS\n"
              "  --yes, --no      answer questions OK or Cancel without a terminal\n"
              "  --force          save over a file whose load reported damage (its damaged\n"
              "                   original is kept beside it) or that another program changed\n"
              "                   since it was read\n"
              "  --quiet, -q      print no line saying what a command changed\n"
              "  --trace          write the trace lines to standard error\n"
              "  --version        print the version\n"
              "  --               pass what follows to the command untouched\n"
              "\n'tallimo-cli help COMMAND' or 'tallimo-cli COMMAND --help' describes a command.\n";
}

// Help that cannot be written is no success either.
int written(std::ostream& out, std::ostream& err) {
    out.flush();
    if (!out) {
        err << "tallimo-cli: the output could not be written\n";
        return kExitRefused;
    }
    return kExitDone;
}

const CliCommand* findCommand(const std::string& name) {
    for (const CliCommand* candidate : commands()) {
        if (candidate->name == name) {
            return candidate;
        }
    }
    return nullptr;
}

int printHelp(const std::optional<std::string>& name, CliEnvironment& env) {
    if (!name) {
        printUsage(env.out);
        return written(env.out, env.err);
    }
    const CliCommand* command = findCommand(*name);
    if (command == nullptr) {
        env.err << "tallimo-cli: unknown command '" << *name << "'\n";
        printUsage(env.err);
        return kExitUsage;
    }
    env.out << "Usage: tallimo-cli " << command->usage << "\n\n" << command->help;
    return written(env.out, env.err);
}

// The clock fixed by --now or --at; false (after the message) when the text is no such moment.
bool fixClock(CliContext& context, const std::optional<std::string>& nowText,
              const std::optional<std::string>& atText) {
    if (nowText) {
        const auto now = parseMoment(*nowText);
        if (!now) {
            context.fail("--now wants \"DD.MM.YYYY HH:MM[:SS]\" or YYYY-MM-DDTHH:MM[:SS], not '" +
                         *nowText + "'");
            return false;
        }
        context.clock.fix(*now);
    }
    if (atText) {
        const auto time = parseClockTime(*atText);
        const auto at = time ? atClockTime(SystemClock().now(), *time) : std::nullopt;
        if (!at) {
            context.fail("--at wants H:MM, HH:MM or HH:MM:SS, not '" + *atText + "'");
            return false;
        }
        context.clock.fix(*at);
    }
    return true;
}

// The name the month's history gives the step of a command.
std::string stepNameOf(const CliCommand& command, const std::vector<std::string>& args) {
    static const std::vector<std::pair<std::string_view, std::string_view>> names = {
        {"new", "New month"},
        {"enter", "Enter now"},
        {"leave", "Leave now"},
        {"squad-start", "Start squad now"},
        {"squad-finish", "Finish squad now"},
        {"import", "Import"},
        {"clear", "Clear"},
        {"set", "Edit day"},
        {"squad-add", "New entry"},
        {"squad-delete", "Delete"},
    };
    if (command.name == "mark" && args.size() >= 2) {
        const std::string& mark = args[1];
        return "Mark " + (mark == "sick" ? std::string("sickness")
                                         : (mark == "standby" ? std::string("stand-by") : mark));
    }
    for (const auto& [name, step] : names) {
        if (name == command.name) {
            return std::string(step);
        }
    }
    return std::string(command.name);
}

// Runs the command; running out of memory (or any failure that escapes it) ends with a message
// and exit status 1, never an abort. So does output that cannot be written.
int runCommand(const CliCommand& command, CliContext& context, DeferredSettings& settings) {
    int status = kExitRefused;
    // The one door of the CLI: whatever the command saves is one step of the month's history.
    context.step = UndoStep{stepNameOf(command, context.args), newStepToken(context.clock.now())};
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
    // Settings that cannot be written are the store's warning, not a failure: the command's own
    // work (a saved month) is done, and a script must not repeat it.
    if (settings.pending()) {
        settings.sync();
    }
    return status;
}

} // namespace

int runCli(const std::vector<std::string>& arguments, CliEnvironment& env) {
    std::vector<std::string> rest;
    std::optional<std::string> nowText;
    std::optional<std::string> atText;
    CliSwitches switches;
    switches.terminal = env.terminal;
    switches.colour = env.colour;
    bool yes = false;
    bool no = false;
    bool help = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (arg == "--") {
            // Everything after "--" belongs to the command, even a value like "--yes" or "-h".
            rest.insert(rest.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                        arguments.end());
            break;
        }
        if ((arg == "--now" || arg == "--at") && i + 1 < arguments.size()) {
            (arg == "--now" ? nowText : atText) = arguments[++i];
        } else if (arg == "--now" || arg == "--at") {
            env.err << "tallimo-cli: " << arg << " needs a value\n";
            return kExitUsage;
        } else if (arg == "--version") {
            env.out << kVersionText << '\n';
            return written(env.out, env.err);
        } else if (arg == "--yes" || arg == "--no") {
            (arg == "--yes" ? yes : no) = true;
        } else if (arg == "--trace") {
            switches.trace = true;
        } else if (arg == "--force") {
            switches.force = true;
        } else if (arg == "--quiet" || arg == "-q") {
            switches.quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else {
            rest.push_back(arg);
        }
    }
    if (!rest.empty() && rest.front() == "help") {
        if (rest.size() > 2) {
            env.err << "tallimo-cli: help wants at most one COMMAND\n";
            return kExitUsage;
        }
        return printHelp(rest.size() == 2 ? std::optional(rest[1]) : std::nullopt, env);
    }
    if (rest.empty()) {
        if (help) {
            return printHelp(std::nullopt, env);
        }
        printUsage(env.err);
        return kExitUsage;
    }
    const CliCommand* command = findCommand(rest.front());
    if (command == nullptr || help) {
        return printHelp(rest.front(), env);
    }
    rest.erase(rest.begin());
    if (yes && no) {
        env.err << "tallimo-cli: --yes and --no exclude each other\n";
        return kExitUsage;
    }
    if (nowText && atText) {
        env.err << "tallimo-cli: --now and --at exclude each other\n";
        return kExitUsage;
    }
    switches.policy = yes ? AnswerPolicy::AlwaysOk
                          : (no ? AnswerPolicy::AlwaysCancel : AnswerPolicy::AskTerminal);
    DeferredSettings settings(env.store);
    CliContext context(rest, env.out, env.err, switches, settings, env.libraries);
    if (!fixClock(context, nowText, atText)) {
        return kExitUsage;
    }
    return runCommand(*command, context, settings);
}

} // namespace tallimo::cli
