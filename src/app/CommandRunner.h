#pragma once

#include "view/CommandTable.h"

#include <QObject>
#include <functional>
#include <string>

namespace tallimo {

class CTagrolView;
class Ui;

// The one door through which menus, toolbar, tray, mouse, timers and the file watcher reach the
// view. It runs one command at a time: while a command waits in a dialog, nothing else starts
// underneath it. A failure that escapes a command ends here: it is traced and shown, and the
// program goes on.
class CommandRunner {
public:
    CommandRunner(CTagrolView& view, Ui& ui);

    CommandState update(int id) const { return m_table.update(id); }

    // Runs a command of the command table; the shell's commands go to the shell hooks.
    void run(int id);
    // Runs other work on the view the same way, as one undo step of the given name (none for
    // an empty name); false when another command is still running.
    bool guarded(const std::function<void()>& work, const std::string& step = "Change");
    // As guarded, but work that finds another command running waits until that one ended.
    void guardedOrLater(std::function<void()> work, const std::string& step = "Change");
    bool isBusy() const { return m_depth > 0; }

    // The last-chance handler.
    void reportFailure(const std::string& message);

    // Shell hooks, set by the desktop.
    std::function<void()> exitProgram;
    std::function<void()> showAbout;
    std::function<void()> showBalance;
    // Print, Print Preview and Export PDF, given the command's id.
    std::function<void(int id)> report;
    // After every command: the window shows the new state.
    std::function<void()> afterCommand;
    // Whether Switch may hide the window: only where a tray icon can bring it back.
    std::function<bool()> canHideWindow;

private:
    CTagrolView& m_view;
    Ui& m_ui;
    CommandTable m_table;
    int m_depth = 0;
    // Ends the waiting of deferred work together with the runner.
    QObject m_deferred;
};

} // namespace tallimo
