#include "view/Settings.h"

#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

TEST(Settings, SwitchesAreOnOnlyForTheExactWord) {
    fake::FakeSettingsStore store;
    store.setString(kSettingsSection, "AutoSave", "On");
    store.setString(kSettingsSection, "AutoBackup", "on");
    store.setString(kSettingsSection, "AutoOpenLastDocument", "ON");
    store.setString(kSettingsSection, "RememberMe", "");
    const SettingsRecord record = loadSettings(store);
    EXPECT_FALSE(record.AutoSave);
    EXPECT_TRUE(record.AutoBackup);
    EXPECT_FALSE(record.AutoOpenLastDocument);
    EXPECT_FALSE(record.RememberMe);
}

TEST(Settings, StoredValuesAreUsedAsStored) {
    fake::FakeSettingsStore store;
    store.setInt(kSettingsSection, "worktimeHour", 7);
    store.setInt(kSettingsSection, "worktimeMinute", 90);
    store.setInt(kSettingsSection, "atworkHour", 3);
    store.setString(kSettingsSection, "PlugInDir", "/opt/plugins");
    const SettingsRecord record = loadSettings(store);
    EXPECT_EQ(record.worktime.seconds(), 7 * 3600 + 90 * 60);
    EXPECT_EQ(record.atwork, (Duration{3, 0, 0})); // not recomputed at load
    EXPECT_EQ(record.PlugInDir, "/opt/plugins");
    // Not range-checked, so sums must not overflow 32 bits.
    EXPECT_EQ((Duration{1000000, 0, 0}.seconds()), 3600000000LL);
}

} // namespace
} // namespace tallimo
