#include "calc/TimeValue.h"
#include "support/CliRunner.h"
#include "support/PluginFiles.h"
#include "support/SheetBytes.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

class CliEdit : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0); }

    // The cells of a day (counted from 1) or of a squad row (from 0) as 'show' prints them.
    std::vector<std::string> day(int number) const {
        return cellsOf(shownTable(sandbox, "m.time", "work").at(number - 1));
    }
    std::vector<std::string> squadRow(std::size_t row) const {
        return cellsOf(shownTable(sandbox, "m.time", "squad").at(row));
    }

    CliSandbox sandbox;
};

TEST_F(CliEdit, MarkWritesTheListedDaysAndSaysWhichCommentsItReplaced) {
    ASSERT_EQ(sandbox.run({"set", "m.time", "21", "--comment", "late train"}).status, 0);
    const std::pair<std::vector<std::string>, const char*> marks[] = {
        {{"vacation", "20-21,31"},
         "3 days marked Urlaub (replaced the comment of 21.03.2006 \"late train\")"},
        {{"standby", "21"}, "1 day marked stand-by"},
        {{"holiday", "20"},
         "1 day marked Feiertag (replaced the comment of 20.03.2006 \"Urlaub\")"},
    };
    for (const auto& [args, out] : marks) {
        EXPECT_EQ(sandbox.run({"mark", "m.time", args[0], args[1]}).out,
                  "m.time: " + std::string(out) + "\n");
    }
    EXPECT_EQ(day(20)[4] + day(21)[4] + day(21)[5] + day(22)[4] + day(31)[4],
              "FeiertagUrlaubyesUrlaub");
}

TEST_F(CliEdit, SetKeepsWhatTheDialogOffersForOptionsNotGiven) {
    EXPECT_EQ(
        sandbox.run({"set", "m.time", "7", "--enter", "9:15", "--comment", "Außendienst"}).out,
        "m.time: 07.03.2006 Enter 09:15:00, Leave 16:00:00 (overtime -02:15:00), comment "
        "\"Außendienst\"\n");
    // The file holds the comment in Windows-1252.
    const auto bytes = readBytes(sandbox.file("m.time"));
    EXPECT_NE(std::string(bytes.begin(), bytes.end())
                  .find("Au\xDF"
                        "endienst"),
              std::string::npos);
    ASSERT_EQ(sandbox.run({"set", "m.time", "7", "--leave", "18:00:00"}).status, 0);
    EXPECT_EQ(day(7)[2] + " " + day(7)[3] + " " + day(7)[4], "09:15:00 18:00:00 Außendienst");
}

TEST_F(CliEdit, ClearAndSquadDeleteAskAndChangeOnlyOnOk) {
    ASSERT_EQ(sandbox.run({"set", "m.time", "8", "--enter", "08:00:00"}).status, 0);
    const CliResult declined = sandbox.run({"clear", "m.time", "8", "--no"});
    EXPECT_EQ(declined.status, 1);
    EXPECT_EQ(declined.err, "Are you sure to delete the selected rows? [Cancel]\n"
                            "tallimo-cli: clear: nothing was deleted\n");
    EXPECT_EQ(day(8)[2], "08:00:00");
    EXPECT_EQ(sandbox.run({"clear", "m.time", "8", "--yes"}).out, "m.time: 1 day cleared\n");
    EXPECT_EQ(day(8)[2], "");

    for (const char* start :
         {"01.03.2006 18:00:00", "02.03.2006 18:00:00", "03.03.2006 18:00:00"}) {
        ASSERT_EQ(sandbox
                      .run({"squad-add", "m.time", "--start", start, "--end", "28.02.2006 23:00:00",
                            "--description", "call"})
                      .status,
                  0);
    }
    EXPECT_EQ(sandbox.run({"squad-delete", "m.time", "0,2", "--no"}).status, 1);
    EXPECT_EQ(sandbox.run({"squad-delete", "m.time", "0,2", "--yes"}).out,
              "m.time: 2 stand-by periods deleted\n");
    ASSERT_EQ(shownTable(sandbox, "m.time", "squad").size(), 1u);
    EXPECT_EQ(squadRow(0)[0] + "|" + squadRow(0)[1] + "|" + squadRow(0)[5],
              "02.03.2006 18:00:00|28.02.2006 23:00:00|call");
}

