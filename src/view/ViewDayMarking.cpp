#include "view/CTagrolView.h"

#include <functional>

namespace tallimo {
namespace {

constexpr int kFirstClearedWorkColumn = WorkColumn::Enter;

} // namespace

// The markers act on the work list's selection whichever list is shown: the context menu offers
// "Stand-by..." on the squad list too. `mark` changes one row; the after-change step runs once,
// or after every row where `afterEachRow` says so.
void CTagrolView::markSelectedDays(std::string_view handler,
                                   const std::function<void(int row)>& mark, bool afterEachRow) {
    const std::string name(handler);
    traceLine("Enter " + name);
    const std::vector<int> rows = m_sheet.work.selectedRowsDescending();
    if (rows.empty()) {
        traceLine("Leave " + name + " no rows selected");
        return;
    }
    // Under a work model a mark decides whether a day without times is missing.
    const bool recount = workCalendar() != nullptr;
    for (const int row : rows) {
        mark(row);
        if (recount) {
            CalculateWorkRow(row);
        }
        if (afterEachRow) {
            m_doc.afterChange(m_settings.AutoSave);
        }
    }
    if (!afterEachRow) {
        m_doc.afterChange(m_settings.AutoSave);
    }
    traceLine("Leave " + name);
}

void CTagrolView::OnTbHoliday() {
    markSelectedDays(
        "OnTbHoliday",
        [this](int row) { m_sheet.work.SetItemText(row, WorkColumn::Comment, "Feiertag"); }, false);
}

void CTagrolView::OnTbIll() {
    markSelectedDays(
        "OnTbIll",
        [this](int row) { m_sheet.work.SetItemText(row, WorkColumn::Comment, "Krankenkasse"); },
        false);
}

// Vacation saves after every day (with AutoSave on, once per selected row).
void CTagrolView::OnTbVacation() {
    markSelectedDays(
        "OnTbVacation",
        [this](int row) { m_sheet.work.SetItemText(row, WorkColumn::Comment, "Urlaub"); }, true);
}

// Only the stand-by flag changes the day's Time and Labor code, so only it recomputes.
void CTagrolView::OnTbStandby() {
    markSelectedDays(
        "OnTbStandby",
        [this](int row) {
            m_sheet.work.SetItemText(row, WorkColumn::StandBy, "yes");
            CalculateWorkRow(row);
        },
        false);
}

Result CTagrolView::OnVkdelete() {
    traceLine("Enter OnVkdelete");
    if (m_platform.ui.ask("Are you sure to delete the selected rows?") != Answer::Ok) {
        return Result::cancelled();
    }
    CellTable& list = visibleList();
    const std::vector<int> rows = list.selectedRowsDescending();
    if (rows.empty()) {
        traceLine("Leave OnVkdelete no rows selected");
        return Result::nothingToDo();
    }
    if (m_workVisible) {
        // Days stay in the month; only what was recorded for them goes. Under a work model
        // the emptied day may be missing now.
        const bool recount = workCalendar() != nullptr;
        for (const int row : rows) {
            for (int column = kFirstClearedWorkColumn; column < WorkColumn::Count; ++column) {
                list.SetItemText(row, column, std::string());
            }
            if (recount) {
                CalculateWorkRow(row);
            }
            m_doc.afterChange(m_settings.AutoSave);
        }
    } else {
        if (static_cast<int>(rows.size()) == list.rowCount()) {
            list.DeleteAllItems();
            m_doc.afterChange(m_settings.AutoSave);
            return {};
        }
        list.DeleteItems(rows);
        m_doc.afterChange(m_settings.AutoSave);
        const CellTable::ChangeScope changes(list);
        for (int row = 0; row < list.rowCount(); ++row) {
            showSquadRowLook(list, row, true);
        }
    }
    traceLine("Leave OnVkdelete");
    return {};
}

} // namespace tallimo
