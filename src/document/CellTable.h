#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// Colours are laid out 0x00BBGGRR (red in the low byte).
using Colour = std::uint32_t;

// Attribute flag bits of a cell record or a whole-row record.
namespace CellFlag {
inline constexpr std::uint32_t Bold = 0x01;
inline constexpr std::uint32_t Italic = 0x02;
inline constexpr std::uint32_t Underline = 0x04;
inline constexpr std::uint32_t StrikeOut = 0x08;
inline constexpr std::uint32_t OwnTextColour = 0x10;
inline constexpr std::uint32_t OwnBackColour = 0x20;
inline constexpr std::uint32_t NoEffect = 0x40;
inline constexpr std::uint32_t IgnoreRowRecord = 0x80;
} // namespace CellFlag

// One display record; a new record has every field zero.
struct CellAttributes {
    std::uint32_t flags = 0;
    Colour textColour = 0;
    Colour backColour = 0;

    bool operator==(const CellAttributes&) const = default;
};

// Told about every change so that a view of the table (the desktop's list model, which keeps no
// copy) can follow. The "about to" calls come before the rows change, the others after.
class CellTableObserver {
public:
    virtual ~CellTableObserver() = default;
    virtual void aboutToReset() = 0;
    virtual void tableReset() = 0;
    virtual void rowAboutToBeInserted(int row) = 0;
    virtual void rowInserted(int row) = 0;
    virtual void rowsAboutToBeRemoved(int first, int last) = 0;
    virtual void rowsRemoved(int first, int last) = 0;
    // Texts or records of the rows first..last changed.
    virtual void rowsChanged(int first, int last) = 0;
    virtual void selectionChanged() = 0;
};

// A table of the time sheet: rows of byte texts (Windows-1252, as the files hold them) with their
// display records and the selection. Out-of-range rows or columns read as empty and ignore
// writes. A row costs little more than its texts, so that a month of millions of empty rows
// stays within a few times its file's size.
class CellTable {
public:
    explicit CellTable(std::vector<std::string> headers);

    const std::vector<std::string>& headers() const { return m_headers; }
    int columnCount() const { return static_cast<int>(m_headers.size()); }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    bool hasRow(int row) const { return row >= 0 && row < rowCount(); }

    // Inserts a row whose column 0 holds text; an index beyond the end appends. Returns the index.
    int InsertItem(int row, std::string text);
    // The same with the texts of all its columns at once (missing ones empty), as a loader has
    // them.
    int InsertRow(int row, std::span<const std::string> texts);
    void SetItemText(int row, int column, std::string text);
    std::string GetItemText(int row, int column) const;
    // The bytes of a cell, valid until the table next changes.
    std::string_view itemText(int row, int column) const;
    bool DeleteItem(int row);
    // Deletes the given rows (any order; rows that do not exist are ignored) in one pass, told to
    // the observer as one removal per run of neighbouring rows, bottom-most first, or as a reset
    // when the rows are scattered. Returns how many rows went.
    int DeleteItems(std::span<const int> rows);
    void DeleteAllItems();

    void SetCellTextColor(int row, int column, Colour colour);
    void SetCellFlags(int row, int column, std::uint32_t flags);
    void SetRowFlags(int row, std::uint32_t flags);
    void SetRowBackColor(int row, Colour colour);

    // The record of a cell (column 0 is the row record itself).
    CellAttributes cellAttributes(int row, int column) const;
    // The whole-row record; empty until SetRowFlags or SetRowBackColor touched the row.
    std::optional<CellAttributes> rowAttributes(int row) const;

    // Selection, shared by every command that acts on the selected rows.
    void setSelected(int row, bool selected);
    bool isSelected(int row) const;
    void clearSelection();
    int selectedCount() const;
    // The next selected row after `after` (start with -1); -1 when there is none.
    int GetNextSelected(int after) const;
    // The selected rows, bottom-most first, as the commands walk them.
    std::vector<int> selectedRowsDescending() const;

