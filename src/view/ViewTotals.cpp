#include "calc/OvertimeTotals.h"
#include "view/CTagrolView.h"

#include <new>

namespace tallimo {

Span CTagrolView::overtimeOfRow(int row) {
    const CellTable& list = visibleList();
    std::optional<Span> contribution;
    if (m_workVisible) {
        contribution = workRowOvertime(list.itemText(row, WorkColumn::Date),
                                       list.itemText(row, WorkColumn::Enter),
                                       list.itemText(row, WorkColumn::Leave));
    } else {
        contribution = squadRowOvertime(list.itemText(row, SquadColumn::Start),
                                        list.itemText(row, SquadColumn::End));
    }
    return contribution.value_or(0);
}

void CTagrolView::OnCalculateovertimemonth() {
    Span total = 0;
    for (int row = 0; row < visibleList().rowCount(); ++row) {
        total += overtimeOfRow(row);
    }
    m_platform.ui.showMessage(overtimeTotalText(
        total, m_workVisible ? TotalList::Work : TotalList::Squad, TotalScope::Month));
}

void CTagrolView::OnCalculateovertimeselectedonly() {
    traceLine("Enter OnCalculateovertimeselectedonly");
    if (visibleList().selectedCount() == 0) {
        traceLine("Leave OnCalculateovertimeselectedonly no rows selected");
        return;
    }
    std::vector<int> rows;
    try {
        rows = visibleList().selectedRowsDescending();
    } catch (const std::bad_alloc&) {
        traceLine("Leave OnCalculateovertimeselectedonly error creating array");
        return;
    }
    Span total = 0;
    for (int row : rows) {
        total += overtimeOfRow(row);
    }
    m_platform.ui.showMessage(overtimeTotalText(
        total, m_workVisible ? TotalList::Work : TotalList::Squad, TotalScope::SelectedDays));
    traceLine("Leave OnCalculateovertimeselectedonly");
}

} // namespace tallimo
