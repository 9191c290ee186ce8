#pragma once

#include <array>

class QLabel;
class QStatusBar;

namespace tallimo {

// The status bar's CAP, NUM and SCRL panes. They exist only where the windowing system tells the
// lock keys' states (X11); elsewhere they are left out rather than shown wrong.
class LockKeyPanes {
public:
    explicit LockKeyPanes(QStatusBar& bar);
    // Reads the states again.
    void refresh();
    bool isShown() const { return m_panes[0] != nullptr; }

private:
    std::array<QLabel*, 3> m_panes{};
};

} // namespace tallimo
