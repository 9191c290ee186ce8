#include "ListFixture.h"
#include "controls/CCellEdit.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <set>

namespace tallimo::test {
namespace {

std::set<int> selectedInTable(const CellTable& table) {
    std::set<int> rows;
    for (int row = table.GetNextSelected(-1); row >= 0; row = table.GetNextSelected(row)) {
        rows.insert(row);
    }
    return rows;
}

std::set<int> selectedOnScreen(CCellListCtrl& list) {
    std::set<int> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedRows()) {
        rows.insert(index.row());
    }
    return rows;
}

// Double and right clicks only tell the owner: no editor opens, and the selection stays.
TEST(ListMouse, ARightClickKeepsTheSelectionAndHitsTheCellUnderIt) {
    ListFixture f(true, QSize(1800, 800));
    QTest::mouseClick(f.work->viewport(), Qt::LeftButton, {}, ListFixture::inCell(*f.work, 2, 0));
    QSignalSpy doubleClicks(f.work, &CCellListCtrl::leftButtonDoubleClicked);
    QTest::mouseDClick(f.work->viewport(), Qt::LeftButton, {}, ListFixture::inCell(*f.work, 2, 4));
    EXPECT_EQ(doubleClicks.size(), 1);
    EXPECT_TRUE(f.work->findChildren<QLineEdit*>().isEmpty());

    QSignalSpy pressed(f.work, &CCellListCtrl::rightButtonPressed);
    QSignalSpy released(f.work, &CCellListCtrl::rightButtonReleased);
    const int boundary = f.work->columnViewportPosition(WorkColumn::Enter);
    const int rowY = ListFixture::inCell(*f.work, 5, 0).y();
    const int lastRowBottom = ListFixture::cellRect(*f.work, 30, 0).bottom();
    const struct {
        QPoint at;
        std::pair<int, int> hit;
    } cases[] = {
        {{boundary, rowY}, {5, WorkColumn::Weekday}},
        {{boundary + 1, rowY}, {5, WorkColumn::Enter}},
        {{boundary, lastRowBottom + 3}, {-1, 0}},
        {{f.work->horizontalHeader()->length() + 2, rowY}, {-1, 0}},
    };
    for (const auto& c : cases) {
        QTest::mousePress(f.work->viewport(), Qt::RightButton, {}, c.at);
        EXPECT_EQ(f.work->HitTestCell(), c.hit) << c.at.x() << "," << c.at.y();
        QTest::mouseRelease(f.work->viewport(), Qt::RightButton, {}, c.at);
        ASSERT_FALSE(released.isEmpty());
        EXPECT_EQ(released.takeLast()[0].toPoint(), f.work->viewport()->mapToGlobal(c.at));
    }
    EXPECT_EQ(pressed.size(), 4);
    EXPECT_EQ(selectedInTable(f.view.work()), (std::set<int>{2}));
}

TEST(ListKeys, TheKeyboardAloneSelectsRowsAndEditsTheCurrentCell) {
    ListFixture f;
    const CellTable& table = f.view.work();
    QTest::mouseClick(f.work->viewport(), Qt::LeftButton, {}, ListFixture::inCell(*f.work, 1, 4));
    QTest::keyClick(f.work, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(f.work, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectedInTable(table), (std::set<int>{1, 2, 3}));
    QTest::keyClick(f.work, Qt::Key_End);
    EXPECT_EQ(selectedInTable(table), (std::set<int>{30}));
    QTest::keyClick(f.work, Qt::Key_Home);
    QTest::keyClick(f.work, Qt::Key_Right);

    // F2 edits the current cell; Enter hands the keyboard back to the list.
    QTest::keyClick(f.work, Qt::Key_F2);
    ASSERT_NE(f.work->cellEdit(), nullptr);
    QTest::keyClicks(f.work->cellEdit(), QStringLiteral("keyed"));
    QTest::keyClick(f.work->cellEdit(), Qt::Key_Return);
    EXPECT_EQ(table.itemText(0, WorkColumn::StandBy), "keyed");
    EXPECT_TRUE(f.work->hasFocus());
}

TEST(ListKeys, TheTablesSelectionFollowsTheScreenAndBackAcrossChanges) {
    ListFixture f;
    CellTable& table = f.view.work();
    for (const int row : {1, 3, 5}) {
        QTest::mouseClick(f.work->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          ListFixture::inCell(*f.work, row, 0));
    }
    table.DeleteItem(2);
    EXPECT_EQ(selectedInTable(table), (std::set<int>{1, 2, 4}));
    EXPECT_EQ(selectedOnScreen(*f.work), selectedInTable(table));

    // A command that chooses rows itself is shown once the window gets to it.
    table.clearSelection();
    table.setSelected(7, true);
    table.setSelected(8, true);
    QApplication::processEvents();
    EXPECT_EQ(selectedOnScreen(*f.work), (std::set<int>{7, 8}));
}

} // namespace
} // namespace tallimo::test
