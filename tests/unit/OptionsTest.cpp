#include "support/ViewFixture.h"
#include "view/OptionsDialog.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

Instant picker(int hour, int minute, int second = 0) {
    return durationPickerValue(Duration{hour, minute, second});
}

TEST(OptionsDialog, AtWorkIsTheSumOfWorktimeAndBreaksWithinOneDay) {
    const struct {
        Duration worktime, breakfast, lunch, coffee;
        Duration atwork;
    } cases[] = {
        {{8, 0, 0}, {0, 20, 0}, {0, 45, 0}, {0, 10, 0}, {9, 15, 0}},
        {{20, 0, 0}, {3, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 0, 0}},
        {{23, 0, 0}, {0, 20, 0}, {0, 30, 0}, {0, 10, 0}, {0, 0, 0}},
        {{7, 90, 0}, {0, 0, 59}, {0, 0, 1}, {0, 0, 0}, {8, 31, 0}},
    };
    ViewFixture f;
    for (const auto& c : cases) {
        OptionsDialog dialog(f.view->trace());
        dialog.worktime = durationPickerValue(c.worktime);
        dialog.breakfast = durationPickerValue(c.breakfast);
        dialog.lunch = durationPickerValue(c.lunch);
        dialog.coffee = durationPickerValue(c.coffee);
        dialog.computeAtWork();
        EXPECT_EQ(pickerDuration(dialog.atwork), c.atwork) << c.worktime.hour;
    }
}

TEST(OptionsDialog, HandlersTraceUnderTheDialogsModule) {
    ViewFixture f;
    OptionsDialog dialog(f.view->trace());
    dialog.worktime = picker(8, 0);
    dialog.breakfast = picker(0, 0);
    dialog.coffee = picker(0, 0);
    dialog.lunch = picker(0, 45);
    dialog.OnDatetimechangeLunch();
    dialog.OnPlugindir("/opt/plugins");
    dialog.OnOK();
    EXPECT_EQ(pickerDuration(dialog.atwork), (Duration{8, 45, 0}));
    EXPECT_TRUE(dialog.ok);
    EXPECT_EQ(dialog.plugInDir, "/opt/plugins");
    EXPECT_EQ(f.trace.texts(),
              (std::vector<std::string>{"Enter COptionsDlg", "Leave COptionsDlg", "00:45:00",
                                        "Plug-In Directory selected: /opt/plugins", "Enter OnOK",
                                        "Leave OnOK"}));
    for (const auto& line : f.trace.lines) {
        EXPECT_NE(line.find("[OptionDlg]"), std::string::npos) << line;
    }
}

TEST(OptionsCommand, OkWritesEveryValueInOrderNormalisedAndWrapped) {
    ViewFixture f;
    f.settings.setInt(kSettingsSection, "worktimeHour", 7);
    f.settings.setInt(kSettingsSection, "worktimeMinute", 90);
    f.view = std::make_unique<CTagrolView>(f.platform);
    f.settings.writes.clear();
    f.ui.onOptionsDialog = [](OptionsDialog& dialog) {
        EXPECT_EQ(formatInstant(dialog.worktime, "%H:%M:%S"), "08:30:00");
        EXPECT_EQ(formatInstant(dialog.atwork, "%H:%M:%S"), "09:30:00");
        dialog.AutoSave = 1;
        dialog.plugInDir = "/p";
        dialog.coffee = picker(15, 0);
        dialog.OnDatetimechangeCoffee();
        dialog.OnOK();
        return true;
    };
    f.view->OnGoOptions();
    const std::vector<std::string> expected = {
        "Settings/AutoSave=on",
        "Settings/AutoBackup=off",
        "Settings/AutoOpenLastDocument=off",
        "Settings/RememberMe=off",
        "Settings/PlugInDir=/p",
        "Settings/atworkHour=0",
        "Settings/atworkMinute=20",
        "Settings/atworkSecond=0",
        "Settings/worktimeHour=8",
        "Settings/worktimeMinute=30",
        "Settings/worktimeSecond=0",
        "Settings/breakfastHour=0",
        "Settings/breakfastMinute=20",
        "Settings/breakfastSecond=0",
        "Settings/lunchHour=0",
        "Settings/lunchMinute=30",
        "Settings/lunchSecond=0",
        "Settings/coffeeHour=15",
        "Settings/coffeeMinute=0",
        "Settings/coffeeSecond=0",
    };
    EXPECT_EQ(f.settings.writes, expected);
    EXPECT_TRUE(f.view->settings().AutoSave);
    EXPECT_EQ(f.view->settings().atwork, (Duration{0, 20, 0}));
    EXPECT_EQ(f.trace.texts().front(), "Enter OnGoOptions");
    EXPECT_EQ(f.trace.texts().back(), "Leave OnGoOptions");
}

TEST(OptionsCommand, CancelWritesNothingEvenAfterChanges) {
    ViewFixture f;
    f.ui.onOptionsDialog = [](OptionsDialog& dialog) {
        dialog.AutoSave = 1;
        dialog.RememberMe = 1;
        dialog.lunch = picker(1, 0);
        dialog.OnDatetimechangeLunch();
        return false;
    };
    f.view->OnGoOptions();
    EXPECT_TRUE(f.settings.writes.empty());
    EXPECT_FALSE(f.view->settings().AutoSave);
    EXPECT_TRUE(f.timers.calls.empty());
}

} // namespace
} // namespace tallimo::test
