#pragma once

#include "app/CommandRunner.h"
#include "app/QtUi.h"
#include "platform/Clock.h"
#include "platform/posix/DlLibraryLoader.h"
#include "platform/qt/QtTimers.h"
#include "view/CTagrolView.h"
#include "view/Platform.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tallimo {

class BalanceField;
class BalanceWindow;
class CMainFrame;
class CTrayNotifyIcon;
class DiskWatcher;
class ReportPrinting;
class PresenceWatch;
class SessionEnd;
class TodayBar;
class TrayWatch;
class SingleInstance;

struct DesktopStart {
    std::optional<std::string> file;
    bool hidden = false;
    // Whether the desktop has a notification area; a fact of the environment, asked only when
    // the icon is made (the question costs a start-up some milliseconds).
    std::function<bool()> trayAvailable = [] { return false; };
};

// The application: the seams' adapters, the view, the main window, the tray icon and the file
// watcher, put together and started as the program starts.
class CTagrolApp final : public QObject {
    Q_OBJECT

public:
    CTagrolApp(SettingsStore& settings, TraceSink& trace, DesktopStart start);
    ~CTagrolApp() override;

    // Makes the window and opens what the settings and the command line ask for; false when the
    // FILE of the command line was refused (the user has seen why), and the program ends.
    bool InitInstance();
    // A later start handed over its file: the window comes to the front and opens it.
    void listenTo(SingleInstance& instance);
    // Another program changed the settings file: the view takes its values.
    void settingsChanged();
    // A notification area may have appeared: the icon docks, and a hidden start hides its window.
    void trayMayHaveAppeared();
    // A problem the user must know of but that stops nothing (UTF-8 text).
    void warn(const std::string& text);

    CTagrolView& view() { return m_view; }
    CMainFrame& frame() { return *m_frame; }
    CommandRunner& runner() { return m_runner; }
    CTrayNotifyIcon* tray() { return m_tray; }
    QtTimers& timers() { return m_timers; }
    BalanceField* balanceField() { return m_balance; }
    BalanceWindow* balanceWindow() { return m_balanceWindow; }
    SessionEnd* sessionEnd() { return m_sessionEnd; }
    TodayBar* todayBar() { return m_today; }
    PresenceWatch* presence() { return m_presence; }

signals:
    // The main window was closed: the program is done.
    void finished();

private:
    void openFromCommandLine(const std::string& file, bool& loaded);
    void createTray();
    void watchSessionEnd();
    void watchPresence();
    void bringToFront();
    void showBalanceWindow();

    SettingsStore& m_settings;
    DesktopStart m_start;
    QtUi m_ui;
    SystemClock m_clock;
    QtTimers m_timers;
    DlLibraryLoader m_libraries;
    Platform m_platform;
    CTagrolView m_view;
    CommandRunner m_runner;
    std::unique_ptr<CMainFrame> m_frame;
    CTrayNotifyIcon* m_tray = nullptr;
    DiskWatcher* m_watcher = nullptr;
    BalanceField* m_balance = nullptr;
    BalanceWindow* m_balanceWindow = nullptr;
    std::unique_ptr<ReportPrinting> m_reportPrinting;
    SessionEnd* m_sessionEnd = nullptr;
    TodayBar* m_today = nullptr;
    // The program's start is the first arrival of a day it was started on.
    Instant m_startedAt = 0;
    PresenceWatch* m_presence = nullptr;
    // While the desktop has no notification area.
    TrayWatch* m_trayWatch = nullptr;
};

} // namespace tallimo
