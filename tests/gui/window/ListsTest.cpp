#include "DesktopFixture.h"
#include "controls/CCellEdit.h"
#include "document/RecentFileList.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

QPoint cellCentre(CCellListCtrl& list, int row, int column) {
    return list.visualRect(list.model()->index(row, column)).center();
}

TEST(Lists, RightClickRemembersTheCellAndItsMenuActsOnIt) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    f.clickRow(5);
    CCellListCtrl& work = f.list();
    const QPoint enter = cellCentre(work, 5, WorkColumn::Enter);
    QTest::mousePress(work.viewport(), Qt::RightButton, {}, enter);
    // Chooses "Copy Cell" once the menu opens, as the user's click would.
    QTimer::singleShot(50, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == "Copy Cell") {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            }
        }
    });
    QTest::mouseRelease(work.viewport(), Qt::RightButton, {}, enter);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "07:30:00");
}

TEST(Lists, AnEditRecomputesItsRowAndMarksTheDocument) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    f.frame().activateWindow();
    // No right click has remembered the cell: the edit itself tells which row to recompute.
    ASSERT_TRUE(f.list().EditCell(0, WorkColumn::Leave));
    QTest::keyClicks(f.list().cellEdit(), "18:00:00");
    QTest::keyClick(f.list().cellEdit(), Qt::Key_Return);
    ASSERT_TRUE(eventually([&] { return f.cell(0, WorkColumn::Leave) == "18:00:00"; }));
    EXPECT_EQ(f.cell(0, WorkColumn::AtWork), "10:00:00");
    EXPECT_TRUE(f.frame().isWindowModified());
}

TEST(Lists, DoubleClickOnTheEmptyListOpensTheLastDocument) {
    DesktopFixture f;
    const std::string last = f.month();
    storeLastDocument(f.settings, last);
    ASSERT_TRUE(f.launch());
    ASSERT_EQ(f.view().sheet().work.rowCount(), 0);
    QTest::mouseDClick(f.list().viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(f.view().document().path(), last);
    EXPECT_EQ(f.cell(0, WorkColumn::Enter), "08:00:00");
}

} // namespace
} // namespace tallimo::test
