#include "DesktopFixture.h"
#include "view/CommandTable.h"

#include <QItemSelectionModel>
#include <QProcess>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

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

TEST(DiskWatcher, WhatTheCliWroteIsShownWithSelectionAndScrollKept) {
    DesktopFixture f;
    const std::string file = f.month();
    f.start.file = file;
    ASSERT_TRUE(f.launch());
    f.frame().resize(600, 300);
    f.frame().show();
    f.clickRow(20);
    f.list().verticalScrollBar()->setValue(f.list().verticalScrollBar()->maximum());
    const int scrolled = f.list().verticalScrollBar()->value();

    cliSetsComment(f, file, "late train");
    ASSERT_TRUE(eventually([&] { return f.cell(5, WorkColumn::Comment) == "late train"; }));
    EXPECT_FALSE(f.view().document().isModified());
    EXPECT_EQ(f.frame().windowTitle(), "March.time[*] - Tallimo - Feature Pack 3");
    EXPECT_EQ(f.list().selectionModel()->selectedRows().size(), 1);
    EXPECT_TRUE(f.list().selectionModel()->isRowSelected(20));
    EXPECT_TRUE(f.view().sheet().work.isSelected(20));
    EXPECT_EQ(f.list().verticalScrollBar()->value(), scrolled);

    // Our own save is no change from outside: nothing is read again.
    f.trace.lines.clear();
    f.app->runner().run(CommandId::FileSave);
    QTest::qWait(1000);
    EXPECT_FALSE(f.traced("The open file was changed on disk: loading it again"));
}

TEST(DiskWatcher, WithUnsavedChangesTheUserChoosesWhichSideStays) {
    for (const auto answer : {QMessageBox::Ok, QMessageBox::Cancel}) {
        DesktopFixture f;
        const std::string file = f.month();
        f.start.file = file;
        ASSERT_TRUE(f.launch());
        f.clickRow(9);
        f.app->runner().run(CommandId::HolidayButton);
        ASSERT_TRUE(f.view().document().isModified());

        BoxAnswerer answers(answer);
        cliSetsComment(f, file, "from the terminal");
        ASSERT_TRUE(eventually([&] { return !answers.texts.empty(); }));
        EXPECT_TRUE(answers.texts.front().startsWith("\"" + QString::fromStdString(file) +
                                                     "\" has been changed by another program"));
        const bool loaded = answer == QMessageBox::Ok;
        EXPECT_TRUE(eventually(
            [&] { return (f.cell(5, WorkColumn::Comment) == "from the terminal") == loaded; }));
        EXPECT_EQ(f.cell(9, WorkColumn::Comment), loaded ? "" : "Feiertag");
        EXPECT_EQ(f.view().document().isModified(), !loaded);
        QTest::qWait(500);
        EXPECT_EQ(answers.texts.size(), 1u) << "asked once for one change";
    }
}

} // namespace
} // namespace tallimo::test
