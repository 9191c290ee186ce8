#pragma once

#include "document/CellTable.h"
#include "document/TimeSheet.h"

#include <QIcon>
#include <QPersistentModelIndex>
#include <QPoint>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <span>
#include <string>
#include <utility>

namespace tallimo {

class CCellEdit;
class CellTableModel;

// One table of the time sheet on screen: a view over the CellTable itself (no copy), drawn with
// the cells' records, with the in-place editor. Mouse presses go to the owner as signals; the
// owner (the view's widget) turns them into the view's commands. The selection shown is written
// into the table's selection, which the commands read. The table must outlive the list.
class CCellListCtrl : public QTableView {
    Q_OBJECT

public:
    CCellListCtrl(CellTable& table, std::span<const ColumnSpec> columns, QWidget* parent = nullptr);
    ~CCellListCtrl() override;

    CellTable& table() { return m_table; }

    // While on and the table has no rows, the picture and the hint are painted instead.
    void setEmptyPicture(bool on);
    // While on, the last column fills the rest of the width, never narrower than its header.
    void setLastColumnFills(bool on);

    // The text an empty cell shows greyed in its place; see CellDelegate.
    void setCellHint(std::function<std::string(int row, int column)> hint);

    // The row and column under the last left or right press; row -1 when it hit no row.
    std::pair<int, int> HitTestCell() const;

    // Opens the in-place editor over a cell; false when it cannot open there.
    bool EditCell(int row, int column);
    // The open editor, or nullptr.
    CCellEdit* cellEdit() const;

signals:
    void leftButtonDoubleClicked();
    // The selection is left as it was; the owner asks HitTestCell.
    void rightButtonPressed();
    void rightButtonReleased(QPoint globalPosition);
    // An edit was accepted and its text written into the cell; the owner runs Refresh.
    void editAccepted(int row, int column);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void applyColumnWidths();
    void fitRowHeight();
    void fitLastColumn();
    void paintEmptyPicture();
    void endEdit(CCellEdit* editor, const QPersistentModelIndex& cell, bool accepted);
    void cancelEditOfGoneRow();
    void writeSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void readSelection();

    CellTable& m_table;
    std::span<const ColumnSpec> m_columns;
    CellTableModel* m_model = nullptr;
    QPointer<CCellEdit> m_editor;
    QPersistentModelIndex m_editIndex;
    QPoint m_lastPress;
    QIcon m_picture;
    bool m_emptyPicture = false;
    bool m_lastColumnFills = false;
    bool m_fitting = false;
    bool m_writingSelection = false;
    bool m_selectionReadPending = false;
};

} // namespace tallimo
