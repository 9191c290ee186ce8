#pragma once

#include "calc/OvertimeTotals.h"
#include "document/TimeSheet.h"

namespace tallimo {

// What a row of the work list (or of the squad list) adds to the overtime total, from its stored
// cells; 0 when it does not count.
Span rowOvertime(const CellTable& list, TotalList kind, int row);
// The total over every row of the list, as the whole-month command adds it up.
Span listOvertime(const CellTable& list, TotalList kind);

} // namespace tallimo
