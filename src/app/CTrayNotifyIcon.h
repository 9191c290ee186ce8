#pragma once

#include <QObject>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace tallimo {

class CommandActions;
class CommandRunner;
class TraceLog;

// The icon in the notification area with its popup "Switch" (bold), "Enter", "Left"; a double
// click runs Switch. It lives as long as the main window, its parent. Where the desktop has no
// notification area the program runs without it and says so in the trace.
class CTrayNotifyIcon final : public QObject {
    Q_OBJECT

public:
    CTrayNotifyIcon(bool trayAvailable, CommandActions& actions, CommandRunner& runner,
                    TraceLog& trace, QObject* parent);
    ~CTrayNotifyIcon() override;

    // The icon was added to the notification area.
    bool isCreated() const { return m_icon != nullptr; }
    // A notification area appeared after the start: the icon is added to it.
    void dock();
    QSystemTrayIcon* icon() const { return m_icon; }
    QMenu* popup() const { return m_popup.get(); }

private:
    CommandRunner& m_runner;
    std::unique_ptr<QMenu> m_popup;
    QSystemTrayIcon* m_icon = nullptr;
};

} // namespace tallimo
