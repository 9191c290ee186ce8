#include "support/ViewFixture.h"
#include "view/OptionsDialog.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(Options, AtWorkIsTheSumWithinOneDayAndOkStoresWhatTheUserChanged) {
    const struct {
        Duration worktime, breakfast, lunch, coffee;
        Duration atwork;
    } cases[] = {
        {{8, 0, 0}, {0, 20, 0}, {0, 45, 0}, {0, 10, 0}, {9, 15, 0}},
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
    f.settings.setInt(kSettingsSection, "worktimeHour", 7);
    f.settings.setInt(kSettingsSection, "worktimeMinute", 90);
    f.view = std::make_unique<CTagrolView>(f.platform);
    f.settings.writes.clear();
    f.ui.onOptionsDialog = [](OptionsDialog& dialog) {
        EXPECT_EQ(formatInstant(dialog.atwork, "%H:%M:%S"), "09:30:00");
        dialog.AutoSave = 1;
        dialog.OnPlugindir("/p");
        dialog.coffee = durationPickerValue(Duration{15, 0, 0});
        dialog.OnDatetimechangeCoffee();
        dialog.OnOK();
        return true;
    };
    f.view->OnGoOptions();
    // AutoSave, PlugInDir, coffee and with it @work; the unchanged worktime of 7:90 stays.
    EXPECT_EQ(f.settings.writes.size(), 8u);
    EXPECT_TRUE(f.view->settings().AutoSave);
    EXPECT_EQ(f.settings.getString(kSettingsSection, "PlugInDir"), "/p");
    EXPECT_EQ(f.view->settings().atwork, (Duration{0, 20, 0}));
}

} // namespace
} // namespace tallimo::test
