#include "support/CliRunner.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

std::vector<std::string> tableLines(const CliSandbox& sandbox, const std::string& table) {
    return shownTable(sandbox, "m.time", table);
}

std::vector<std::string> cells(const std::string& line) {
    auto result = cellsOf(line);
    result.resize(10);
    return result;
}

std::vector<std::string> day(const CliSandbox& sandbox, int number) {
    return cells(tableLines(sandbox, "work").at(static_cast<std::size_t>(number - 1)));
}

class CliEdit : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0); }
    CliSandbox sandbox;
};

TEST_F(CliEdit, MarkAndSetWriteTheListedDays) {
    ASSERT_EQ(sandbox.run({"mark", "m.time", "standby", "6"}).status, 0);
    const CliResult set =
        sandbox.run({"set", "m.time", "6", "--enter", "08:00:00", "--leave", "17:00:00"});
    ASSERT_EQ(set.status, 0) << set.err;
    const auto monday = day(sandbox, 6);
    EXPECT_EQ(monday[0] + " " + monday[1] + " " + monday[5], "06.03.2006 Monday yes");
    EXPECT_EQ(monday[9], "STTB 07:00 REG 08:00");

    ASSERT_EQ(sandbox.run({"mark", "m.time", "vacation", "20-21,31"}).status, 0);
    ASSERT_EQ(sandbox.run({"mark", "m.time", "sick", "21"}).status, 0);
    const auto comments = tableLines(sandbox, "work");
    for (const auto& [number, comment] : {std::pair{20, "Urlaub"}, std::pair{21, "Krankenkasse"},
                                          std::pair{22, ""}, std::pair{31, "Urlaub"}}) {
        EXPECT_EQ(cells(comments.at(number - 1))[4], comment) << number;
    }
}

TEST_F(CliEdit, WrongArgumentsAreUsageErrorsAndMissingDaysRefusals) {
    const auto before = readBytes(sandbox.file("m.time"));
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"mark", "m.time", "party", "3"}, 2},
        {{"mark", "m.time", "holiday", "3,"}, 2},
        {{"mark", "m.time", "holiday", "5-3"}, 2},
        {{"mark", "m.time", "holiday", "32"}, 1},
        {{"set", "m.time", "6", "--enter", "24:00:00"}, 2},
        {{"set", "m.time", "40"}, 1},
        {{"squad-add", "m.time", "--start", "31.04.2006 18:00:00", "--end", "x"}, 2},
        {{"squad-delete", "m.time", "0"}, 1},
    };
    for (const auto& c : cases) {
        const CliResult result = sandbox.run(c.args);
        EXPECT_EQ(result.status, c.status) << c.args[0] << " " << c.args.back() << result.err;
        EXPECT_NE(result.err, "") << c.args[0];
    }
    EXPECT_EQ(readBytes(sandbox.file("m.time")), before);
}

TEST_F(CliEdit, SetKeepsWhatTheDialogOffersForOptionsNotGiven) {
    ASSERT_EQ(sandbox.run({"set", "m.time", "7", "--enter", "09:15:00", "--comment", "Außendienst"})
                  .status,
              0);
    auto tuesday = day(sandbox, 7);
    EXPECT_EQ(tuesday[2] + " " + tuesday[3] + " " + tuesday[4], "09:15:00 16:00:00 Außendienst");
    // The file holds the comment in Windows-1252.
    const auto bytes = readBytes(sandbox.file("m.time"));
    EXPECT_NE(std::string(bytes.begin(), bytes.end())
                  .find("Au\xDF"
                        "endienst"),
              std::string::npos);
    ASSERT_EQ(sandbox.run({"set", "m.time", "7", "--leave", "18:00:00"}).status, 0);
    tuesday = day(sandbox, 7);
    EXPECT_EQ(tuesday[2] + " " + tuesday[3] + " " + tuesday[4], "09:15:00 18:00:00 Außendienst");
}

TEST_F(CliEdit, ClearAsksAndEmptiesOnlyOnOk) {
    ASSERT_EQ(sandbox.run({"set", "m.time", "8", "--enter", "08:00:00"}).status, 0);
    const CliResult declined = sandbox.run({"clear", "m.time", "8", "--no"});
    EXPECT_EQ(declined.status, 1);
    EXPECT_NE(declined.err.find("Are you sure to delete the selected rows? [Cancel]"),
              std::string::npos);
    EXPECT_EQ(day(sandbox, 8)[2], "08:00:00");
    // Cancel refuses even where there was nothing to delete.
    EXPECT_EQ(sandbox.run({"clear", "m.time", "9", "--no"}).status, 1);
    const CliResult confirmed = sandbox.run({"clear", "m.time", "8", "--yes"});
    EXPECT_EQ(confirmed.status, 0) << confirmed.err;
    EXPECT_EQ(tableLines(sandbox, "work").at(7), "08.03.2006\tWednesday\t\t\t\t\t\t\t\t");
}

TEST_F(CliEdit, SquadAddAppendsAndSquadDeleteRemovesTheListedRows) {
    for (const char* start : {"01.03.2006 18:00:00", "02.03.2006 18:00:00"}) {
        const CliResult added = sandbox.run({"squad-add", "m.time", "--start", start, "--end",
                                             "28.02.2006 23:00:00", "--description", "call"});
        ASSERT_EQ(added.status, 0) << added.err;
        EXPECT_EQ(added.err, "");
    }
    const CliResult warned = sandbox.run(
        {"squad-add", "m.time", "--start", "28.02.2006 22:00:00", "--end", "01.04.2006 01:00:00"});
    EXPECT_EQ(warned.status, 0);
    EXPECT_EQ(warned.err, "Datum zu klein.\nDatum zu groß.\n");
    ASSERT_EQ(tableLines(sandbox, "squad").size(), 3u);
    EXPECT_EQ(cells(tableLines(sandbox, "squad")[0])[1], "28.02.2006 23:00:00");
    EXPECT_EQ(cells(tableLines(sandbox, "squad")[0])[5], "call");

    EXPECT_EQ(sandbox.run({"squad-delete", "m.time", "0,2", "--no"}).status, 1);
    EXPECT_EQ(tableLines(sandbox, "squad").size(), 3u);
    ASSERT_EQ(sandbox.run({"squad-delete", "m.time", "0,2", "--yes"}).status, 0);
    const auto rest = tableLines(sandbox, "squad");
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(cells(rest[0])[0], "02.03.2006 18:00:00");
}

} // namespace
} // namespace tallimo::test
