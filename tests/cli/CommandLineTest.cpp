#include "support/CliRunner.h"
#include "support/SheetBytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(CliUsage, HelpAndVersionPrintTheUsageOfAllOrOneCommand) {
    CliSandbox sandbox;
    const CliResult none = sandbox.run({});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("Usage: tallimo-cli"), std::string::npos);
    for (const auto& args : {std::vector<std::string>{"--help"}, {"help"}}) {
        const CliResult help = sandbox.run(args);
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(help.out.find("  squad-delete FILE ROWS\n"), std::string::npos);
    }
    for (const auto& args : {std::vector<std::string>{"show", "--help"}, {"help", "show"}}) {
        EXPECT_EQ(sandbox.run(args).out.rfind("Usage: tallimo-cli show [FILE] [--tsv | --json | "
                                              "--table] [--color=WHEN]\n\n",
                                              0),
                  0u);
    }
    EXPECT_EQ(sandbox.run({"help", "nope"}).status, 2);
    EXPECT_EQ(sandbox.run({"--version"}).out, "Tallimo Version 1.3.0.45 Feature Pack 3\n");
}

TEST(CliUsage, TimesAreTakenInEveryUsualFormAndAWrongOneIsNamed) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    const struct {
        std::vector<std::string> args;
        const char* said; // the start of the line on standard output, or of the error
    } cases[] = {
        {{"enter", "m.time", "--now", "2006-03-07T08:15"}, "m.time: 07.03.2006 Enter 08:15:00,"},
        {{"enter", "--now", "07.03.2006 8:15", "--yes"}, "tallimo-cli: --now wants"},
        {{"set", "m.time", "8", "--enter", "8:15"}, "m.time: 08.03.2006 Enter 08:15:00,"},
        {{"set", "m.time", "8", "--leave", "24:30"},
         "m.time: 08.03.2006 Enter 08:15:00, Leave 24:30"},
        {{"set", "m.time", "8", "--enter", "24:00"},
         "tallimo-cli: set: --enter wants H:MM, HH:MM or HH:MM:SS, not '24:00'"},
        {{"set", "m.time", "8", "--leave", "48:00:00"}, "tallimo-cli: set: --leave wants"},
        {{"show", "--at", "8:15"}, "# work"},
        {{"show", "--at", "8.15"}, "tallimo-cli: --at wants H:MM, HH:MM or HH:MM:SS, not '8.15'"},
    };
    for (const auto& c : cases) {
        const CliResult result = sandbox.run(c.args);
        EXPECT_EQ((result.out + result.err).rfind(c.said, 0), 0u) << result.out << result.err;
    }
    // --quiet keeps the line back, nothing else.
    const CliResult quiet = sandbox.run({"set", "m.time", "9", "--enter", "8:00", "-q"});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out + quiet.err, "");
    // What follows a double dash belongs to the command.
    ASSERT_EQ(sandbox.run({"set", "m.time", "6", "--", "--comment", "-h"}).status, 0);
    EXPECT_NE(sandbox.run({"show", "m.time"}).out.find("\t16:00:00\t-h\t"), std::string::npos);
}

