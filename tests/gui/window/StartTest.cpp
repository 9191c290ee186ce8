#include "DesktopFixture.h"
#include "app/CommandRunner.h"
#include "app/SingleInstance.h"

#include <QProcess>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>

namespace tallimo::test {
namespace {

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

TEST(Start, AFailureEscapingACommandIsShownAndTheProgramGoesOn) {
    DesktopFixture f;
    ASSERT_TRUE(f.launch());
    BoxAnswerer answers;
    f.app->runner().guarded([] { throw std::runtime_error("disk on fire"); });
    ASSERT_EQ(answers.texts, std::vector<QString>{"disk on fire"});
    f.app->runner().run(CommandId::ShowSquadTime);
    EXPECT_FALSE(f.view().isWorkListVisible());
}

} // namespace
} // namespace tallimo::test
