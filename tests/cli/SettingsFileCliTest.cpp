#include "support/CliRunner.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tallimo::test {
namespace {

namespace fs = std::filesystem;

std::string settingsFile(const CliSandbox& sandbox) {
    return sandbox.file(".home/.config/Morvane/Tallimo.conf");
}

// A settings file that cannot be used costs one warning, and the month's work still counts:
// a script must not repeat a change that was made.
TEST(CliSettingsFile, ASettingsFileThatCannotBeUsedWarnsOnceAndTheSavedMonthExitsZero) {
    CliSandbox sandbox;
    const std::string path = settingsFile(sandbox);
    fs::create_directories(fs::path(path).parent_path());
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { ::mkfifo(path.c_str(), 0600); }, "it is not a regular file"},
        {[&] { fs::create_directory(path); }, errnoText(EISDIR)},
        {[&] { fs::create_symlink("/proc/self/mem", path); }, errnoText(EIO)},
        {[&] { fs::create_symlink("Tallimo.conf", path); }, errnoText(ELOOP)},
    };
    for (const auto& [make, reason] : cases) {
        SCOPED_TRACE(reason);
        fs::remove_all(path);
        fs::remove(sandbox.file("m.time"));
        make();
        const CliResult result = sandbox.run({"new", "2006-03", "m.time"});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "tallimo-cli: warning: the settings file " + path +
                                  " cannot be read (" + reason + "); the defaults are used\n");
        EXPECT_TRUE(fs::is_regular_file(sandbox.file("m.time")));
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(path)));
    }
}

// Values edited by hand out of range read as their defaults, and a change of another setting
// leaves them, and the file's line ends, as they were.
TEST(CliSettingsFile, OutOfRangeValuesReadAsDefaultsAndAnotherChangeLeavesThem) {
    CliSandbox sandbox;
    const std::string path = settingsFile(sandbox);
    fs::create_directories(fs::path(path).parent_path());
    const std::string text = "[Settings]\r\nlunchMinute=-5\r\nworktimeHour=10000\r\n";
    writeBytes(path, {text.begin(), text.end()});
    const CliResult shown = sandbox.run({"options"});
    EXPECT_NE(shown.out.find("\nworktimeHour=8\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("\nlunchMinute=30\n"), std::string::npos) << shown.out;
    EXPECT_EQ(sandbox.run({"options", "AutoSave=on"}).status, 0);
    EXPECT_EQ(readText(path), text + "AutoSave=on\r\n");
}

} // namespace
} // namespace tallimo::test
