#include "view/CTagrolView.h"
#include "view/NewMonthDialog.h"

namespace tallimo {

void CTagrolView::OnFileNew() {
    NewMonthDialog dialog(m_platform.clock.now());
    m_platform.ui.runNewMonthDialog(dialog);
    if (!dialog.accepted) {
        m_doc.SetTitle(kUntitledTitle);
        return;
    }
    const LocalFields chosen = splitLocal(dialog.chosen);
    // Checked before anything is replaced, so a refused month leaves the open one whole.
    if (!monthFitsTimeSheet(chosen.month, chosen.year)) {
        m_platform.ui.showMessage("The month " + formatInstant(dialog.chosen, "%B %Y") +
                                  " cannot be kept in a tallimo file.");
        return;
    }
    // Unsaved changes of the open month are offered for saving before they are replaced; a
    // failed save keeps them.
    if (!m_doc.confirmReplace()) {
        return;
    }
    m_sheet.work.DeleteAllItems();
    m_sheet.squad.DeleteAllItems();
    setOpenSquadRow(-1);
    m_monthName = formatInstant(dialog.chosen, "%B%Y");
    m_doc.SetTitle(m_monthName + ".time");
    m_doc.setPath("");
    InitListCtrl(chosen.month, chosen.year);
}

} // namespace tallimo
