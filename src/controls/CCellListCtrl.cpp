#include "controls/CCellListCtrl.h"

#include "platform/Encoding.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>

// A first, plain presentation of the table; the drawing and the editor come with the lists.
namespace tallimo {

class CCellListCtrl::Model final : public QAbstractTableModel, public CellTableObserver {
public:
    Model(CellTable& table, std::span<const ColumnSpec> columns, QObject* parent)
        : QAbstractTableModel(parent), m_table(table), m_columns(columns) {
        m_table.setObserver(this);
    }
    ~Model() override { m_table.setObserver(nullptr); }

    void aboutToReset() override { beginResetModel(); }
    void tableReset() override { endResetModel(); }
    void rowAboutToBeInserted(int row) override { beginInsertRows({}, row, row); }
    void rowInserted(int) override { endInsertRows(); }
    void rowAboutToBeRemoved(int row) override { beginRemoveRows({}, row, row); }
    void rowRemoved(int) override { endRemoveRows(); }
    void rowsChanged(int first, int last) override {
        emit dataChanged(index(first, 0), index(last, columnCount({}) - 1));
    }
    void selectionChanged() override {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : m_table.rowCount();
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) {
            return {};
        }
        return QString::fromStdString(
            windows1252ToUtf8(m_table.itemText(index.row(), index.column())));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        return QString::fromLatin1(m_columns[static_cast<std::size_t>(section)].header);
    }

private:
    CellTable& m_table;
    std::span<const ColumnSpec> m_columns;
};

CCellListCtrl::CCellListCtrl(CellTable& table, std::span<const ColumnSpec> columns, QWidget* parent)
    : QTableView(parent), m_table(table), m_model(new Model(table, columns, this)) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    verticalHeader()->hide();
}

CCellListCtrl::~CCellListCtrl() = default;

void CCellListCtrl::setEmptyPicture(bool on) {
    m_emptyPicture = on;
}

std::pair<int, int> CCellListCtrl::HitTestCell() const {
    const QModelIndex index = indexAt(m_lastPress);
    return {index.isValid() ? index.row() : -1, index.isValid() ? index.column() : 0};
}

bool CCellListCtrl::EditCell(int, int) {
    return false;
}

} // namespace tallimo
