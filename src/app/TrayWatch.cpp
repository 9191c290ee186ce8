#include "app/TrayWatch.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QSocketNotifier>

#if defined(TALLIMO_HAVE_X11)
#include <X11/Xlib.h>
#endif

namespace tallimo {

TrayWatch::TrayWatch(QObject* parent) : QObject(parent) {
    auto* watcher = new QDBusServiceWatcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                                            QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayWatch::mayHaveAppeared);
    watchX11();
}

TrayWatch::~TrayWatch() {
#if defined(TALLIMO_HAVE_X11)
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
#endif
}

void TrayWatch::watchX11() {
#if defined(TALLIMO_HAVE_X11)
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) {
        return;
    }
    // A connection of its own: selecting on the root window through Qt's would replace the
    // events Qt itself selected there.
    m_display = XOpenDisplay(DisplayString(x11->display()));
    if (m_display == nullptr) {
        return;
    }
    const int screen = DefaultScreen(m_display);
    m_manager = XInternAtom(m_display, "MANAGER", False);
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
    m_selection = XInternAtom(m_display, selection.c_str(), False);
    XSelectInput(m_display, RootWindow(m_display, screen), StructureNotifyMask);
    XFlush(m_display);
    auto* notifier = new QSocketNotifier(ConnectionNumber(m_display), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TrayWatch::readX11);
#endif
}

void TrayWatch::readX11() {
#if defined(TALLIMO_HAVE_X11)
    bool appeared = false;
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        appeared =
            appeared || (event.type == ClientMessage && event.xclient.message_type == m_manager &&
                         static_cast<unsigned long>(event.xclient.data.l[1]) == m_selection);
    }
    if (appeared) {
        emit mayHaveAppeared();
    }
#endif
}

} // namespace tallimo
