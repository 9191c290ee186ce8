#include "platform/qt/QtSettingsStore.h"

#include "support/TempDir.h"
#include "view/Settings.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace tallimo {
namespace {

// QSettings finds its folder once per process, so the sandbox is set before the first store.
class QtSettingsStoreTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new test::TempDir;
        setenv("XDG_CONFIG_HOME", s_dir->path().c_str(), 1);
        setenv("HOME", s_dir->path().c_str(), 1);
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }
    static test::TempDir* s_dir;
};
test::TempDir* QtSettingsStoreTest::s_dir = nullptr;

TEST_F(QtSettingsStoreTest, ValuesPersistAcrossStoresAndAbsentStaysAbsent) {
    {
        QtSettingsStore store;
        EXPECT_FALSE(store.getString(kSettingsSection, "AutoSave"));
        EXPECT_FALSE(store.getInt(kSettingsSection, "worktimeHour"));
        store.setString(kSettingsSection, "AutoSave", "on");
        store.setInt(kSettingsSection, "worktimeHour", 7);
        store.setString(kSettingsSection, "PlugInDir", "C:\\plug\xE4ns");
    }
    QtSettingsStore reopened;
    EXPECT_EQ(reopened.getString(kSettingsSection, "AutoSave"), "on");
    EXPECT_EQ(reopened.getInt(kSettingsSection, "worktimeHour"), 7);
    // Windows-1252 bytes come back as they went in.
    EXPECT_EQ(reopened.getString(kSettingsSection, "PlugInDir"), "C:\\plug\xE4ns");
    const SettingsRecord record = loadSettings(reopened);
    EXPECT_TRUE(record.AutoSave);
    EXPECT_EQ(record.worktime, (Duration{7, 0, 0}));
    reopened.remove(kSettingsSection, "AutoSave");
    EXPECT_FALSE(reopened.getString(kSettingsSection, "AutoSave"));
}

TEST_F(QtSettingsStoreTest, TextThatIsNoNumberReadsAsAbsent) {
    QtSettingsStore store;
    store.setString(kSettingsSection, "lunchMinute", "half");
    EXPECT_FALSE(store.getInt(kSettingsSection, "lunchMinute"));
    EXPECT_EQ(loadSettings(store).lunch, (Duration{0, 30, 0}));
}

} // namespace
} // namespace tallimo
