#pragma once

#include "document/CellTable.h"
#include "document/TimeSheet.h"

#include <QAbstractTableModel>
#include <span>

namespace tallimo {

// Presents a CellTable as it is: texts are read from the table on every request (Windows-1252
// turned into UTF-8 here), and the table's notifications become the model's signals, so nothing
// is copied and nothing is done per row when a month is loaded.
class CellTableModel final : public QAbstractTableModel, public CellTableObserver {
    Q_OBJECT

public:
    CellTableModel(CellTable& table, std::span<const ColumnSpec> columns,
                   QObject* parent = nullptr);
    ~CellTableModel() override;

    CellTable& table() { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The table's selection was changed by someone else than the list.
    void tableSelectionChanged();

private:
    void aboutToReset() override;
    void tableReset() override;
    void rowAboutToBeInserted(int row) override;
    void rowInserted(int row) override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved(int first, int last) override;
    void rowsChanged(int first, int last) override;
    void selectionChanged() override;

    CellTable& m_table;
    std::span<const ColumnSpec> m_columns;
};

} // namespace tallimo
