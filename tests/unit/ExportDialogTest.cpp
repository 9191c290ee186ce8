#include "plugins/ExportDialog.h"

#include "platform/fake/FakePlatform.h"
#include "platform/posix/DlLibraryLoader.h"
#include "support/PluginFiles.h"
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
        dialog.OnInitDialog();
        return dialog;
    }

    static int indexOf(const ExportDialog& dialog, const std::string& name) {
        const auto& entries = dialog.entries();
        return static_cast<int>(std::find(entries.begin(), entries.end(), name) - entries.begin());
    }

    TempDir dir;
    PluginSwitches switches;
    fake::FakeUi ui;
    fake::FakeClock clock;
    fake::RecordingTraceSink trace;
    TraceLog log{trace, clock};
    DlLibraryLoader loader;
};

TEST_F(ExportDialogTest, ListsLibrariesAndAllowsOkOnlyAfterAProbe) {
    installPlugin(kPlugin, pluginDir(), "a.so");
    installPlugin(kPlugin, pluginDir(), "b.so");
    installPlugin(kPlugin, pluginDir(), "notes.txt");
    ExportDialog dialog = makeDialog();
    ASSERT_EQ(dialog.entries().size(), 3u);
    EXPECT_EQ(dialog.entries()[0], "Please select ...");
    EXPECT_LT(indexOf(dialog, "b.so"), 3);
    // Choosing a library and OK after its probe are the desktop's export dialog test.
    dialog.ComboBoxChanged(indexOf(dialog, "a.so"), 212);
    dialog.ComboBoxChanged(0);
    EXPECT_EQ(dialog.descriptionText(), "... a plug-in dll.");
    EXPECT_FALSE(dialog.okEnabled());
    dialog.OnOK();
    EXPECT_FALSE(dialog.pluginChosen());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ExportDialogTest, ProbeOutcomesForBrokenLibraries) {
    installPlugin(kPlugin, pluginDir(), "good.so");
    installPlugin(kPluginWithoutDescription, pluginDir(), "nodesc.so");
    installPlugin(kPlugin, pluginDir(), "failing.so");
    std::ofstream(pluginDir() + "text.so") << "not a library";
    ExportDialog dialog = makeDialog();

    dialog.ComboBoxChanged(indexOf(dialog, "nodesc.so"));
    EXPECT_EQ(dialog.descriptionText(), "... is not a valid plug-in dll.");
    EXPECT_FALSE(dialog.okEnabled());

    // A file that is no library leaves the previous probe's description and OK.
    dialog.ComboBoxChanged(indexOf(dialog, "good.so"));
    dialog.ComboBoxChanged(indexOf(dialog, "text.so"));
    EXPECT_EQ(dialog.descriptionText(), "Test export");
    EXPECT_TRUE(dialog.okEnabled());
    EXPECT_EQ(dialog.libraryPath(), pluginDir() + "text.so");

    dialog.ComboBoxChanged(0);
    switches.fail("GetDescription");
    dialog.ComboBoxChanged(indexOf(dialog, "failing.so"));
    EXPECT_EQ(dialog.descriptionText(), "... a plug-in dll.");
    EXPECT_TRUE(dialog.okEnabled());
    // A description without an end is read no further than the 1023 bytes it may have.
    switches.fail("FullDescription");
    dialog.ComboBoxChanged(indexOf(dialog, "good.so"));
    EXPECT_EQ(dialog.descriptionText(), std::string(1023, 'x'));
}

TEST_F(ExportDialogTest, NoLibraryOrAFirstMatchThatIsADirectoryFindsNothing) {
    EXPECT_EQ(makeDialog().entries(), std::vector<std::string>{"Please select ..."});
    std::filesystem::create_directories(pluginDir() + "old.so");
    EXPECT_EQ(makeDialog().entries(), std::vector<std::string>{"Please select ..."});
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Could not found any export plug-ins.",
                                                     "Could not found any export plug-ins."}));
}

TEST_F(ExportDialogTest, ALibraryNamedWithATooLongPathIsRefused) {
    // Libraries named on the CLI that cannot be loaded or probed are the CLI's export test.
    EXPECT_FALSE(makeDialog().chooseLibrary("/" + std::string(PATH_MAX, 'x') + ".so"));
    EXPECT_EQ(ui.messages.back(), "The path of the export plug-in is too long.");
}

} // namespace
} // namespace tallimo::test
