#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"
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
    // A Leave on the next day may be given in the carried-over form, 24:00:00 to 47:59:59.
    std::optional<TimeOfDay> times[2];
    const struct {
        const char* name;
        int largestHour;
        const char* forms;
    } timeOptions[2] = {{"--enter", 23, "H:MM, HH:MM or HH:MM:SS"},
                        {"--leave", 47, "H:MM, HH:MM or HH:MM:SS, up to 47:59:59"}};
    for (int i = 0; i < 2; ++i) {
        if (const auto text = parsed.option(timeOptions[i].name)) {
            times[i] = parseClockTime(*text, timeOptions[i].largestHour);
            if (!times[i]) {
                return context.fail(std::string("set: ") + timeOptions[i].name + " wants " +
                                        timeOptions[i].forms + ", not '" + *text + "'",
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
    CellTable& work = view.sheet().work;
    work.clearSelection();
    work.setSelected(row, true);
    // A carried-over Leave stays one unless a new Leave is given.
    const bool leftNextDay = times[1]
                                 ? times[1]->hour >= 24
                                 : readTimeCell(work.itemText(row, WorkColumn::Leave)).hour >= 24;
    if (times[1] && leftNextDay) {
        times[1]->hour -= 24;
    }
    context.ui.onEntryDialog = [&](EntryDialog& dialog) {
        // Only the clock time of a dialog's time value counts; its date stays.
        if (times[0]) {
            dialog.startTime = atClockTime(dialog.startTime, *times[0]).value_or(dialog.startTime);
        }
        if (times[1]) {
            dialog.endTime = atClockTime(dialog.endTime, *times[1]).value_or(dialog.endTime);
        }
        dialog.endNextDay = leftNextDay;
        if (comment) {
            dialog.comment = utf8ToWindows1252(*comment);
        }
        return true;
    };
    // The view has told why when it offered no dialog for the day.
    const Result result = view.OnModify();
    std::string line = dayWords(work, row) + overtimeWords(work, row);
    if (const std::string_view text = work.itemText(row, WorkColumn::Comment); !text.empty()) {
        line += ", comment \"" + std::string(text) + "\"";
    }
    return saveAndConfirm(context, writing, "set", result, parsed.positional[0], line);
}

} // namespace

const CliCommand kSetCommand{
    "set", "set FILE DAY [--enter TIME] [--leave TIME] [--comment TEXT]",
    "Modify selected entry on one day: the entry dialog offers the day's Enter and Leave\n"
    "(07:00:00 and 16:00:00 unless both are times) and its comment; the options replace\n"
    "what they name. TIME is H:MM, HH:MM or HH:MM:SS. A Leave earlier than the Enter ends\n"
    "on the next day; --leave also takes the carried-over form 24:00:00 to 47:59:59 for a\n"
    "Leave on the next day. The day is recomputed, FILE saved and a line names the day's\n"
    "times, overtime and comment.\n",
    runSet};

} // namespace tallimo::cli
