#include "document/TimeSheet.h"

namespace tallimo {
namespace {

template <std::size_t N>
std::vector<std::string> headersOf(const ColumnSpec (&columns)[N]) {
    std::vector<std::string> headers;
    for (const auto& column : columns) {
        headers.emplace_back(column.header);
    }
    return headers;
}

} // namespace

TimeSheet::TimeSheet() : work(headersOf(kWorkColumns)), squad(headersOf(kSquadColumns)) {}

bool monthFitsTimeSheet(int month, int year) {
    return makeLocalInstant(year, month, 1, 0, 0, 0) &&
           makeLocalInstant(year, month + 1, 1, 3, 0, 0);
}

void setUpDayRow(TimeSheet& sheet, int row, RowCalculator& calculator) {
    if (const auto date = parseDateCell(sheet.work.itemText(row, WorkColumn::Date))) {
        sheet.work.SetItemText(row, WorkColumn::Weekday, formatInstant(*date, "%A"));
        const int weekday = splitLocal(*date).weekday;
        if (weekday == 1 || weekday == 7) {
            sheet.work.SetRowBackColor(row, kWeekendBackColour);
            sheet.work.SetRowFlags(row, CellFlag::OwnBackColour);
        }
    }
    calculator.CalculateWorkRow(row);
}

void setUpSquadRow(TimeSheet& sheet, int row, RowCalculator& calculator) {
    if (row % 2 == 1) {
        sheet.squad.SetRowBackColor(row, kAlternateSquadBackColour);
        sheet.squad.SetRowFlags(row, CellFlag::OwnBackColour);
    }
    calculator.CalculateSquadRow(row);
}

} // namespace tallimo
