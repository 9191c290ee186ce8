#include "support/CliRunner.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// January +2 h, February -4:30 h, March +2 h with 14 h of stand-by, made as a user makes them;
// their names do not sort as their months do. LastDocument names March.
void makeMonths(const CliSandbox& sandbox) {
    const std::vector<std::vector<std::string>> commands = {
        {"new", "2024-01", "z-jan.time"},
        {"set", "z-jan.time", "2", "--enter", "08:00", "--leave", "19:00"},
        {"new", "2024-02", "a-feb.time"},
        {"set", "a-feb.time", "1", "--enter", "08:00", "--leave", "12:30"},
        {"new", "2024-03", "m-mar.time"},
        {"squad-add", "m-mar.time", "--start", "01.03.2024 18:00:00", "--end",
         "02.03.2024 08:00:00"},
        {"set", "m-mar.time", "4", "--enter", "07:00", "--leave", "18:00"},
    };
    for (const auto& args : commands) {
        ASSERT_EQ(sandbox.run(args).status, 0) << args[0] << ' ' << args[1];
    }
    // A backup of February is no month of its own.
    std::filesystem::copy_file(sandbox.file("a-feb.time"),
                               sandbox.file("a-feb.time20240301120000.bak"));
}

std::string lastLine(const std::string& text) {
    const auto end = text.find_last_not_of('\n');
    return text.substr(text.rfind('\n', end) + 1, end - text.rfind('\n', end));
}

TEST(CliBalance, AddsUpTheMonthsOfTheLastDocumentsFolderInTheirOwnOrder) {
    CliSandbox sandbox;
    makeMonths(sandbox);
    const CliResult all = sandbox.run({"balance"});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.err, "");
    EXPECT_EQ(all.out, "Month    Overtime   Stand-by  Balance    File\n"
                       "Start                         00:00:00\n"
                       "2024-01  02:00:00   00:00:00  02:00:00   " +
                           sandbox.file("z-jan.time") +
                           "\n"
                           "2024-02  -04:30:00  00:00:00  -02:30:00  " +
                           sandbox.file("a-feb.time") +
                           "\n"
                           "2024-03  02:00:00   14:00:00  -00:30:00  " +
                           sandbox.file("m-mar.time") +
                           "\n"
                           "Total    -00:30:00  14:00:00  -00:30:00\n");

    const struct {
        std::vector<std::string> args;
        const char* total;
    } cases[] = {
        {{"--start", "+25:30"}, "Total    -00:30:00  14:00:00  1 day(s) + 01:00:00"},
        {{"--from", "2024-02", "--to", "2024-02"}, "Total    -04:30:00  00:00:00  -04:30:00"},
        {{"--from", "2024-03", "--start", "-24:00"}, "Total    02:00:00  14:00:00  -22:00:00"},
        {{"--to", "2023-12"}, "Total  00:00:00  00:00:00  00:00:00"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"balance", "."};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult result = sandbox.run(args);
        EXPECT_EQ(result.status, 0) << c.total << result.err;
        EXPECT_EQ(lastLine(result.out), c.total);
    }
    ASSERT_EQ(sandbox.run({"options", "BalanceStart=-1:30"}).status, 0);
    EXPECT_EQ(lastLine(sandbox.run({"balance", "."}).out),
              "Total    -00:30:00  14:00:00  -02:00:00");
}

TEST(CliBalance, ADamagedFileIsListedAndLeftOutAndOnlyTheNewerCopyOfAMonthCounts) {
    CliSandbox sandbox;
    makeMonths(sandbox);
    std::filesystem::copy_file(sandbox.file("z-jan.time"), sandbox.file("copy.time"));
    ASSERT_EQ(sandbox.run({"set", "copy.time", "3", "--enter", "08:00", "--leave", "18:00"}).status,
              0);
    const auto bytes = readBytes(sandbox.file("a-feb.time"));
    writeBytes(sandbox.file("cut.time"), {bytes.begin(), bytes.begin() + 40});

    const CliResult table = sandbox.run({"balance", "z-jan.time", "copy.time", "cut.time"});
    EXPECT_EQ(table.status, 1);
    EXPECT_EQ(table.out, "Month    Overtime  Stand-by  Balance     File\n"
                         "Start                        00:00:00\n"
                         "2024-01  02:00:00  00:00:00  duplicate   z-jan.time\n"
                         "2024-01  03:00:00  00:00:00  03:00:00    copy.time\n"
                         "2024-02  -         -         unreadable  cut.time\n"
                         "Total    03:00:00  00:00:00  03:00:00\n");
    EXPECT_EQ(table.err,
              "tallimo-cli: balance: z-jan.time is a second file of 2024-01; only the newer "
              "copy.time counts\n"
              "tallimo-cli: balance: cut.time cannot be read (its time data is damaged); it is "
              "left out\n");

    const CliResult json = sandbox.run({"balance", "--json", "cut.time", "copy.time"});
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.out,
              "{\"start\": 0, \"startText\": \"00:00:00\", \"months\": [{\"month\": \"2024-01\", "
              "\"file\": \"copy.time\", \"counted\": true, \"overtime\": 10800, \"overtimeText\": "
              "\"03:00:00\", \"standby\": 0, \"standbyText\": \"00:00:00\", \"balance\": 10800, "
              "\"balanceText\": \"03:00:00\"}, {\"month\": \"2024-02\", \"file\": \"cut.time\", "
              "\"counted\": false, \"error\": \"its time data is damaged\"}], \"overtime\": 10800, "
              "\"overtimeText\": \"03:00:00\", \"standby\": 0, \"standbyText\": \"00:00:00\", "
              "\"balance\": 10800, \"balanceText\": \"03:00:00\", \"leftOut\": 1}\n");
}

} // namespace
} // namespace tallimo::test
