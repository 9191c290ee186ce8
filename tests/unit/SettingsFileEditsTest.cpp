#include "platform/posix/IniSettingsStore.h"
#include "support/TempDir.h"

#include <QSettings>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

namespace fs = std::filesystem;

const SettingsKey kKeys[] = {
    {"Settings", "AutoSave"},
    {"Settings", "lunchMinute"},
    {"Settings", "PlugInDir"},
    {"Settings", "Unknown"},
    {"Other", "x"},
    {"More Things", "y"},
    {"Settings", "RememberMe"},
    {"Settings", "lunchSecond"},
};

// What QSettings reads: the program's bytes as Latin-1 characters, nothing for a missing key.
std::map<SettingsKey, std::string> qsettingsValues(const std::string& path) {
    const QSettings settings(QString::fromStdString(path), QSettings::IniFormat);
    std::map<SettingsKey, std::string> values;
    for (const auto& [section, key] : kKeys) {
        const QVariant value = settings.value(QString::fromLatin1(section + "/" + key));
        if (value.isValid()) {
            values[{section, key}] = value.toString().toLatin1().toStdString();
        }
    }
    return values;
}

std::map<SettingsKey, std::string> storeValues(const std::string& path) {
    const IniSettingsStore store(path);
    std::map<SettingsKey, std::string> values;
    for (const auto& [section, key] : kKeys) {
        if (const auto value = store.getString(section, key)) {
            values[{section, key}] = *value;
        }
    }
    return values;
}

long crlfLines(const std::string& text) {
    long count = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
        ++count;
    }
    return count;
}

void writeText(const std::string& path, const std::string& text) {
    writeBytes(path, {text.begin(), text.end()});
}

// Files as a person edits them: both read the same values, and a change written by the store
// reads in QSettings as made, with every other value and the file's own text kept.
TEST(SettingsFileEdits, HandEditedFilesReadAsQSettingsReadsThemAndKeepTheirTextWhenChanged) {
    const std::string big(100000, 'b');
    const struct {
        const char* name;
        std::string text;
        std::string kept; // a part of the text a change leaves as it was
    } cases[] = {
        {"comments", "; mine\n[Settings]\nAutoSave=on ; why\nlunchMinute=45\n", "; mine\n"},
        {"continuation", "[Settings]\nPlugInDir=/opt/\\\n  plugins\nAutoSave=on\n", "/opt/\\\n"},
        {"byte-order mark", "\xEF\xBB\xBF[Settings]\nAutoSave=on\n", "\xEF\xBB\xBF[Settings]"},
        {"general", "[General]\nSettings/AutoSave=on\nSettings/lunchMinute=50\n", "[General]\n"},
        {"unknown", "[Other]\nx=1\n[Settings]\nUnknown=2\nAutoSave=on\n[More%20Things]\ny=\"q\"\n",
         "[Other]\nx=1\n"},
        {"not UTF-8", "[Settings]\nPlugInDir=/opt/l\xE4\xFF.d\nAutoSave=on\n", "l\xE4\xFF.d"},
        {"CRLF", "[Settings]\r\nAutoSave=on\r\nlunchMinute=45\r\n", "lunchMinute=45\r\n"},
        {"large value", "[Settings]\nPlugInDir=" + big + "\n", big},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file(std::string(c.name) + ".conf");
        writeText(path, c.text);
        auto values = storeValues(path);
        // QSettings lists a section's key written in [General] but does not find it by name;
        // both programs read it as the key of that section, as the person who wrote it meant.
        const bool general = std::string(c.name) == "general";
        const std::map<SettingsKey, std::string> generalValues = {
            {{"Settings", "AutoSave"}, "on"}, {{"Settings", "lunchMinute"}, "50"}};
        EXPECT_EQ(values, general ? generalValues : qsettingsValues(path));
        IniSettingsStore store(path);
        store.setString("Settings", "RememberMe", "on");
        store.setInt("Settings", "lunchSecond", 5);
        store.remove("Settings", "AutoSave");
        ASSERT_TRUE(store.sync());
        values[{"Settings", "RememberMe"}] = "on";
        values[{"Settings", "lunchSecond"}] = "5";
        values.erase({"Settings", "AutoSave"});
        const std::string written = readText(path);
        EXPECT_EQ(general ? storeValues(path) : qsettingsValues(path), values);
        EXPECT_NE(written.find(c.kept), std::string::npos) << written;
        // Lines added end as the file's lines end.
        const bool crlf = c.text.find("\r\n") != std::string::npos;
        const long lineFeeds = std::count(written.begin(), written.end(), '\n');
        EXPECT_EQ(crlfLines(written), crlf ? lineFeeds : 0) << written;
    }
}

TEST(SettingsFileEdits, AFreshFileHasOneHeaderPerSection) {
    TempDir dir;
    const std::string path = dir.file("Tallimo.conf");
    IniSettingsStore store(path);
    store.setInt("Settings", "lunchMinute", 45);
    store.setString("Settings", "AutoSave", "on");
    store.setString("Recent File List", "File1", "/a b.time");
    ASSERT_TRUE(store.sync());
    EXPECT_EQ(readText(path), "[Recent%20File%20List]\nFile1=/a b.time\n\n"
                              "[Settings]\nAutoSave=on\nlunchMinute=45\n");
}

TEST(SettingsFileEdits, ASymbolicLinkIsWrittenThrough) {
    TempDir dir;
    writeText(dir.file("real.conf"), "[Settings]\nAutoSave=off\n");
    fs::create_symlink("real.conf", dir.file("Tallimo.conf"));
    IniSettingsStore store(dir.file("Tallimo.conf"));
    store.setString("Settings", "AutoSave", "on");
    ASSERT_TRUE(store.sync());
    EXPECT_TRUE(fs::is_symlink(dir.file("Tallimo.conf")));
    EXPECT_EQ(readText(dir.file("real.conf")), "[Settings]\nAutoSave=on\n");
}

} // namespace
} // namespace tallimo::test
