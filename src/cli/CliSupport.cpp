#include "cli/CliSupport.h"

#include "cli/CliArguments.h"
#include "cli/Confirmation.h"
#include "document/RecoveryCopy.h"
#include "platform/posix/PluginFolder.h"

#include <ostream>
#include <sys/stat.h>

namespace tallimo::cli {

int openDocument(CTagrolView& view, const std::string& path) {
    // As the program starts with a file named on its command line.
    view.document().OnNewDocument();
    return view.document().openStep(path) ? kExitDone : kExitRefused;
}

int refuseRecoveredMonth(CliContext& context, const std::string& path) {
    if (context.switches.force || !hasRecoveryCopy(path)) {
        return kExitDone;
    }
    return context.fail(path +
                        " has unsaved changes that Tallimo kept when it was ended; open it in "
                        "Tallimo to restore or discard them, or use --force to change the file "
                        "all the same");
}

int openForWriting(CliContext& context, CTagrolView& view, const std::string& path) {
    if (refuseRecoveredMonth(context, path) != kExitDone) {
        return kExitRefused;
    }
    CTagrolDoc& document = view.document();
    document.setSavePolicy(context.switches.force ? SavePolicy::Force : SavePolicy::Refuse);
    const Result locked = document.lockForWriting(path, kWriterWait, [&context, &path] {
        context.err << "tallimo-cli: waiting for another program that is changing " << path << '\n';
    });
    if (locked.outcome == Outcome::Refused) {
        return context.fail(path + " is being changed by another program; nothing was changed");
    }
    if (!locked) {
        return context.fail(path + " cannot be locked for writing: " + locked.message);
    }
    return openDocument(view, path);
}

int WritingView::saveAfter(const std::string& name, const Result& command) {
    return command ? saveIfModified(m_context, m_view) : exitStatus(m_context, name, command);
}

ReadingView::ReadingView(CliContext& context, Ui& ui)
    : m_settings(context.settings), m_platform{ui,
                                               m_settings,
                                               context.clock,
                                               context.timers,
                                               context.trace,
                                               context.libraries,
                                               currentThreadId,
                                               bundledPluginFolder()},
      m_view(m_platform) {}

bool pathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

int exitStatus(CliContext& context, const std::string& name, const Result& result) {
    if (result) {
        return kExitDone;
    }
    return result.message.empty() ? kExitRefused : context.fail(name + ": " + result.message);
}

int saveIfModified(CliContext& context, CTagrolView& view) {
    if (!view.document().isModified()) {
        return kExitDone;
    }
    const Result saved = view.document().Save();
    if (saved.outcome == Outcome::Refused && !context.switches.force) {
        return context.fail("nothing was written; --force saves all the same");
    }
    return saved ? kExitDone : kExitRefused;
}

std::string fileOrLastDocument(CliContext& context, const std::string& name,
                               const ParsedArguments& parsed) {
    if (parsed.positional.size() > 1) {
        context.fail(name + ": wants at most one FILE", kExitUsage);
        return {};
    }
    std::string file =
        parsed.positional.empty() ? lastDocument(context.settings) : parsed.positional.front();
    if (file.empty()) {
        context.fail(name + ": no FILE given and no last document known", kExitUsage);
    }
    return file;
}

int ReadingView::openFileOf(CliContext& context, const std::string& name,
                            const ParsedArguments& parsed) {
    const std::string file = fileOrLastDocument(context, name, parsed);
    if (file.empty()) {
        return kExitUsage;
    }
    return open(file) == kExitDone ? kExitDone : kExitRefused;
}

namespace {

// The refusal of a recording command on the default file tells which file and month that is.
void explainDefaultFile(CliContext& context, const std::string& name, CTagrolView& view,
                        const std::string& file) {
    const Instant now = context.clock.now();
    const std::string month = monthWords(view.sheet().work);
    context.fail(name + ": the last document " + file +
                 (month.empty() ? " holds no month" : " holds " + month) + ", not today (" +
                 formatInstant(now, "%d.%m.%Y") + "); 'tallimo-cli new " +
                 formatInstant(now, "%Y-%m") + " FILE' makes this month's file");
}

} // namespace

int saveAndConfirm(CliContext& context, WritingView& writing, const std::string& name,
                   const Result& command, const std::string& file, const std::string& line) {
    const int status = writing.saveAfter(name, command);
    if (status == kExitDone) {
        context.confirm(file, line);
    }
    return status;
}

int runInMonthCommand(CliContext& context, const std::string& name, RecordingCommand command) {
    const ParsedArguments parsed = parseArguments(context.args, {}, {});
    if (!parsed.error.empty()) {
        return context.fail(name + ": " + parsed.error, kExitUsage);
    }
    const std::string file = fileOrLastDocument(context, name, parsed);
    if (file.empty()) {
        return kExitUsage;
    }
    WritingView writing(context);
    if (writing.open(file) != kExitDone) {
        return kExitRefused;
    }
    std::string line;
    const Result result = command(context, writing.view(), line);
    if (result.outcome == Outcome::Refused && parsed.positional.empty()) {
        explainDefaultFile(context, name, writing.view(), file);
    }
    return saveAndConfirm(context, writing, name, result, file, line);
}

int runOnSelection(CliContext& context, const std::string& name, const std::string& listText,
                   const std::string& file, bool squad, const SelectionCommand& command) {
    const auto numbers = parseNumberList(listText, squad ? 0 : 1);
    if (!numbers) {
        return context.fail(name +
                                (squad ? ": ROWS wants 0-based rows such as 0,3,5-9, not '"
                                       : ": DAYS wants days of the month such as 3,5,10-14, "
                                         "not '") +
                                listText + "'",
                            kExitUsage);
    }
    WritingView writing(context);
    if (writing.open(file) != kExitDone) {
        return kExitRefused;
    }
    CTagrolView& view = writing.view();
    CellTable& table = squad ? view.sheet().squad : view.sheet().work;
    const int first = squad ? 0 : 1;
    table.clearSelection();
    for (const int number : *numbers) {
        if (!table.hasRow(number - first)) {
            return context.fail(name + ": the file has no " + (squad ? "squad row " : "day ") +
                                std::to_string(number) + " (it has " +
                                std::to_string(table.rowCount()) + ")");
        }
        table.setSelected(number - first, true);
    }
    if (squad) {
        view.OnShowSquadTime();
    }
    std::string line;
    const Result result = command(view, line);
    if (result.outcome == Outcome::Cancelled) {
        return context.fail(name + ": nothing was deleted");
    }
    return saveAndConfirm(context, writing, name, result, file, line);
}

} // namespace tallimo::cli
