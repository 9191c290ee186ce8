#include "cli/CapturingUi.h"
#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/Encoding.h"

#include <optional>

namespace tallimo::cli {

namespace {

int runTotal(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {"--rows", "--days"}, {"--squad"});
    if (!parsed.error.empty()) {
        return context.fail("total: " + parsed.error, kExitUsage);
    }
    const bool squad = parsed.flag("--squad");
    const std::optional<std::string> rowList = parsed.option("--rows");
    const std::optional<std::string> dayList = parsed.option("--days");
    if (rowList && dayList) {
        return context.fail("total: --rows and --days exclude each other", kExitUsage);
    }
    if (dayList && squad) {
        return context.fail("total: --days counts days of the work list; the squad list takes "
                            "--rows",
                            kExitUsage);
    }
    // Days are counted from 1 and stand for the rows before them.
    const std::optional<std::string>& list = dayList ? dayList : rowList;
    const int first = dayList ? 1 : 0;
    // An empty LIST selects no row: the command then shows nothing.
    std::optional<std::vector<int>> numbers;
    if (list) {
        numbers = list->empty() ? std::vector<int>() : parseNumberList(*list, first);
        if (!numbers) {
            return context.fail(dayList ? "total: --days wants days of the month such as "
                                          "3,5,10-14, not '" +
                                              *list + "'"
                                        : "total: --rows wants 0-based rows such as 0,3,5-9, "
                                          "not '" +
                                              *list + "'",
                                kExitUsage);
        }
    }
    CapturingUi ui(context.ui);
    ReadingView reading(context, ui);
    if (const int opened = reading.openFileOf(context, "total", parsed); opened != kExitDone) {
        return opened;
    }
    CTagrolView& view = reading.view();
    if (squad) {
        view.OnShowSquadTime();
    }
    ui.startCapture();
    if (numbers) {
        CellTable& table = view.visibleList();
        table.clearSelection();
        for (const int number : *numbers) {
            if (!table.hasRow(number - first)) {
                return context.fail("total: " + std::string(dayList ? "day " : "row ") +
                                        std::to_string(number) + " is beyond the table (" +
                                        std::to_string(table.rowCount()) + " rows)",
                                    kExitUsage);
            }
            table.setSelected(number - first, true);
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
    "total", "total [FILE] [--squad] [--days LIST | --rows LIST]",
    "Prints the overtime total of the month's work list of FILE (default: the last\n"
    "document), as the desktop's message shows it.\n"
    "  --squad      add up the squad list instead\n"
    "  --days LIST  only these days of the month, for example 3,5,10-14\n"
    "  --rows LIST  only these 0-based rows, for example 0,3,5-9 (squad rows as 'show'\n"
    "               numbers them)\n",
    runTotal};

} // namespace tallimo::cli
