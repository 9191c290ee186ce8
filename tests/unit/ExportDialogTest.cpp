#include "plugins/ExportDialog.h"

#include "PluginFiles.h"
#include "platform/fake/FakePlatform.h"
#include "platform/posix/DlLibraryLoader.h"
#include "support/TempDir.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

class ExportDialogTest : public ::testing::Test {
protected:
    ExportDialogTest() : switches(dir.file("calls.log")) { log.switchOn(); }

    std::string pluginDir() const { return dir.file("plugins") + "/"; }

    ExportDialog makeDialog() {
        ExportDialog dialog(ui, loader, log);
        dialog.SetSearchPattern(pluginSearchPattern(pluginDir()));
        return dialog;
    }

    int indexOf(const ExportDialog& dialog, const std::string& name) const {
        const auto& entries = dialog.entries();
        const auto found = std::find(entries.begin(), entries.end(), name);
        return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
    }

    TempDir dir;
    PluginSwitches switches;
    fake::FakeUi ui;
    fake::FakeClock clock;
    fake::RecordingTraceSink trace;
    TraceLog log{trace, clock};
    DlLibraryLoader loader;
};

TEST_F(ExportDialogTest, ListsTheLibrariesAfterPleaseSelectWithOkDisabled) {
    installPlugin(kPlugin, pluginDir(), "a.so");
    installPlugin(kPlugin, pluginDir(), "b.so");
    installPlugin(kPlugin, pluginDir(), "notes.txt");
    ExportDialog dialog = makeDialog();
    EXPECT_TRUE(dialog.OnInitDialog());
    ASSERT_EQ(dialog.entries().size(), 3u);
    EXPECT_EQ(dialog.entries()[0], "Please select ...");
    EXPECT_GT(indexOf(dialog, "a.so"), 0);
    EXPECT_GT(indexOf(dialog, "b.so"), 0);
    EXPECT_EQ(dialog.selectedIndex(), 0);
    EXPECT_EQ(dialog.descriptionText(), "... a plug-in dll.");
    EXPECT_FALSE(dialog.okEnabled());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(trace.texts().front(), "Enter CExportDlg");
}

TEST_F(ExportDialogTest, ProbeShowsTheDescriptionAndAllowsOkUntilPleaseSelectAgain) {
    installPlugin(kPlugin, pluginDir(), "a.so");
    ExportDialog dialog = makeDialog();
    dialog.OnInitDialog();
    dialog.ComboBoxChanged(1, 212);
    EXPECT_EQ(dialog.descriptionText(), "Test export");
    EXPECT_TRUE(dialog.okEnabled());
    EXPECT_EQ(dialog.libraryPath(), pluginDir() + "a.so");
    EXPECT_EQ(dialog.selectionText(), "a.so");
    const auto texts = trace.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "GetDroppedWidth: 212"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Description: Test export"), texts.end());

    dialog.ComboBoxChanged(0);
    EXPECT_EQ(dialog.descriptionText(), "... a plug-in dll.");
    EXPECT_FALSE(dialog.okEnabled());
    dialog.OnOK();
    EXPECT_FALSE(dialog.pluginChosen());
    dialog.ComboBoxChanged(1);
    dialog.OnOK();
    EXPECT_TRUE(dialog.pluginChosen());
}

TEST_F(ExportDialogTest, ProbeOutcomesForBrokenLibraries) {
    installPlugin(kPlugin, pluginDir(), "good.so");
    installPlugin(kPluginWithoutDescription, pluginDir(), "nodesc.so");
    installPlugin(kPlugin, pluginDir(), "failing.so");
    {
        std::ofstream text(pluginDir() + "text.so");
        text << "not a library";
    }
    ExportDialog dialog = makeDialog();
    dialog.OnInitDialog();

    dialog.ComboBoxChanged(indexOf(dialog, "nodesc.so"));
    EXPECT_EQ(dialog.descriptionText(), "... is not a valid plug-in dll.");
    EXPECT_FALSE(dialog.okEnabled());

    dialog.ComboBoxChanged(indexOf(dialog, "good.so"));
    // A file that is no library leaves the previous probe's description and OK.
    dialog.ComboBoxChanged(indexOf(dialog, "text.so"));
    EXPECT_EQ(dialog.descriptionText(), "Test export");
    EXPECT_TRUE(dialog.okEnabled());
    EXPECT_EQ(dialog.libraryPath(), pluginDir() + "text.so");
    EXPECT_FALSE(dialog.loadError().empty());

    dialog.ComboBoxChanged(0);
    switches.fail("GetDescription");
    dialog.ComboBoxChanged(indexOf(dialog, "failing.so"));
    EXPECT_EQ(dialog.descriptionText(), "... a plug-in dll.");
    EXPECT_TRUE(dialog.okEnabled());
}

TEST_F(ExportDialogTest, NoLibraryOrAFirstMatchThatIsADirectoryFindsNothing) {
    ExportDialog missing = makeDialog();
    missing.OnInitDialog();
    EXPECT_EQ(missing.entries(), std::vector<std::string>{"Please select ..."});
    EXPECT_FALSE(missing.okEnabled());

    std::filesystem::create_directories(pluginDir() + "old.so");
    ExportDialog onlyDirectory = makeDialog();
    onlyDirectory.OnInitDialog();
    EXPECT_EQ(onlyDirectory.entries(), std::vector<std::string>{"Please select ..."});
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Could not found any export plug-ins.",
                                                     "Could not found any export plug-ins."}));

    // Only the first match is examined, in the order the directory delivers them.
    installPlugin(kPlugin, pluginDir(), "new.so");
    std::string first;
    for (const auto& entry : std::filesystem::directory_iterator(pluginDir())) {
        first = entry.path().filename().string();
        break;
    }
    ExportDialog mixed = makeDialog();
    mixed.OnInitDialog();
    if (first == "old.so") {
        EXPECT_EQ(mixed.entries(), std::vector<std::string>{"Please select ..."});
        EXPECT_EQ(ui.messages.size(), 3u);
    } else {
        EXPECT_EQ(mixed.entries(),
                  (std::vector<std::string>{"Please select ...", "new.so", "old.so"}));
        EXPECT_EQ(ui.messages.size(), 2u);
    }
}

TEST_F(ExportDialogTest, NamedLibraryIsChosenOnlyWhenItsProbeAllowsOk) {
    installPlugin(kPlugin, pluginDir(), "a.so");
    installPlugin(kPluginWithoutDescription, pluginDir(), "b.so");
    ExportDialog good = makeDialog();
    EXPECT_TRUE(good.chooseLibrary(pluginDir() + "a.so"));
    EXPECT_EQ(good.libraryPath(), pluginDir() + "a.so");
    ExportDialog invalid = makeDialog();
    EXPECT_FALSE(invalid.chooseLibrary(pluginDir() + "b.so"));
    ExportDialog absent = makeDialog();
    EXPECT_FALSE(absent.chooseLibrary(pluginDir() + "c.so"));
    EXPECT_FALSE(absent.loadError().empty());
    EXPECT_TRUE(ui.messages.empty());

    ExportDialog tooLong = makeDialog();
    EXPECT_FALSE(tooLong.chooseLibrary("/" + std::string(PATH_MAX, 'x') + ".so"));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"The path of the export plug-in is too long."});
}

} // namespace
} // namespace tallimo::test
