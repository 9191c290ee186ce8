#include "document/CellTable.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>

namespace tallimo {
namespace {

void appendCell(std::string& cells, std::string_view text) {
    for (std::size_t length = text.size();; length >>= 7) {
        const auto low = static_cast<char>(length & 0x7F);
        if (length < 0x80) {
            cells += low;
            break;
        }
        cells += static_cast<char>(low | 0x80);
    }
    cells += text;
}

// Where a cell starts (its length) and where its bytes start and end.
struct CellSpan {
    std::size_t start = 0;
    std::size_t textStart = 0;
    std::size_t end = 0;
};

CellSpan findCell(std::string_view cells, int column) {
    CellSpan span;
    for (int current = 0;; ++current) {
        span.start = span.end;
        std::size_t length = 0;
        std::size_t at = span.start;
        for (int shift = 0;; shift += 7) {
            const auto byte = static_cast<unsigned char>(cells[at++]);
            length |= static_cast<std::size_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                break;
            }
        }
        span.textStart = at;
        span.end = at + length;
        if (current == column) {
            return span;
        }
    }
}

} // namespace

CellTable::PackedBytes::PackedBytes(PackedBytes&& other) noexcept {
    std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
    std::memset(other.m_bytes, 0, sizeof other.m_bytes);
}

CellTable::PackedBytes& CellTable::PackedBytes::operator=(PackedBytes&& other) noexcept {
    if (this != &other) {
        release();
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        std::memset(other.m_bytes, 0, sizeof other.m_bytes);
    }
    return *this;
}

void CellTable::PackedBytes::release() {
    if (m_bytes[15] == kOnHeap) {
        char* heap = nullptr;
        std::memcpy(&heap, m_bytes, sizeof heap);
        delete[] heap;
    }
    std::memset(m_bytes, 0, sizeof m_bytes);
}

std::string_view CellTable::PackedBytes::view() const {
    if (m_bytes[15] != kOnHeap) {
        return {reinterpret_cast<const char*>(m_bytes), m_bytes[15]};
    }
    const char* heap = nullptr;
    std::uint32_t size = 0;
    std::memcpy(&heap, m_bytes, sizeof heap);
    std::memcpy(&size, m_bytes + sizeof heap, sizeof size);
    return {heap, size};
}

void CellTable::PackedBytes::assign(std::string_view bytes) {
    if (bytes.size() < sizeof m_bytes) {
        // Copied out first: the bytes may be this object's own.
        unsigned char inside[sizeof m_bytes] = {};
        std::memcpy(inside, bytes.data(), bytes.size());
        release();
        std::memcpy(m_bytes, inside, bytes.size());
        m_bytes[15] = static_cast<unsigned char>(bytes.size());
        return;
    }
    char* heap = new char[bytes.size()];
    std::memcpy(heap, bytes.data(), bytes.size());
    const auto size = static_cast<std::uint32_t>(bytes.size());
    release();
    std::memcpy(m_bytes, &heap, sizeof heap);
    std::memcpy(m_bytes + sizeof heap, &size, sizeof size);
    m_bytes[15] = kOnHeap;
}

bool CellTable::LookOrder::operator()(const Look& a, const Look& b) const {
    const auto fields = [](const CellAttributes& cell) {
        return std::tie(cell.flags, cell.textColour, cell.backColour);
    };
    const auto cellLess = [&](const CellAttributes& x, const CellAttributes& y) {
        return fields(x) < fields(y);
    };
    if (a.whole.has_value() != b.whole.has_value()) {
        return !a.whole.has_value();
    }
    if (a.whole && fields(*a.whole) != fields(*b.whole)) {
        return cellLess(*a.whole, *b.whole);
    }
    return std::lexicographical_compare(a.cells.begin(), a.cells.end(), b.cells.begin(),
                                        b.cells.end(), cellLess);
}

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
    return InsertRow(row, std::span<const std::string>(&text, 1));
}

int CellTable::InsertRow(int row, std::span<const std::string> texts) {
    if (row < 0 || row > rowCount()) {
        row = rowCount();
    }
    Row added;
    std::string cells;
    for (std::size_t column = 0; column < m_headers.size(); ++column) {
        appendCell(cells,
                   column < texts.size() ? std::string_view(texts[column]) : std::string_view());
    }
    added.cells.assign(cells);
    ++m_textRevision;
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
    PackedBytes& packed = rowAt(row).cells;
    const std::string_view cells = packed.view();
    const CellSpan span = findCell(cells, column);
    std::string changed(cells.substr(0, span.start));
    appendCell(changed, text);
    changed += cells.substr(span.end);
    packed.assign(changed);
    ++m_textRevision;
    notifyChanged(row);
}

std::string CellTable::GetItemText(int row, int column) const {
    return std::string(itemText(row, column));
}

std::string_view CellTable::itemText(int row, int column) const {
    if (!validCell(row, column)) {
        return {};
    }
    const std::string_view cells = rowAt(row).cells.view();
    const CellSpan span = findCell(cells, column);
    return cells.substr(span.textStart, span.end - span.textStart);
}

bool CellTable::DeleteItem(int row) {
    const int rows[] = {row};
    return DeleteItems(rows) == 1;
}

