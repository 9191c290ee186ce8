#include "cli/Commands.h"

namespace tallimo::cli {

const std::vector<const CliCommand*>& commands() {
    static const std::vector<const CliCommand*> table = {
        &kNewCommand,        &kShowCommand,        &kEnterCommand,    &kLeaveCommand,
        &kSquadStartCommand, &kSquadFinishCommand, &kImportCommand,   &kOptionsCommand,
        &kTotalCommand,      &kMarkCommand,        &kClearCommand,    &kSetCommand,
        &kSquadAddCommand,   &kSquadDeleteCommand, &kExportCommand,   &kBalanceCommand,
        &kHolidaysCommand,   &kReportCommand,      &kUndoCommand,     &kRedoCommand,
        &kPresenceCommand,   &kModelCommand,       &kVacationCommand,
    };
    return table;
}

} // namespace tallimo::cli
