#include "view/CTagrolView.h"

// Placeholder until the day computation lands: the computed cells stay empty.
namespace tallimo {

void CTagrolView::CalculateWorkRow(int) {}
void CTagrolView::CalculateSquadRow(int) {}

void CTagrolView::CalculateAllWorkRows() {
    for (int row = 0; row < m_sheet.work.rowCount(); ++row) {
        CalculateWorkRow(row);
    }
}

void CTagrolView::CalculateAllSquadRows() {
    for (int row = 0; row < m_sheet.squad.rowCount(); ++row) {
        CalculateSquadRow(row);
    }
}

} // namespace tallimo
