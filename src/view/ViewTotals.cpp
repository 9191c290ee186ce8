#include "document/MonthTotals.h"
#include "view/CTagrolView.h"

#include <new>

namespace tallimo {

TotalList CTagrolView::visibleTotalList() const {
    return m_workVisible ? TotalList::Work : TotalList::Squad;
}

void CTagrolView::OnCalculateovertimemonth() {
    const auto model = modelToday();
    m_platform.ui.showMessage(overtimeTotalText(
        listOvertime(visibleList(), visibleTotalList(), model ? &*model : nullptr),
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
    const auto model = modelToday();
    Span total = 0;
    for (int row : rows) {
        total += rowOvertime(visibleList(), visibleTotalList(), row, model ? &*model : nullptr);
    }
    m_platform.ui.showMessage(
        overtimeTotalText(total, visibleTotalList(), TotalScope::SelectedDays));
    traceLine("Leave OnCalculateovertimeselectedonly");
}

} // namespace tallimo
