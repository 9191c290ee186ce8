#include "view/CTagrolView.h"

namespace tallimo {
namespace {

constexpr int kFirstClearedWorkColumn = WorkColumn::Enter;

void writeComment(CellTable& work, const std::vector<int>& rows, const char* marker) {
    for (const int row : rows) {
        work.SetItemText(row, WorkColumn::Comment, marker);
    }
}

} // namespace

// The markers act on the work list's selection whichever list is shown: the context menu offers
// "Stand-by..." on the squad list too.
void CTagrolView::OnTbHoliday() {
    traceLine("Enter OnTbHoliday");
    const std::vector<int> rows = m_sheet.work.selectedRowsDescending();
    if (rows.empty()) {
        traceLine("Leave OnTbHoliday no rows selected");
        return;
    }
    writeComment(m_sheet.work, rows, "Feiertag");
    m_doc.afterChange(m_settings.AutoSave);
    traceLine("Leave OnTbHoliday");
}

void CTagrolView::OnTbIll() {
    traceLine("Enter OnTbIll");
    const std::vector<int> rows = m_sheet.work.selectedRowsDescending();
    if (rows.empty()) {
        traceLine("Leave OnTbIll no rows selected");
        return;
    }
    writeComment(m_sheet.work, rows, "Krankenkasse");
    m_doc.afterChange(m_settings.AutoSave);
    traceLine("Leave OnTbIll");
}

void CTagrolView::OnTbVacation() {
    traceLine("Enter OnTbVacation");
    const std::vector<int> rows = m_sheet.work.selectedRowsDescending();
    if (rows.empty()) {
        traceLine("Leave OnTbVacation no rows selected");
        return;
    }
    for (const int row : rows) {
        m_sheet.work.SetItemText(row, WorkColumn::Comment, "Urlaub");
        m_doc.afterChange(m_settings.AutoSave);
    }
    traceLine("Leave OnTbVacation");
}

void CTagrolView::OnTbStandby() {
    traceLine("Enter OnTbStandby");
    const std::vector<int> rows = m_sheet.work.selectedRowsDescending();
    if (rows.empty()) {
        traceLine("Leave OnTbStandby no rows selected");
        return;
    }
    // Only the stand-by flag changes the day's Time and Labor code, so only it recomputes.
    for (const int row : rows) {
        m_sheet.work.SetItemText(row, WorkColumn::StandBy, "yes");
        CalculateWorkRow(row);
    }
    m_doc.afterChange(m_settings.AutoSave);
    traceLine("Leave OnTbStandby");
}

bool CTagrolView::OnVkdelete() {
    traceLine("Enter OnVkdelete");
    if (m_platform.ui.ask("Are you sure to delete the selected rows?") != Answer::Ok) {
        return false;
    }
    CellTable& list = visibleList();
    const std::vector<int> rows = list.selectedRowsDescending();
    if (rows.empty()) {
        traceLine("Leave OnVkdelete no rows selected");
        return false;
    }
    if (m_workVisible) {
        // Days stay in the month; only what was recorded for them goes.
        for (const int row : rows) {
            for (int column = kFirstClearedWorkColumn; column < WorkColumn::Count; ++column) {
                list.SetItemText(row, column, std::string());
            }
            m_doc.afterChange(m_settings.AutoSave);
        }
    } else {
        if (static_cast<int>(rows.size()) == list.rowCount()) {
            list.DeleteAllItems();
            m_doc.afterChange(m_settings.AutoSave);
            return true;
        }
        // Bottom-most first, so the indices still to be deleted stay valid.
        for (const int row : rows) {
            list.DeleteItem(row);
        }
        m_doc.afterChange(m_settings.AutoSave);
        for (int row = 0; row < list.rowCount(); ++row) {
            list.SetRowBackColor(row,
                                 row % 2 == 1 ? kAlternateSquadBackColour : kPlainSquadBackColour);
            list.SetRowFlags(row, CellFlag::OwnBackColour);
        }
    }
    traceLine("Leave OnVkdelete");
    return true;
}

} // namespace tallimo
