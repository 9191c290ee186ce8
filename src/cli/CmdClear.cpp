#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallimo::cli {
namespace {

int runClear(CliContext& context) {
    if (context.args.size() != 2) {
        return context.fail("clear: wants FILE DAYS", kExitUsage);
    }
    return runOnSelection(context, "clear", context.args[1], context.args[0], false,
                          [](CTagrolView& view) { return view.OnVkdelete(); });
}

} // namespace

const CliCommand kClearCommand{
    "clear", "clear FILE DAYS",
    "Deletes the selected rows of the work list: every cell of the DAYS except Date and\n"
    "Weekday is emptied, after the question \"Are you sure to delete the selected rows?\".\n"
    "FILE is saved. Exit status 1 when a day is not in FILE's month or the question is\n"
    "answered Cancel.\n",
    runClear};

} // namespace tallimo::cli
