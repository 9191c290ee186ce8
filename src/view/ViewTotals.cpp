#include "view/CTagrolView.h"
#include "view/ListTotals.h"

#include <new>

namespace tallimo {

Span rowOvertime(const CellTable& list, TotalList kind, int row) {
    std::optional<Span> contribution;
    if (kind == TotalList::Work) {
        contribution = workRowOvertime(list.itemText(row, WorkColumn::Date),
                                       list.itemText(row, WorkColumn::Enter),
                                       list.itemText(row, WorkColumn::Leave));
    } else {
        contribution = squadRowOvertime(list.itemText(row, SquadColumn::Start),
                                        list.itemText(row, SquadColumn::End));
    }
    return contribution.value_or(0);
}

Span listOvertime(const CellTable& list, TotalList kind) {
    Span total = 0;
    for (int row = 0; row < list.rowCount(); ++row) {
        total += rowOvertime(list, kind, row);
    }
    return total;
}

TotalList CTagrolView::visibleTotalList() const {
    return m_workVisible ? TotalList::Work : TotalList::Squad;
}

void CTagrolView::OnCalculateovertimemonth() {
    m_platform.ui.showMessage(overtimeTotalText(listOvertime(visibleList(), visibleTotalList()),
                                                visibleTotalList(), TotalScope::Month));
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
        total += rowOvertime(visibleList(), visibleTotalList(), row);
    }
    m_platform.ui.showMessage(
        overtimeTotalText(total, visibleTotalList(), TotalScope::SelectedDays));
    traceLine("Leave OnCalculateovertimeselectedonly");
}

} // namespace tallimo
