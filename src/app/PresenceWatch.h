#pragma once

#include "platform/Clock.h"
#include "platform/PresenceSource.h"
#include "view/PresenceJournal.h"
#include "view/PresenceRecorder.h"
#include "view/Settings.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QSystemTrayIcon;

namespace tallimo {

class CTagrolView;
class CommandRunner;
class PresenceNotifier;
class SettingsStore;

// Presence detection in the running desktop: watches the session while the setting Presence is
// not off, hands every arrival and departure to the recorder as one named undo step through the
// command runner, wakes up once when a pending away period becomes a departure, and announces
// what was recorded or suggested. Its tray entry "Record automatically" switches the mode.
class PresenceWatch final : public QObject {
    Q_OBJECT

public:
    using SourceFactory = std::function<std::unique_ptr<PresenceSource>()>;

    PresenceWatch(CTagrolView& view, CommandRunner& runner, SettingsStore& settings,
                  const Clock& clock, SourceFactory makeSource,
                  std::function<QSystemTrayIcon*()> trayIcon, QObject* parent);
    ~PresenceWatch() override;

    // The program started at that moment: an arrival.
    void start(Instant startedAt);
    // Starts or stops watching as the setting now says.
    void follow();
    // The session ends: the departure is written before the program ends.
    void sessionEnds();

    // Why no source of the session can be watched; empty while one is, or while off.
    const std::string& unavailableReason() const { return m_reason; }
    // The tray's "Record automatically": checked while Presence is auto.
    QAction* recordAutomatically() const { return m_automatic; }

private:
    void handle(const PresenceEvent& event);
    void settle();
    void accept(const PresenceNotice& suggestion);
    void announce(const std::vector<PresenceNotice>& notices);
    void arm();
    void setAutomatic(bool on);
    void noteUnavailable();

    CTagrolView& m_view;
    CommandRunner& m_runner;
    SettingsStore& m_settings;
    const Clock& m_clock;
    SourceFactory m_makeSource;
    PresenceJournal m_journal;
    PresenceRecorder m_recorder;
    std::unique_ptr<PresenceSource> m_source;
    PresenceNotifier* m_notifier;
    QTimer m_deadline;
    QAction* m_automatic;
    std::string m_reason;
    bool m_starting = false;
    // What unchecking "Record automatically" goes back to.
    PresenceMode m_manualMode = PresenceMode::Suggest;
};

} // namespace tallimo
