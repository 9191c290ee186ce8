#include "DesktopFixture.h"
#include "app/CTrayNotifyIcon.h"
#include "app/CommandActions.h"
#include "view/CommandTable.h"

#include <QHeaderView>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// Opens a menu of the menu bar with its mnemonic, as a keyboard user does.
QMenu* openMenu(CMainFrame& frame, Qt::Key mnemonic) {
    QTest::keyClick(&frame, mnemonic, Qt::AltModifier);
    eventually([] { return QApplication::activePopupWidget() != nullptr; });
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

QAction* entry(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

void clickEntry(QMenu* menu, const QString& text) {
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry(menu, text)).center());
}

QWidget* button(CMainFrame& frame, int id) {
    return frame.toolbar().widgetForAction(frame.actions().action(id));
}

void showActive(CMainFrame& frame) {
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
}

TEST(Frame, MenusToolbarAndTrayFollowTheCommandTable) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    showActive(f.frame());

    QMenu* special = openMenu(f.frame(), Qt::Key_S);
    ASSERT_NE(special, nullptr);
    EXPECT_FALSE(entry(special, "Show work time")->isEnabled());
    clickEntry(special, "Show Squad Time");
    ASSERT_TRUE(eventually([&] { return f.list(false).isVisible(); }));
    EXPECT_FALSE(f.list(true).isVisible());

    QMenu* tools = openMenu(f.frame(), Qt::Key_T);
    ASSERT_NE(tools, nullptr);
    EXPECT_FALSE(entry(tools, "Enter now...")->isEnabled());
    EXPECT_TRUE(entry(tools, "Start squad now...")->isEnabled());
    tools->close();
    EXPECT_FALSE(button(f.frame(), CommandId::EnterButton)->isEnabled());
    EXPECT_TRUE(button(f.frame(), CommandId::StartSquadButton)->isEnabled());

    // The tray's entries have no rule of the lists: Enter stays offered with the squad list.
    QMenu* popup = f.app->tray()->popup();
    popup->popup(QPoint(10, 10));
    ASSERT_TRUE(eventually([&] { return popup->isVisible(); }));
    EXPECT_TRUE(entry(popup, "Enter")->isEnabled());
    clickEntry(popup, "Hide");
    ASSERT_TRUE(eventually([&] { return !f.frame().isVisible(); }));
    popup->popup(QPoint(10, 10));
    ASSERT_TRUE(eventually([&] { return popup->isVisible(); }));
    EXPECT_EQ(popup->actions().front()->text(), "Show");
    popup->close();

    // Only a double click on the icon brings the window back.
    emit f.app->tray()->icon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(f.frame().isVisible());
    emit f.app->tray()->icon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(eventually([&] { return f.frame().isVisible(); }));
}

TEST(Frame, WithoutATraySwitchKeepsTheWindowShown) {
    DesktopFixture f(false);
    f.start.hidden = true;
    ASSERT_TRUE(f.launch());
    EXPECT_FALSE(f.app->tray()->isCreated());
    // --hidden cannot hide a window that nothing would bring back.
    EXPECT_TRUE(f.frame().isVisible());
    f.app->runner().run(CommandId::Switch);
    EXPECT_TRUE(f.frame().isVisible());
    EXPECT_FALSE(f.view().isMainWindowHidden());
}

TEST(Frame, CaptionNamesTheDocumentAndMarksUnsavedChanges) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    showActive(f.frame());
    EXPECT_EQ(f.frame().windowTitle(), "March.time[*] - Tallimo - Feature Pack 3");
    EXPECT_FALSE(f.frame().isWindowModified());

    f.clickRow(3);
    QTest::mouseClick(button(f.frame(), CommandId::HolidayButton), Qt::LeftButton);
    EXPECT_EQ(f.cell(3, WorkColumn::Comment), "Feiertag");
    EXPECT_TRUE(f.frame().isWindowModified());
    QTest::keyClick(&f.frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(f.frame().isWindowModified());
}

TEST(Frame, WindowStateIsKeptInItsOwnSection) {
    DesktopFixture f;
    ASSERT_TRUE(f.launch());
    f.app->runner().run(CommandId::ShowSquadTime);
    f.list(false).horizontalHeader()->resizeSection(4, 123);
    f.frame().resize(700, 500);
    showActive(f.frame());
    clickEntry(openMenu(f.frame(), Qt::Key_F), "E&xit");
    ASSERT_TRUE(eventually([&] { return !f.frame().isVisible(); }));
    for (const auto& write : f.settings.writes) {
        EXPECT_EQ(write.rfind("Window/", 0), 0u) << write;
    }

    f.app.reset();
    ASSERT_TRUE(f.launch());
    EXPECT_TRUE(f.list(false).isVisible());
    EXPECT_EQ(f.list(false).horizontalHeader()->sectionSize(4), 123);
    EXPECT_EQ(f.frame().size(), QSize(700, 500));
}

} // namespace
} // namespace tallimo::test
