#include "DesktopFixture.h"
#include "app/CommandActions.h"
#include "app/TodayBar.h"
#include "document/RecoveryCopy.h"

#include <QAction>
#include <QLabel>
#include <csignal>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(SessionEnd, SigtermKeepsUnsavedChangesThatTheNextStartRestores) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    const std::string month = *f.start.file;
    const auto saved = readBytes(month);
    f.clickRow(3);
    f.app->runner().run(CommandId::Vacation);
    ASSERT_TRUE(f.view().document().isModified());
    const auto changed = f.view().storeSheet();
    bool ended = false;
    QObject::connect(f.app.get(), &CTagrolApp::finished, [&ended] { ended = true; });
    ::raise(SIGTERM);
    ASSERT_TRUE(eventually([&ended] { return ended; }));
    EXPECT_EQ(readBytes(month), saved);
    f.app.reset();

    QString question;
    QTimer::singleShot(0, [&question] {
        eventually([] { return QApplication::activeModalWidget() != nullptr; });
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        question = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    ASSERT_TRUE(f.launch());
    EXPECT_TRUE(question.startsWith("Tallimo ended with unsaved changes to March.time (saved "))
        << question.toStdString();
    EXPECT_TRUE(question.endsWith("). Restore them?")) << question.toStdString();
    EXPECT_EQ(f.view().storeSheet(), changed);
    EXPECT_TRUE(f.view().document().isModified());
    EXPECT_EQ(readBytes(month), saved);
}

TEST(UndoMenu, UndoesAMistakenDeleteOfFiveRowsByItsName) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    const auto before = f.view().storeSheet();
    CellTable& work = f.view().sheet().work;
    for (int row = 4; row < 9; ++row) {
        work.setSelected(row, true);
    }
    BoxAnswerer ok;
    f.app->runner().run(CommandId::DeleteRows);
    ASSERT_NE(f.view().storeSheet(), before);
    QAction* undo = f.frame().actions().action(CommandId::EditUndo);
    f.frame().actions().update(undo);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text().section('\t', 0, 0), "&Undo Delete");
    undo->trigger();
    EXPECT_EQ(f.view().storeSheet(), before);
    QAction* redo = f.frame().actions().action(CommandId::EditRedo);
    f.frame().actions().update(redo);
    EXPECT_EQ(redo->text().section('\t', 0, 0), "&Redo Delete");
}

TEST(TodayBar, ShowsTheLineAndFollowsTheClockOnlyWhileTheWindowIsShown) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    EXPECT_EQ(f.frame().todayLabel().text(), "Today is not in the open month");
    ASSERT_TRUE(eventually([&f] { return f.app->todayBar()->isTicking(); }));
    f.frame().hide();
    EXPECT_TRUE(eventually([&f] { return !f.app->todayBar()->isTicking(); }));
    f.frame().show();
    EXPECT_TRUE(eventually([&f] { return f.app->todayBar()->isTicking(); }));
}

} // namespace
} // namespace tallimo::test
