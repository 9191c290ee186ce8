#include "platform/qt/DbusPresenceSource.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
#include <unistd.h>

namespace tallimo {
namespace {

const QString kLogin1 = QStringLiteral("org.freedesktop.login1");
const QString kLogin1Path = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

// The services and the paths they emit ActiveChanged on (KDE uses both paths).
struct ScreenSaver {
    const char* service;
    const char* path;
};
constexpr ScreenSaver kScreenSavers[] = {
    {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver"},
    {"org.freedesktop.ScreenSaver", "/ScreenSaver"},
    {"org.gnome.ScreenSaver", "/org/gnome/ScreenSaver"},
};

// A bus that does not answer must not hold up the program's start for long.
constexpr int kCallTimeoutMs = 3000;

} // namespace

DbusPresenceSource::DbusPresenceSource(const Clock& clock, QObject* parent)
    : QObject(parent), m_clock(clock), m_system(QDBusConnection::systemBus()),
      m_session(QDBusConnection::sessionBus()) {
    const QString logind = watchLogind();
    const bool saver = watchScreenSavers();
    if (!logind.isEmpty() && !saver) {
        m_reason =
            (logind + QStringLiteral(", and no screen saver on the session bus")).toStdString();
    }
}

DbusPresenceSource::~DbusPresenceSource() = default;

QString DbusPresenceSource::watchLogind() {
    if (!m_system.isConnected()) {
        return QStringLiteral("no system bus");
    }
    QDBusMessage find;
    const QByteArray id = qgetenv("XDG_SESSION_ID");
    if (!id.isEmpty()) {
        find = QDBusMessage::createMethodCall(kLogin1, kLogin1Path, kManager,
                                              QStringLiteral("GetSession"));
        find << QString::fromLocal8Bit(id);
    } else {
        find = QDBusMessage::createMethodCall(kLogin1, kLogin1Path, kManager,
                                              QStringLiteral("GetSessionByPID"));
        find << static_cast<uint>(::getpid());
    }
    const QDBusReply<QDBusObjectPath> session = m_system.call(find, QDBus::Block, kCallTimeoutMs);
    if (!session.isValid()) {
        return QStringLiteral("no logind session (%1)").arg(session.error().message());
    }
    const QString path = session.value().path();
    m_system.connect(kLogin1, path, kSession, QStringLiteral("Lock"), this, SLOT(onLock()));
    m_system.connect(kLogin1, path, kSession, QStringLiteral("Unlock"), this, SLOT(onUnlock()));
    m_system.connect(kLogin1, path, kProperties, QStringLiteral("PropertiesChanged"), this,
                     SLOT(onSessionProperties(QString, QVariantMap, QStringList)));
    m_system.connect(kLogin1, kLogin1Path, kManager, QStringLiteral("PrepareForSleep"), this,
                     SLOT(onPrepareForSleep(bool)));
    m_system.connect(kLogin1, kLogin1Path, kManager, QStringLiteral("PrepareForShutdown"), this,
                     SLOT(onPrepareForShutdown(bool)));
    takeInhibitor();
    return {};
}

bool DbusPresenceSource::watchScreenSavers() {
    if (!m_session.isConnected()) {
        return false;
    }
    bool present = false;
    for (const ScreenSaver& saver : kScreenSavers) {
        const QString service = QString::fromLatin1(saver.service);
        m_session.connect(service, QString::fromLatin1(saver.path), service,
                          QStringLiteral("ActiveChanged"), this, SLOT(onScreenSaver(bool)));
        present = present || m_session.interface()->isServiceRegistered(service).value();
    }
    return present;
}

void DbusPresenceSource::takeInhibitor() {
    QDBusMessage inhibit =
        QDBusMessage::createMethodCall(kLogin1, kLogin1Path, kManager, QStringLiteral("Inhibit"));
    inhibit << QStringLiteral("sleep") << QStringLiteral("Tallimo")
            << QStringLiteral("Record the departure before sleeping") << QStringLiteral("delay");
    auto* watcher = new QDBusPendingCallWatcher(m_system.asyncCall(inhibit), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
                // Asleep already: holding it now would only delay the next suspend.
                if (reply.isValid() && !m_asleep) {
                    m_inhibitor = reply.value();
                }
                call->deleteLater();
            });
}

void DbusPresenceSource::onLock() {
    awayChanged(true, m_saver);
}

void DbusPresenceSource::onUnlock() {
    awayChanged(false, m_saver);
}

void DbusPresenceSource::onSessionProperties(const QString& interface, const QVariantMap& changed,
                                             const QStringList&) {
    const auto hint = changed.find(QStringLiteral("LockedHint"));
    if (interface == kSession && hint != changed.end()) {
        awayChanged(hint->toBool(), m_saver);
    }
}

void DbusPresenceSource::onScreenSaver(bool active) {
    awayChanged(m_locked, active);
}

void DbusPresenceSource::awayChanged(bool locked, bool saver) {
    const bool wasAway = m_locked || m_saver;
    const bool saverChanged = saver != m_saver;
    m_locked = locked;
    m_saver = saver;
    if (wasAway == (locked || saver)) {
        return;
    }
    if (wasAway) {
        deliver(saverChanged ? PresenceCause::ScreenSaverEnd : PresenceCause::Unlock);
    } else {
        deliver(saverChanged ? PresenceCause::ScreenSaverStart : PresenceCause::Lock);
    }
}

void DbusPresenceSource::onPrepareForSleep(bool sleeping) {
    m_asleep = sleeping;
    deliver(sleeping ? PresenceCause::Suspend : PresenceCause::Resume);
    if (sleeping) {
        // The departure is written: the machine may sleep now.
        m_inhibitor = QDBusUnixFileDescriptor();
    } else {
        takeInhibitor();
    }
}

void DbusPresenceSource::onPrepareForShutdown(bool ending) {
    if (ending) {
        deliver(PresenceCause::SessionEnd);
    }
}

void DbusPresenceSource::deliver(PresenceCause cause) {
    if (m_listener) {
        m_listener(PresenceEvent{cause, m_clock.now()});
    }
}

} // namespace tallimo