TEST(CliUsage, WrongUsageAndRefusedArgumentsChangeNothing) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    const auto before = readBytes(sandbox.file("m.time"));
    const std::string settings = sandbox.run({"options"}).out;
    std::filesystem::create_directory(sandbox.file("folder.time"));
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"frobnicate"}, 2},
        {{"show", "m.time", "--at", "24:00"}, 2},
        {{"show", "m.time", "--color=sometimes"}, 2},
        {{"show", "m.time", "--tsv", "--json"}, 2},
        {{"total", "m.time", "--days", "0"}, 2},
        {{"total", "m.time", "--days", "32"}, 2},
        {{"total", "m.time", "--days", "1", "--rows", "1"}, 2},
        {{"total", "m.time", "--days", "1", "--squad"}, 2},
        {{"show", "m.time", "--yes", "--no"}, 2},
        {{"show", "m.time", "--now", "01.03.2006 08:00:00", "--at", "08:00"}, 2},
        {{"new", "2006-13", "x.time"}, 2},
        {{"new", "2106-02", "x.time"}, 1},
        {{"new", "2006-03", "folder.time", "--force"}, 1}, // a folder has the file's name
        {{"show", "m.time", "m.time"}, 2},
        {{"show", "m.time", "--xml"}, 2},
        {{"enter", "m.time", "x.time"}, 2},
        {{"squad-finish", "m.time", "--row", "-1"}, 2},
        {{"squad-finish", "m.time", "--row", "2"}, 1},
        {{"total", "m.time", "--rows", "2-1"}, 2},
        {{"total", "m.time", "--rows", "0,,1"}, 2},
        {{"total", "m.time", "--rows", "0-99999999999"}, 2},
        {{"total", "m.time", "--rows", "31"}, 2},
        {{"total", "m.time", "--squad", "--rows", "0"}, 2},
        {{"mark", "m.time", "party", "3"}, 2},
        {{"mark", "m.time", "holiday", "32"}, 1},
        {{"help", "show", "total"}, 2},
        {{"set", "m.time", "40"}, 1},
        {{"squad-add", "m.time", "--start", "31.04.2006 18:00:00", "--end", "x"}, 2},
        {{"squad-delete", "m.time", "0"}, 1},
        {{"import", "old.time"}, 2},
        {{"export", "m.time", "--plugin"}, 2},
        {{"options", "AutoSave=on", "Autosave=on"}, 2},
        {{"options", "AutoSave=ON"}, 2},
        {{"options", "atworkHour=10"}, 2},
        {{"options", "LastDocument=/x"}, 2},
        {{"options", "lunchMinute=-5"}, 2},
        {{"options", "coffeeHour=10000"}, 2},
        {{"options", "BalanceStart=12"}, 2},
        {{"balance", ".", "--from", "2006-3"}, 2},
        {{"balance", ".", "--start", "1:60"}, 2},
    };
    for (const auto& c : cases) {
        const CliResult result = sandbox.run(c.args);
        EXPECT_EQ(result.status, c.status) << c.args[0] << " " << c.args.back() << result.err;
        EXPECT_NE(result.err, "") << c.args[0];
        EXPECT_EQ(result.out, "") << c.args[0];
    }
    EXPECT_EQ(sandbox.run({"squad-finish", "m.time", "--row", "2"}).err,
              "tallimo-cli: squad-finish: squad row 2 does not exist (the file has 0)\n");
    EXPECT_EQ(readBytes(sandbox.file("m.time")), before);
    EXPECT_EQ(sandbox.run({"options"}).out, settings);
}

const std::string kData = TALLIMO_TEST_DATA;

// A damaged month saved only with --force: CliAwkwardFiles.APaddedMonthIsDamage...; the refusal's
// text: Document.ADamagedFileIsKeptBesideItBeforeItIsSavedOver.

TEST(CliSafety, ConcurrentWritersOfOneMonthLoseNoChange) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    // Every writer exits 0; the output names those that did not, with what they said.
    const CliResult writers =
        sandbox.shell("for i in $(seq 1 50); do\n"
                      "  ( \"$TALLIMO_CLI\" squad-add m.time --start '01.03.2006 18:00:00'"
                      " --end '01.03.2006 19:00:00' --description \"w$i\" >/dev/null 2>err.$i;"
                      " echo $? >status.$i ) &\n"
                      "done\n"
                      "wait\n"
                      "for i in $(seq 1 50); do [ \"$(cat status.$i)\" = 0 ] || { echo \"$i:\"; "
                      "cat err.$i; }; done");
    EXPECT_EQ(writers.out, "");
    std::vector<std::string> descriptions;
    for (const auto& line : shownTable(sandbox, "m.time", "squad")) {
        descriptions.push_back(cellsOf(line).at(5));
    }
    std::sort(descriptions.begin(), descriptions.end());
    std::vector<std::string> expected;
    for (int i = 1; i <= 50; ++i) {
        expected.push_back("w" + std::to_string(i));
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(descriptions, expected);
    // The lock file goes with its last holder.
    EXPECT_FALSE(std::filesystem::exists(sandbox.file(".m.time.tallimo-lock")));
}

