#include "support/CliRunner.h"

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
              "coffeeHour=0\ncoffeeMinute=10\ncoffeeSecond=0\nBalanceStart=\nLastDocument=\n"
              "Autostart=off\n");
    // The line lists exactly what changed; a later run reads it back from the store.
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"worktimeHour=7", "worktimeMinute=90", "AutoSave=on", "PlugInDir=/opt/p"},
         {"AutoSave=on", "PlugInDir=/opt/p", "atworkMinute=30", "worktimeMinute=30"}},
        {{"BalanceStart=-150:30", "lunchMinute=45"},
         {"atworkMinute=15", "lunchMinute=45", "BalanceStart=-150:30"}},
        // The largest part the help promises, carried into hours of one day.
        {{"worktimeHour=9999", "worktimeMinute=9999"},
         {"atworkHour=14", "atworkMinute=39", "worktimeHour=13", "worktimeMinute=39"}},
        {{"AutoSave=off"}, {}},
    };
    for (const auto& [assignments, changed] : cases) {
        CliSandbox fresh;
        std::vector<std::string> args = {"options"};
        args.insert(args.end(), assignments.begin(), assignments.end());
        std::string line;
        for (const auto& value : changed) {
            line += (line.empty() ? "" : ", ") + value;
        }
        EXPECT_EQ(fresh.run(args).out,
                  "settings: " + (line.empty() ? "nothing changed" : line) + "\n");
        const std::string shown = fresh.run({"options"}).out;
        for (const auto& value : changed) {
            EXPECT_NE(shown.find(value + "\n"), std::string::npos) << value << '\n' << shown;
        }
    }
}

} // namespace
} // namespace tallimo::test
