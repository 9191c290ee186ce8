#pragma once

#include "document/TimeSheet.h"

#include <string>

namespace tallimo::cli {

// The words of the lines that say what a command changed, in the cells' code page.

// "1 day", "3 days".
std::string counted(std::size_t count, const std::string& one, const std::string& many);
// "07.03.2006 Enter 08:00:00, Leave 17:00:00", leaving out an empty time.
std::string dayWords(const CellTable& work, int row);
// " (overtime +00:30:00)" from the computed Overtime cell; empty when the day has none.
std::string overtimeWords(const CellTable& work, int row);
// "stand-by period 2 from 01.03.2006 18:00:00 to 02.03.2006 08:00:00 (14:00:00)", the row
// counted as 'show', squad-finish and squad-delete count it.
std::string periodWords(const CellTable& squad, int row);
// The month of the time sheet, "March 2006"; empty for a sheet without days.
std::string monthWords(const CellTable& work);

} // namespace tallimo::cli
