#include "controls/CellTableModel.h"

#include "platform/Encoding.h"

namespace tallimo {

CellTableModel::CellTableModel(CellTable& table, std::span<const ColumnSpec> columns,
                               QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(columns) {
    m_table.setObserver(this);
}

CellTableModel::~CellTableModel() {
    m_table.setObserver(nullptr);
}

int CellTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_table.rowCount();
}

int CellTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant CellTableModel::data(const QModelIndex& index, int role) const {
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(
            windows1252ToUtf8(m_table.itemText(index.row(), index.column())));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant CellTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(m_columns.size())) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromLatin1(m_columns[static_cast<std::size_t>(section)].header);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

void CellTableModel::aboutToReset() {
    beginResetModel();
}

void CellTableModel::tableReset() {
    endResetModel();
}

void CellTableModel::rowAboutToBeInserted(int row) {
    beginInsertRows({}, row, row);
}

void CellTableModel::rowInserted(int) {
    endInsertRows();
}

void CellTableModel::rowsAboutToBeRemoved(int first, int last) {
    beginRemoveRows({}, first, last);
}

void CellTableModel::rowsRemoved(int, int) {
    endRemoveRows();
}

void CellTableModel::rowsChanged(int first, int last) {
    emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}

void CellTableModel::selectionChanged() {
    emit tableSelectionChanged();
}

} // namespace tallimo
