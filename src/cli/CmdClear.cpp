#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"

namespace tallimo::cli {
namespace {

int runClear(CliContext& context) {
    if (context.args.size() != 2) {
        return context.fail("clear: wants FILE DAYS", kExitUsage);
    }
    return runOnSelection(context, "clear", context.args[1], context.args[0], false,
                          [](CTagrolView& view, std::string& line) {
                              line = counted(view.sheet().work.selectedCount(), "day", "days") +
                                     " cleared";
                              return view.OnVkdelete();
                          });
}

} // namespace

const CliCommand kClearCommand{
    "clear", "clear FILE DAYS",
    "Deletes the selected rows of the work list: every cell of the DAYS except Date and\n"
    "Weekday is emptied, after the question \"Are you sure to delete the selected rows?\".\n"
    "FILE is saved and a line says how many days were cleared. Exit status 1 when a day is\n"
    "not in FILE's month or the question is answered Cancel.\n",
    runClear};

} // namespace tallimo::cli
