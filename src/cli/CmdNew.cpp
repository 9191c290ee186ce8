#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"
#include "view/CTagrolView.h"
#include "view/NewMonthDialog.h"

namespace tallimo::cli {
namespace {

struct YearMonth {
    int year = 0;
    int month = 0;
};

// "YYYY-MM", strictly: a typo must not make another month.
std::optional<YearMonth> parseYearMonth(const std::string& text) {
    if (text.size() != 7 || text[4] != '-') {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != 4 && (text[i] < '0' || text[i] > '9')) {
            return std::nullopt;
        }
    }
    const YearMonth parsed{readNumberAt(text, 1, 4), readNumberAt(text, 6, 7)};
    if (parsed.month < 1 || parsed.month > 12) {
        return std::nullopt;
    }
    return parsed;
}

int runNew(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {}, {});
    if (!parsed.error.empty()) {
        return context.fail("new: " + parsed.error, kExitUsage);
    }
    const std::vector<std::string>& positional = parsed.positional;
    if (positional.size() != 2) {
        return context.fail("new: wants YYYY-MM and FILE (see 'tallimo-cli new --help')",
                            kExitUsage);
    }
    const auto month = parseYearMonth(positional[0]);
    if (!month) {
        return context.fail("new: wants the month as YYYY-MM, not '" + positional[0] + "'",
                            kExitUsage);
    }
    const std::string& file = positional[1];
    if (!context.switches.force && pathExists(file)) {
        return context.fail("new: " + file + " exists; use --force to replace it");
    }

    const std::string outOfRange =
        "new: " + positional[0] + " lies outside the months a time sheet holds";
    // The New command itself, its dialog answered with a day of the month given.
    const auto chosen = makeLocalInstant(month->year, month->month, 1, 12, 0, 0);
    if (!chosen || !monthFitsTimeSheet(month->month, month->year)) {
        return context.fail(outOfRange);
    }
    context.ui.onNewMonthDialog = [&chosen](NewMonthDialog& dialog) {
        dialog.chosen = *chosen;
        dialog.OnOK();
        return true;
    };
    Platform platform = context.platform();
    CTagrolView view(platform);
    CTagrolDoc& document = view.document();
    document.OnNewDocument();
    view.OnFileNew();
    if (view.sheet().work.rowCount() == 0) {
        return context.fail(outOfRange);
    }
    // FILE is the Save As answer; whether it may be replaced was settled above (--force).
    document.setPath(file);
    if (!document.Save()) {
        return kExitRefused;
    }
    const CellTable& work = view.sheet().work;
    context.confirm(file, monthWords(work) + " made, " +
                              counted(static_cast<std::size_t>(work.rowCount()), "day", "days"));
    return kExitDone;
}

} // namespace

const CliCommand kNewCommand{
    "new", "new YYYY-MM FILE [--force]",
    "Makes the month YYYY-MM as the New command does, one row per day, and writes it to\n"
    "FILE as Save does, and says so in a line. Exit status 1 when FILE exists (without\n"
    "--force) or cannot be written, 2 for wrong usage.\n"
    "  --force  replace FILE when it exists\n",
    runNew};

} // namespace tallimo::cli
