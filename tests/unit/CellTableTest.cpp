#include "document/CellTable.h"

#include "document/TimeSheetFile.h"
#include "support/SheetBytes.h"

#include <gtest/gtest.h>
#include <malloc.h>
#include <string>
#include <vector>

namespace tallimo {
namespace {

CellTable threeColumns() {
    return CellTable({"A", "B", "C"});
}

// Writes what the list model would hear, in order.
struct RecordingObserver final : CellTableObserver {
    void aboutToReset() override { calls.push_back("about to reset"); }
    void tableReset() override { calls.push_back("reset"); }
    void rowAboutToBeInserted(int row) override { add("about to insert", row); }
    void rowInserted(int row) override { add("inserted", row); }
    void rowsAboutToBeRemoved(int first, int last) override { add("about to remove", first, last); }
    void rowsRemoved(int first, int last) override { add("removed", first, last); }
    void rowsChanged(int first, int last) override {
        calls.push_back("changed " + std::to_string(first) + ".." + std::to_string(last));
    }
    void selectionChanged() override { calls.push_back("selection"); }
    void add(const char* what, int row) { calls.push_back(what + (" " + std::to_string(row))); }
    void add(const char* what, int first, int last) {
        calls.push_back(what + (" " + std::to_string(first) + ".." + std::to_string(last)));
    }
    std::vector<std::string> calls;
};

TEST(CellTable, InsertBeyondTheEndAppendsAndCellsOutsideTheTableIgnoreWrites) {
    CellTable table = threeColumns();
    EXPECT_EQ(table.InsertItem(0, "a"), 0);
    EXPECT_EQ(table.InsertItem(10, "c"), 1);
    EXPECT_EQ(table.InsertItem(1, "b"), 1);
    table.SetItemText(5, 1, "lost");
    table.SetItemText(0, 3, "lost");
    table.SetCellFlags(-1, 1, 0x10);
    table.SetRowFlags(9, 0x20);
    EXPECT_EQ(table.GetItemText(0, 0) + table.GetItemText(1, 0) + table.GetItemText(2, 0), "abc");
    EXPECT_EQ(table.GetItemText(5, 1) + table.GetItemText(0, 7), "");
    EXPECT_EQ(table.rowCount(), 3);
}

TEST(CellTable, DeletingManyRowsTellsRunsBottomFirstOrOneResetWhenScattered) {
    CellTable table = threeColumns();
    for (int row = 0; row < 200; ++row) {
        table.InsertItem(row, std::to_string(row));
    }
    RecordingObserver observer;
    table.setObserver(&observer);
    const int runs[] = {7, 3, 4, 5, 150, 3, 999, -1};
    EXPECT_EQ(table.DeleteItems(runs), 5);
    EXPECT_EQ(observer.calls,
              (std::vector<std::string>{"about to remove 150..150", "removed 150..150",
                                        "about to remove 7..7", "removed 7..7",
                                        "about to remove 3..5", "removed 3..5"}));
    EXPECT_EQ(table.GetItemText(3, 0), "6");
    EXPECT_EQ(table.GetItemText(4, 0), "8");

    observer.calls.clear();
    std::vector<int> everyOther;
    for (int row = 0; row < table.rowCount(); row += 2) {
        everyOther.push_back(row);
    }
    EXPECT_EQ(table.DeleteItems(everyOther), 98);
    EXPECT_EQ(observer.calls, (std::vector<std::string>{"about to reset", "reset"}));
    ASSERT_EQ(table.rowCount(), 97);
    EXPECT_EQ(table.GetItemText(0, 0), "1");
    EXPECT_EQ(table.GetItemText(96, 0), "198");
}

TEST(CellTable, ObserverHearsEachChangeBeforeAndAfterAndBatchesInScopes) {
    CellTable table = threeColumns();
    RecordingObserver observer;
    table.setObserver(&observer);
    table.InsertItem(0, "a");
    table.InsertItem(1, "b");
    table.SetItemText(1, 2, "x");
    {
        const CellTable::ChangeScope changes(table);
        table.SetItemText(1, 1, "y");
        table.SetRowFlags(0, CellFlag::OwnBackColour);
        table.InsertItem(2, "c"); // reports the range so far first
        table.SetCellFlags(2, 1, CellFlag::Bold);
        table.DeleteItem(0);
        table.SetItemText(1, 0, "z");
    }
    table.setSelected(0, true);
    EXPECT_EQ(observer.calls,
              (std::vector<std::string>{
                  "about to insert 0", "inserted 0", "about to insert 1", "inserted 1",
                  "changed 1..1", "changed 0..1", "about to insert 2", "inserted 2", "changed 2..2",
                  "about to remove 0..0", "removed 0..0", "changed 1..1", "selection"}));
    // A refill inside a reset scope is one reset.
    observer.calls.clear();
    {
        const CellTable::ResetScope reset(table);
        table.DeleteAllItems();
        for (int row = 0; row < 1000; ++row) {
            table.InsertItem(row, "new");
            table.SetItemText(row, 1, "text");
        }
    }
    table.DeleteAllItems();
    EXPECT_EQ(observer.calls,
              (std::vector<std::string>{"about to reset", "reset", "about to reset", "reset"}));
}

struct NoComputation final : RowCalculator {
    void CalculateWorkRow(int) override {}
    void CalculateSquadRow(int) override {}
};

// The bytes the allocator has handed out and not taken back.
std::size_t allocatedBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

TEST(CellTable, AMonthOfEmptyRowsCostsFewTimesItsFile) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps its own books";
#endif
    test::SheetBytes file;
    file.header(1000, {250000}, 1141167600, 1143845940);
    file.bytes.resize(file.bytes.size() + 1000000, 0);
    TimeSheet sheet;
    NoComputation none;
    const std::size_t before = allocatedBytes();
    ASSERT_TRUE(loadTimeSheet(file.bytes, sheet, none, [](LoadProblem) {}));
    ASSERT_EQ(sheet.squad.rowCount(), 250000);
    EXPECT_LE(allocatedBytes() - before, 8 * file.bytes.size());
}

} // namespace
} // namespace tallimo
