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

std::array<int, 3> indicatorBits() {
    std::array<int, 3> bits{-1, -1, -1};
    Display* display = x11Display();
    if (display == nullptr) {
        return bits;
    }
    std::array<char*, 3> names{};
    for (std::size_t i = 0; i < kLocks.size(); ++i) {
        names[i] = const_cast<char*>(kLocks[i].indicator);
    }
    std::array<Atom, 3> atoms{};
    XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, atoms.data());
    for (std::size_t i = 0; i < kLocks.size(); ++i) {
        int index = -1;
        if (XkbGetNamedIndicator(display, atoms[i], &index, nullptr, nullptr, nullptr)) {
            bits[i] = index;
        }
    }
    return bits;
}

std::optional<unsigned> indicatorState() {
    Display* display = x11Display();
    unsigned state = 0;
    if (display == nullptr || XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success) {
        return std::nullopt;
    }
    return state;
}
#else
std::array<int, 3> indicatorBits() {
    return {-1, -1, -1};
}
std::optional<unsigned> indicatorState() {
    return std::nullopt;
}
#endif

} // namespace

LockKeyPanes::LockKeyPanes(QStatusBar& bar) : m_bits(indicatorBits()) {
    if (m_bits == std::array<int, 3>{-1, -1, -1}) {
        return;
    }
    for (QLabel*& pane : m_panes) {
        pane = new QLabel(&bar);
        pane->setAlignment(Qt::AlignCenter);
        // Wide enough for the text while the key is off too, so the panes never jump.
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        bar.addPermanentWidget(pane);
    }
}

void LockKeyPanes::refresh() {
    if (!isShown()) {
        return;
    }
    const unsigned state = indicatorState().value_or(0);
    for (std::size_t i = 0; i < kLocks.size(); ++i) {
        const bool on = m_bits[i] >= 0 && (state & (1u << m_bits[i])) != 0;
        m_panes[i]->setText(on ? QString::fromLatin1(kLocks[i].pane) : QString());
    }
}

} // namespace tallimo
