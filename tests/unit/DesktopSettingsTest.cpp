#include "platform/posix/IniSettingsStore.h"
#include "platform/qt/QtSettingsStore.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

// Both programs on one file: the desktop's writes reach it from the event loop, and what the
// CLI writes there reaches the running desktop.
TEST(DesktopSettings, TheDesktopWritesSoonAndFollowsWhatAnotherProgramWrote) {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    TempDir dir;
    const std::string path = dir.file("Morvane/Tallimo.conf");
    QtSettingsStore desktop(path);
    int changes = 0;
    desktop.setChangeHandler([&] { ++changes; });
    desktop.setString("Settings", "AutoSave", "off");
    EXPECT_TRUE(
        waitFor([&] { return IniSettingsStore(path).getString("Settings", "AutoSave") == "off"; }));
    IniSettingsStore cli(path);
    cli.setString("Settings", "AutoSave", "on");
    ASSERT_TRUE(cli.sync());
    EXPECT_TRUE(waitFor([&] { return desktop.getString("Settings", "AutoSave") == "on"; }));
    EXPECT_GT(changes, 0);
}

} // namespace
} // namespace tallimo::test
