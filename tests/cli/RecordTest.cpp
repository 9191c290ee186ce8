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
    ASSERT_EQ(sandbox.run({"enter", "m.time", "--now", "10.05.2006 08:00:00"}).status, 0);
    // Without FILE the last document is taken; the forecast in Leave is replaced on --yes.
    const CliResult left = sandbox.run({"leave", "--yes", "--now", "10.05.2006 17:30:00"});
    ASSERT_EQ(left.status, 0) << left.err;
    EXPECT_EQ(left.err, "You had left the office today at: 17:00:00. [OK]\n");
    EXPECT_EQ(shownTable(sandbox, "m.time", "work").at(9),
              "10.05.2006\tWednesday\t08:00:00\t17:30:00\tautomatic created entry\t\t09:30:00\t"
              "08:30:00\t+00:30:00\tREG 08:00 + OT06E 00:30:00");
    for (const char* command : {"enter", "leave", "squad-start"}) {
        const CliResult refused = sandbox.run({command, "m.time", "--now", "01.06.2006 00:30:00"});
        EXPECT_EQ(refused.status, 1) << command;
        EXPECT_EQ(refused.err, "Please open the current tallimo file first!\n") << command;
    }
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
    ASSERT_EQ(sandbox.run({"enter", "--at", "08:00"}).status, 0);
    ASSERT_EQ(sandbox.run({"leave", "--at", "17:30", "--yes"}).status, 0);
    const std::string shown = sandbox.run({"show", "m.time"}).out;
    const auto row = shown.find("\n" + std::string(date) + "\t");
    ASSERT_NE(row, std::string::npos);
    const std::string line = shown.substr(row + 1, shown.find('\n', row + 1) - row - 1);
    EXPECT_EQ(line.substr(line.find('\t', 11) + 1),
              "08:00:00\t17:30:00\tautomatic created entry\t\t09:30:00\t08:30:00\t+00:30:00\t"
              "REG 08:00 + OT06E 00:30:00");
}

TEST(CliRecord, SquadFinishTakesTheOnlyOpenPeriodOrTheRowGiven) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-05", "m.time"}).status, 0);
    const auto at = [&](const std::string& time, std::vector<std::string> args) {
        args.insert(args.end(), {"--now", "10.05.2006 " + time});
        return sandbox.run(args).status;
    };
    ASSERT_EQ(at("18:00:00", {"squad-start", "m.time"}), 0);
    ASSERT_EQ(at("19:00:00", {"squad-start"}), 0);
    EXPECT_EQ(at("20:00:00", {"squad-finish", "m.time"}), 1);
    EXPECT_EQ(at("20:00:00", {"squad-finish", "m.time", "--row", "0"}), 0);
    EXPECT_EQ(at("21:00:00", {"squad-finish"}), 0);
    EXPECT_EQ(at("22:00:00", {"squad-finish", "m.time"}), 1);
    EXPECT_EQ(at("22:00:00", {"squad-finish", "m.time", "--row", "0", "--no"}), 1);
    EXPECT_EQ(at("22:00:00", {"squad-finish", "m.time", "--row", "1", "--yes"}), 0);
    EXPECT_EQ(squadEnds(sandbox),
              (std::vector<std::string>{"10.05.2006 20:00:00", "10.05.2006 22:00:00"}));
}

} // namespace
} // namespace tallimo::test
