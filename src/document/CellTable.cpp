#include "document/CellTable.h"

#include <utility>

namespace tallimo {
namespace {
const std::string kEmpty;
} // namespace

CellTable::CellTable(std::vector<std::string> headers) : m_headers(std::move(headers)) {}

bool CellTable::validCell(int row, int column) const {
    return hasRow(row) && column >= 0 && column < columnCount();
}

void CellTable::notifyChanged(int row) {
    if (listener() == nullptr) {
        return;
    }
    if (m_changeDepth == 0) {
        m_observer->rowsChanged(row, row);
        return;
    }
    if (m_changedFirst < 0 || row < m_changedFirst) {
        m_changedFirst = row;
    }
    if (row > m_changedLast) {
        m_changedLast = row;
    }
}

void CellTable::flushChanges() {
    if (m_changedFirst < 0) {
        return;
    }
    const int first = m_changedFirst;
    const int last = m_changedLast < rowCount() ? m_changedLast : rowCount() - 1;
    m_changedFirst = m_changedLast = -1;
    if (listener() != nullptr && first <= last) {
        m_observer->rowsChanged(first, last);
    }
}

void CellTable::beginReset() {
    if (m_resetDepth++ == 0 && m_observer != nullptr) {
        flushChanges();
        m_observer->aboutToReset();
    }
}

void CellTable::endReset() {
    if (--m_resetDepth == 0 && m_observer != nullptr) {
        m_observer->tableReset();
    }
}

void CellTable::beginChanges() {
    ++m_changeDepth;
}

void CellTable::endChanges() {
    if (--m_changeDepth == 0) {
        flushChanges();
    }
}

int CellTable::InsertItem(int row, std::string text) {
    if (row < 0 || row > rowCount()) {
        row = rowCount();
    }
    Row added;
    added.texts.assign(m_headers.size(), std::string());
    added.cells.assign(m_headers.size(), CellAttributes{});
    if (!added.texts.empty()) {
        added.texts[0] = std::move(text);
    }
    flushChanges();
    if (listener() != nullptr) {
        m_observer->rowAboutToBeInserted(row);
    }
    m_rows.insert(m_rows.begin() + row, std::move(added));
    if (listener() != nullptr) {
        m_observer->rowInserted(row);
    }
    return row;
}

void CellTable::SetItemText(int row, int column, std::string text) {
    if (!validCell(row, column)) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(column)] = std::move(text);
    notifyChanged(row);
}

std::string CellTable::GetItemText(int row, int column) const {
    return itemText(row, column);
}

const std::string& CellTable::itemText(int row, int column) const {
    if (!validCell(row, column)) {
        return kEmpty;
    }
    return m_rows[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(column)];
}

bool CellTable::DeleteItem(int row) {
    if (!hasRow(row)) {
        return false;
    }
    flushChanges();
    if (listener() != nullptr) {
        m_observer->rowAboutToBeRemoved(row);
    }
    m_rows.erase(m_rows.begin() + row);
    ++m_removals;
    if (listener() != nullptr) {
        m_observer->rowRemoved(row);
    }
    return true;
}

void CellTable::DeleteAllItems() {
    const ResetScope reset(*this);
    m_rows.clear();
    ++m_removals;
}

void CellTable::SetCellTextColor(int row, int column, Colour colour) {
    if (!validCell(row, column)) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)].textColour =
        colour;
    notifyChanged(row);
}

void CellTable::SetCellFlags(int row, int column, std::uint32_t flags) {
    if (!validCell(row, column)) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)].flags = flags;
    notifyChanged(row);
}

void CellTable::SetRowFlags(int row, std::uint32_t flags) {
    if (!hasRow(row)) {
        return;
    }
    auto& whole = m_rows[static_cast<std::size_t>(row)].whole;
    if (!whole) {
        whole.emplace();
    }
    whole->flags = flags;
    notifyChanged(row);
}

void CellTable::SetRowBackColor(int row, Colour colour) {
    if (!hasRow(row)) {
        return;
    }
    auto& whole = m_rows[static_cast<std::size_t>(row)].whole;
    if (!whole) {
        whole.emplace();
    }
    whole->backColour = colour;
    notifyChanged(row);
}

CellAttributes CellTable::cellAttributes(int row, int column) const {
    if (!validCell(row, column)) {
        return {};
    }
    return m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
}

std::optional<CellAttributes> CellTable::rowAttributes(int row) const {
    if (!hasRow(row)) {
        return std::nullopt;
    }
    return m_rows[static_cast<std::size_t>(row)].whole;
}

void CellTable::setSelected(int row, bool selected) {
    if (!hasRow(row)) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)].selected = selected;
    if (listener() != nullptr) {
        m_observer->selectionChanged();
    }
}

bool CellTable::isSelected(int row) const {
    return hasRow(row) && m_rows[static_cast<std::size_t>(row)].selected;
}

void CellTable::clearSelection() {
    for (auto& row : m_rows) {
        row.selected = false;
    }
    if (listener() != nullptr) {
        m_observer->selectionChanged();
    }
}

int CellTable::selectedCount() const {
    int count = 0;
    for (const auto& row : m_rows) {
        count += row.selected ? 1 : 0;
    }
    return count;
}

int CellTable::GetNextSelected(int after) const {
    for (int row = after < 0 ? 0 : after + 1; row < rowCount(); ++row) {
        if (m_rows[static_cast<std::size_t>(row)].selected) {
            return row;
        }
    }
    return -1;
}

std::vector<int> CellTable::selectedRowsDescending() const {
    std::vector<int> rows;
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (m_rows[static_cast<std::size_t>(row)].selected) {
            rows.push_back(row);
        }
    }
    return rows;
}

} // namespace tallimo
