#include "cli/CapturingUi.h"
#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"

namespace tallimo::cli {

namespace {

int runShow(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {}, {"--json"});
    if (!parsed.error.empty()) {
        return context.fail("show: " + parsed.error, kExitUsage);
    }
    const std::vector<std::string>& files = parsed.positional;
    const bool json = parsed.flag("--json");
    if (files.size() != 1) {
        return context.fail("show: wants exactly one FILE (see 'tallimo-cli show --help')",
                            kExitUsage);
    }

    // The messages go to the terminal as always and also into the JSON output.
    CapturingUi ui(context.ui, CapturingUi::Captured::AlsoShown);
    ui.startCapture();
    ReadingView reading(context, ui);
    // The open step has told the user why when the file cannot be loaded.
    if (reading.open(files.front()) != kExitDone) {
        return kExitRefused;
    }
    if (json) {
        writeJson(context.out, reading.view().sheet(), ui.captured());
    } else {
        writeTsv(context.out, reading.view().sheet());
    }
    return kExitDone;
}

} // namespace

const CliCommand kShowCommand{
    "show", "show FILE [--json]",
    "Loads FILE and prints both tables: TSV with a line '# work', the headers and one\n"
    "line per row, then the same for '# squad'; tab, line feed, carriage return and\n"
    "backslash in a cell are written \\t, \\n, \\r and \\\\. Loading messages go to\n"
    "standard error. Exit status 1 when FILE cannot be loaded, 2 for wrong usage.\n"
    "  --json  one JSON object: minDate, maxDate, messages, work and squad rows with\n"
    "          their cells, rowBackColor, rowFlags and cellAttrs\n",
    runShow};

} // namespace tallimo::cli
