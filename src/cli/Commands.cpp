#include "cli/Commands.h"

namespace tallimo::cli {

const std::vector<CliCommand>& commands() {
    static const std::vector<CliCommand> table = {
        {"new", "new YYYY-MM FILE [--force]",
         "Makes the month YYYY-MM, one row per day, and writes it to FILE.\n"
         "  --force  replace FILE when it exists\n",
         runNew},
        {"show", "show FILE [--json]",
         "Loads FILE and prints both tables as TSV (or one JSON object with --json).\n", runShow},
    };
    return table;
}

} // namespace tallimo::cli
