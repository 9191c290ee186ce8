#include "document/MonthTotals.h"

#include "calc/DayComputation.h"

namespace tallimo {

std::optional<DayEntry> dayEntryOf(const CellTable& work, int row) {
    const std::string_view dateCell = work.itemText(row, WorkColumn::Date);
    const auto date = parseDateCell(dateCell);
    if (!date) {
        return std::nullopt;
    }
    DayEntry entry{civilDateOf(*date), std::nullopt,
                   dayMarkOf(work.itemText(row, WorkColumn::Comment))};
    if (const auto times = dayTimes(dateCell, work.itemText(row, WorkColumn::Enter),
                                    work.itemText(row, WorkColumn::Leave))) {
        entry.presence = times->leave - times->enter;
    }
    return entry;
}

std::vector<DayEntry> dayEntries(const CellTable& work) {
    std::vector<DayEntry> days;
    for (int row = 0; row < work.rowCount(); ++row) {
        if (auto entry = dayEntryOf(work, row)) {
            days.push_back(std::move(*entry));
        }
    }
    return days;
}

Span rowOvertime(const CellTable& list, TotalList which, int row, const ModelToday* model) {
    if (model && which == TotalList::Work) {
        const auto entry = dayEntryOf(list, row);
        return entry ? countDay(model->calendar.day(entry->date), *entry, model->today).overtime
                     : 0;
    }
    const std::optional<Span> contribution =
        which == TotalList::Work ? workRowOvertime(list.itemText(row, WorkColumn::Date),
                                                   list.itemText(row, WorkColumn::Enter),
                                                   list.itemText(row, WorkColumn::Leave))
                                 : squadRowOvertime(list.itemText(row, SquadColumn::Start),
                                                    list.itemText(row, SquadColumn::End));
    return contribution.value_or(0);
}

Span listOvertime(const CellTable& list, TotalList which, const ModelToday* model) {
    Span total = 0;
    for (int row = 0; row < list.rowCount(); ++row) {
        total += rowOvertime(list, which, row, model);
    }
    return total;
}

MonthTotals monthTotals(const TimeSheet& sheet, const ModelToday* model) {
    return {listOvertime(sheet.work, TotalList::Work, model),
            listOvertime(sheet.squad, TotalList::Squad)};
}

std::vector<DayOvertime> dayOvertimes(const TimeSheet& sheet, const ModelToday* model) {
    std::vector<DayOvertime> days;
    for (int row = 0; row < sheet.work.rowCount(); ++row) {
        if (const auto date = parseDateCell(sheet.work.itemText(row, WorkColumn::Date))) {
            days.push_back({*date, rowOvertime(sheet.work, TotalList::Work, row, model)});
        }
    }
    return days;
}

} // namespace tallimo
