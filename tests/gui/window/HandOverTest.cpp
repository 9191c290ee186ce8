#include "DesktopFixture.h"
#include "app/CTagrolApp.h"
#include "app/CommandRunner.h"
#include "app/SingleInstance.h"

#include <QProcess>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tallimo::test {
namespace {

// A second start with a name no text form keeps (a line break, a byte that is no UTF-8) makes
// the running window open exactly that file, not a neighbour whose name is a part of it.
TEST(HandOver, ASecondStartWithAnAwkwardNameOpensExactlyThatFile) {
    const char* names[] = {"n.time\nzzz.time", "l\xE4.time"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        DesktopFixture f;
        const std::string wanted = f.dir.file(name);
        std::filesystem::rename(f.month("Made.time"), wanted);
        f.month("n.time");
        const std::string runtime = f.dir.file("runtime");
        ::mkdir(runtime.c_str(), 0700);
        SingleInstance first(QString::fromStdString(runtime));
        ASSERT_TRUE(first.claim());
        ASSERT_TRUE(f.launch());
        f.app->listenTo(first);

        // As a user types it: the shell makes the bytes.
        QProcess later;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(f.dir.file("config")));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("TALLIMO", TALLIMO_DESKTOP);
        later.setProcessEnvironment(environment);
        later.setWorkingDirectory(QString::fromStdString(f.dir.path().string()));
        const QString printed =
            std::string(name).find('\n') != std::string::npos ? "n.time\\nzzz.time" : "l\\xe4.time";
        later.start("bash", {"-c", "exec \"$TALLIMO\" \"$(printf '" + printed + "')\""});
        ASSERT_TRUE(eventually([&] { return later.state() == QProcess::NotRunning; }));
        EXPECT_EQ(later.exitCode(), 0) << later.readAllStandardError().toStdString();
        EXPECT_TRUE(eventually([&] { return f.view().document().path() == wanted; }))
            << f.view().document().path();
    }
}

} // namespace
} // namespace tallimo::test
