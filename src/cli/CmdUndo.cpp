#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallimo::cli {
namespace {

int runStep(CliContext& context, const std::string& name, StepDirection direction) {
    const ParsedArguments parsed = parseArguments(context.args, {}, {});
    if (!parsed.error.empty()) {
        return context.fail(name + ": " + parsed.error, kExitUsage);
    }
    const std::string file = fileOrLastDocument(context, name, parsed);
    if (file.empty()) {
        return kExitUsage;
    }
    if (refuseRecoveredMonth(context, file) != kExitDone) {
        return kExitRefused;
    }
    std::string step;
    const Result applied = applyHistoryStep(file, direction, step);
    if (applied.outcome == Outcome::Refused && step.empty()) {
        return context.fail(applied.message);
    }
    if (!applied) {
        return context.fail(name + ": " + applied.message);
    }
    context.confirm(file, (direction == StepDirection::Undo ? "undid " : "redid ") + step);
    return kExitDone;
}

int runUndo(CliContext& context) {
    return runStep(context, "undo", StepDirection::Undo);
}

int runRedo(CliContext& context) {
    return runStep(context, "redo", StepDirection::Redo);
}

} // namespace

const CliCommand kUndoCommand{
    "undo", "undo [FILE]",
    "Reverts the last change saved to FILE (default: the last document), whichever program\n"
    "made it, and says which in a line. One command of either program is one step; the\n"
    "history beside FILE keeps the last 128. Exit status 1 with \"Nothing to undo.\" when\n"
    "there is none, or when FILE was changed outside its history since.\n",
    runUndo};

const CliCommand kRedoCommand{
    "redo", "redo [FILE]",
    "Re-applies the change the last undo of FILE reverted and says which in a line; a new\n"
    "change after an undo drops what could be redone. Exit status 1 with \"Nothing to redo.\"\n"
    "when there is none.\n",
    runRedo};

} // namespace tallimo::cli
