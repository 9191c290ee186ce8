#pragma once

#include "cli/CliContext.h"

#include <string_view>
#include <vector>

namespace tallimo::cli {

// One subcommand: its name, one usage line, its --help text and the function that runs it. Each
// lives in a file of its own (Cmd*.cpp) with its usage and help.
struct CliCommand {
    std::string_view name;
    std::string_view usage;
    std::string_view help;
    int (*run)(CliContext&);
};

extern const CliCommand kNewCommand;
extern const CliCommand kShowCommand;
extern const CliCommand kEnterCommand;
extern const CliCommand kLeaveCommand;
extern const CliCommand kSquadStartCommand;
extern const CliCommand kSquadFinishCommand;
extern const CliCommand kImportCommand;
extern const CliCommand kOptionsCommand;
extern const CliCommand kTotalCommand;
extern const CliCommand kMarkCommand;
extern const CliCommand kClearCommand;
extern const CliCommand kSetCommand;
extern const CliCommand kSquadAddCommand;
extern const CliCommand kSquadDeleteCommand;
extern const CliCommand kExportCommand;
extern const CliCommand kBalanceCommand;
// Public holidays.
extern const CliCommand kHolidaysCommand;
extern const CliCommand kReportCommand;
// Undo and redo of the month's history.
extern const CliCommand kUndoCommand;
extern const CliCommand kRedoCommand;
// Presence detection
extern const CliCommand kPresenceCommand;
// The work model.
extern const CliCommand kModelCommand;
extern const CliCommand kVacationCommand;

// The subcommands in the order the usage lists them.
const std::vector<const CliCommand*>& commands();

} // namespace tallimo::cli
