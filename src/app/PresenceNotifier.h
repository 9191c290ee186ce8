#pragma once

#include "view/PresenceRecorder.h"

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <map>
#include <optional>

class QSystemTrayIcon;

namespace tallimo {

// Tells the user what presence detection recorded or suggests, through the desktop's notification
// service; a suggestion carries the actions "Enter now" or "Leave now" and "Not now". Without the
// service the tray icon's message says it, and a click on the message accepts the suggestion.
class PresenceNotifier final : public QObject {
    Q_OBJECT

public:
    PresenceNotifier(std::function<QSystemTrayIcon*()> trayIcon, QObject* parent);

    void show(const PresenceNotice& notice);

    // The user took up a suggestion.
    std::function<void(const PresenceNotice&)> accepted;

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onClosed(uint id, uint reason);

private:
    void showInTray(const PresenceNotice& notice);

    QDBusConnection m_bus;
    std::function<QSystemTrayIcon*()> m_trayIcon;
    // The suggestions on the screen, by the service's id.
    std::map<uint, PresenceNotice> m_open;
    // The suggestion the tray's message shows.
    std::optional<PresenceNotice> m_trayMessage;
    QSystemTrayIcon* m_connectedIcon = nullptr;
};

} // namespace tallimo
