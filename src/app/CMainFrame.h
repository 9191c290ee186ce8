#pragma once

#include "app/LockKeyPanes.h"

#include <QMainWindow>
#include <memory>

class QLabel;
class QMenu;
class QToolBar;

namespace tallimo {

class CTagrolView;
class CommandActions;
class CommandRunner;
class ListsWidget;

// The main window: the menu bar, the toolbar and the dialog bar, the lists, the status bar and
// the caption "<title> - Tallimo - Feature Pack 3" with the modified marker. It holds no data of
// the month: every entry asks the command table and runs the view's commands.
class CMainFrame final : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(CTagrolView& view, CommandRunner& runner);
    ~CMainFrame() override;

    ListsWidget& lists() { return *m_lists; }
    CommandActions& actions() { return *m_actions; }
    QToolBar& toolbar() { return *m_toolbar; }
    QToolBar& dialogBar() { return *m_dialogBar; }
    QLabel& todayLabel() { return *m_todayLabel; }

    // What the framework's idle time did: toolbar buttons, shown list, caption, lock panes.
    void idleUpdate();
    // Soon, once: after the events now waiting.
    void scheduleIdleUpdate();

signals:
    // The user closed the window and the document agreed.
    void closed();
    // After every idle update.
    void idle();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenuBar();
    QMenu* addMenu(QMenu* parent, const char* title, const std::vector<int>& entries);
    void fillRecentFiles(QMenu* file, QAction* before);
    void buildToolbars();
    void buildStatusBar();
    void fitToMonth();
    void updateCaption();

    CTagrolView& m_view;
    CommandRunner& m_runner;
    CommandActions* m_actions = nullptr;
    ListsWidget* m_lists = nullptr;
    QToolBar* m_toolbar = nullptr;
    QToolBar* m_dialogBar = nullptr;
    QLabel* m_todayLabel = nullptr;
    std::unique_ptr<LockKeyPanes> m_lockPanes;
    std::vector<QAction*> m_recentActions;
    bool m_idlePending = false;
};

} // namespace tallimo
