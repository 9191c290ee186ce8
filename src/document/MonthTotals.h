#pragma once

#include "calc/OvertimeTotals.h"
#include "calc/WorkDays.h"
#include "document/TimeSheet.h"

#include <vector>

namespace tallimo {

// A day row as the work model counts it; empty without a valid date.
std::optional<DayEntry> dayEntryOf(const CellTable& work, int row);
std::vector<DayEntry> dayEntries(const CellTable& work);

// What a row of the work list (or of the squad list) adds to the overtime total, from its stored
// cells; 0 when the row does not count. With a model a work row adds what the model counts.
Span rowOvertime(const CellTable& list, TotalList which, int row,
                 const ModelToday* model = nullptr);
// The total over every row of the list, as the whole-month command adds it up.
Span listOvertime(const CellTable& list, TotalList which, const ModelToday* model = nullptr);

// What "for the hole month" shows for each list of a month.
struct MonthTotals {
    Span overtime = 0; // the work list
    Span standby = 0;  // the squad list
    bool operator==(const MonthTotals&) const = default;
};
MonthTotals monthTotals(const TimeSheet& sheet, const ModelToday* model = nullptr);

// One day of the work list with what it adds to the month's overtime.
struct DayOvertime {
    Instant date = 0;
    Span overtime = 0;
    bool operator==(const DayOvertime&) const = default;
};
// The days in the list's order; rows without a valid date are left out.
std::vector<DayOvertime> dayOvertimes(const TimeSheet& sheet, const ModelToday* model = nullptr);

} // namespace tallimo
