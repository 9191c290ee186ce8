#include "app/CommandActions.h"

#include "app/CommandRunner.h"
#include "platform/Encoding.h"
#include "view/CommandTable.h"
#include "view/Menus.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QWidget>

namespace tallimo {
namespace {

constexpr int kImageWidth = 16;
constexpr int kImageHeight = 15;

QString fromProgram(std::string_view text) {
    return QString::fromStdString(windows1252ToUtf8(text));
}

// The toolbar's images lie side by side in one strip, in the order of the buttons.
std::map<int, QIcon> toolbarIcons() {
    const QPixmap strip(QStringLiteral(":/tallimo/toolbar/toolbar.png"));
    std::map<int, QIcon> icons;
    int image = 0;
    for (const int id : toolbarButtons()) {
        if (id != 0) {
            icons[id] = QIcon(strip.copy(image * kImageWidth, 0, kImageWidth, kImageHeight));
            ++image;
        }
    }
    return icons;
}

} // namespace

CommandActions::CommandActions(CommandRunner& runner, QWidget* window)
    : QObject(window), m_runner(runner) {
    const std::map<int, QIcon> icons = toolbarIcons();
    for (const CommandInfo& command : CommandTable::commands()) {
        const std::string_view status = command.statusText;
        const auto lineBreak = status.find('\n');
        const QString prompt = fromProgram(status.substr(0, lineBreak));
        const QString tip = lineBreak == std::string_view::npos
                                ? QString()
                                : fromProgram(status.substr(lineBreak + 1));
        // A toolbar-only command is named by its tip.
        auto* action = new QAction(command.text.empty() ? tip : fromProgram(command.text), this);
        action->setStatusTip(prompt);
        action->setToolTip(tip);
        if (const auto icon = icons.find(command.id); icon != icons.end()) {
            action->setIcon(icon->second);
        }
        const int id = command.id;
        action->setData(id);
        // Until it is first shown; asking the table now would write the rules' trace lines.
        action->setEnabled(command.rule != EnableRule::Never);
        connect(action, &QAction::triggered, this, [this, id] { m_runner.run(id); });
        m_actions[id] = action;
    }
    for (const Accelerator& accelerator : accelerators()) {
        if (QAction* target = action(accelerator.id)) {
            auto keys = target->shortcuts();
            keys << QKeySequence(QString::fromLatin1(accelerator.keys));
            target->setShortcuts(keys);
            window->addAction(target);
        }
    }
}

QAction* CommandActions::action(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CommandActions::update(QAction* action) {
    const int id = action->data().toInt();
    if (this->action(id) != action) {
        return;
    }
    const CommandState state = m_runner.update(id);
    action->setEnabled(state.enabled);
    if (id == CommandId::Switch || id == CommandId::EditUndo || id == CommandId::EditRedo) {
        action->setText(fromProgram(state.label));
    }
}

void CommandActions::updateOnShow(QMenu* menu) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction* action : menu->actions()) {
            update(action);
        }
    });
}

} // namespace tallimo