TEST(CliSafety, OutputThatCannotBeWrittenFailsAndSettingsOnlyWhereTheyAreTheWork) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    for (const char* command : {"total m.time", "show m.time", "options", "--help"}) {
        const CliResult result =
            sandbox.shell("\"$TALLIMO_CLI\" " + std::string(command) + " >/dev/full");
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_EQ(result.err, "tallimo-cli: the output could not be written\n") << command;
    }
    // Settings that cannot be written are a warning where the month was saved, and a failure
    // of the command whose only work they are.
    std::filesystem::remove_all(sandbox.file(".home/.config/Morvane"));
    std::ofstream(sandbox.file(".home/.config/Morvane")) << "in the way";
    const std::string warning = "tallimo-cli: warning: the settings file " +
                                sandbox.file(".home/.config/Morvane/Tallimo.conf") +
                                " cannot be read (Not a directory); the defaults are used\n";
    const std::tuple<std::vector<std::string>, int, std::string> writers[] = {
        {{"new", "2006-04", "april.time"}, 0, warning},
        {{"options", "AutoSave=on"},
         1,
         warning + "tallimo-cli: options: the settings could not be written\n"},
    };
    for (const auto& [args, status, err] : writers) {
        const CliResult result = sandbox.run(args);
        EXPECT_EQ(result.status, status);
        EXPECT_EQ(result.err, err);
    }
}

TEST(CliSafety, RunningOutOfMemoryEndsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    CliSandbox sandbox;
    // 15 million empty stand-by rows in 60 MiB: more than 300 MiB of memory can hold.
    SheetBytes month;
    month.header(1000, {15000000}, 1141167600, 1143845940);
    month.bytes.resize(month.bytes.size() + 60000000, 0);
    writeBytes(sandbox.file("big.time"), month.bytes);
    const CliResult result = sandbox.shell("ulimit -v 307200; \"$TALLIMO_CLI\" show big.time");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tallimo-cli: there is not enough memory for this command\n");
}

const std::string kAdvice = "If this is an old Tallimo file use the import feature to convert.";

std::string copyIn(const CliSandbox& sandbox, const std::string& sample) {
    std::filesystem::copy_file(kData + "/" + sample, sandbox.file(sample));
    return sandbox.file(sample);
}

