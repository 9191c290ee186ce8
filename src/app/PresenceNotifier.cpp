#include "app/PresenceNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QSystemTrayIcon>

namespace tallimo {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kRecord = QStringLiteral("record");
const QString kDismiss = QStringLiteral("dismiss");
constexpr int kTrayMessageMs = 10000;

} // namespace

PresenceNotifier::PresenceNotifier(std::function<QSystemTrayIcon*()> trayIcon, QObject* parent)
    : QObject(parent), m_bus(QDBusConnection::sessionBus()), m_trayIcon(std::move(trayIcon)) {
    m_bus.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), this,
                  SLOT(onClosed(uint, uint)));
}

void PresenceNotifier::show(const PresenceNotice& notice) {
    if (!m_bus.isConnected()) {
        showInTray(notice);
        return;
    }
    QStringList actions;
    if (notice.suggestion) {
        actions << kRecord
                << (notice.arrival ? QStringLiteral("Enter now") : QStringLiteral("Leave now"))
                << kDismiss << QStringLiteral("Not now");
    }
    QDBusMessage notify =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    // A suggestion stays until it is answered; a recording goes as the server sees fit.
    notify << QStringLiteral("Tallimo") << 0u << QStringLiteral("com.morvane.Tallimo")
           << QStringLiteral("Tallimo") << QString::fromStdString(notice.text) << actions
           << QVariantMap() << (notice.suggestion ? 0 : -1);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, notice](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<uint> reply = *call;
                if (!reply.isValid()) {
                    showInTray(notice);
                } else if (notice.suggestion) {
                    m_open[reply.value()] = notice;
                }
                call->deleteLater();
            });
}

void PresenceNotifier::onActionInvoked(uint id, const QString& action) {
    const auto open = m_open.find(id);
    if (open == m_open.end()) {
        return;
    }
    const PresenceNotice notice = open->second;
    m_open.erase(open);
    if (action == kRecord && accepted) {
        accepted(notice);
    }
}

void PresenceNotifier::onClosed(uint id, uint) {
    m_open.erase(id);
}

void PresenceNotifier::showInTray(const PresenceNotice& notice) {
    QSystemTrayIcon* icon = m_trayIcon();
    if (icon == nullptr) {
        return;
    }
    if (icon != m_connectedIcon) {
        m_connectedIcon = icon;
        connect(icon, &QSystemTrayIcon::messageClicked, this, [this] {
            if (m_trayMessage && accepted) {
                const PresenceNotice clicked = *m_trayMessage;
                m_trayMessage.reset();
                accepted(clicked);
            }
        });
    }
    m_trayMessage.reset();
    if (notice.suggestion) {
        m_trayMessage = notice;
    }
    const QString click =
        notice.suggestion ? QStringLiteral(" Click here to record it.") : QString();
    icon->showMessage(QStringLiteral("Tallimo"), QString::fromStdString(notice.text) + click,
                      QSystemTrayIcon::Information, kTrayMessageMs);
}

} // namespace tallimo
