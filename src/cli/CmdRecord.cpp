#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "view/Settings.h"

#include <charconv>

namespace tallimo::cli {
namespace {

struct RecordArguments {
    std::string file;
    std::optional<int> row; // counted from 0, squad-finish only
};

bool parseRowNumber(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && value >= 0;
}

// [FILE] (default: LastDocument) and, where allowed, --row N. Returns kExitDone when parsed.
int parseArguments(CliContext& context, const std::string& name, bool rowAllowed,
                   RecordArguments& parsed) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < context.args.size(); ++i) {
        const std::string& arg = context.args[i];
        if (rowAllowed && arg == "--row") {
            int row = 0;
            if (i + 1 >= context.args.size() || !parseRowNumber(context.args[i + 1], row)) {
                return context.fail(name + ": --row wants a row number from 0", kExitUsage);
            }
            parsed.row = row;
            ++i;
        } else if (arg.starts_with("--")) {
            return context.fail(name + ": unknown option '" + arg + "'", kExitUsage);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() > 1) {
        return context.fail(name + ": wants at most one FILE", kExitUsage);
    }
    parsed.file = files.empty() ? lastDocument(context.settings) : files.front();
    if (parsed.file.empty()) {
        return context.fail(name + ": no FILE given and no last document known", kExitUsage);
    }
    return kExitDone;
}

using ViewCommand = bool (CTagrolView::*)();

// Runs a command that refuses instants outside the month; it has told the user when it did.
int runInMonthCommand(CliContext& context, const std::string& name, ViewCommand command) {
    RecordArguments parsed;
    if (const int status = parseArguments(context, name, false, parsed); status != kExitDone) {
        return status;
    }
    Platform platform = context.platform();
    CTagrolView view(platform);
    if (openDocument(view, parsed.file) != kExitDone) {
        return kExitRefused;
    }
    if (!(view.*command)()) {
        return kExitRefused;
    }
    return saveIfModified(view);
}

} // namespace

int runEnter(CliContext& context) {
    return runInMonthCommand(context, "enter", &CTagrolView::OnEnter);
}

int runLeave(CliContext& context) {
    return runInMonthCommand(context, "leave", &CTagrolView::OnLeave);
}

int runSquadStart(CliContext& context) {
    return runInMonthCommand(context, "squad-start", &CTagrolView::OnStartsquadnow);
}

// A new process never knows the period started last, so the finish always takes the selection
// route: --row selects that row, else every open period is selected and the command accepts
// exactly one.
int runSquadFinish(CliContext& context) {
    RecordArguments parsed;
    if (const int status = parseArguments(context, "squad-finish", true, parsed);
        status != kExitDone) {
        return status;
    }
    Platform platform = context.platform();
    CTagrolView view(platform);
    if (openDocument(view, parsed.file) != kExitDone) {
        return kExitRefused;
    }
    CellTable& squad = view.sheet().squad;
    squad.clearSelection();
    if (parsed.row) {
        if (*parsed.row >= squad.rowCount()) {
            return context.fail("squad-finish: there is no squad row " +
                                std::to_string(*parsed.row) + " (the file has " +
                                std::to_string(squad.rowCount()) + ")");
        }
        squad.setSelected(*parsed.row, true);
    } else {
        for (int row = 0; row < squad.rowCount(); ++row) {
            squad.setSelected(row, squad.itemText(row, SquadColumn::End).empty());
        }
    }
    // Refused, or the user kept an End already written.
    if (!view.OnFinishsquadnow()) {
        return kExitRefused;
    }
    return saveIfModified(view);
}

} // namespace tallimo::cli
