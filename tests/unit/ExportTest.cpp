#include "plugins/ExportDialog.h"
#include "support/PluginFiles.h"
#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// A month whose plug-in directory holds one library, exported as a user would: the dialog
// lists it, the user selects it and presses OK.
struct ExportSession {
    explicit ExportSession(const std::string& library, bool squad = false)
        : log(f.dir.file("calls.log")) {
        installPlugin(library, f.pluginDir(), "export.so");
        f.ui.onExportDialog = [](ExportDialog& dialog) {
            dialog.OnInitDialog();
            dialog.ComboBoxChanged(1);
            dialog.OnOK();
            return true;
        };
        if (squad) {
            f.view->OnShowSquadTime();
        }
    }

    // The run's calls without the dialog's probe, each cut after its first text.
    std::vector<std::string> runCalls() const {
        auto calls = log.calls();
        calls.erase(calls.begin());
        for (auto& call : calls) {
            call = call.substr(0, call.find('|'));
        }
        return calls;
    }

    ViewFixture f{{}, ViewFixture::Start::Bound};
    PluginSwitches log;
};

TEST(ExportRun, CallsFollowThePluginsResultsRowsAreCutToTheirBuffersAndRefusedLibrariesNeverRun) {
    std::vector<std::string> month = {"GetDescription", "Init"};
    for (int day = 1; day <= 31; ++day) {
        month.push_back("Export " + std::string(day < 10 ? "0" : "") + std::to_string(day) +
                        ".03.2006");
    }
    month.push_back("DeInit");
    const struct {
        const char* fail;
        bool squad;
        std::vector<std::string> calls;
        std::string failure;
    } cases[] = {
        {"", false, month, ""},
        {"Export:3",
         false,
         {"GetDescription", "Init", month[2], month[3], month[4], month[5], "DeInit"},
         "Export"},
        {"DeInit", true, {"GetDescription", "Init", "DeInit"}, "DeInit"},
    };
    for (const auto& c : cases) {
        ExportSession session(kPlugin, c.squad);
        session.log.fail(c.fail);
        const Result result = session.f.view->OnGoExport();
        EXPECT_EQ(session.runCalls(), c.calls) << c.fail;
        EXPECT_EQ(result.message,
                  c.failure.empty() ? "" : "the plug-in reported a failure in " + c.failure);
        EXPECT_FALSE(session.f.doc().isModified());
    }
    ExportSession work(kPlugin);
    work.f.work().SetItemText(0, WorkColumn::Enter, "08:00:00");
    work.f.work().SetItemText(0, WorkColumn::Leave, "17:00:00");
    work.f.view->CalculateWorkRow(0);
    work.f.view->OnGoExport();
    EXPECT_EQ(work.log.calls().at(3),
              "Export 01.03.2006|Wednesday|08:00:00|17:00:00||09:00:00|08:00:00|n/a");

    ExportSession squad(kPlugin, true);
    squad.f.addPeriod(std::string(60, 's'), "01.03.2006 20:00:00");
    squad.f.squad().SetItemText(0, SquadColumn::Incident, "INC-1");
    squad.f.squad().SetItemText(0, SquadColumn::Description, std::string(12000, 'd'));
    squad.f.view->OnGoExport();
    EXPECT_EQ(squad.log.calls().at(3), "SquadExport " + std::string(51, 's') +
                                           "|01.03.2006 20:00:00||INC-1|" + std::string(9999, 'd'));
    // A library without Export for the work list is the CLI's export test.
    ExportSession session(kPluginWithoutRows, true);
    EXPECT_EQ(session.f.view->OnGoExport().outcome, Outcome::Refused);
    EXPECT_EQ(session.log.calls(), std::vector<std::string>{"GetDescription"});
    EXPECT_EQ(session.f.ui.messages,
              std::vector<std::string>{"The export plug-in " + session.f.pluginDir() +
                                       "/export.so is not a valid plug-in: it lacks SquadExport."});

    ExportSession cancelled(kPlugin);
    cancelled.f.ui.onExportDialog = [](ExportDialog& dialog) {
        dialog.OnInitDialog();
        dialog.ComboBoxChanged(1);
        return false;
    };
    EXPECT_EQ(cancelled.f.view->OnGoExport().outcome, Outcome::Cancelled);
    EXPECT_EQ(cancelled.log.calls(), std::vector<std::string>{"GetDescription"});
}

} // namespace
} // namespace tallimo::test
