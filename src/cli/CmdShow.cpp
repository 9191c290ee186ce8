#include "cli/CapturingUi.h"
#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"
#include "cli/TableOutput.h"
#include "cli/TerminalTable.h"

namespace tallimo::cli {

namespace {

enum class Form { Tsv, Json, Table };

int runShow(CliContext& context) {
    // --color=WHEN is the usual spelling; the parser takes it as --color WHEN.
    std::vector<std::string> args;
    for (const std::string& arg : context.args) {
        if (arg.starts_with("--color=")) {
            args.emplace_back("--color");
            args.push_back(arg.substr(8));
        } else {
            args.push_back(arg);
        }
    }
    const ParsedArguments parsed =
        parseArguments(args, {"--color"}, {"--json", "--tsv", "--table"});
    if (!parsed.error.empty()) {
        return context.fail("show: " + parsed.error, kExitUsage);
    }
    const int forms = parsed.flag("--json") + parsed.flag("--tsv") + parsed.flag("--table");
    if (forms > 1) {
        return context.fail("show: --json, --tsv and --table exclude each other", kExitUsage);
    }
    const std::string when = parsed.option("--color").value_or("auto");
    if (when != "auto" && when != "always" && when != "never") {
        return context.fail("show: --color wants auto, always or never, not '" + when + "'",
                            kExitUsage);
    }
    Form form = context.switches.terminal ? Form::Table : Form::Tsv;
    if (parsed.flag("--json")) {
        form = Form::Json;
    } else if (parsed.flag("--tsv")) {
        form = Form::Tsv;
    } else if (parsed.flag("--table")) {
        form = Form::Table;
    }
    const bool colour = when == "always" || (when == "auto" && context.switches.colour);
    const std::string file = fileOrLastDocument(context, "show", parsed);
    if (file.empty()) {
        return kExitUsage;
    }

    // The messages go to the terminal as always and also into the JSON output.
    CapturingUi ui(context.ui, CapturingUi::Captured::AlsoShown);
    ui.startCapture();
    ReadingView reading(context, ui);
    // The open step has told the user why when the file cannot be loaded.
    if (reading.open(file) != kExitDone) {
        return kExitRefused;
    }
    const TimeSheet& sheet = reading.view().sheet();
    switch (form) {
    case Form::Json:
        writeJson(context.out, sheet, ui.captured());
        break;
    case Form::Tsv:
        writeTsv(context.out, sheet);
        break;
    case Form::Table: {
        const auto model = reading.view().modelToday();
        writeTerminalTables(context.out, sheet, terminalText(monthWords(sheet.work)) + "  " + file,
                            colour, model ? &*model : nullptr);
        break;
    }
    }
    return kExitDone;
}

} // namespace

const CliCommand kShowCommand{
    "show", "show [FILE] [--tsv | --json | --table] [--color=WHEN]",
    "Loads FILE (default: the last document) and prints both tables. At a terminal: the\n"
    "month aligned in columns, day by day with weekends set apart, the stand-by periods\n"
    "numbered as squad-finish --row and squad-delete count them, and the month's overtime\n"
    "and stand-by totals. Through a pipe, or with --tsv: TSV with a line '# work', the\n"
    "headers and one line per row, then the same for '# squad'; tab, line feed, carriage\n"
    "return and backslash in a cell are written \\t, \\n, \\r and \\\\. Loading messages go\n"
    "to standard error. Exit status 1 when FILE cannot be loaded, 2 for wrong usage.\n"
    "  --json          one JSON object: minDate, maxDate, messages, work and squad rows\n"
    "                  with their cells, rowBackColor, rowFlags and cellAttrs, and the\n"
    "                  column names as workColumns and squadColumns\n"
    "  --table         the aligned table also through a pipe\n"
    "  --color=WHEN    colour the table: auto (at a terminal, unless NO_COLOR is set or\n"
    "                  TERM is dumb), always or never\n",
    runShow};

} // namespace tallimo::cli