TEST(CliNewShow, NewMakesTheMonthReplacingAFileOnlyWithForce) {
    CliSandbox sandbox;
    writeBytes(sandbox.file("m.time"), {'k', 'e', 'e', 'p'});
    const CliResult refused = sandbox.run({"new", "2006-03", "m.time"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "tallimo-cli: new: m.time exists; use --force to replace it\n");
    EXPECT_EQ(readBytes(sandbox.file("m.time")), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
    const CliResult made = sandbox.run({"new", "2006-03", "m.time", "--force"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "m.time: March 2006 made, 31 days\n");
    EXPECT_EQ(readBytes(sandbox.file("m.time")), readBytes(kData + "/march2006.time"));
}

TEST(CliNewShow, ShowPrintsTheMonthAsJson) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    const CliResult json = sandbox.run({"show", "m.time", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"minDate\": 1141167600, \"maxDate\": 1143845940, \"messages\": [], "
                             "\"work\": [{\"cells\": [\"01.03.2006\", \"Wednesday\", \"\", \"\", "
                             "\"\", \"\", \"\", \"\", \"\", \"\"], \"rowBackColor\": null, "
                             "\"rowFlags\": null, \"cellAttrs\": {}}, ",
                             0),
              0u);
    EXPECT_NE(
        json.out.find("], \"squad\": [], \"workColumns\": [\"Date\", \"Weekday\", \"Enter\", "
                      "\"Leave\", \"Comment\", \"Stand-by\", \"@Work\", \"Worktime\", "
                      "\"Overtime\", \"Time and Labor\"], \"squadColumns\": [\"Start\", \"End\", "
                      "\"Worktime\", \"TimeAndLabor\", \"Incident\", \"Description\"]}\n"),
        std::string::npos);
}

TEST(CliNewShow, ShowRefusesWhatItCannotLoadAndTellsDamageOnce) {
    CliSandbox sandbox;
    const CliResult missing = sandbox.run({"show", "missing.time", "--json"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Cannot open the file \"missing.time\": No such file or directory.\n");
    EXPECT_EQ(missing.out, "");
    const std::string cut = copyIn(sandbox, "march2006-cut.time");
    const CliResult json = sandbox.run({"show", cut, "--json"});
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(json.err, "Exception by loading time data. " + kAdvice +
                            "\nException by loading squad data. " + kAdvice + "\n");
    EXPECT_NE(json.out.find("\"messages\": [\"Exception by loading time data.\\r\\n" + kAdvice +
                            "\", \"Exception by loading squad data.\\r\\n" + kAdvice + "\"]"),
              std::string::npos);
}

TEST(CliNewShow, ThroughAPipeTheTablesAreTsvAndAtATerminalAlignedColouredAndTotalled) {
    CliSandbox sandbox;
    const std::string sample = copyIn(sandbox, "march2006-entries.time");
    const std::string expected = readText(kData + "/march2006-entries.tsv");
    // Cells escaped and in UTF-8, byte for byte as before the terminal's table came.
    EXPECT_EQ(sandbox.run({"show", sample}).out, expected);
    EXPECT_EQ(sandbox.runAtTerminal({"show", sample, "--tsv"}).out, expected);
    const CliResult json = sandbox.run({"show", sample, "--json"});
    EXPECT_NE(json.out.find("\"Tab\\there\\nnew line \\\\ back \xC3\xA4\""), std::string::npos);
    EXPECT_NE(json.out.find("\"rowBackColor\": 15269887, \"rowFlags\": 32"), std::string::npos);

    const CliResult coloured = sandbox.runAtTerminal({"show", sample});
    ASSERT_EQ(coloured.status, 0) << coloured.out;
    const std::string out = coloured.out;
    EXPECT_EQ(out.rfind("\x1b[1mMarch 2006  " + sample + "\x1b[0m\n", 0), 0u) << out;
    EXPECT_NE(out.find("\x1b[1m\x1b[34m+01:45:00\x1b[0m"), std::string::npos) << out;
    EXPECT_NE(out.find("\x1b[1m\x1b[31m-06:00:00\x1b[0m"), std::string::npos);
    // Weekends are faint and set apart by blank lines.
    EXPECT_NE(out.find("  3  Fri\n\n\x1b[2m  4  Sat\x1b[0m\n\x1b[2m  5  Sun\x1b[0m\n\n  6  Mon"),
              std::string::npos);
    for (const auto& environment : {std::vector<std::string>{"NO_COLOR=1"}, {}}) {
        std::vector<std::string> args = {"show", sample};
        if (environment.empty()) {
            args.emplace_back("--color=never");
        }
        const auto lines = linesOf(sandbox.runAtTerminal(args, environment).out);
        ASSERT_EQ(lines.size(), 50u);
        EXPECT_EQ(lines[2], "Day  Weekday  Enter     Leave     @Work     Worktime  Overtime   "
                            "Stand-by  Time and Labor                         Comment");
        EXPECT_EQ(lines[10], "  6  Mon      07:30:00  18:15:00  10:45:00  09:45:00  +01:45:00  "
                             "yes       STTB 07:00 REG 08:00 + OT06E 01:45:00");
        EXPECT_EQ(lines[11], "  7  Tue      09:00:00  12:00:00  03:00:00  02:00:00  -06:00:00  "
                             "          REG 02:00                              Tab\\there\\nnew "
                             "line \\ back \xC3\xA4");
        EXPECT_EQ(lines[44], "Row  Start                End                  Worktime  "
                             "TimeAndLabor     Incident     Description");
        EXPECT_EQ(lines[45], "  0  05.03.2006 20:00:00  05.03.2006 23:30:00  03:30:00  "
                             "not implemented  Server down  Reboot");
        EXPECT_EQ(lines[48], "Overtime for this month: -04:15:00");
        EXPECT_EQ(lines[49], "Squad overtime for this month: 03:30:00");
    }
}

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

TEST(CliTotal, PrintsTheMessageOfTheChosenListAndRows) {
    CliSandbox sandbox;
    makeMonths(sandbox);
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "Overtime for this month: 02:00:00\n"},
        {{"--rows", "0-2,0"}, "Overtime for selected days: 00:00:00\n"},
        {{"--days", "1,4"}, "Overtime for selected days: 02:00:00\n"},
        {{"--rows", ""}, ""},
        {{"--rows", "0", "--squad"}, "Squad overtime for selected days: 14:00:00\n"},
    };
    for (const auto& [options, expected] : cases) {
        std::vector<std::string> args{"total", "m-mar.time"};
        args.insert(args.end(), options.begin(), options.end());
        const CliResult result = sandbox.run(args);
        EXPECT_EQ(result.status, 0) << expected << result.err;
        EXPECT_EQ(result.out, expected);
    }
}

} // namespace
} // namespace tallimo::test
