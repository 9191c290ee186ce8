#include "support/CliRunner.h"

#include <ctime>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

std::vector<std::string> squadEnds(const CliSandbox& sandbox) {
    std::vector<std::string> ends;
    for (const auto& line : shownTable(sandbox, "m.time", "squad")) {
        ends.push_back(cellsOf(line).at(1));
    }
    return ends;
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
    EXPECT_EQ(shownTable(sandbox, "m.time", "work").at(9),
              "10.05.2006\tWednesday\t08:00:00\t17:30:00\tautomatic created entry\t\t09:30:00\t"
              "08:30:00\t+00:30:00\tREG 08:00 + OT06E 00:30:00");
    for (const char* command : {"enter", "leave", "squad-start"}) {
        const CliResult refused = sandbox.run({command, "m.time", "--now", "01.06.2006 12:30:00"});
        EXPECT_EQ(refused.status, 1) << command;
        EXPECT_EQ(refused.err, "Please open the current tallimo file first!\n") << command;
        EXPECT_EQ(refused.out, "");
    }
    // The default file's refusal says which file and month it is, and how to make today's.
    EXPECT_EQ(
        sandbox.run({"enter", "-q", "--now", "01.06.2006 08:00:00"}).err,
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
    EXPECT_EQ(squadEnds(sandbox),
              (std::vector<std::string>{"10.05.2006 20:00:00", "10.05.2006 22:00:00"}));
}

} // namespace
} // namespace tallimo::test
