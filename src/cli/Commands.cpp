#include "cli/Commands.h"

namespace tallimo::cli {

const std::vector<CliCommand>& commands() {
    static const std::vector<CliCommand> table = {
        {"new", "new YYYY-MM FILE [--force]",
         "Makes the month YYYY-MM as the New command does, one row per day, and writes it to\n"
         "FILE as Save does. Exit status 1 when FILE exists (without --force) or cannot be\n"
         "written, 2 for wrong usage.\n"
         "  --force  replace FILE when it exists\n",
         runNew},
        {"show", "show FILE [--json]",
         "Loads FILE and prints both tables: TSV with a line '# work', the headers and one\n"
         "line per row, then the same for '# squad'; tab, line feed, carriage return and\n"
         "backslash in a cell are written \\t, \\n, \\r and \\\\. Loading messages go to\n"
         "standard error. Exit status 1 when FILE cannot be loaded, 2 for wrong usage.\n"
         "  --json  one JSON object: minDate, maxDate, messages, work and squad rows with\n"
         "          their cells, rowBackColor, rowFlags and cellAttrs\n",
         runShow},
    };
    return table;
}

} // namespace tallimo::cli
