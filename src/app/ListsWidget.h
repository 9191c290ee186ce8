#pragma once

#include <QWidget>

class QStackedLayout;

namespace tallimo {

class CCellListCtrl;
class CTagrolView;
class CommandRunner;

// The view's area of the main window: the work list and the squad list, one shown at a time as
// the view says. The lists' mouse and editing signals become the view's commands here.
class ListsWidget final : public QWidget {
    Q_OBJECT

public:
    ListsWidget(CTagrolView& view, CommandRunner& runner, QWidget* parent = nullptr);

    CCellListCtrl& list(bool work) { return work ? *m_work : *m_squad; }
    CCellListCtrl& shownList();
    // Shows the list the view has chosen.
    void followView();

private:
    void connectList(CCellListCtrl& list);
    void rightButtonPressed(CCellListCtrl& list);
    void showContextMenu(QPoint globalPosition);
    void editAccepted(int row, int column);

    CTagrolView& m_view;
    CommandRunner& m_runner;
    CCellListCtrl* m_work = nullptr;
    CCellListCtrl* m_squad = nullptr;
    QStackedLayout* m_stack = nullptr;
};

} // namespace tallimo
