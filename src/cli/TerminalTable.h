#pragma once

#include "calc/WorkDays.h"
#include "document/TimeSheet.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace tallimo::cli {

// A month for a person at a terminal: the title, the work list aligned in columns (day number,
// weekday, the stored and computed cells, comment last) with weekends set apart by blank lines,
// the squad list numbered as squad-finish --row and squad-delete count its rows, and the month's
// totals in the words of the total command. With colour, overtime is blue or red and weekends
// are faint.
void writeTerminalTables(std::ostream& out, const TimeSheet& sheet, const std::string& title,
                         bool colour, const ModelToday* model = nullptr);

// Cell bytes (Windows-1252) as UTF-8 that cannot steer a terminal: line breaks, tabs and every
// other control character are written as escapes (\n, \t, \r, \xNN).
std::string terminalText(std::string_view cell);

} // namespace tallimo::cli
