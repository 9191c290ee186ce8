#pragma once

#include <QObject>
#include <map>

class QAction;
class QMenu;
class QWidget;

namespace tallimo {

class CommandRunner;

// One QAction per command of the command table, shared by the menu bar, the toolbar and the tray
// popup, with the texts, tips, prompts, accelerators and toolbar images of its command.
// Triggering runs the command; the enabled state and label are asked of the command table each
// time an action is shown.
class CommandActions final : public QObject {
    Q_OBJECT

public:
    // The accelerators act in `window`.
    CommandActions(CommandRunner& runner, QWidget* window);

    // nullptr for an id without a command.
    QAction* action(int id) const;
    // Asks the command table for the action's enabled state and label.
    void update(QAction* action);
    // Updates a menu's entries as it opens.
    void updateOnShow(QMenu* menu);

private:
    CommandRunner& m_runner;
    std::map<int, QAction*> m_actions;
};

} // namespace tallimo
