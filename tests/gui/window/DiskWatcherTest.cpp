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
    EXPECT_TRUE(f.view().sheet().work.isSelected(20));
    EXPECT_EQ(f.list().verticalScrollBar()->value(), scrolled);
}

TEST(DiskWatcher, WithUnsavedChangesTheUserChoosesWhichSideStays) {
    for (const auto answer : {QMessageBox::Ok, QMessageBox::Cancel}) {
        DesktopFixture f;
        ASSERT_TRUE(f.launchOnMonth());
        const std::string file = *f.start.file;
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
