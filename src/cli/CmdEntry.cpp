#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/Encoding.h"
#include "view/EntryDialog.h"

namespace tallimo::cli {
namespace {

// Only the clock time of a dialog's time value counts; its date stays.
Instant atClockTime(Instant value, TimeOfDay time) {
    const LocalFields day = splitLocal(value);
    return makeLocalInstant(day.year, day.month, day.day, time.hour, time.minute, time.second)
        .value_or(value);
}

} // namespace

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
    std::optional<TimeOfDay> enter;
    std::optional<TimeOfDay> leave;
    for (auto [name, target] : {std::pair{"--enter", &enter}, std::pair{"--leave", &leave}}) {
        if (const auto text = parsed.option(name)) {
            *target = parseClockTime(*text);
            if (!*target) {
                return context.fail(std::string("set: ") + name + " wants HH:MM:SS, not '" + *text +
                                        "'",
                                    kExitUsage);
            }
        }
    }
    const auto comment = parsed.option("--comment");

    Platform platform = context.platform();
    CTagrolView view(platform);
    if (openDocument(view, parsed.positional[0]) != kExitDone) {
        return kExitRefused;
    }
    const int row = days->front() - 1;
    if (!view.sheet().work.hasRow(row)) {
        return context.fail("set: the file has no day " + std::to_string(days->front()));
    }
    view.sheet().work.clearSelection();
    view.sheet().work.setSelected(row, true);
    bool shown = false;
    context.ui.onEntryDialog = [&](EntryDialog& dialog) {
        shown = true;
        if (enter) {
            dialog.startTime = atClockTime(dialog.startTime, *enter);
        }
        if (leave) {
            dialog.endTime = atClockTime(dialog.endTime, *leave);
        }
        if (comment) {
            dialog.comment = utf8ToWindows1252(*comment);
        }
        return true;
    };
    view.OnModify();
    // The view has told why when it offered no dialog for the day.
    return shown ? saveIfModified(view) : kExitRefused;
}

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
                                    " wants \"DD.MM.YYYY HH:MM:SS\"",
                                kExitUsage);
        }
    }
    const std::string description = utf8ToWindows1252(parsed.option("--description").value_or(""));

    Platform platform = context.platform();
    CTagrolView view(platform);
    if (openDocument(view, parsed.positional[0]) != kExitDone) {
        return kExitRefused;
    }
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
    view.OnAdd();
    return saveIfModified(view);
}

} // namespace tallimo::cli
