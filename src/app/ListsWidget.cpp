#include "app/ListsWidget.h"

#include "app/CommandRunner.h"
#include "controls/CCellListCtrl.h"
#include "document/CellLook.h"
#include "platform/Encoding.h"
#include "view/CTagrolView.h"
#include "view/Menus.h"

#include <QAction>
#include <QMenu>
#include <QStackedLayout>
#include <vector>

namespace tallimo {

ListsWidget::ListsWidget(CTagrolView& view, CommandRunner& runner, QWidget* parent)
    : QWidget(parent), m_view(view), m_runner(runner),
      m_work(new CCellListCtrl(view.sheet().work, kWorkColumns, this)),
      m_squad(new CCellListCtrl(view.sheet().squad, kSquadColumns, this)),
      m_stack(new QStackedLayout(this)) {
    m_work->setEmptyPicture(true);
    // The work model names its holidays in their days' empty Comment cells.
    m_work->setCellHint([&view](int row, int column) {
        return cellHint(view.sheet().work, row, column, view.workCalendar());
    });
    // A period's description takes the rest of the width.
    m_squad->setLastColumnFills(true);
    m_stack->addWidget(m_work);
    m_stack->addWidget(m_squad);
    connectList(*m_work);
    connectList(*m_squad);
    followView();
}

CCellListCtrl& ListsWidget::shownList() {
    return list(m_view.isWorkListVisible());
}

void ListsWidget::followView() {
    CCellListCtrl& shown = shownList();
    if (m_stack->currentWidget() == &shown) {
        return;
    }
    const bool hadFocus =
        m_stack->currentWidget() != nullptr && m_stack->currentWidget()->hasFocus();
    m_stack->setCurrentWidget(&shown);
    if (hadFocus) {
        shown.setFocus();
    }
}

void ListsWidget::connectList(CCellListCtrl& list) {
    connect(&list, &CCellListCtrl::leftButtonDoubleClicked, this,
            [this] { m_runner.guarded([this] { m_view.OnLButtonDblClk(); }); });
    connect(&list, &CCellListCtrl::rightButtonPressed, this,
            [this, &list] { rightButtonPressed(list); });
    connect(&list, &CCellListCtrl::rightButtonReleased, this, &ListsWidget::showContextMenu);
    connect(&list, &CCellListCtrl::editAccepted, this, &ListsWidget::editAccepted);
}

void ListsWidget::rightButtonPressed(CCellListCtrl& list) {
    const auto [row, column] = list.HitTestCell();
    m_runner.guarded([this, row = row, column = column] { m_view.OnRButtonDown(row, column); });
}

void ListsWidget::showContextMenu(QPoint globalPosition) {
    if (m_runner.isBusy()) {
        return;
    }
    const auto items =
        contextMenu(m_view.isWorkListVisible(), m_view.visibleList().selectedCount());
    QMenu menu(this);
    const auto fill = [](QMenu& target, const std::vector<MenuItem>& entries, auto& self) -> void {
        for (const MenuItem& item : entries) {
            const QString text = QString::fromStdString(windows1252ToUtf8(item.text));
            if (!item.submenu.empty()) {
                self(*target.addMenu(text), item.submenu, self);
            } else if (item.id == 0) {
                target.addSeparator();
            } else {
                QAction* action = target.addAction(text);
                action->setData(item.id);
                action->setEnabled(!item.greyed);
            }
        }
    };
    fill(menu, items, fill);
    if (const QAction* chosen = menu.exec(globalPosition)) {
        m_runner.run(chosen->data().toInt());
    }
}

void ListsWidget::editAccepted(int row, int column) {
    // The cell that was written is the one Refresh recomputes and saves, wherever the editor
    // was opened from. An edit that ends while a command waits in a dialog is refreshed after it.
    const auto refresh = [this, row, column] {
        m_view.rememberCell(row, column);
        m_view.OnRefresh();
    };
    m_runner.guardedOrLater(refresh);
}

} // namespace tallimo
