#pragma once

#include "cli/CliContext.h"

#include <string_view>

namespace tallimo::cli {

// One subcommand: its name, one usage line, its --help text and the function that runs it.
struct CliCommand {
    std::string_view name;
    std::string_view usage;
    std::string_view help;
    int (*run)(CliContext&);
};

// The table of subcommands, in the order the usage lists them.
const std::vector<CliCommand>& commands();

// Each subcommand lives in a file of its own (Cmd*.cpp).
int runNew(CliContext& context);
int runShow(CliContext& context);
int runEnter(CliContext& context);
int runLeave(CliContext& context);
int runSquadStart(CliContext& context);
int runSquadFinish(CliContext& context);
int runImport(CliContext& context);
int runOptions(CliContext& context);
int runTotal(CliContext& context);
int runMark(CliContext& context);
int runClear(CliContext& context);
int runSet(CliContext& context);
int runSquadAdd(CliContext& context);
int runSquadDelete(CliContext& context);
int runExport(CliContext& context);

} // namespace tallimo::cli