TEST_F(CliEdit, SquadAddWarnsAboutDatesOutsideTheMonthAsTheDialogDoes) {
    const CliResult warned = sandbox.run(
        {"squad-add", "m.time", "--start", "28.02.2006 22:00:00", "--end", "01.04.2006 01:00:00"});
    EXPECT_EQ(warned.status, 0);
    EXPECT_EQ(warned.err, "Datum zu klein.\nDatum zu groß.\n");
    EXPECT_EQ(warned.out, "m.time: stand-by period 0 from 28.02.2006 22:00:00 to 01.04.2006 "
                          "01:00:00 (31 Days + 02:00:00) added\n");
}

// The test plug-in reads its switches from the environment, which the sandbox passes on.
TEST(CliExport, HandsTheRowsToThePluginAndFailsWithIt) {
    CliSandbox sandbox;
    PluginSwitches plugin{sandbox.file("calls.log")};
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    const CliResult squad = sandbox.run({"export", "m.time", "--squad", "--plugin", kPlugin});
    ASSERT_EQ(squad.status, 0) << squad.err;
    // The test plug-in does not name the file it wrote.
    EXPECT_EQ(squad.out, "m.time: 0 squad rows exported with " + std::string(kPlugin) + "\n");
    EXPECT_EQ(plugin.calls(),
              (std::vector<std::string>{"GetDescription", "GetDescription", "Init", "DeInit"}));
    const struct {
        std::string library;
        const char* fail;
        const char* says;
    } cases[] = {
        {sandbox.file("m.time"), "", "cannot be loaded"},
        {kPluginWithoutDescription, "", "is not an export plug-in"},
        {kPluginWithoutRows, "", "it lacks Export."},
        {kPlugin, "Init", "tallimo-cli: export: the plug-in reported a failure in Init\n"},
    };
    for (const auto& c : cases) {
        plugin.fail(c.fail);
        const CliResult result = sandbox.run({"export", "m.time", "--plugin", c.library});
        EXPECT_EQ(result.status, 1) << c.library << " " << c.fail;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    }
}

TEST(CliRecord, EnterAndLeaveFillTodaysRowOfTheLastDocument) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-05", "m.time"}).status, 0);
    EXPECT_EQ(sandbox.run({"enter", "m.time", "--now", "2006-05-10T08:00"}).out,
              "m.time: 10.05.2006 Enter 08:00:00, Leave 17:00:00 (forecast)\n");
    // Without FILE the last document is taken; the forecast in Leave is replaced on --yes.
    const CliResult left = sandbox.run({"leave", "--yes", "--now", "10.05.2006 17:30:00"});
    ASSERT_EQ(left.status, 0) << left.err;
    EXPECT_EQ(left.err, "You had left the office today at: 17:00:00. [OK]\n");
    EXPECT_EQ(left.out,
              sandbox.file("m.time") + ": 10.05.2006 Leave 17:30:00 (overtime +00:30:00)\n");
    const CliResult named = sandbox.run({"squad-start", "m.time", "--now", "01.06.2006 12:30:00"});
    EXPECT_EQ(named.status, 1);
    EXPECT_EQ(named.err, "Please open the current tallimo file first!\n");
    // Without FILE the refusal also says which file and month it is, and how to make today's.
    const CliResult refused = sandbox.run({"enter", "-q", "--now", "01.06.2006 08:00:00"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(
        refused.err,
        "Please open the current tallimo file first!\ntallimo-cli: enter: the last document " +
            sandbox.file("m.time") +
            " holds May 2006, not today (01.06.2006); 'tallimo-cli new 2006-06 FILE' makes "
            "this month's file\n");
}

TEST(CliRecord, ANightShiftEndsOnTheNextDayAndCountsInTheTotal) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-05", "m.time"}).status, 0);
    const struct {
        std::vector<std::string> args;
        const char* out;
    } steps[] = {
        {{"enter", "--now", "10.05.2006 16:30"},
         "10.05.2006 Enter 16:30:00, Leave 01:30:00 (forecast)"},
        // Cancelled: nothing recorded, and still no failure.
        {{"leave", "--no", "--now", "11.05.2006 00:30"},
         "10.05.2006 nothing recorded: Leave stays 01:30:00"},
        {{"leave", "--yes", "--now", "11.05.2006 00:30"},
         "10.05.2006 Leave 24:30:00 (overtime -01:00:00)"},
        {{"set", "m.time", "12", "--enter", "22:00", "--leave", "6:00"},
         "12.05.2006 Enter 22:00:00, Leave 06:00:00 (overtime -01:00:00)"},
    };
    for (const auto& step : steps) {
        const CliResult result = sandbox.run(step.args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out.substr(result.out.find(": ") + 2), std::string(step.out) + "\n");
    }
    EXPECT_EQ(sandbox.run({"total", "m.time"}).out, "Overtime for this month: -02:00:00\n");
}

