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

TEST(CellTable, WholeRowRecordExistsOnlyOnceTouched) {
    CellTable table = threeColumns();
    table.InsertItem(0, "a");
    EXPECT_FALSE(table.rowAttributes(0));
    table.SetRowBackColor(0, 0xAAF0F0);
    ASSERT_TRUE(table.rowAttributes(0));
    EXPECT_EQ(table.rowAttributes(0)->flags, 0u); // the colour alone does not apply yet
    table.SetRowFlags(0, 0x20);
    EXPECT_EQ(*table.rowAttributes(0), (CellAttributes{0x20, 0, 0xAAF0F0}));
    table.SetCellTextColor(0, 2, 0xFF0000);
    table.SetCellFlags(0, 2, 0xD1);
    EXPECT_EQ(table.cellAttributes(0, 2), (CellAttributes{0xD1, 0xFF0000, 0}));
    EXPECT_EQ(table.cellAttributes(0, 1), CellAttributes{});
}

TEST(CellTable, SelectionWalksLikeTheListControl) {
    CellTable table = threeColumns();
    for (int i = 0; i < 10; ++i) {
        table.InsertItem(i, std::to_string(i));
    }
    for (int row : {2, 5, 9}) {
        table.setSelected(row, true);
    }
    EXPECT_EQ(table.selectedCount(), 3);
    EXPECT_EQ(table.GetNextSelected(-1), 2);
    EXPECT_EQ(table.GetNextSelected(2), 5);
    EXPECT_EQ(table.GetNextSelected(9), -1);
    EXPECT_EQ(table.selectedRowsDescending(), (std::vector<int>{9, 5, 2}));
    table.DeleteItem(5);
    EXPECT_EQ(table.selectedRowsDescending(), (std::vector<int>{8, 2}));
}

} // namespace
} // namespace tallimo
