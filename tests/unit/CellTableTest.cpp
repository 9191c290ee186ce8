#include "document/CellTable.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

CellTable threeColumns() {
    return CellTable({"A", "B", "C"});
}

TEST(CellTable, RowsOutsideTheTableReadEmptyAndIgnoreWrites) {
    CellTable table = threeColumns();
    table.InsertItem(0, "first");
    table.SetItemText(5, 1, "lost");
    table.SetItemText(0, 3, "lost");
    table.SetCellFlags(-1, 1, 0x10);
    table.SetRowFlags(9, 0x20);
    EXPECT_EQ(table.GetItemText(5, 1), "");
    EXPECT_EQ(table.GetItemText(0, 7), "");
    EXPECT_EQ(table.rowCount(), 1);
}

TEST(CellTable, InsertBeyondTheEndAppends) {
    CellTable table = threeColumns();
    EXPECT_EQ(table.InsertItem(0, "a"), 0);
    EXPECT_EQ(table.InsertItem(10, "c"), 1);
    EXPECT_EQ(table.InsertItem(1, "b"), 1);
    EXPECT_EQ(table.GetItemText(0, 0), "a");
    EXPECT_EQ(table.GetItemText(1, 0), "b");
    EXPECT_EQ(table.GetItemText(2, 0), "c");
}

} // namespace
} // namespace tallimo
