#include "app/CTagrolApp.h"

#include "app/BalanceField.h"
#include "app/BalanceWindow.h"
#include "app/CMainFrame.h"
#include "app/CTrayNotifyIcon.h"
#include "app/DiskWatcher.h"
#include "app/ListsWidget.h"
#include "app/PresenceWatch.h"
#include "app/QtDialogs.h"
#include "app/ReportPrinting.h"
#include "app/SessionEnd.h"
#include "app/SingleInstance.h"
#include "app/TodayBar.h"
#include "app/TrayWatch.h"
#include "app/WindowState.h"
#include "controls/CCellListCtrl.h"
#include "platform/Encoding.h"
#include "platform/posix/PluginFolder.h"
#include "platform/qt/DbusPresenceSource.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QSessionManager>
#include <QStatusBar>
#include <QTimer>
#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace tallimo {

CTagrolApp::CTagrolApp(SettingsStore& settings, TraceSink& trace, DesktopStart start)
    : m_settings(settings), m_start(std::move(start)),
      m_timers([this](unsigned id) { m_runner.guarded([this, id] { m_view.OnTimer(id); }); }),
      m_platform{m_ui, settings, m_clock, m_timers, trace, m_libraries}, m_view(m_platform),
      m_runner(m_view, m_ui) {
    // An empty plug-in folder in the options means the plug-ins that come with the program.
    m_platform.bundledPlugInDir = bundledPluginFolder();
    m_startedAt = m_clock.now();
}

CTagrolApp::~CTagrolApp() = default;

bool CTagrolApp::InitInstance() {
    m_view.document().OnNewDocument();
    m_view.document().offerRecovery(true);
    m_frame = std::make_unique<CMainFrame>(m_view, m_runner);
    // Message boxes shown while the window hides in the tray carry the icon too.
    QApplication::setWindowIcon(m_frame->windowIcon());
    m_ui.setMainWindow(m_frame.get());
    m_ui.setCellEditor([this](bool workList, int row, int column) {
        m_frame->lists().list(workList).EditCell(row, column);
    });
    // Closing asks the document, which is a command of its own: it runs once Exit has ended.
    m_runner.exitProgram = [this] {
        QMetaObject::invokeMethod(m_frame.get(), &QWidget::close, Qt::QueuedConnection);
    };
    m_runner.showAbout = [this] { execAboutBox(m_frame.get()); };
    m_runner.afterCommand = [this] { m_frame->idleUpdate(); };
    m_runner.canHideWindow = [this] { return m_tray != nullptr && m_tray->isCreated(); };

    m_runner.guarded([this] { m_view.OnInitialUpdate(); });
    if (m_start.file) {
        bool loaded = false;
        m_runner.guarded([this, &loaded] { openFromCommandLine(*m_start.file, loaded); });
        if (!loaded) {
            return false;
        }
    }
    restoreWindowState(m_settings, *m_frame, m_view);
    // The window is shown first; the icon, the watcher and the tray's question follow at once.
    if (m_start.hidden) {
        createTray();
    }
    if (m_start.hidden && m_tray->isCreated()) {
        // Hidden as Switch hides it, so that the tray's Switch reads "Show".
        m_runner.run(CommandId::Switch);
    } else {
        m_frame->show();
    }
    if (m_tray == nullptr) {
        createTray();
    }
    if (!m_tray->isCreated()) {
        // Started at login before the panel: the icon docks once a notification area appears.
        m_trayWatch = new TrayWatch(m_frame.get());
        connect(m_trayWatch, &TrayWatch::mayHaveAppeared, this, &CTagrolApp::trayMayHaveAppeared);
    }
    m_watcher = new DiskWatcher(m_view, m_runner, m_frame->lists(), m_ui, m_frame.get());
    connect(m_frame.get(), &CMainFrame::idle, m_watcher, &DiskWatcher::follow);
    m_watcher->follow();
    m_balance = new BalanceField(m_view, m_settings, *m_frame->statusBar(), m_frame.get());
    connect(m_frame.get(), &CMainFrame::idle, m_balance, [this] { m_balance->refresh(); });
    // The months of the folder are read once the window is on the screen.
    QTimer::singleShot(0, m_balance, [this] { m_balance->refresh(true); });
    m_runner.showBalance = [this] { showBalanceWindow(); };
    m_reportPrinting = std::make_unique<ReportPrinting>(m_view, m_platform, m_frame.get());
    m_runner.report = [this](int id) { m_reportPrinting->run(id); };
    connect(m_frame.get(), &CMainFrame::closed, this, [this] {
        saveWindowState(m_settings, *m_frame, m_view);
        emit finished();
    });
    watchSessionEnd();
    watchPresence();
    m_today = new TodayBar(m_view, m_clock, m_frame->todayLabel(), *m_frame);
    connect(m_frame.get(), &CMainFrame::idle, m_today, &TodayBar::refresh);
    return true;
}

