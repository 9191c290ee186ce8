#include "support/CliRunner.h"

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
}

TEST(CliUsage, WrongUsageAndRefusedArgumentsChangeNothing) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    const auto before = readBytes(sandbox.file("m.time"));
    const std::string settings = sandbox.run({"options"}).out;
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
        {{"new", "03.2006", "x.time"}, 2},
        {{"new", "2106-02", "x.time"}, 1},
        {{"show", "m.time", "m.time"}, 2},
        {{"show", "m.time", "--xml"}, 2},
        {{"enter", "m.time", "x.time"}, 2},
        {{"leave", "m.time", "--row", "0"}, 2},
        {{"squad-finish", "m.time", "--row", "-1"}, 2},
        {{"squad-finish", "m.time", "--row", "2"}, 1},
        {{"total", "m.time", "--rows", "2-1"}, 2},
        {{"total", "m.time", "--rows", "0,,1"}, 2},
        {{"total", "m.time", "--rows", "0-99999999999"}, 2},
        {{"total", "m.time", "--rows", "31"}, 2},
        {{"total", "m.time", "--squad", "--rows", "0"}, 2},
        {{"total", "m.time", "--rows"}, 2},
        {{"mark", "m.time", "party", "3"}, 2},
        {{"mark", "m.time", "holiday", "3,"}, 2},
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
        {{"balance", ".", "--to", "2006-13"}, 2},
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

TEST(CliUsage, WhatFollowsADoubleDashBelongsToTheCommand) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    const CliResult set = sandbox.run({"set", "m.time", "6", "--", "--comment", "-h"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_NE(sandbox.run({"show", "m.time"}).out.find("\t16:00:00\t-h\t"), std::string::npos);
}

} // namespace
} // namespace tallimo::test