    // Room for this many rows, so that a loader of a known size does not grow the table by steps.
    void reserveRows(std::size_t count) { m_rows.reserve(count); }

    // Counts every removal of rows, so that a remembered row index can tell it went stale.
    std::uint64_t removalCount() const { return m_removals; }
    // Counts every change of a text and of the rows, so that what was computed from the texts
    // can tell it went stale.
    std::uint64_t textRevision() const { return m_textRevision; }

    void setObserver(CellTableObserver* observer) { m_observer = observer; }

    // Between beginReset and endReset the observer hears nothing but one reset: a whole table
    // refilled (a loaded month of 100 000 rows) is shown once, not row by row. Scopes nest.
    void beginReset();
    void endReset();
    // Between beginChanges and endChanges the changed rows reach the observer as one range, as
    // after a recompute of the whole list. Inserting or removing a row reports the range so far.
    void beginChanges();
    void endChanges();

    class ResetScope {
    public:
        explicit ResetScope(CellTable& table) : m_table(table) { m_table.beginReset(); }
        ~ResetScope() { m_table.endReset(); }
        ResetScope(const ResetScope&) = delete;
        ResetScope& operator=(const ResetScope&) = delete;

    private:
        CellTable& m_table;
    };
    class ChangeScope {
    public:
        explicit ChangeScope(CellTable& table) : m_table(table) { m_table.beginChanges(); }
        ~ChangeScope() { m_table.endChanges(); }
        ChangeScope(const ChangeScope&) = delete;
        ChangeScope& operator=(const ChangeScope&) = delete;

    private:
        CellTable& m_table;
    };

private:
    // Bytes in 16: up to 15 kept inside, more on the heap. A row of empty cells then costs no
    // allocation at all.
    class PackedBytes {
    public:
        PackedBytes() = default;
        PackedBytes(PackedBytes&& other) noexcept;
        PackedBytes& operator=(PackedBytes&& other) noexcept;
        PackedBytes(const PackedBytes&) = delete;
        PackedBytes& operator=(const PackedBytes&) = delete;
        ~PackedBytes() { release(); }

        std::string_view view() const;
        void assign(std::string_view bytes);

    private:
        static constexpr unsigned char kOnHeap = 0xFF;
        void release();
        // Inside: the bytes, their count in the last byte. On the heap: the pointer, the size
        // after it, kOnHeap in the last byte.
        alignas(char*) unsigned char m_bytes[16] = {};
    };
    struct Row {
        // Every cell in column order: its length (7 bits a byte, low bits first, the high bit
        // saying that more follow) and its bytes.
        PackedBytes cells;
        std::uint32_t look : 31 = 0; // index into m_looks
        std::uint32_t selected : 1 = 0;
    };
    // The display records of a row. A month has a handful of distinct looks, so rows share them.
    struct Look {
        std::optional<CellAttributes> whole;
        std::vector<CellAttributes> cells; // empty while every cell record is zero
    };
    struct LookOrder {
        bool operator()(const Look& a, const Look& b) const;
    };

    bool validCell(int row, int column) const;
    Row& rowAt(int row) { return m_rows[static_cast<std::size_t>(row)]; }
    const Row& rowAt(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    // Gives the row a changed copy of its look.
    template <typename Change>
    void changeLook(int row, Change change);
    // The observer, or nullptr while a reset scope is open.
    CellTableObserver* listener() const { return m_resetDepth == 0 ? m_observer : nullptr; }
    void notifyChanged(int row);
    void flushChanges();

    std::vector<std::string> m_headers;
    std::vector<Row> m_rows;
    std::vector<Look> m_looks{Look{}};
    std::map<Look, std::uint32_t, LookOrder> m_lookIndex{{Look{}, 0}};
    CellTableObserver* m_observer = nullptr;
    std::uint64_t m_removals = 0;
    std::uint64_t m_textRevision = 0;
    int m_resetDepth = 0;
    int m_changeDepth = 0;
    int m_changedFirst = -1;
    int m_changedLast = -1;
};

} // namespace tallimo
