#pragma once

#include "platform/Clock.h"
#include "platform/PresenceSource.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace tallimo {

// Watches logind on the system bus (the session's lock and unlock, suspend and resume, shutdown)
// and the screen savers on the session bus, and hands each change on as an arrival or a departure
// stamped with the moment it was seen. A lock and a screen saver reported together are one
// departure. While logind is watched, a delay inhibitor for sleep is held, so that the departure
// of a suspend is written before the machine sleeps; it is released once the listener returned.
class DbusPresenceSource final : public QObject, public PresenceSource {
    Q_OBJECT

public:
    DbusPresenceSource(const Clock& clock, QObject* parent = nullptr);
    ~DbusPresenceSource() override;

    void setListener(Listener listener) override { m_listener = std::move(listener); }
    std::string unavailableReason() const override { return m_reason; }

private slots:
    void onLock();
    void onUnlock();
    void onSessionProperties(const QString& interface, const QVariantMap& changed,
                             const QStringList& invalidated);
    void onPrepareForSleep(bool sleeping);
    void onPrepareForShutdown(bool ending);
    void onScreenSaver(bool active);

private:
    // Empty when the session was found and its signals are connected; otherwise why not.
    QString watchLogind();
    // Whether a screen saver is there now (its signals are connected anyway: it may come later).
    bool watchScreenSavers();
    void takeInhibitor();
    void awayChanged(bool locked, bool saver);
    void deliver(PresenceCause cause);

    const Clock& m_clock;
    QDBusConnection m_system;
    QDBusConnection m_session;
    Listener m_listener;
    std::string m_reason;
    bool m_locked = false;
    bool m_saver = false;
    bool m_asleep = false;
    QDBusUnixFileDescriptor m_inhibitor;
};

} // namespace tallimo
