#include "view/CTagrolView.h"
#include "view/EntryDialog.h"

#include <optional>

namespace tallimo {
namespace {

struct Period {
    Instant start = 0;
    Instant end = 0;
};

std::string entryTrace(const EntryDialog& dialog) {
    return "Start: " + formatInstant(dialog.startDate, "%A, %B %d, %Y") +
           " End: " + formatInstant(dialog.endDate, "%A, %B %d, %Y");
}

std::string periodMoment(Instant date, Instant time) {
    return formatInstant(date, "%d.%m.%Y ") + formatInstant(time, "%H:%M:%S");
}

// A date read by character position from the first ten characters of a cell.
std::optional<Instant> dateAt(std::string_view cell, TimeOfDay time) {
    return makeLocalInstant(readNumberAt(cell, 7, 10), readNumberAt(cell, 4, 5),
                            readNumberAt(cell, 1, 2), time.hour, time.minute, time.second);
}

// What the dialog offers for a day row: its times when both are complete, else 07:00-16:00.
std::optional<Period> offeredDay(const CellTable& work, int row) {
    const std::string_view date = work.itemText(row, WorkColumn::Date);
    const std::string_view enter = work.itemText(row, WorkColumn::Enter);
    const std::string_view leave = work.itemText(row, WorkColumn::Leave);
    const bool times = isTimeCell(enter) && isTimeCell(leave);
    const auto start = dateAt(date, times ? readTimeCell(enter) : TimeOfDay{7, 0, 0});
    const auto end = dateAt(date, times ? readTimeCell(leave) : TimeOfDay{16, 0, 0});
    if (!start || !end) {
        return std::nullopt;
    }
    return Period{*start, *end};
}

// What the dialog offers for a squad row: its moments when both are complete, else 07:00-08:00.
// An open period has no end date yet; its start date stands in for it.
std::optional<Period> offeredPeriod(const CellTable& squad, int row) {
    const std::string_view start = squad.itemText(row, SquadColumn::Start);
    const std::string_view end = squad.itemText(row, SquadColumn::End);
    const bool moments = start.size() == kPeriodMomentLength && end.size() == kPeriodMomentLength;
    const TimeOfDay startTime = moments ? readTimeCell(start.substr(11)) : TimeOfDay{7, 0, 0};
    const TimeOfDay endTime = moments ? readTimeCell(end.substr(11)) : TimeOfDay{8, 0, 0};
    const auto from = dateAt(start, startTime);
    if (!from) {
        return std::nullopt;
    }
    const auto to = dateAt(end, endTime);
    return Period{*from, to ? *to : dateAt(start, endTime).value_or(*from)};
}

void writeDay(CellTable& work, int row, const EntryDialog& dialog) {
    work.SetItemText(row, WorkColumn::Date, formatInstant(dialog.startDate, "%d.%m.%Y"));
    work.SetItemText(row, WorkColumn::Enter, formatInstant(dialog.startTime, "%H:%M:%S"));
    std::string leave = formatInstant(dialog.endTime, "%H:%M:%S");
    if (dialog.endNextDay) {
        leave = std::to_string(readNumberAt(leave, 1, 2) + 24) + leave.substr(2);
    }
    work.SetItemText(row, WorkColumn::Leave, leave);
    work.SetItemText(row, WorkColumn::Comment, dialog.comment);
}

void writePeriod(CellTable& squad, int row, const EntryDialog& dialog) {
    squad.SetItemText(row, SquadColumn::Start, periodMoment(dialog.startDate, dialog.startTime));
    squad.SetItemText(row, SquadColumn::End, periodMoment(dialog.endDate, dialog.endTime));
    squad.SetItemText(row, SquadColumn::Description, dialog.comment);
}

// The day row that shows the given date, -1 when the open month has no such day.
int dayRowOf(const CellTable& work, Instant date) {
    const LocalFields wanted = splitLocal(date);
    const int row = wanted.day - 1;
    const auto shown = parseDateCell(work.itemText(row, WorkColumn::Date));
    if (!work.hasRow(row) || !shown) {
        return -1;
    }
    const LocalFields found = splitLocal(*shown);
    return found.year == wanted.year && found.month == wanted.month && found.day == wanted.day ? row
                                                                                               : -1;
}

} // namespace

Result CTagrolView::OnAdd() {
    traceLine("Enter On Add");
    const Instant now = m_platform.clock.now();
    EntryDialog dialog;
    dialog.minDate = m_sheet.minDate;
    dialog.maxDate = m_sheet.maxDate;
    dialog.startDate = dialog.endDate = dialog.startTime = dialog.endTime = now;
    dialog.workMode = m_workVisible;
    dialog.ok = m_platform.ui.runEntryDialog(dialog);
    Result result = Result::cancelled();
    if (dialog.ok) {
        traceLine(entryTrace(dialog));
        result = m_workVisible ? addDay(dialog) : addPeriod(dialog);
    }
    traceLine("Leave On Add");
    return result;
}

Result CTagrolView::addDay(const EntryDialog& dialog) {
    // A date of another month (or year) would overwrite the row with the same day number.
    const int row = dayRowOf(m_sheet.work, dialog.startDate);
    if (row < 0) {
        m_platform.ui.showMessage("The date " + formatInstant(dialog.startDate, "%d.%m.%Y") +
                                  " is not a day of the open month. Nothing was changed.");
        return Result::refused();
    }
    writeDay(m_sheet.work, row, dialog);
    CalculateWorkRow(row);
    m_doc.afterChange(m_settings.AutoSave);
    return {};
}

Result CTagrolView::addPeriod(const EntryDialog& dialog) {
    const int row = m_sheet.squad.InsertItem(m_sheet.squad.rowCount(),
                                             periodMoment(dialog.startDate, dialog.startTime));
    writePeriod(m_sheet.squad, row, dialog);
    CalculateSquadRow(row);
    m_doc.afterChange(m_settings.AutoSave);
    return {};
}

Result CTagrolView::OnModify() {
    traceLine("Enter OnModify");
    const bool work = m_workVisible;
    CellTable& list = visibleList();
    const std::vector<int> rows = list.selectedRowsDescending();
    if (rows.empty()) {
        traceLine("Leave OnModify no rows selected");
        return Result::nothingToDo();
    }
    // Done when any row was written, else refused when a row had no date, else cancelled.
    Result result = Result::cancelled();
    for (const int row : rows) {
        const auto offered = work ? offeredDay(list, row) : offeredPeriod(list, row);
        if (!offered) {
            m_platform.ui.showMessage("Row " + std::to_string(row + 1) +
                                      " has no valid date and cannot be modified.");
            if (!result) {
                result = Result::refused();
            }
            continue;
        }
        EntryDialog dialog;
        dialog.minDate = m_sheet.minDate;
        dialog.maxDate = m_sheet.maxDate;
        dialog.startDate = dialog.startTime = offered->start;
        dialog.endDate = dialog.endTime = offered->end;
        dialog.comment = list.itemText(row, work ? WorkColumn::Comment : SquadColumn::Description);
        dialog.modifyMode = true;
        dialog.workMode = work;
        dialog.ok = m_platform.ui.runEntryDialog(dialog);
        if (!dialog.ok) {
            continue;
        }
        traceLine(entryTrace(dialog));
        if (work) {
            writeDay(list, row, dialog);
            CalculateWorkRow(row);
        } else {
            writePeriod(list, row, dialog);
            CalculateSquadRow(row);
        }
        m_doc.afterChange(m_settings.AutoSave);
        result = {};
    }
    traceLine("Leave OnModify");
    return result;
}

} // namespace tallimo
