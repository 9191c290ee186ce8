#include "EditingFixture.h"
#include "PluginFiles.h"
#include "plugins/ExportDialog.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// Runs Export choosing the first library of the plug-in directory, as a user would.
class ExportRun : public ::testing::Test {
protected:
    ExportRun() : switches(f.dir.file("calls.log")) {
        installPlugin(kPlugin, f.pluginDir(), "export.so");
        f.ui.onExportDialog = [](ExportDialog& dialog) {
            dialog.OnInitDialog();
            dialog.ComboBoxChanged(1);
            dialog.OnOK();
            return true;
        };
    }

    // The run's calls, without the dialog's probe.
    std::vector<std::string> runCalls() const {
        auto calls = switches.calls();
        if (!calls.empty() && calls.front() == "GetDescription") {
            calls.erase(calls.begin());
        }
        return calls;
    }

    std::vector<std::string> viewTrace() const {
        std::vector<std::string> texts;
        const auto all = f.trace.texts();
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (f.trace.lines[i].find("[TagrolView]") != std::string::npos) {
                texts.push_back(all[i]);
            }
        }
        return texts;
    }

    EditingFixture f;
    PluginSwitches switches;
};

TEST(ExportPattern, LibrariesOfThePluginDirectory) {
    EXPECT_EQ(pluginSearchPattern("/opt/plugins"), "/opt/plugins/*.so");
    EXPECT_EQ(pluginSearchPattern("/opt/plugins/"), "/opt/plugins/*.so");
    EXPECT_EQ(pluginSearchPattern(""), "/*.so");
}

TEST_F(ExportRun, PassesEveryDayOfTheMonthInOrderBetweenInitAndDeInit) {
    f.view->OnGoExport();
    const auto calls = runCalls();
    ASSERT_EQ(calls.size(), 34u);
    EXPECT_EQ(calls[0], "GetDescription");
    EXPECT_EQ(calls[1], "Init");
    for (int day = 1; day <= 31; ++day) {
        const std::string date = (day < 10 ? "0" : "") + std::to_string(day) + ".03.2006";
        EXPECT_EQ(calls[static_cast<std::size_t>(day + 1)].rfind("Export " + date + "|", 0), 0u)
            << calls[static_cast<std::size_t>(day + 1)];
    }
    EXPECT_EQ(calls[33], "DeInit");
    EXPECT_EQ(viewTrace(), (std::vector<std::string>{"Enter OnGoExport", "Using: Test export",
                                                     "Enter OnGoExport", "Leave OnGoExport"}));
    EXPECT_FALSE(f.doc().isModified());
}

TEST_F(ExportRun, PassesTheCellsOfAWorkRowAsTheyStand) {
    f.work().SetItemText(0, WorkColumn::Enter, "08:00:00");
    f.work().SetItemText(0, WorkColumn::Leave, "17:00:00");
    f.view->CalculateWorkRow(0);
    f.view->OnGoExport();
    ASSERT_GE(runCalls().size(), 3u);
    EXPECT_EQ(runCalls()[2],
              "Export 01.03.2006|Wednesday|08:00:00|17:00:00||09:00:00|08:00:00|n/a");
}

TEST_F(ExportRun, FailuresOfThePluginEndTheRunAsTheirRuleSays) {
    struct Case {
        const char* fail;
        bool squad;
        std::vector<std::string> calls;
        const char* error;
    };
    const Case cases[] = {
        {"Init", false, {"GetDescription", "Init"}, "ERROR: Init"},
        {"Export:3",
         false,
         {"GetDescription", "Init", "Export 01.03.2006", "Export 02.03.2006", "Export 03.03.2006",
          "Export 04.03.2006", "DeInit"},
         "ERROR: Export"},
        {"DeInit", true, {"GetDescription", "Init", "DeInit"}, "ERROR: DeInit"},
        {"", true, {"GetDescription", "Init", "DeInit"}, nullptr},
    };
    for (const auto& c : cases) {
        EditingFixture run;
        PluginSwitches log(run.dir.file("calls.log"));
        log.fail(c.fail);
        installPlugin(kPlugin, run.pluginDir(), "export.so");
        run.ui.onExportDialog = f.ui.onExportDialog;
        if (c.squad) {
            run.view->OnShowSquadTime();
        }
        run.view->OnGoExport();
        auto calls = log.calls();
        calls.erase(calls.begin());
        for (auto& call : calls) {
            call = call.substr(0, call.find('|'));
        }
        EXPECT_EQ(calls, c.calls) << c.fail;
        const auto texts = run.trace.texts();
        for (const char* error : {"ERROR: Init", "ERROR: Export", "ERROR: DeInit"}) {
            const bool expected = c.error != nullptr && std::string(c.error) == error;
            EXPECT_EQ(std::count(texts.begin(), texts.end(), error), expected ? 1 : 0)
                << c.fail << " " << error;
        }
        EXPECT_EQ(texts.back(), "Leave OnGoExport");
    }
}

TEST_F(ExportRun, SquadRowsAndOverlongTextsAreCutToTheirBuffers) {
    f.view->OnShowSquadTime();
    f.addPeriod(std::string(60, 's'), "01.03.2006 20:00:00");
    f.squad().SetItemText(0, SquadColumn::Incident, "INC-1");
    f.squad().SetItemText(0, SquadColumn::Description, std::string(12000, 'd'));
    f.view->OnGoExport();
    const auto calls = runCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[2], "SquadExport " + std::string(51, 's') + "|01.03.2006 20:00:00||INC-1|" +
                            std::string(9999, 'd'));
}

TEST_F(ExportRun, LibrariesThatCannotRunAreRefusedWithAMessageAndNeverCalled) {
    struct Case {
        std::string library;
        bool squad;
        bool removeBeforeRun;
        const char* reason;
    };
    const Case cases[] = {
        {kPluginWithoutRows, false, false, "it lacks Export."},
        {kPluginWithoutRows, true, false, "it lacks SquadExport."},
        {kPlugin, false, true, "cannot be loaded"},
    };
    for (const auto& c : cases) {
        EditingFixture run;
        PluginSwitches log(run.dir.file("calls.log"));
        installPlugin(c.library, run.pluginDir(), "export.so");
        run.ui.onExportDialog = [&](ExportDialog& dialog) {
            dialog.OnInitDialog();
            dialog.ComboBoxChanged(1);
            dialog.OnOK();
            if (c.removeBeforeRun) {
                std::filesystem::remove(dialog.libraryPath());
            }
            return true;
        };
        if (c.squad) {
            run.view->OnShowSquadTime();
        }
        run.view->OnGoExport();
        EXPECT_EQ(log.calls(), std::vector<std::string>{"GetDescription"}) << c.reason;
        ASSERT_EQ(run.ui.messages.size(), 1u);
        EXPECT_EQ(
            run.ui.messages[0].rfind("The export plug-in " + run.pluginDir() + "/export.so", 0),
            0u);
        EXPECT_NE(run.ui.messages[0].find(c.reason), std::string::npos) << run.ui.messages[0];
        EXPECT_EQ(run.trace.texts().back(), "Leave OnGoExport");
    }
}

TEST_F(ExportRun, CancelledDialogDoesNothing) {
    f.ui.onExportDialog = [](ExportDialog& dialog) {
        dialog.OnInitDialog();
        dialog.ComboBoxChanged(1);
        return false;
    };
    f.view->OnGoExport();
    EXPECT_EQ(switches.calls(), std::vector<std::string>{"GetDescription"});
    EXPECT_TRUE(viewTrace().empty());
    EXPECT_TRUE(f.ui.messages.empty());
}

} // namespace
} // namespace tallimo::test