int CellTable::DeleteItems(std::span<const int> rows) {
    std::vector<int> doomed;
    doomed.reserve(rows.size());
    for (const int row : rows) {
        if (hasRow(row)) {
            doomed.push_back(row);
        }
    }
    std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    if (doomed.empty()) {
        return 0;
    }
    // Runs of neighbouring rows, as [first, last] pairs from the top.
    std::vector<std::pair<int, int>> runs;
    for (const int row : doomed) {
        if (!runs.empty() && runs.back().second + 1 == row) {
            runs.back().second = row;
        } else {
            runs.emplace_back(row, row);
        }
    }
    flushChanges();
    // Each removal told to a list costs it a pass over its rows; scattered rows go as one reset.
    constexpr std::size_t kMostRemovalsTold = 32;
    if (runs.size() > kMostRemovalsTold) {
        const ResetScope reset(*this);
        std::size_t kept = 0;
        auto next = doomed.begin();
        for (std::size_t row = 0; row < m_rows.size(); ++row) {
            if (next != doomed.end() && static_cast<std::size_t>(*next) == row) {
                ++next;
            } else {
                m_rows[kept++] = std::move(m_rows[row]);
            }
        }
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(kept), m_rows.end());
    } else {
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            if (listener() != nullptr) {
                m_observer->rowsAboutToBeRemoved(run->first, run->second);
            }
            m_rows.erase(m_rows.begin() + run->first, m_rows.begin() + run->second + 1);
            if (listener() != nullptr) {
                m_observer->rowsRemoved(run->first, run->second);
            }
        }
    }
    ++m_removals;
    ++m_textRevision;
    return static_cast<int>(doomed.size());
}

void CellTable::DeleteAllItems() {
    const ResetScope reset(*this);
    // The memory of a big month goes with it.
    std::vector<Row>().swap(m_rows);
    ++m_removals;
    ++m_textRevision;
}

template <typename Change>
void CellTable::changeLook(int row, Change change) {
    Look look = m_looks[rowAt(row).look];
    change(look);
    bool plainCells = true;
    for (const CellAttributes& cell : look.cells) {
        plainCells = plainCells && cell == CellAttributes{};
    }
    if (plainCells) {
        look.cells.clear();
    }
    auto [found, added] = m_lookIndex.try_emplace(look, static_cast<std::uint32_t>(m_looks.size()));
    if (added) {
        m_looks.push_back(std::move(look));
    }
    rowAt(row).look = found->second;
    notifyChanged(row);
}

void CellTable::SetCellTextColor(int row, int column, Colour colour) {
    if (validCell(row, column)) {
        changeLook(row, [&](Look& look) {
            look.cells.resize(m_headers.size());
            look.cells[static_cast<std::size_t>(column)].textColour = colour;
        });
    }
}

void CellTable::SetCellFlags(int row, int column, std::uint32_t flags) {
    if (validCell(row, column)) {
        changeLook(row, [&](Look& look) {
            look.cells.resize(m_headers.size());
            look.cells[static_cast<std::size_t>(column)].flags = flags;
        });
    }
}

void CellTable::SetRowFlags(int row, std::uint32_t flags) {
    if (hasRow(row)) {
        changeLook(row, [&](Look& look) {
            look.whole = look.whole.value_or(CellAttributes{});
            look.whole->flags = flags;
        });
    }
}

void CellTable::SetRowBackColor(int row, Colour colour) {
    if (hasRow(row)) {
        changeLook(row, [&](Look& look) {
            look.whole = look.whole.value_or(CellAttributes{});
            look.whole->backColour = colour;
        });
    }
}

CellAttributes CellTable::cellAttributes(int row, int column) const {
    if (!validCell(row, column)) {
        return {};
    }
    const Look& look = m_looks[rowAt(row).look];
    return look.cells.empty() ? CellAttributes{} : look.cells[static_cast<std::size_t>(column)];
}

std::optional<CellAttributes> CellTable::rowAttributes(int row) const {
    if (!hasRow(row)) {
        return std::nullopt;
    }
    return m_looks[rowAt(row).look].whole;
}

void CellTable::setSelected(int row, bool selected) {
    if (!hasRow(row)) {
        return;
    }
    rowAt(row).selected = selected ? 1 : 0;
    if (listener() != nullptr) {
        m_observer->selectionChanged();
    }
}

bool CellTable::isSelected(int row) const {
    return hasRow(row) && rowAt(row).selected != 0;
}

void CellTable::clearSelection() {
    for (auto& row : m_rows) {
        row.selected = 0;
    }
    if (listener() != nullptr) {
        m_observer->selectionChanged();
    }
}

int CellTable::selectedCount() const {
    int count = 0;
    for (const auto& row : m_rows) {
        count += static_cast<int>(row.selected);
    }
    return count;
}

int CellTable::GetNextSelected(int after) const {
    for (int row = after < 0 ? 0 : after + 1; row < rowCount(); ++row) {
        if (rowAt(row).selected != 0) {
            return row;
        }
    }
    return -1;
}

std::vector<int> CellTable::selectedRowsDescending() const {
    std::vector<int> rows;
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (rowAt(row).selected != 0) {
            rows.push_back(row);
        }
    }
    return rows;
}

} // namespace tallimo
