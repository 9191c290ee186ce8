#include "view/CTagrolView.h"

namespace tallimo {

CTagrolView::CTagrolView(Platform& platform)
    : m_platform(platform), m_trace(platform.trace, platform.clock, platform.threadId),
      m_doc(platform.ui, platform.settings, platform.clock, *this, m_trace) {
    // Tracing starts with the view and the settings are read once, here.
    m_trace.switchOn();
    m_doc.followStep(platform.step);
    m_settings = loadSettings(platform.settings);
}

int CTagrolView::openSquadRow() const {
    // Any removal of squad rows since the period was started makes the index meaningless.
    if (m_openSquadRow < 0 || m_sheet.squad.removalCount() != m_openSquadRemovals ||
        !m_sheet.squad.hasRow(m_openSquadRow)) {
        return -1;
    }
    return m_openSquadRow;
}

void CTagrolView::setOpenSquadRow(int row) {
    m_openSquadRow = row;
    m_openSquadRemovals = m_sheet.squad.removalCount();
}

} // namespace tallimo
