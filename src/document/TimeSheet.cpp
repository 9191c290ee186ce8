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

void showDayLook(CellTable& work, int row, Instant date) {
    work.SetItemText(row, WorkColumn::Weekday, formatInstant(date, "%A"));
    const int weekday = splitLocal(date).weekday;
    if (weekday == 1 || weekday == 7) {
        work.SetRowBackColor(row, kWeekendBackColour);
        work.SetRowFlags(row, CellFlag::OwnBackColour);
    }
}

void showSquadRowLook(CellTable& squad, int row, bool plainEvenRows) {
    if (row % 2 == 1 || plainEvenRows) {
        squad.SetRowBackColor(row,
                              row % 2 == 1 ? kAlternateSquadBackColour : kPlainSquadBackColour);
        squad.SetRowFlags(row, CellFlag::OwnBackColour);
    }
}

void setUpDayRow(TimeSheet& sheet, int row, RowCalculator& calculator) {
    if (const auto date = parseDateCell(sheet.work.itemText(row, WorkColumn::Date))) {
        showDayLook(sheet.work, row, *date);
    }
    calculator.CalculateWorkRow(row);
}

void setUpSquadRow(TimeSheet& sheet, int row, RowCalculator& calculator) {
    showSquadRowLook(sheet.squad, row, false);
    calculator.CalculateSquadRow(row);
}

} // namespace tallimo
