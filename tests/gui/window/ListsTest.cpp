#include "DesktopFixture.h"
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

TEST(Lists, RightClickRemembersTheCellAndItsMenuActsOnIt) {
    DesktopFixture f;
    f.start.file = f.month();
    ASSERT_TRUE(f.launch());
    f.clickRow(0);
    CCellListCtrl& work = f.list();
    // The list reports the right button; the cell is the one under the last press.
    emit work.rightButtonPressed();
    const auto [row, column] = work.HitTestCell();
    EXPECT_EQ(f.view().rememberedRow(), row);
    std::vector<std::pair<QString, bool>> seen;
    chooseWhenOpen("Copy Cell", seen);
    emit work.rightButtonReleased(work.viewport()->mapToGlobal(QPoint(5, 5)));

    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), std::make_pair(QString("Edit Cell"), true));
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), f.cell(row, column));
}

TEST(Lists, AcceptedEditRecomputesTheEditedRowAndMarksTheDocument) {
    DesktopFixture f;
    f.start.file = f.month();
    ASSERT_TRUE(f.launch());
    // As the editor leaves it: the text written, then the acceptance reported.
    f.view().sheet().work.SetItemText(0, WorkColumn::Leave, "18:00:00");
    emit f.list().editAccepted(0, WorkColumn::Leave);
    EXPECT_EQ(f.cell(0, WorkColumn::AtWork), "10:00:00");
    EXPECT_EQ(f.cell(1, WorkColumn::Comment), "Feiertag");
    EXPECT_TRUE(f.frame().isWindowModified());
    EXPECT_EQ(f.view().rememberedRow(), -1);
}

TEST(Lists, DoubleClickOnTheEmptyListOpensTheLastDocument) {
    DesktopFixture f;
    const std::string last = f.month();
    storeLastDocument(f.settings, last);
    ASSERT_TRUE(f.launch());
    EXPECT_EQ(f.view().sheet().work.rowCount(), 0);
    emit f.list().leftButtonDoubleClicked();
    EXPECT_EQ(f.view().document().path(), last);
    EXPECT_EQ(f.cell(0, WorkColumn::Enter), "08:00:00");
}

} // namespace
} // namespace tallimo::test