TEST(CliRecord, ASessionAtTodaysTimesFillsTodaysRow) {
    CliSandbox sandbox;
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    char month[16];
    char date[16];
    std::strftime(month, sizeof month, "%Y-%m", &today);
    std::strftime(date, sizeof date, "%d.%m.%Y", &today);
    ASSERT_EQ(sandbox.run({"new", month, "m.time"}).status, 0);
    const std::string file = sandbox.file("m.time") + ": " + date;
    EXPECT_EQ(sandbox.run({"enter", "--at", "8:00"}).out,
              file + " Enter 08:00:00, Leave 17:00:00 (forecast)\n");
    EXPECT_EQ(sandbox.run({"leave", "--at", "17:30", "--yes"}).out,
              file + " Leave 17:30:00 (overtime +00:30:00)\n");
}

TEST(CliRecord, SquadFinishTakesTheOnlyOpenPeriodOrTheRowGiven) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-05", "m.time"}).status, 0);
    const auto at = [&](const std::string& time, std::vector<std::string> args) {
        args.insert(args.end(), {"--now", "10.05.2006 " + time});
        return sandbox.run(args).status;
    };
    EXPECT_EQ(sandbox.run({"squad-start", "m.time", "--now", "10.05.2006 18:00:00"}).out,
              "m.time: stand-by period 0 started 10.05.2006 18:00:00\n");
    ASSERT_EQ(at("19:00:00", {"squad-start"}), 0);
    const CliResult several =
        sandbox.run({"squad-finish", "m.time", "--now", "10.05.2006 20:00:00"});
    EXPECT_EQ(several.status, 1);
    EXPECT_NE(several.err.find("tallimo-cli: squad-finish: 2 periods are open; finish one with "
                               "--row N: 0 (started 10.05.2006 18:00:00), 1 (started 10.05.2006 "
                               "19:00:00)\n"),
              std::string::npos);
    EXPECT_EQ(at("20:00:00", {"squad-finish", "m.time", "--row", "0"}), 0);
    EXPECT_EQ(at("21:00:00", {"squad-finish"}), 0);
    EXPECT_EQ(at("22:00:00", {"squad-finish", "m.time"}), 1);
    EXPECT_EQ(at("22:00:00", {"squad-finish", "m.time", "--row", "0", "--no"}), 1);
    EXPECT_EQ(
        sandbox
            .run({"squad-finish", "m.time", "--row", "1", "--yes", "--now", "10.05.2006 22:00:00"})
            .out,
        "m.time: stand-by period 1 finished 10.05.2006 22:00:00 (03:00:00)\n");
    std::vector<std::string> ends;
    for (const auto& line : shownTable(sandbox, "m.time", "squad")) {
        ends.push_back(cellsOf(line).at(1));
    }
    EXPECT_EQ(ends, (std::vector<std::string>{"10.05.2006 20:00:00", "10.05.2006 22:00:00"}));
}

