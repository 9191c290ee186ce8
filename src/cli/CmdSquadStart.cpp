#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallimo::cli {
namespace {

int runSquadStart(CliContext& context) {
    return runInMonthCommand(context, "squad-start", &CTagrolView::OnStartsquadnow);
}

} // namespace

const CliCommand kSquadStartCommand{
    "squad-start", "squad-start [FILE]",
    "Start squad now: appends a stand-by period starting now to the squad list of FILE\n"
    "(default: the last document). Makes the backup copy when AutoBackup is on. FILE is\n"
    "saved. Exit status 1 when today lies outside FILE's month.\n",
    runSquadStart};

} // namespace tallimo::cli
