#include "support/CliRunner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

const std::string kDefaults = "AutoSave=off\nAutoBackup=off\nAutoOpenLastDocument=off\n"
                              "RememberMe=off\nPlugInDir=\n"
                              "atworkHour=9\natworkMinute=0\natworkSecond=0\n"
                              "worktimeHour=8\nworktimeMinute=0\nworktimeSecond=0\n"
                              "breakfastHour=0\nbreakfastMinute=20\nbreakfastSecond=0\n"
                              "lunchHour=0\nlunchMinute=30\nlunchSecond=0\n"
                              "coffeeHour=0\ncoffeeMinute=10\ncoffeeSecond=0\n"
                              "LastDocument=\nAutostart=off\n";

TEST(CliOptions, PrintsEverySettingInItsOrder) {
    CliSandbox sandbox;
    const CliResult shown = sandbox.run({"options"});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out, kDefaults);
}

TEST(CliOptions, ChangesAreNormalisedAndAtWorkFollows) {
    const struct {
        std::vector<std::string> assignments;
        std::vector<std::string> expected;
    } cases[] = {
        {{"worktimeHour=7", "worktimeMinute=90", "AutoSave=on", "PlugInDir=/opt/p"},
         {"AutoSave=on", "PlugInDir=/opt/p", "worktimeHour=8", "worktimeMinute=30", "atworkHour=9",
          "atworkMinute=30"}},
        {{"worktimeHour=23"}, {"atworkHour=0", "atworkMinute=0", "worktimeHour=23"}},
    };
    for (const auto& c : cases) {
        CliSandbox sandbox;
        std::vector<std::string> args = {"options"};
        args.insert(args.end(), c.assignments.begin(), c.assignments.end());
        const CliResult changed = sandbox.run(args);
        ASSERT_EQ(changed.status, 0) << changed.err;
        const std::string shown = sandbox.run({"options"}).out;
        for (const auto& line : c.expected) {
            EXPECT_NE(shown.find(line + "\n"), std::string::npos) << line << '\n' << shown;
        }
    }
}

TEST(CliOptions, AnyRefusedArgumentWritesNothing) {
    for (const char* bad : {"Autosave=on", "AutoSave=ON", "atworkHour=10", "LastDocument=/x",
                            "lunchMinute=-5", "coffeeHour=1h"}) {
        CliSandbox sandbox;
        const CliResult result = sandbox.run({"options", "AutoSave=on", bad});
        EXPECT_EQ(result.status, 2) << bad;
        EXPECT_NE(result.err.find("tallimo-cli: options: "), std::string::npos) << bad;
        EXPECT_EQ(sandbox.run({"options"}).out, kDefaults) << bad;
    }
}

TEST(CliOptions, AStoreThatCannotBeWrittenIsAFailure) {
    CliSandbox sandbox;
    // The store's folder is taken by a plain file.
    std::filesystem::create_directories(sandbox.file(".home/.config"));
    std::ofstream(sandbox.file(".home/.config/Morvane")) << "in the way";
    const CliResult result = sandbox.run({"options", "AutoSave=on"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tallimo-cli: options: the settings could not be written\n");
}

} // namespace
} // namespace tallimo::test
