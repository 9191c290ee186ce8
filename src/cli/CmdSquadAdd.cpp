#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"
#include "platform/Encoding.h"
#include "view/EntryDialog.h"

namespace tallimo::cli {
namespace {

// "Create new entry..." on the squad list: the period as a user picks it in the dialog, with
// the dialog's warnings about dates outside the month.
int runSquadAdd(CliContext& context) {
    const ParsedArguments parsed =
        parseArguments(context.args, {"--start", "--end", "--description"}, {});
    if (!parsed.error.empty()) {
        return context.fail("squad-add: " + parsed.error, kExitUsage);
    }
    if (parsed.positional.size() != 1) {
        return context.fail("squad-add: wants FILE --start MOMENT --end MOMENT", kExitUsage);
    }
    std::optional<Instant> moments[2];
    const char* names[2] = {"--start", "--end"};
    for (int i = 0; i < 2; ++i) {
        const auto text = parsed.option(names[i]);
        moments[i] = text ? parseMoment(*text) : std::nullopt;
        if (!moments[i]) {
            return context.fail(std::string("squad-add: ") + names[i] +
                                    " wants \"DD.MM.YYYY HH:MM[:SS]\" or YYYY-MM-DDTHH:MM[:SS]" +
                                    (text ? ", not '" + *text + "'" : std::string()),
                                kExitUsage);
        }
    }
    const std::string description = utf8ToWindows1252(parsed.option("--description").value_or(""));

    WritingView writing(context);
    if (writing.open(parsed.positional[0]) != kExitDone) {
        return kExitRefused;
    }
    CTagrolView& view = writing.view();
    view.OnShowSquadTime();
    context.ui.onEntryDialog = [&](EntryDialog& dialog) {
        dialog.startDate = *moments[0];
        dialog.startDateCalendarClosed(context.ui);
        dialog.endDate = *moments[1];
        dialog.endDateCalendarClosed(context.ui);
        dialog.startTime = *moments[0];
        dialog.endTime = *moments[1];
        dialog.comment = description;
        return true;
    };
    const Result result = view.OnAdd();
    const CellTable& squad = view.sheet().squad;
    return saveAndConfirm(context, writing, "squad-add", result, parsed.positional[0],
                          periodWords(squad, squad.rowCount() - 1) + " added");
}

} // namespace

const CliCommand kSquadAddCommand{
    "squad-add", "squad-add FILE --start MOMENT --end MOMENT [--description TEXT]",
    "Create new entry on the squad list: appends the stand-by period from --start to --end,\n"
    "each \"DD.MM.YYYY HH:MM[:SS]\" or YYYY-MM-DDTHH:MM[:SS], with its description. Dates\n"
    "outside FILE's month are warned about as the dialog does, not refused. FILE is saved\n"
    "and a line names the new period's row and length.\n",
    runSquadAdd};

} // namespace tallimo::cli
