#include "cli/CapturingUi.h"

namespace tallimo::cli {

void CapturingUi::showMessage(const std::string& text) {
    if (m_capturing) {
        m_captured.push_back(text);
    }
    if (!m_capturing || m_alsoShown) {
        m_inner.showMessage(text);
    }
}

} // namespace tallimo::cli
