#include "DialogKeys.h"
#include "platform/fake/FakePlatform.h"
#include "platform/posix/DlLibraryLoader.h"
#include "plugins/ExportDialog.h"
#include "plugins/qt/CExportDlg.h"
#include "support/PluginFiles.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <functional>

namespace tallimo::test {
namespace {

struct ExportCase {
    const char* what;
    // Fills the plug-in folder.
    std::function<void(const std::string& folder)> install;
    std::vector<std::string> entries;
    std::vector<std::string> messages;
    // After the first library is selected with the keys, when there is one.
    const char* description;
    bool okEnabled;
};

void PrintTo(const ExportCase& c, std::ostream* out) {
    *out << c.what;
}

class ExportDlgTest : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportDlgTest, ProbesTheSelectedLibraryAndAllowsOkOnlyAfterASuccessfulProbe) {
    const ExportCase& c = GetParam();
    TempDir dir;
    PluginSwitches switches(dir.file("calls.log"));
    const std::string folder = dir.file("plugins");
    std::filesystem::create_directories(folder);
    c.install(folder);
    fake::FakeUi ui;
    fake::FakeClock clock;
    fake::RecordingTraceSink sink;
    TraceLog trace(sink, clock);
    DlLibraryLoader loader;
    ExportDialog data(ui, loader, trace);
    data.SetSearchPattern(pluginSearchPattern(folder));

    CExportDlg dialog(nullptr, data);
    showActive(dialog);
    EXPECT_EQ(ui.messages, c.messages);
    auto* plugins = part<QComboBox>(dialog, "plugins");
    auto* description = part<QLabel>(dialog, "description");
    auto* ok = part<QPushButton>(dialog, "ok");
    std::vector<std::string> shown;
    for (int i = 0; i < plugins->count(); ++i) {
        shown.push_back(plugins->itemText(i).toStdString());
    }
    EXPECT_EQ(shown, c.entries);
    EXPECT_EQ(description->text(), "... a plug-in dll.");
    EXPECT_FALSE(ok->isEnabled());

    plugins->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Down);
    EXPECT_EQ(description->text().toStdString(), c.description);
    EXPECT_EQ(ok->isEnabled(), c.okEnabled);
    press(Qt::Key_Return);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.okEnabled);
    EXPECT_EQ(data.pluginChosen(), c.okEnabled);
    if (c.okEnabled) {
        EXPECT_EQ(data.libraryPath(), folder + "/a.so");
    }
}

const std::vector<std::string> kNoPlugins{"Could not found any export plug-ins."};

INSTANTIATE_TEST_SUITE_P(Folders, ExportDlgTest,
                         ::testing::Values(ExportCase{"realPlugin",
                                                      [](const std::string& folder) {
                                                          installPlugin(kPlugin, folder, "a.so");
                                                      },
                                                      {"Please select ...", "a.so"},
                                                      {},
                                                      "Test export",
                                                      true},
                                           ExportCase{"withoutDescription",
                                                      [](const std::string& folder) {
                                                          installPlugin(kPluginWithoutDescription,
                                                                        folder, "a.so");
                                                      },
                                                      {"Please select ...", "a.so"},
                                                      {},
                                                      "... is not a valid plug-in dll.",
                                                      false},
                                           ExportCase{"folderNamedLikeALibrary",
                                                      [](const std::string& folder) {
                                                          std::filesystem::create_directory(
                                                              folder + "/old.so");
                                                      },
                                                      {"Please select ..."},
                                                      kNoPlugins,
                                                      "... a plug-in dll.",
                                                      false},
                                           ExportCase{"emptyFolder",
                                                      [](const std::string&) {},
                                                      {"Please select ..."},
                                                      kNoPlugins,
                                                      "... a plug-in dll.",
                                                      false}),
                         [](const auto& param) { return std::string(param.param.what); });

} // namespace
} // namespace tallimo::test
