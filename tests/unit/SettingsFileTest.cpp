#include "platform/posix/IniSettingsStore.h"
#include "support/TempDir.h"

#include <QSettings>
#include <cstdlib>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// Values the program stores: its bytes, which QSettings keeps as Latin-1 characters.
const std::string kValues[] = {
    "plain",
    "",
    "with, comma; and = signs",
    " blanks at both ends ",
    "quote \" and back \\ slash",
    "control \x01"
    "a then a hex digit",
    "@@twice",
    "@ByteArray(not one)",
    "Caf\xE9 M\xE4rz \xDF\xFF",
    "tab\tnew\nline\rbell\a",
    "\x7F\x80\x9F",
};

// The reference: QSettings, as earlier desktops kept the file.
struct QSettingsStore {
    QSettings settings{QStringLiteral("Morvane"), QStringLiteral("Tallimo")};
    static QString keyOf(const std::string& section, const std::string& key) {
        return QString::fromLatin1(section + "/" + key);
    }
    std::optional<std::string> getString(const std::string& section, const std::string& key) {
        const QVariant value = settings.value(keyOf(section, key));
        return value.isValid() ? std::optional(value.toString().toLatin1().toStdString())
                               : std::nullopt;
    }
    std::optional<int> getInt(const std::string& section, const std::string& key) {
        bool ok = false;
        const int value = settings.value(keyOf(section, key)).toInt(&ok);
        return ok ? std::optional(value) : std::nullopt;
    }
    void setString(const std::string& section, const std::string& key, const std::string& value) {
        settings.setValue(keyOf(section, key), QString::fromLatin1(value));
    }
    void setInt(const std::string& section, const std::string& key, int value) {
        settings.setValue(keyOf(section, key), value);
    }
    bool sync() {
        settings.sync();
        return settings.status() == QSettings::NoError;
    }
};

// Each process has its own configuration folder: QSettings keeps the first one it sees.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1); }
    std::string file() const { return dir.file("Morvane/Tallimo.conf"); }
    TempDir dir;
};

// Each side reads what the other wrote, and what the CLI does not change stays as it was.
TEST_F(SettingsFile, TheDesktopAndTheCliReadWhatTheOtherWroteAndTakeOverAStaleLock) {
    {
        QSettingsStore desktop;
        for (std::size_t i = 0; i < std::size(kValues); ++i) {
            desktop.setString("Settings", "D" + std::to_string(i), kValues[i]);
        }
        desktop.setInt("Settings", "worktimeHour", -7);
        desktop.setString("Settings", "Gone", "soon");
        desktop.setString("Recent File List", "File1", "/tmp/a b.time");
        ASSERT_TRUE(desktop.sync());
        QSettings(QString::fromStdString(file()), QSettings::IniFormat)
            .setValue("Window/geometry", QByteArray("\x01\xFF geometry", 11));
    }
    {
        IniSettingsStore cli(file());
        for (std::size_t i = 0; i < std::size(kValues); ++i) {
            EXPECT_EQ(cli.getString("Settings", "D" + std::to_string(i)), kValues[i]) << i;
            cli.setString("Settings", "C" + std::to_string(i), kValues[i]);
        }
        EXPECT_EQ(cli.getInt("Settings", "worktimeHour"), -7);
        EXPECT_EQ(cli.getInt("Settings", "D0"), std::nullopt);
        EXPECT_EQ(cli.getString("Recent File List", "File1"), "/tmp/a b.time");
        EXPECT_EQ(cli.getString("Settings", "missing"), std::nullopt);
        cli.setInt("Settings", "lunchMinute", 45);
        cli.setString("Recent File List", "File2", "/tmp/c d.time");
        cli.remove("Settings", "Gone");
        EXPECT_EQ(cli.getString("Settings", "C2"), kValues[2]);
        ASSERT_TRUE(cli.sync());
        // A second store sees the file as written, and a sync without changes writes nothing.
        std::filesystem::remove(file() + ".lock");
        IniSettingsStore again(file());
        EXPECT_EQ(again.getString("Settings", "C10"), kValues[10]);
        EXPECT_TRUE(again.sync());
    }
    QSettingsStore desktop;
    for (std::size_t i = 0; i < std::size(kValues); ++i) {
        EXPECT_EQ(desktop.getString("Settings", "C" + std::to_string(i)), kValues[i]) << i;
        EXPECT_EQ(desktop.getString("Settings", "D" + std::to_string(i)), kValues[i]) << i;
    }
    EXPECT_EQ(desktop.getInt("Settings", "lunchMinute"), 45);
    EXPECT_EQ(desktop.getString("Recent File List", "File2"), "/tmp/c d.time");
    EXPECT_EQ(desktop.getString("Settings", "Gone"), std::nullopt);
    QSettings raw(QString::fromStdString(file()), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Window/geometry").toByteArray(), QByteArray("\x01\xFF geometry", 11));
    // A lock whose owner is gone is taken over. A folder that cannot be made failing the sync is
    // the CLI's settings failure test.
    writeBytes(file() + ".lock", {'1', '\n'});
    std::filesystem::last_write_time(
        file() + ".lock", std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
    IniSettingsStore cli(file());
    cli.setString("Settings", "AutoSave", "on");
    EXPECT_TRUE(cli.sync());
    EXPECT_FALSE(std::filesystem::exists(file() + ".lock"));
    EXPECT_EQ(IniSettingsStore(file()).getString("Settings", "AutoSave"), "on");
}

} // namespace
} // namespace tallimo::test
