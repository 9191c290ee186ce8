#include "DesktopFixture.h"
#include "app/BalanceChart.h"
#include "app/BalanceField.h"
#include "app/BalanceWindow.h"
#include "app/CTrayNotifyIcon.h"
#include "app/CommandActions.h"
#include "app/CommandRunner.h"
#include "app/SingleInstance.h"
#include "controls/CCellEdit.h"
#include "document/RecentFileList.h"
#include "support/SheetBytes.h"
#include "view/CommandTable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QScrollBar>
#include <QSystemTrayIcon>
#include <QTableWidget>
#include <QToolBar>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>

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

TEST(Frame, CaptionMenusToolbarAndTrayFollowTheDocumentAndTheCommandTable) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    showActive(f.frame());
    // The caption names the document and marks unsaved changes.
    EXPECT_EQ(f.frame().windowTitle(), "March.time[*] - Tallimo - Feature Pack 3");
    EXPECT_FALSE(f.frame().isWindowModified());
    f.clickRow(3);
    QTest::mouseClick(button(f.frame(), CommandId::HolidayButton), Qt::LeftButton);
    EXPECT_EQ(f.cell(3, WorkColumn::Comment), "Feiertag");
    EXPECT_TRUE(f.frame().isWindowModified());
    QTest::keyClick(&f.frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(f.frame().isWindowModified());

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

TEST(Frame, WithoutATrayTheWindowStaysShown) {
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

// The program goes on after it.
TEST(Frame, AFailureEscapingACommandIsShown) {
    DesktopFixture f;
    ASSERT_TRUE(f.launch());
    BoxAnswerer answers;
    f.app->runner().guarded([] { throw std::runtime_error("disk on fire"); });
    ASSERT_EQ(answers.texts, std::vector<QString>{"disk on fire"});
    f.app->runner().run(CommandId::ShowSquadTime);
    EXPECT_FALSE(f.view().isWorkListVisible());
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

TEST(Lists, RightClickMenuActsOnTheCellAndAnEditRecomputesItsRow) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    f.clickRow(5);
    CCellListCtrl& work = f.list();
    const QPoint enter = work.visualRect(work.model()->index(5, WorkColumn::Enter)).center();
    QTest::mousePress(work.viewport(), Qt::RightButton, {}, enter);
    // Chooses "Copy Cell" once the menu opens, as the user's click would.
    QTimer::singleShot(50, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        clickEntry(menu, "Copy Cell");
    });
    QTest::mouseRelease(work.viewport(), Qt::RightButton, {}, enter);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "07:30:00");

    // An edit recomputes its own row, not the remembered cell's, and marks the document.
    ASSERT_TRUE(work.EditCell(0, WorkColumn::Leave));
    QTest::keyClicks(work.cellEdit(), "18:00:00");
    QTest::keyClick(work.cellEdit(), Qt::Key_Return);
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

// A month of the fixture's folder with one day from 08:00 to `leave`.
std::string writeMonth(DesktopFixture& f, const char* name, int month, const char* leave) {
    const auto first = static_cast<std::uint32_t>(*makeLocalInstant(2006, month, 1, 0, 0, 0));
    char date[16];
    std::snprintf(date, sizeof date, "01.%02d.2006", month);
    writeBytes(f.dir.file(name),
               SheetBytes().header(1, {}, first, first).workRow(date, "08:00:00", leave).bytes);
    return f.dir.file(name);
}

std::vector<qint64> values(const BalanceChart& chart, bool running) {
    std::vector<qint64> result;
    for (const ChartBar& bar : chart.bars()) {
        result.push_back(running ? bar.running : bar.value);
    }
    return result;
}

TEST(Balance, TheStatusFieldAndTheChartWindowFollowTheOpenMonth) {
    DesktopFixture f;
    writeMonth(f, "z-jan.time", 1, "19:00:00");
    writeMonth(f, "a-feb.time", 2, "16:00:00");
    writeMonth(f, "apr.time", 4, "22:00:00"); // after the open month: not yet in the balance
    f.start.file = writeMonth(f, "m-mar.time", 3, "18:00:00");
    ASSERT_TRUE(f.launch());
    const QLabel& field = f.app->balanceField()->label();
    EXPECT_TRUE(eventually([&] { return field.text() == "Balance: +02:00:00"; }))
        << field.text().toStdString();

    f.app->runner().guarded(
        [&] { f.view().sheet().work.SetItemText(0, WorkColumn::Leave, "20:00:00"); });
    EXPECT_EQ(field.text(), "Balance: +04:00:00");

    f.app->runner().run(CommandId::OvertimeBalance);
    BalanceWindow* window = f.app->balanceWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(values(window->monthChart(), false), (std::vector<qint64>{7200, -3600, 10800}));
    EXPECT_EQ(values(window->monthChart(), true), (std::vector<qint64>{7200, 3600, 14400}));
    EXPECT_EQ(window->table().rowCount(), 5); // the start, the months, the total
    EXPECT_EQ(window->table().item(3, 3)->text(), "04:00:00");
    EXPECT_EQ(window->table().item(4, 0)->text(), "Total");
    EXPECT_EQ(window->table().item(4, 3)->text(), "04:00:00");
    f.app->runner().guarded(
        [&] { f.view().sheet().work.SetItemText(0, WorkColumn::Leave, "16:00:00"); });
    EXPECT_EQ(values(window->dayChart(), false), (std::vector<qint64>{-3600}));
    EXPECT_EQ(window->table().item(3, 3)->text(), "00:00:00");

    // Bars are blue above zero and red below, also in the exported image.
    BalanceChart& chart = window->monthChart();
    ASSERT_TRUE(eventually([&] { return chart.isVisible() && chart.width() > 300; }));
    chart.setBars({{"2006-01", 7200, 7200}, {"2006-02", -3600, 3600}});
    const std::string png = f.dir.file("chart.png");
    ASSERT_TRUE(window->exportPng(QString::fromStdString(png)));
    const QImage exported(QString::fromStdString(png));
    EXPECT_EQ(exported.size(), chart.size() * 2);
    const QImage shown = chart.grab().toImage();
    const struct {
        int bar;
        QColor colour;
    } cases[] = {{0, QColor(0, 0, 255)}, {1, QColor(255, 0, 0)}};
    for (const auto& c : cases) {
        // Left of the bar's middle, clear of the line through the bars' centres.
        const QRectF bar = chart.barRect(c.bar);
        const QPointF inside(bar.left() + bar.width() / 4, bar.center().y());
        EXPECT_EQ(shown.pixelColor(inside.toPoint()), c.colour) << c.bar;
        EXPECT_EQ(exported.pixelColor((inside * 2).toPoint()), c.colour) << c.bar;
    }
}

// Which file is refused for which reason is the document's; the desktop shows it and ends.
TEST(Start, ARefusedFileOnTheCommandLineEndsTheProgram) {
    DesktopFixture f;
    f.start.file = f.dir.file("given.time");
    std::ofstream(*f.start.file) << "hello";
    BoxAnswerer answers;
    EXPECT_FALSE(f.launch());
    ASSERT_EQ(answers.texts.size(), 1u);
    EXPECT_TRUE(answers.texts.front().startsWith("Exception by identifying the file header."));
    EXPECT_FALSE(f.frame().isVisible());
}

TEST(Start, ASecondStartHandsItsFileToTheFirstAndEnds) {
    DesktopFixture f;
    const std::string second = f.month("Second.time");
    const std::string runtime = f.dir.file("runtime");
    ::mkdir(runtime.c_str(), 0700);
    SingleInstance first(QString::fromStdString(runtime));
    ASSERT_TRUE(first.claim());
    ASSERT_TRUE(f.launch());
    f.app->listenTo(first);
    f.app->runner().run(CommandId::Switch);
    ASSERT_FALSE(f.frame().isVisible());

    QProcess later;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(f.dir.file("config")));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    later.setProcessEnvironment(environment);
    later.setWorkingDirectory(QString::fromStdString(f.dir.path().string()));
    later.start(TALLIMO_DESKTOP, {"Second.time"});
    ASSERT_TRUE(eventually([&] { return later.state() == QProcess::NotRunning; }));
    EXPECT_EQ(later.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(later.exitCode(), 0) << later.readAllStandardError().toStdString();

    ASSERT_TRUE(eventually([&] { return f.view().document().path() == second; }));
    EXPECT_TRUE(f.frame().isVisible());
    EXPECT_FALSE(f.view().isMainWindowHidden());
}

// What another program does to the open file: tallimo-cli writes a comment on day 6.
void cliSetsComment(const DesktopFixture& f, const std::string& file, const std::string& comment) {
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(f.dir.file("config")));
    cli.setProcessEnvironment(environment);
    cli.start(TALLIMO_CLI, {"set", QString::fromStdString(file), "6", "--comment",
                            QString::fromStdString(comment)});
    ASSERT_TRUE(cli.waitForFinished(20000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
}

TEST(DiskWatcher, WhatTheCliWroteIsShownOrWithUnsavedChangesTheUserChoosesWhichSideStays) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    const std::string file = *f.start.file;
    f.frame().resize(600, 300);
    f.frame().show();
    f.clickRow(20);
    f.list().verticalScrollBar()->setValue(f.list().verticalScrollBar()->maximum());
    const int scrolled = f.list().verticalScrollBar()->value();

    cliSetsComment(f, file, "late train");
    ASSERT_TRUE(eventually([&] { return f.cell(5, WorkColumn::Comment) == "late train"; }));
    EXPECT_FALSE(f.view().document().isModified());
    EXPECT_EQ(f.list().selectionModel()->selectedRows(),
              QModelIndexList{f.list().model()->index(20, 0)});
    EXPECT_EQ(f.list().verticalScrollBar()->value(), scrolled);

    // With unsaved changes the user is asked once per change: first ours stays, then theirs.
    f.clickRow(9);
    f.app->runner().run(CommandId::HolidayButton);
    for (const auto answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
        const bool loaded = answer == QMessageBox::Ok;
        BoxAnswerer answers(answer);
        cliSetsComment(f, file, loaded ? "theirs" : "not loaded");
        ASSERT_TRUE(eventually([&] { return !answers.texts.empty(); }));
        EXPECT_TRUE(answers.texts.front().startsWith("\"" + QString::fromStdString(file) +
                                                     "\" has been changed by another program"));
        QTest::qWait(500);
        EXPECT_EQ(answers.texts.size(), 1u);
        EXPECT_EQ(f.cell(5, WorkColumn::Comment), loaded ? "theirs" : "late train");
        EXPECT_EQ(f.cell(9, WorkColumn::Comment), loaded ? "" : "Feiertag");
        EXPECT_EQ(f.view().document().isModified(), !loaded);
    }
}

} // namespace
} // namespace tallimo::test
