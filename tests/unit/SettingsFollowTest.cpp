#include "support/ViewFixture.h"
#include "view/OptionsDialog.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// Another program (tallimo-cli) changes the settings while the window runs: the dialog shows
// its values, and OK without a change in the dialog writes nothing back over them.
TEST(SettingsFollow, TheOptionsDialogShowsWhatAnotherProgramStoredAndOkWritesOnlyChanges) {
    ViewFixture f;
    f.settings.setString(kSettingsSection, "AutoSave", "on");
    f.settings.setString(kSettingsSection, "RememberMe", "on");
    f.settings.setInt(kSettingsSection, "coffeeMinute", 5);
    f.settings.writes.clear();
    std::string shown;
    f.ui.onOptionsDialog = [&](OptionsDialog& dialog) {
        shown = std::to_string(dialog.AutoSave) + std::to_string(dialog.RememberMe) + " " +
                formatInstant(dialog.coffee, "%H:%M:%S");
        dialog.AutoBackup = 1;
        dialog.OnOK();
        return true;
    };
    f.view->OnGoOptions();
    EXPECT_EQ(shown, "11 00:05:00");
    EXPECT_EQ(f.settings.writes, std::vector<std::string>{"Settings/AutoBackup=on"});
    EXPECT_TRUE(f.view->settings().AutoSave);
    // The reminder runs as it does when the dialog switches it on.
    EXPECT_EQ(f.timers.running.count(CTagrolView::kReminderTimerId), 1u);
}

} // namespace
} // namespace tallimo::test
