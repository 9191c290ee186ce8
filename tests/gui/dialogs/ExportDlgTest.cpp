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

namespace tallimo::test {
namespace {

TEST(ExportDlg, ProbesTheSelectedLibraryAndAllowsOkOnlyAfterASuccessfulProbe) {
    const struct {
        const char* what;
        const std::string* library; // installed into the plug-in folder as a.so
        const char* description;    // once it is selected with the keys
    } cases[] = {
        {"a real plug-in", &kPlugin, "Test export"},
        {"no GetDescription", &kPluginWithoutDescription, "... is not a valid plug-in dll."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        PluginSwitches switches(dir.file("calls.log"));
        const std::string folder = dir.file("plugins");
        installPlugin(*c.library, folder, "a.so");
        fake::FakeUi ui;
        fake::FakeClock clock;
        fake::RecordingTraceSink sink;
        TraceLog trace(sink, clock);
        DlLibraryLoader loader;
        ExportDialog data(ui, loader, trace);
        data.SetSearchPattern(pluginSearchPattern(folder));

        CExportDlg dialog(nullptr, data);
        showActive(dialog);
        auto* plugins = part<QComboBox>(dialog, "plugins");
        auto* ok = part<QPushButton>(dialog, "ok");
        EXPECT_EQ(plugins->count(), 2);
        EXPECT_EQ(plugins->itemText(1), "a.so");
        EXPECT_FALSE(ok->isEnabled());

        plugins->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Down);
        EXPECT_EQ(part<QLabel>(dialog, "description")->text().toStdString(), c.description);
        const bool usable = c.library == &kPlugin;
        EXPECT_EQ(ok->isEnabled(), usable);
        press(Qt::Key_Return);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, usable);
        EXPECT_EQ(data.pluginChosen(), usable);
        if (usable) {
            EXPECT_EQ(data.libraryPath(), folder + "/a.so");
        }
    }
}

} // namespace
} // namespace tallimo::test
