#include "app/LockKeyPanes.h"

#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <optional>

#if defined(TALLIMO_HAVE_X11)
#include <X11/XKBlib.h>
#endif

namespace tallimo {
namespace {

struct Lock {
    const char* pane;
    const char* indicator;
};
constexpr std::array<Lock, 3> kLocks = {
    {{"CAP", "Caps Lock"}, {"NUM", "Num Lock"}, {"SCRL", "Scroll Lock"}}};

#if defined(TALLIMO_HAVE_X11)
Display* x11Display() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->display() : nullptr;
}

std::optional<bool> lockState(const char* indicator) {
    Display* display = x11Display();
    if (display == nullptr) {
        return std::nullopt;
    }
    Bool on = False;
    const Atom name = XInternAtom(display, indicator, False);
    if (!XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr)) {
        return std::nullopt;
    }
    return on == True;
}
#else
std::optional<bool> lockState(const char*) {
    return std::nullopt;
}
#endif

} // namespace

LockKeyPanes::LockKeyPanes(QStatusBar& bar) {
    if (!lockState(kLocks[0].indicator)) {
        return;
    }
    for (std::size_t i = 0; i < kLocks.size(); ++i) {
        auto* pane = new QLabel(&bar);
        pane->setAlignment(Qt::AlignCenter);
        // Wide enough for the text while the key is off too, so the panes never jump.
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        bar.addPermanentWidget(pane);
        m_panes[i] = pane;
    }
    refresh();
}

void LockKeyPanes::refresh() {
    for (std::size_t i = 0; i < kLocks.size(); ++i) {
        if (m_panes[i] != nullptr) {
            const bool on = lockState(kLocks[i].indicator).value_or(false);
            m_panes[i]->setText(on ? QString::fromLatin1(kLocks[i].pane) : QString());
        }
    }
}

} // namespace tallimo
