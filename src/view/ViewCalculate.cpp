#include "calc/DayComputation.h"
#include "calc/SquadPeriod.h"
#include "calc/TimeAndLabor.h"
#include "document/MonthTotals.h"
#include "view/CTagrolView.h"

namespace tallimo {
namespace {

constexpr std::uint32_t kSignedOvertimeFlags =
    CellFlag::Bold | CellFlag::OwnTextColour | CellFlag::NoEffect | CellFlag::IgnoreRowRecord;

void showOvertimeLook(CellTable& work, int row, OvertimeSign sign) {
    switch (sign) {
    case OvertimeSign::Positive:
        work.SetCellTextColor(row, WorkColumn::Overtime, kPositiveOvertimeColour);
        work.SetCellFlags(row, WorkColumn::Overtime, kSignedOvertimeFlags);
        break;
    case OvertimeSign::Negative:
        work.SetCellTextColor(row, WorkColumn::Overtime, kNegativeOvertimeColour);
        work.SetCellFlags(row, WorkColumn::Overtime, kSignedOvertimeFlags);
        break;
    case OvertimeSign::Zero:
        work.SetCellTextColor(row, WorkColumn::Overtime, 0);
        work.SetCellFlags(row, WorkColumn::Overtime, CellFlag::OwnTextColour);
        break;
    }
}

} // namespace

void CTagrolView::CalculateWorkRow(int row) {
    CellTable& work = m_sheet.work;
    if (!work.hasRow(row)) {
        return;
    }
    // With a work model the day is measured against its own target and break.
    const auto model = modelToday();
    const auto entry = model ? dayEntryOf(work, row) : std::nullopt;
    const std::optional<ModelDay> modelDay =
        entry ? std::optional(model->calendar.day(entry->date)) : std::nullopt;
    const DayComputation day =
        computeDay(work.itemText(row, WorkColumn::Date), work.itemText(row, WorkColumn::Enter),
                   work.itemText(row, WorkColumn::Leave), modelDay ? modelDay->rules : DayRules{});
    for (int column : {WorkColumn::AtWork, WorkColumn::Worktime, WorkColumn::Overtime,
                       WorkColumn::TimeAndLabor}) {
        work.SetItemText(row, column, {});
    }
    // A row without a real date (only a damaged file makes one) shows nothing computed.
    if (!day.date) {
        return;
    }
    std::string timeAndLabor;
    if (const auto& f = day.figures) {
        work.SetItemText(row, WorkColumn::AtWork, f->atWork);
        work.SetItemText(row, WorkColumn::Worktime, f->worktimeText);
        work.SetItemText(row, WorkColumn::Overtime, f->overtimeText);
        showOvertimeLook(work, row, f->sign);
        timeAndLabor = f->timeAndLabor;
        moveGoHomeTime(*day.date, f->leave);
    } else if (modelDay) {
        // A forgotten day shows its missing target, so that it is seen before the month ends.
        if (const DayCount count = countDay(*modelDay, *entry, model->today); count.missing) {
            work.SetItemText(row, WorkColumn::Overtime, formatNegativeHms(count.overtime));
            showOvertimeLook(work, row, OvertimeSign::Negative);
        }
    }
    work.SetItemText(row, WorkColumn::TimeAndLabor,
                     withStandByPrefix(work.itemText(row, WorkColumn::StandBy), *day.date,
                                       std::move(timeAndLabor)));
}

void CTagrolView::setGoHome(Instant goHome, Instant rowDate) {
    m_goHome = goHome;
    m_goHomeRowDate = splitLocal(rowDate);
}

void CTagrolView::moveGoHomeTime(Instant rowDate, Instant leave) {
    if (!m_settings.RememberMe || m_goHome <= 0) {
        return;
    }
    // Only the row the go-home time belongs to moves it, never the same day of another year,
    // nor the next day's row when a night shift has carried it there.
    const LocalFields day = splitLocal(rowDate);
    const LocalFields& owner = m_goHomeRowDate;
    if (owner.day == day.day && owner.month == day.month && owner.year == day.year) {
        m_goHome = leave;
    }
}

void CTagrolView::CalculateAllWorkRows() {
    const CellTable::ChangeScope changes(m_sheet.work);
    for (int row = 0; row < m_sheet.work.rowCount(); ++row) {
        CalculateWorkRow(row);
    }
}

void CTagrolView::CalculateSquadRow(int row) {
    CellTable& squad = m_sheet.squad;
    const auto cells = computeSquadPeriod(squad.itemText(row, SquadColumn::Start),
                                          squad.itemText(row, SquadColumn::End));
    // An open period, or one whose moments cannot be read, keeps its derived cells.
    if (!cells) {
        return;
    }
    squad.SetItemText(row, SquadColumn::Worktime, cells->worktime);
    squad.SetItemText(row, SquadColumn::TimeAndLabor, cells->timeAndLabor);
}

void CTagrolView::CalculateAllSquadRows() {
    const CellTable::ChangeScope changes(m_sheet.squad);
    for (int row = 0; row < m_sheet.squad.rowCount(); ++row) {
        CalculateSquadRow(row);
    }
}

} // namespace tallimo
