#include "support/CliRunner.h"
#include "support/SheetBytes.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace tallimo::test {
namespace {

const std::string kData = TALLIMO_TEST_DATA;
const std::string kAdvice = "If this is an old Tallimo file use the import feature to convert.";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string copyIn(const CliSandbox& sandbox, const std::string& sample) {
    std::filesystem::copy_file(kData + "/" + sample, sandbox.file(sample));
    return sandbox.file(sample);
}

TEST(CliNewShow, NewMakesTheMonthAndShowPrintsItAsJson) {
    CliSandbox sandbox;
    const CliResult made = sandbox.run({"new", "2006-03", "m.time"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "m.time: March 2006 made, 31 days\n");
    EXPECT_EQ(readBytes(sandbox.file("m.time")), readBytes(kData + "/march2006.time"));

    const CliResult json = sandbox.run({"show", "m.time", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"minDate\": 1141167600, \"maxDate\": 1143845940, \"messages\": [], "
                             "\"work\": [{\"cells\": [\"01.03.2006\", \"Wednesday\", \"\", \"\", "
                             "\"\", \"\", \"\", \"\", \"\", \"\"], \"rowBackColor\": null, "
                             "\"rowFlags\": null, \"cellAttrs\": {}}, ",
                             0),
              0u);
    EXPECT_NE(json.out.find("\"Saturday\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"\"], "
                            "\"rowBackColor\": 11202800, \"rowFlags\": 32"),
              std::string::npos);
    EXPECT_NE(
        json.out.find("], \"squad\": [], \"workColumns\": [\"Date\", \"Weekday\", \"Enter\", "
                      "\"Leave\", \"Comment\", \"Stand-by\", \"@Work\", \"Worktime\", "
                      "\"Overtime\", \"Time and Labor\"], \"squadColumns\": [\"Start\", \"End\", "
                      "\"Worktime\", \"TimeAndLabor\", \"Incident\", \"Description\"]}\n"),
        std::string::npos);
}

TEST(CliNewShow, NewReplacesOnlyWithForceAndNeverAFolder) {
    CliSandbox sandbox;
    writeBytes(sandbox.file("m.time"), {'k', 'e', 'e', 'p'});
    const CliResult refused = sandbox.run({"new", "2006-03", "m.time"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "tallimo-cli: new: m.time exists; use --force to replace it\n");
    EXPECT_EQ(readBytes(sandbox.file("m.time")), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(sandbox.run({"new", "2006-03", "m.time", "--force"}).status, 0);
    EXPECT_EQ(readBytes(sandbox.file("m.time")), readBytes(kData + "/march2006.time"));

    std::filesystem::create_directory(sandbox.file("folder.time"));
    const CliResult folder = sandbox.run({"new", "2006-03", "folder.time", "--force"});
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("Cannot save the file"), std::string::npos);
}

TEST(CliNewShow, ShowRefusesWhatItCannotLoadAndTellsDamageOnce) {
    CliSandbox sandbox;
    writeBytes(sandbox.file("other.time"), SheetBytes().str("XYZ").u32(3).bytes);
    const std::pair<std::string, std::string> refused[] = {
        {"missing.time", "Cannot open the file \"missing.time\": No such file or directory.\n"},
        {"other.time", "The current file has no valid file header. " + kAdvice + "\n"},
    };
    for (const auto& [name, err] : refused) {
        const CliResult result = sandbox.run({"show", name, "--json"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, err);
        EXPECT_EQ(result.out, "");
    }
    const std::string cut = copyIn(sandbox, "march2006-cut.time");
    const CliResult json = sandbox.run({"show", cut, "--json"});
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(json.err, "Exception by loading time data. " + kAdvice +
                            "\nException by loading squad data. " + kAdvice + "\n");
    EXPECT_NE(json.out.find("\"messages\": [\"Exception by loading time data.\\r\\n" + kAdvice +
                            "\", \"Exception by loading squad data.\\r\\n" + kAdvice + "\"]"),
              std::string::npos);
}

TEST(CliNewShow, ThroughAPipeOrWithTsvTheTablesAreTheSameTsvAsEver) {
    CliSandbox sandbox;
    const std::string sample = copyIn(sandbox, "march2006-entries.time");
    const std::string expected = readText(kData + "/march2006-entries.tsv");
    // Cells escaped and in UTF-8, byte for byte as before the terminal's table came.
    EXPECT_EQ(sandbox.run({"show", sample}).out, expected);
    EXPECT_EQ(sandbox.runAtTerminal({"show", sample, "--tsv"}).out, expected);
    const CliResult json = sandbox.run({"show", sample, "--json"});
    EXPECT_NE(json.out.find("\"Tab\\there\\nnew line \\\\ back \xC3\xA4\""), std::string::npos);
    EXPECT_NE(json.out.find("\"rowBackColor\": 15269887, \"rowFlags\": 32"), std::string::npos);
}

TEST(CliNewShow, AtATerminalTheMonthIsAlignedColouredAndTotalled) {
    CliSandbox sandbox;
    const std::string sample = copyIn(sandbox, "march2006-entries.time");
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

} // namespace
} // namespace tallimo::test
