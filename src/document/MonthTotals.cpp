#include "document/MonthTotals.h"

namespace tallimo {

Span rowOvertime(const CellTable& list, TotalList which, int row) {
    const std::optional<Span> contribution =
        which == TotalList::Work ? workRowOvertime(list.itemText(row, WorkColumn::Date),
                                                   list.itemText(row, WorkColumn::Enter),
                                                   list.itemText(row, WorkColumn::Leave))
                                 : squadRowOvertime(list.itemText(row, SquadColumn::Start),
                                                    list.itemText(row, SquadColumn::End));
    return contribution.value_or(0);
}

Span listOvertime(const CellTable& list, TotalList which) {
    Span total = 0;
    for (int row = 0; row < list.rowCount(); ++row) {
        total += rowOvertime(list, which, row);
    }
    return total;
}

MonthTotals monthTotals(const TimeSheet& sheet) {
    return {listOvertime(sheet.work, TotalList::Work), listOvertime(sheet.squad, TotalList::Squad)};
}

std::vector<DayOvertime> dayOvertimes(const TimeSheet& sheet) {
    std::vector<DayOvertime> days;
    for (int row = 0; row < sheet.work.rowCount(); ++row) {
        if (const auto date = parseDateCell(sheet.work.itemText(row, WorkColumn::Date))) {
            days.push_back({*date, rowOvertime(sheet.work, TotalList::Work, row)});
        }
    }
    return days;
}

} // namespace tallimo