TEST(CliImport, WritesTheOldMonthInTheCurrentFormatReplacingOnlyWithForce) {
    CliSandbox sandbox;
    SheetBytes old;
    old.u32(1001).u32(1);
    old.u32(static_cast<std::uint32_t>(*makeLocalInstant(2006, 5, 1, 0, 0, 0)));
    old.u32(static_cast<std::uint32_t>(*makeLocalInstant(2006, 5, 31, 23, 59, 0)));
    old.str("10.05.2006").str("08:00:00").str("17:00:00").str("tenth");
    old.str("02.05.2006 18:00:00").str("").str("call").str("server");
    writeBytes(sandbox.file("old.time"), old.bytes);
    writeBytes(sandbox.file("new.time"), {'x'});
    EXPECT_EQ(sandbox.run({"import", "old.time", "new.time"}).status, 1);
    EXPECT_EQ(readBytes(sandbox.file("new.time")), std::vector<std::uint8_t>{'x'});
    const CliResult imported = sandbox.run({"import", "old.time", "new.time", "--force"});
    ASSERT_EQ(imported.status, 0) << imported.err;
    const std::string shown = sandbox.run({"show", "new.time"}).out;
    EXPECT_NE(shown.find("10.05.2006\tWednesday\t08:00:00\t17:00:00\ttenth\t\t09:00:00"),
              std::string::npos);

    // A file that tells no month writes nothing.
    writeBytes(sandbox.file("short.time"), {3, 0});
    EXPECT_EQ(sandbox.run({"import", "short.time", "other.time"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(sandbox.file("other.time")));
}

TEST(CliOptions, PrintsEverySettingInItsOrderAndStoresNormalisedChanges) {
    CliSandbox sandbox;
    EXPECT_EQ(sandbox.run({"options"}).out,
              "AutoSave=off\nAutoBackup=off\nAutoOpenLastDocument=off\nRememberMe=off\nPlugInDir=\n"
              "atworkHour=9\natworkMinute=0\natworkSecond=0\n"
              "worktimeHour=8\nworktimeMinute=0\nworktimeSecond=0\n"
              "breakfastHour=0\nbreakfastMinute=20\nbreakfastSecond=0\n"
              "lunchHour=0\nlunchMinute=30\nlunchSecond=0\n"
              "coffeeHour=0\ncoffeeMinute=10\ncoffeeSecond=0\n"
              "ReportName=\nReportNumber=\nReportDepartment=\nBalanceStart=\nLastDocument=\n"
              "Presence=off\nPresenceAwayMinutes=5\nAutostart=off\n");
    // The line lists exactly what changed; a later run reads it back from the store.
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"worktimeHour=7", "worktimeMinute=90", "AutoSave=on", "PlugInDir=/opt/p"},
         {"AutoSave=on", "PlugInDir=/opt/p", "atworkMinute=30", "worktimeMinute=30"}},
        {{"BalanceStart=-150:30", "lunchMinute=45"},
         {"atworkMinute=15", "lunchMinute=45", "BalanceStart=-150:30"}},
        // The largest part the help promises, carried into hours of one day.
        {{"worktimeHour=9999", "worktimeMinute=9999"},
         {"atworkHour=14", "atworkMinute=39", "worktimeHour=13", "worktimeMinute=39"}},
        {{"AutoSave=off"}, {}},
    };
    for (const auto& [assignments, changed] : cases) {
        CliSandbox fresh;
        std::vector<std::string> args = {"options"};
        args.insert(args.end(), assignments.begin(), assignments.end());
        std::string line;
        for (const auto& value : changed) {
            line += (line.empty() ? "" : ", ") + value;
        }
        EXPECT_EQ(fresh.run(args).out,
                  "settings: " + (line.empty() ? "nothing changed" : line) + "\n");
        const std::string shown = fresh.run({"options"}).out;
        for (const auto& value : changed) {
            EXPECT_NE(shown.find(value + "\n"), std::string::npos) << value << '\n' << shown;
        }
    }
}

} // namespace
} // namespace tallimo::test
