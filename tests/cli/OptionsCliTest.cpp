#include "support/CliRunner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(CliOptions, PrintsEverySettingInItsOrderAndStoresNormalisedChanges) {
    CliSandbox sandbox;
    EXPECT_EQ(sandbox.run({"options"}).out,
              "AutoSave=off\nAutoBackup=off\nAutoOpenLastDocument=off\nRememberMe=off\nPlugInDir=\n"
              "atworkHour=9\natworkMinute=0\natworkSecond=0\n"
              "worktimeHour=8\nworktimeMinute=0\nworktimeSecond=0\n"
              "breakfastHour=0\nbreakfastMinute=20\nbreakfastSecond=0\n"
              "lunchHour=0\nlunchMinute=30\nlunchSecond=0\n"
              "coffeeHour=0\ncoffeeMinute=10\ncoffeeSecond=0\nLastDocument=\nAutostart=off\n");
    const struct {
        std::vector<std::string> assignments;
        std::vector<std::string> expected;
    } cases[] = {
        {{"worktimeHour=7", "worktimeMinute=90", "AutoSave=on", "PlugInDir=/opt/p"},
         {"AutoSave=on", "PlugInDir=/opt/p", "worktimeHour=8", "worktimeMinute=30", "atworkHour=9",
          "atworkMinute=30"}},
        {{"worktimeHour=23"}, {"atworkHour=0", "atworkMinute=0", "worktimeHour=23"}},
        // The largest part the help promises, carried into hours of one day.
        {{"worktimeHour=9999", "worktimeMinute=9999"}, {"worktimeHour=13", "worktimeMinute=39"}},
    };
    for (const auto& c : cases) {
        CliSandbox fresh;
        std::vector<std::string> args = {"options"};
        args.insert(args.end(), c.assignments.begin(), c.assignments.end());
        const CliResult changed = fresh.run(args);
        ASSERT_EQ(changed.status, 0) << changed.err;
        const std::string shown = fresh.run({"options"}).out;
        for (const auto& line : c.expected) {
            EXPECT_NE(shown.find(line + "\n"), std::string::npos) << line << '\n' << shown;
        }
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
