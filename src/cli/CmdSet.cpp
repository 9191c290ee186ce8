#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/Encoding.h"
#include "view/EntryDialog.h"

namespace tallimo::cli {
namespace {

// The Modify command on one day, the dialog filled from the options; what is not given keeps
// what the dialog offers.
int runSet(CliContext& context) {
    const ParsedArguments parsed =
        parseArguments(context.args, {"--enter", "--leave", "--comment"}, {});
    if (!parsed.error.empty()) {
        return context.fail("set: " + parsed.error, kExitUsage);
    }
    if (parsed.positional.size() != 2) {
        return context.fail("set: wants FILE DAY", kExitUsage);
    }
    const auto days = parseNumberList(parsed.positional[1], 1);
    if (!days || days->size() != 1) {
        return context.fail(
            "set: DAY wants one day of the month, not '" + parsed.positional[1] + "'", kExitUsage);
    }
    std::optional<TimeOfDay> times[2];
    const char* names[2] = {"--enter", "--leave"};
    for (int i = 0; i < 2; ++i) {
        if (const auto text = parsed.option(names[i])) {
            times[i] = parseClockTime(*text);
            if (!times[i]) {
                return context.fail(std::string("set: ") + names[i] + " wants HH:MM:SS, not '" +
                                        *text + "'",
                                    kExitUsage);
            }
        }
    }
    const auto comment = parsed.option("--comment");

    WritingView writing(context);
    if (writing.open(parsed.positional[0]) != kExitDone) {
        return kExitRefused;
    }
    CTagrolView& view = writing.view();
    const int row = days->front() - 1;
    if (!view.sheet().work.hasRow(row)) {
        return context.fail("set: the file has no day " + std::to_string(days->front()));
    }
    view.sheet().work.clearSelection();
    view.sheet().work.setSelected(row, true);
    context.ui.onEntryDialog = [&](EntryDialog& dialog) {
        // Only the clock time of a dialog's time value counts; its date stays.
        if (times[0]) {
            dialog.startTime = atClockTime(dialog.startTime, *times[0]).value_or(dialog.startTime);
        }
        if (times[1]) {
            dialog.endTime = atClockTime(dialog.endTime, *times[1]).value_or(dialog.endTime);
        }
        if (comment) {
            dialog.comment = utf8ToWindows1252(*comment);
        }
        return true;
    };
    // The view has told why when it offered no dialog for the day.
    return writing.saveAfter("set", view.OnModify());
}

} // namespace

const CliCommand kSetCommand{
    "set", "set FILE DAY [--enter HH:MM:SS] [--leave HH:MM:SS] [--comment TEXT]",
    "Modify selected entry on one day: the entry dialog offers the day's Enter and Leave\n"
    "(07:00:00 and 16:00:00 unless both are times) and its comment; the options replace\n"
    "what they name. The day is recomputed and FILE saved.\n",
    runSet};

} // namespace tallimo::cli
