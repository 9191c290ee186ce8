#include "cli/CapturingUi.h"
#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/Encoding.h"

#include <optional>

namespace tallimo::cli {

namespace {

int runTotal(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {"--rows"}, {"--squad"});
    if (!parsed.error.empty()) {
        return context.fail("total: " + parsed.error, kExitUsage);
    }
    const std::vector<std::string>& positional = parsed.positional;
    const bool squad = parsed.flag("--squad");
    const std::optional<std::string> rowList = parsed.option("--rows");
    if (positional.size() != 1) {
        return context.fail("total: wants one FILE (see 'tallimo-cli total --help')", kExitUsage);
    }
    // An empty LIST selects no row: the command then shows nothing.
    std::optional<std::vector<int>> rows;
    if (rowList) {
        rows = rowList->empty() ? std::vector<int>() : parseNumberList(*rowList, 0);
        if (!rows) {
            return context.fail("total: --rows wants 0-based rows such as 0,3,5-9, not '" +
                                    *rowList + "'",
                                kExitUsage);
        }
    }

    CapturingUi ui(context.ui);
    ReadingView reading(context, ui);
    if (reading.open(positional[0]) != kExitDone) {
        return kExitRefused;
    }
    CTagrolView& view = reading.view();
    if (squad) {
        view.OnShowSquadTime();
    }
    ui.startCapture();
    if (rows) {
        CellTable& list = view.visibleList();
        list.clearSelection();
        for (const int row : *rows) {
            if (!list.hasRow(row)) {
                return context.fail("total: row " + std::to_string(row) + " is beyond the table (" +
                                        std::to_string(list.rowCount()) + " rows)",
                                    kExitUsage);
            }
            list.setSelected(row, true);
        }
        view.OnCalculateovertimeselectedonly();
    } else {
        view.OnCalculateovertimemonth();
    }
    for (const std::string& message : ui.captured()) {
        context.out << windows1252ToUtf8(message) << '\n';
    }
    return kExitDone;
}

} // namespace

const CliCommand kTotalCommand{
    "total", "total FILE [--squad] [--rows LIST]",
    "Prints the overtime total of the month's work list, as the desktop's message shows it.\n"
    "  --squad      add up the squad list instead\n"
    "  --rows LIST  only these 0-based rows, for example 0,3,5-9\n",
    runTotal};

} // namespace tallimo::cli
