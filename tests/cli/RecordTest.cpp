#include "support/CliRunner.h"

#include <ctime>
#include <filesystem>
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

class CliRecord : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(sandbox.run({"new", "2006-05", "m.time"}).status, 0); }

    CliResult at(const std::string& moment, std::vector<std::string> args) const {
        args.insert(args.end(), {"--now", moment});
        return sandbox.run(args);
    }

    CliSandbox sandbox;
};

TEST_F(CliRecord, EnterAndLeaveFillTodaysRowAndTheComputedCells) {
    ASSERT_EQ(at("10.05.2006 08:00:00", {"enter", "m.time"}).status, 0);
    // Without FILE the last document is taken; the forecast in Leave is replaced on --yes.
    const CliResult left = at("10.05.2006 17:30:00", {"leave", "--yes"});
    ASSERT_EQ(left.status, 0) << left.err;
    EXPECT_NE(left.err.find("You had left the office today at: 17:00:00."), std::string::npos);
    EXPECT_EQ(shownTable(sandbox, "m.time", "work").at(9),
              "10.05.2006\tWednesday\t08:00:00\t17:30:00\tautomatic created entry\t\t09:30:00\t"
              "08:30:00\t+00:30:00\tREG 08:00 + OT06E 00:30:00");
}

TEST(CliRecordOutside, MomentsOutsideTheMonthsOwnDaysAreRefusedAndLeaveTheFile) {
    // March 2006 in Berlin: the clocks go forward, so the month's bounds reach 01.04. 00:59.
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    const auto before = readBytes(sandbox.file("m.time"));
    for (const char* command : {"enter", "leave", "squad-start"}) {
        const CliResult refused = sandbox.run({command, "m.time", "--now", "01.04.2006 00:30:00"});
        EXPECT_EQ(refused.status, 1) << command;
        EXPECT_EQ(refused.err, "Please open the current tallimo file first!\n") << command;
    }
    EXPECT_EQ(readBytes(sandbox.file("m.time")), before);
    EXPECT_EQ(sandbox.run({"enter", "m.time", "--now", "31.03.2006 23:59:00"}).status, 0);
}

TEST(CliRecordToday, ASessionAtTodaysTimesFillsTodaysRow) {
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
    const CliResult left = sandbox.run({"leave", "--at", "17:30", "--yes"});
    ASSERT_EQ(left.status, 0) << left.err;
    const std::string shown = sandbox.run({"show", "m.time"}).out;
    const auto row = shown.find("\n" + std::string(date) + "\t");
    ASSERT_NE(row, std::string::npos);
    const std::string line = shown.substr(row + 1, shown.find('\n', row + 1) - row - 1);
    // Date and weekday, then the recorded and the computed cells.
    EXPECT_EQ(line.substr(line.find('\t', 11) + 1),
              "08:00:00\t17:30:00\tautomatic created entry\t\t09:30:00\t08:30:00\t+00:30:00\t"
              "REG 08:00 + OT06E 00:30:00");
}

TEST_F(CliRecord, WrongUsage) {
    EXPECT_EQ(CliSandbox().run({"enter"}).status, 2);
    EXPECT_EQ(sandbox.run({"enter", "a.time", "b.time"}).status, 2);
    EXPECT_EQ(sandbox.run({"leave", "m.time", "--row", "0"}).status, 2);
    EXPECT_EQ(sandbox.run({"squad-finish", "m.time", "--row", "-1"}).status, 2);
}

TEST_F(CliRecord, SquadFinishTakesTheOnlyOpenPeriodOrTheRowGiven) {
    ASSERT_EQ(at("10.05.2006 18:00:00", {"squad-start", "m.time"}).status, 0);
    ASSERT_EQ(at("10.05.2006 19:00:00", {"squad-start", "m.time"}).status, 0);
    EXPECT_EQ(at("10.05.2006 20:00:00", {"squad-finish", "m.time"}).status, 1);
    EXPECT_EQ(at("10.05.2006 20:00:00", {"squad-finish", "m.time", "--row", "0"}).status, 0);
    EXPECT_EQ(at("10.05.2006 21:00:00", {"squad-finish", "m.time"}).status, 0);
    EXPECT_EQ(squadEnds(sandbox),
              (std::vector<std::string>{"10.05.2006 20:00:00", "10.05.2006 21:00:00"}));

    EXPECT_EQ(at("10.05.2006 22:00:00", {"squad-finish", "m.time"}).status, 1);
    EXPECT_EQ(at("10.05.2006 22:00:00", {"squad-finish", "m.time", "--row", "0", "--no"}).status,
              1);
    EXPECT_EQ(at("10.05.2006 22:00:00", {"squad-finish", "m.time", "--row", "2"}).status, 1);
    EXPECT_EQ(at("10.05.2006 22:00:00", {"squad-finish", "m.time", "--row", "1", "--yes"}).status,
              0);
    EXPECT_EQ(squadEnds(sandbox),
              (std::vector<std::string>{"10.05.2006 20:00:00", "10.05.2006 22:00:00"}));
}

} // namespace
} // namespace tallimo::test