void CTagrolApp::watchSessionEnd() {
    m_sessionEnd = new SessionEnd(m_view.document(), m_frame.get());
    m_sessionEnd->quit = [this] {
        saveWindowState(m_settings, *m_frame, m_view);
        m_settings.sync();
        // A command waiting in a dialog would go on once its loop ended, and might drop the
        // changes now kept: the program ends here instead.
        if (m_runner.isBusy()) {
            std::_Exit(0);
        }
        emit finished();
    };
    connect(qApp, &QGuiApplication::commitDataRequest, m_sessionEnd,
            [this](QSessionManager& manager) {
                if (!m_sessionEnd->commitData(manager.allowsInteraction())) {
                    manager.cancel();
                }
                manager.release();
            });
}

void CTagrolApp::watchPresence() {
    m_presence = new PresenceWatch(
        m_view, m_runner, m_settings, m_clock,
        [this] { return std::make_unique<DbusPresenceSource>(m_clock); },
        [this] { return m_tray != nullptr ? m_tray->icon() : nullptr; }, m_frame.get());
    m_platform.presenceUnavailable = [this] { return m_presence->unavailableReason(); };
    m_tray->popup()->addSeparator();
    m_tray->popup()->addAction(m_presence->recordAutomatically());
    // A change of the setting, by the options or another program, ends in an idle update.
    connect(m_frame.get(), &CMainFrame::idle, m_presence, &PresenceWatch::follow);
    // The departure is in the month before the recovery copy is kept and the program ends.
    m_sessionEnd->departing = [this] { m_presence->sessionEnds(); };
    m_presence->start(m_startedAt);
}

void CTagrolApp::createTray() {
    m_tray = new CTrayNotifyIcon(m_start.trayAvailable(), m_frame->actions(), m_runner,
                                 m_view.trace(), m_frame.get());
}

void CTagrolApp::trayMayHaveAppeared() {
    if (m_tray->isCreated() || !m_start.trayAvailable()) {
        return;
    }
    m_tray->dock();
    if (m_trayWatch != nullptr) {
        m_trayWatch->deleteLater();
        m_trayWatch = nullptr;
    }
    if (m_start.hidden && !m_view.isMainWindowHidden()) {
        // Hidden as Switch hides it, so that the tray's Switch reads "Show".
        m_runner.guardedOrLater([this] { m_view.OnSwitch(); }, {});
    }
}

void CTagrolApp::openFromCommandLine(const std::string& file, bool& loaded) {
    loaded = m_view.document().openStep(file).done();
    if (loaded) {
        m_view.document().SetTitle(std::filesystem::path(file).filename().string());
    }
}

void CTagrolApp::listenTo(SingleInstance& instance) {
    connect(&instance, &SingleInstance::handedOver, this, [this](const QByteArray& file) {
        const std::string path = file.toStdString();
        m_runner.guardedOrLater([this, path] {
            bringToFront();
            if (!path.empty()) {
                bool loaded = false;
                openFromCommandLine(path, loaded);
            }
        });
    });
}

void CTagrolApp::settingsChanged() {
    m_runner.guardedOrLater([this] { m_view.reloadSettings(); });
}

void CTagrolApp::warn(const std::string& text) {
    // Shown from the event loop: the warning may come from inside a command.
    std::string sentence = text;
    if (!sentence.empty()) {
        sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
    }
    QTimer::singleShot(0, this,
                       [this, sentence] { m_ui.showMessage(utf8ToWindows1252(sentence)); });
}

void CTagrolApp::showBalanceWindow() {
    m_balance->refresh(true);
    if (m_balanceWindow == nullptr) {
        m_balanceWindow = new BalanceWindow(*m_balance, m_ui, m_frame.get());
    }
    m_balanceWindow->show();
    m_balanceWindow->raise();
    m_balanceWindow->activateWindow();
}

void CTagrolApp::bringToFront() {
    if (m_view.isMainWindowHidden()) {
        m_view.OnSwitch();
    } else {
        m_ui.setMainWindowVisible(true);
    }
}

} // namespace tallimo
