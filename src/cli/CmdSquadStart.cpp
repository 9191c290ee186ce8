#include "cli/CliSupport.h"
#include "cli/Commands.h"

namespace tallimo::cli {
namespace {

Result startSquad(CliContext&, CTagrolView& view, std::string& line) {
    const Result result = view.OnStartsquadnow();
    const CellTable& squad = view.sheet().squad;
    const int row = squad.rowCount() - 1;
    if (result) {
        line = "stand-by period " + std::to_string(row) + " started " +
               std::string(squad.itemText(row, SquadColumn::Start));
    }
    return result;
}

int runSquadStart(CliContext& context) {
    return runInMonthCommand(context, "squad-start", startSquad);
}

} // namespace

const CliCommand kSquadStartCommand{
    "squad-start", "squad-start [FILE]",
    "Start squad now: appends a stand-by period starting now to the squad list of FILE\n"
    "(default: the last document). Makes the backup copy when AutoBackup is on. FILE is\n"
    "saved and a line names it and the period's row, as squad-finish --row counts it.\n"
    "Exit status 1 when today lies outside FILE's month.\n",
    runSquadStart};

} // namespace tallimo::cli
