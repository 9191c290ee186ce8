#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"

namespace tallimo::cli {
namespace {

int runSquadDelete(CliContext& context) {
    if (context.args.size() != 2) {
        return context.fail("squad-delete: wants FILE ROWS", kExitUsage);
    }
    return runOnSelection(context, "squad-delete", context.args[1], context.args[0], true,
                          [](CTagrolView& view, std::string& line) {
                              line = counted(view.sheet().squad.selectedCount(), "stand-by period",
                                             "stand-by periods") +
                                     " deleted";
                              return view.OnVkdelete();
                          });
}

} // namespace

const CliCommand kSquadDeleteCommand{
    "squad-delete", "squad-delete FILE ROWS",
    "Deletes squad rows after the question \"Are you sure to delete the selected rows?\";\n"
    "ROWS are 0-based rows such as 0,3,5-9, as 'show' numbers them. FILE is saved and a\n"
    "line says how many periods were deleted.\n"
    "Exit status 1 when a row does not exist or the question is answered Cancel.\n",
    runSquadDelete};

} // namespace tallimo::cli
