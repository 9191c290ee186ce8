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
    // Reads the states again (one request to the X server).
    void refresh();
    bool isShown() const { return m_panes[0] != nullptr; }

private:
    std::array<QLabel*, 3> m_panes{};
    // The indicator bit of each lock key, -1 where the keyboard has none.
    std::array<int, 3> m_bits{-1, -1, -1};
};

} // namespace tallimo
