#include "support/CliRunner.h"

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
    EXPECT_EQ(day(7)[2] + " " + day(7)[3] + " " + day(7)[4], "09:15:00 16:00:00 Außendienst");
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

} // namespace
} // namespace tallimo::test
