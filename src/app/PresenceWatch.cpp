#include "app/PresenceWatch.h"

#include "app/CommandRunner.h"
#include "app/PresenceNotifier.h"
#include "platform/posix/IniSettingsStore.h"
#include "view/CTagrolView.h"

#include <QAction>
#include <QDateTime>
#include <algorithm>

namespace tallimo {
namespace {

std::string stepName(PresenceCause cause) {
    return isArrival(cause) ? "Record arrival" : "Record departure";
}

} // namespace

PresenceWatch::PresenceWatch(CTagrolView& view, CommandRunner& runner, SettingsStore& settings,
                             const Clock& clock, SourceFactory makeSource,
                             std::function<QSystemTrayIcon*()> trayIcon, QObject* parent)
    : QObject(parent), m_view(view), m_runner(runner), m_settings(settings), m_clock(clock),
      m_makeSource(std::move(makeSource)), m_journal(presenceJournalPath()),
      m_recorder(view, m_journal), m_notifier(new PresenceNotifier(std::move(trayIcon), this)),
      m_automatic(new QAction(QStringLiteral("Record automatically"), this)) {
    m_notifier->accepted = [this](const PresenceNotice& notice) { accept(notice); };
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &PresenceWatch::settle);
    m_automatic->setObjectName(QStringLiteral("RecordAutomatically"));
    m_automatic->setCheckable(true);
    m_automatic->setStatusTip(
        QStringLiteral("Records arrivals and departures from the session without asking"));
    connect(m_automatic, &QAction::triggered, this, &PresenceWatch::setAutomatic);
}

PresenceWatch::~PresenceWatch() = default;

void PresenceWatch::start(Instant startedAt) {
    m_starting = true;
    follow();
    m_starting = false;
    if (m_source) {
        handle({PresenceCause::Start, startedAt});
        noteUnavailable();
    }
}

void PresenceWatch::noteUnavailable() {
    if (!m_reason.empty()) {
        // The program's own start and end still count; the journal says what is missing.
        m_runner.guardedOrLater([this] { m_recorder.noteUnavailable(m_clock.now(), m_reason); },
                                {});
    }
}

void PresenceWatch::follow() {
    const PresenceMode mode = m_view.settings().presence;
    m_automatic->setChecked(mode == PresenceMode::Auto);
    if (mode != PresenceMode::Auto) {
        m_manualMode = mode;
    }
    if (mode == PresenceMode::Off) {
        if (m_source) {
            // Ended from the event loop: this may run inside one of the source's own signals.
            QTimer::singleShot(0, this, [ended = std::shared_ptr(std::move(m_source))] {});
        }
        m_deadline.stop();
        m_reason.clear();
        return;
    }
    if (m_source) {
        // The minimum may have changed.
        arm();
        return;
    }
    m_source = m_makeSource();
    m_source->setListener([this](const PresenceEvent& event) { handle(event); });
    m_reason = m_source->unavailableReason();
    if (!m_starting) {
        noteUnavailable();
    }
    arm();
}

void PresenceWatch::sessionEnds() {
    if (m_view.settings().presence != PresenceMode::Off) {
        handle({PresenceCause::SessionEnd, m_clock.now()});
    }
}

void PresenceWatch::handle(const PresenceEvent& event) {
    const auto work = [this, event] {
        announce(m_recorder.handle(event));
        arm();
    };
    if (!m_runner.guarded(work, stepName(event.cause))) {
        // The machine sleeps or the session ends before a dialog would close: written now.
        if (endsAtOnce(event.cause)) {
            work();
        } else {
            m_runner.guardedOrLater(work, stepName(event.cause));
        }
    }
}

void PresenceWatch::settle() {
    m_runner.guardedOrLater(
        [this] {
            announce(m_recorder.settle(m_clock.now()));
            arm();
        },
        stepName(PresenceCause::Lock));
}

void PresenceWatch::accept(const PresenceNotice& suggestion) {
    m_runner.guardedOrLater([this, suggestion] { announce({m_recorder.accept(suggestion)}); },
                            stepName(suggestion.cause));
}

void PresenceWatch::announce(const std::vector<PresenceNotice>& notices) {
    for (const PresenceNotice& notice : notices) {
        m_view.trace().write(TraceModule::App, "Presence: " + notice.text);
        m_notifier->show(notice);
    }
}

// One wake-up when the away period becomes a departure, none while nothing is pending.
void PresenceWatch::arm() {
    const auto due = m_recorder.deadline();
    if (!due) {
        m_deadline.stop();
        return;
    }
    const qint64 wait = *due * 1000 - QDateTime::currentMSecsSinceEpoch();
    m_deadline.start(static_cast<int>(std::clamp<qint64>(wait, 0, INT32_MAX)));
}

void PresenceWatch::setAutomatic(bool on) {
    const PresenceMode mode = on ? PresenceMode::Auto : m_manualMode;
    m_runner.guardedOrLater(
        [this, mode] {
            m_settings.setString(kSettingsSection, kPresenceKey, presenceModeWord(mode));
            m_settings.sync();
            m_view.reloadSettings();
        },
        {});
}

} // namespace tallimo
