#pragma once

#include "document/CellTable.h"
#include "document/TimeSheet.h"

#include <QPoint>
#include <QTableView>
#include <span>
#include <utility>

namespace tallimo {

// One table of the time sheet on screen: a view over the CellTable itself (no copy), drawn with
// the cells' records, with the in-place editor. Mouse presses go to the owner as signals; the
// owner (the view's widget) turns them into the view's commands.
class CCellListCtrl : public QTableView {
    Q_OBJECT

public:
    CCellListCtrl(CellTable& table, std::span<const ColumnSpec> columns, QWidget* parent = nullptr);
    ~CCellListCtrl() override;

    CellTable& table() { return m_table; }

    // While on and the table has no rows, the picture and the hint are painted instead.
    void setEmptyPicture(bool on);

    // The row and column under the last left or right press; row -1 when it hit no row.
    std::pair<int, int> HitTestCell() const;

    // Opens the in-place editor over a cell; false when it cannot open there.
    bool EditCell(int row, int column);

signals:
    void leftButtonDoubleClicked();
    // The selection is left as it was; the owner asks HitTestCell.
    void rightButtonPressed();
    void rightButtonReleased(QPoint globalPosition);
    // An edit was accepted and its text written into the cell; the owner runs Refresh.
    void editAccepted(int row, int column);

private:
    class Model;

    CellTable& m_table;
    Model* m_model = nullptr;
    QPoint m_lastPress;
    bool m_emptyPicture = false;
};

} // namespace tallimo
