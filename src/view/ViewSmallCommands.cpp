#include "view/CTagrolView.h"

namespace tallimo {

void CTagrolView::OnSwitch() {
    m_platform.ui.setMainWindowVisible(m_mainWindowHidden);
    m_mainWindowHidden = !m_mainWindowHidden;
}

void CTagrolView::OnShowSquadTime() {
    m_workVisible = false;
}

void CTagrolView::OnShowWorkTime() {
    m_workVisible = true;
}

// Also sent by the list after every accepted in-place edit: then only the edited row changes.
void CTagrolView::OnRefresh() {
    traceLine("Enter OnRefresh");
    if (m_rememberedRow == -1) {
        if (m_workVisible) {
            CalculateAllWorkRows();
        } else {
            CalculateAllSquadRows();
        }
    } else {
        if (visibleList().hasRow(m_rememberedRow)) {
            if (m_workVisible) {
                CalculateWorkRow(m_rememberedRow);
            } else {
                CalculateSquadRow(m_rememberedRow);
            }
        }
        m_rememberedRow = -1;
        m_rememberedColumn = -1;
        m_doc.afterChange(m_settings.AutoSave);
    }
    traceLine("Leave OnRefresh");
}

void CTagrolView::OnUpdate() {
    traceLine("Enter OnUpdate");
    traceLine("the document has sent a generic update notification");
    traceLine("Leave OnUpdate");
}

void CTagrolView::OnLButtonDblClk() {
    traceLine("Enter OnLButtonDblClk");
    if (m_sheet.work.rowCount() > 0) {
        OnModify();
    } else {
        // No month is shown: the double click brings back the last one (the open step asks
        // about unsaved changes first). Without one there is nothing to open.
        const std::string last = lastDocument(m_platform.settings);
        if (!last.empty()) {
            m_doc.openStep(last);
        }
    }
    traceLine("Leave OnLButtonDblClk");
}

void CTagrolView::OnHelpWhatsnew() {
    m_platform.ui.showMessage("Version 1.0.0.0  framework\n"
                              "Version 1.1.0.20 filehandling\n"
                              "Version 1.2.0.25 clipboard\n"
                              "Version 1.3.0.35 FeaturePack 3\n"
                              "Version 1.3.0.56 bugfixing overtime calculation\n");
}

} // namespace tallimo
