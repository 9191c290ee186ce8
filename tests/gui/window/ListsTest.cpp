#include "DesktopFixture.h"
#include "controls/CCellEdit.h"
#include "document/RecentFileList.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// Chooses an entry of the context menu once it opens, as the user's click would.
void chooseWhenOpen(const QString& text, std::vector<std::pair<QString, bool>>& seen) {
    QTimer::singleShot(50, [text, &seen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            seen.emplace_back(action->text(), action->isEnabled());
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            }
        }
    });
}

QPoint cellCentre(CCellListCtrl& list, int row, int column) {
    return list.visualRect(list.model()->index(row, column)).center();
}

TEST(Lists, RightClickRemembersTheCellAndItsMenuActsOnIt) {
    DesktopFixture f;
    f.start.file = f.month();
    ASSERT_TRUE(f.launch());
    f.clickRow(5);
    CCellListCtrl& work = f.list();
    const QPoint enter = cellCentre(work, 5, WorkColumn::Enter);
    QTest::mousePress(work.viewport(), Qt::RightButton, {}, enter);
    EXPECT_EQ(f.view().rememberedRow(), 5);
    EXPECT_EQ(f.view().rememberedColumn(), WorkColumn::Enter);

    std::vector<std::pair<QString, bool>> seen;
    chooseWhenOpen("Copy Cell", seen);
    QTest::mouseRelease(work.viewport(), Qt::RightButton, {}, enter);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), std::make_pair(QString("Edit Cell"), true));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "07:30:00");
}

TEST(Lists, AnEditOnTheCurrentCellRecomputesItsRowAndMarksTheDocument) {
    DesktopFixture f;
    f.start.file = f.month();
    ASSERT_TRUE(f.launch());
    f.frame().activateWindow();
    CCellListCtrl& work = f.list();
    QTest::mouseClick(work.viewport(), Qt::LeftButton, {}, cellCentre(work, 0, WorkColumn::Leave));
    // F2 opens the editor on the current cell, which no right click has remembered.
    QTest::keyClick(&work, Qt::Key_F2);
    ASSERT_NE(work.cellEdit(), nullptr);
    QTest::keyClicks(work.cellEdit(), "18:00:00");
    QTest::keyClick(work.cellEdit(), Qt::Key_Return);

    ASSERT_TRUE(eventually([&] { return f.cell(0, WorkColumn::Leave) == "18:00:00"; }));
    EXPECT_EQ(f.cell(0, WorkColumn::AtWork), "10:00:00");
    EXPECT_TRUE(f.frame().isWindowModified());
    EXPECT_EQ(f.view().rememberedRow(), -1);
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
