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
    const SettingsRecord record = loadSettings(store);
    EXPECT_FALSE(record.AutoSave);
    EXPECT_TRUE(record.AutoBackup);
    EXPECT_FALSE(record.AutoOpenLastDocument);
    EXPECT_FALSE(record.RememberMe);
    // Stored durations are not range-checked, so sums must not overflow 32 bits.
    EXPECT_EQ((Duration{1000000, 0, 0}.seconds()), 3600000000LL);
}

} // namespace
} // namespace tallimo
