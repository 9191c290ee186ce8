#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/Encoding.h"
#include "view/EntryDialog.h"

#include <functional>

namespace tallimo::cli {
namespace {

using ViewCommand = void (CTagrolView::*)();
// Runs the command on the selection; false when it did nothing (a question answered Cancel).
using SelectionCommand = std::function<bool(CTagrolView&)>;

SelectionCommand alwaysDone(ViewCommand command) {
    return [command](CTagrolView& view) {
        (view.*command)();
        return true;
    };
}

bool deleteSelection(CTagrolView& view) {
    return view.OnVkdelete();
}

// Selects the listed rows (counted from `first`) of a table; false when one does not exist.
bool selectRows(CliContext& context, const std::string& name, CellTable& table,
                const std::vector<int>& numbers, int first, const char* what) {
    table.clearSelection();
    for (const int number : numbers) {
        if (!table.hasRow(number - first)) {
            context.fail(name + ": the file has no " + what + " " + std::to_string(number) +
                         " (it has " + std::to_string(table.rowCount()) + ")");
            return false;
        }
        table.setSelected(number - first, true);
    }
    return true;
}

// FILE and a list of days or rows; runs a selection command on it and saves what changed.
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
    Platform platform = context.platform();
    CTagrolView view(platform);
    if (openDocument(view, file) != kExitDone) {
        return kExitRefused;
    }
    CellTable& table = squad ? view.sheet().squad : view.sheet().work;
    if (!selectRows(context, name, table, *numbers, squad ? 0 : 1, squad ? "squad row" : "day")) {
        return kExitRefused;
    }
    if (squad) {
        view.OnShowSquadTime();
    }
    if (!command(view)) {
        return context.fail(name + ": nothing was deleted");
    }
    return saveIfModified(view);
}

} // namespace

int runMark(CliContext& context) {
    const auto& args = context.args;
    if (args.size() != 3) {
        return context.fail("mark: wants FILE holiday|sick|vacation|standby DAYS", kExitUsage);
    }
    const std::pair<const char*, ViewCommand> markers[] = {
        {"holiday", &CTagrolView::OnTbHoliday},
        {"sick", &CTagrolView::OnTbIll},
        {"vacation", &CTagrolView::OnTbVacation},
        {"standby", &CTagrolView::OnTbStandby},
    };
    for (const auto& [word, command] : markers) {
        if (args[1] == word) {
            return runOnSelection(context, "mark", args[2], args[0], false, alwaysDone(command));
        }
    }
    return context.fail(
        "mark: the mark is holiday, sick, vacation or standby, not '" + args[1] + "'", kExitUsage);
}

int runClear(CliContext& context) {
    if (context.args.size() != 2) {
        return context.fail("clear: wants FILE DAYS", kExitUsage);
    }
    return runOnSelection(context, "clear", context.args[1], context.args[0], false,
                          deleteSelection);
}

int runSquadDelete(CliContext& context) {
    if (context.args.size() != 2) {
        return context.fail("squad-delete: wants FILE ROWS", kExitUsage);
    }
    return runOnSelection(context, "squad-delete", context.args[1], context.args[0], true,
                          deleteSelection);
}

} // namespace tallimo::cli
