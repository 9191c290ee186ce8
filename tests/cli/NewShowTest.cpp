#include "support/CliRunner.h"
#include "support/SheetBytes.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace tallimo::test {
namespace {

const std::string kData = TALLIMO_TEST_DATA;
const std::string kWorkHeaders =
    "Date\tWeekday\tEnter\tLeave\tComment\tStand-by\t@Work\tWorktime\tOvertime\tTime and Labor";
const std::string kSquadHeaders = "Start\tEnd\tWorktime\tTimeAndLabor\tIncident\tDescription";
const std::string kAdvice = "If this is an old Tallimo file use the import feature to convert.";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The JSON rows of one table, each as its own text ("{"cells": ...}").
std::vector<std::string> jsonRows(const std::string& json, const std::string& table) {
    const std::size_t start = json.find("\"" + table + "\": [");
    const std::size_t end = table == "work" ? json.find("], \"squad\": [") : json.size();
    const std::string part = json.substr(start, end - start);
    std::vector<std::string> rows;
    for (std::size_t at = part.find("{\"cells\""); at != std::string::npos;) {
        const std::size_t next = part.find("{\"cells\"", at + 1);
        rows.push_back(part.substr(at, next == std::string::npos ? next : next - at));
        at = next;
    }
    return rows;
}

std::string copyIn(const CliSandbox& sandbox, const std::string& sample) {
    std::filesystem::copy_file(kData + "/" + sample, sandbox.file(sample));
    return sandbox.file(sample);
}

TEST(CliNewShow, NewMakesTheMonthAndShowPrintsIt) {
    CliSandbox sandbox;
    const CliResult made = sandbox.run({"new", "2006-03", "m.time"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.err, "");
    EXPECT_EQ(readBytes(sandbox.file("m.time")), readBytes(kData + "/march2006.time"));

    const CliResult shown = sandbox.run({"show", "m.time"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.err, "");
    const auto lines = linesOf(shown.out);
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[0], "# work");
    EXPECT_EQ(lines[1], kWorkHeaders);
    EXPECT_EQ(lines[2], "01.03.2006\tWednesday\t\t\t\t\t\t\t\t");
    EXPECT_EQ(lines[32], "31.03.2006\tFriday\t\t\t\t\t\t\t\t");
    EXPECT_EQ(lines[33], "# squad");
    EXPECT_EQ(lines[34], kSquadHeaders);

    const CliResult json = sandbox.run({"show", "m.time", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"minDate\": 1141167600, \"maxDate\": 1143845940, \"messages\": [], "
                             "\"work\": [",
                             0),
              0u);
    const auto rows = jsonRows(json.out, "work");
    ASSERT_EQ(rows.size(), 31u);
    for (std::size_t day = 1; day <= 31; ++day) {
        SCOPED_TRACE(day);
        const bool weekend = day == 4 || day == 5 || day == 11 || day == 12 || day == 18 ||
                             day == 19 || day == 25 || day == 26;
        const std::string look = weekend ? "\"rowBackColor\": 11202800, \"rowFlags\": 32"
                                         : "\"rowBackColor\": null, \"rowFlags\": null";
        EXPECT_NE(rows[day - 1].find(look), std::string::npos) << rows[day - 1];
    }
    EXPECT_TRUE(jsonRows(json.out, "squad").empty());
}

TEST(CliNewShow, NewReplacesAFileOnlyWithForce) {
    CliSandbox sandbox;
    writeBytes(sandbox.file("m.time"), {'k', 'e', 'e', 'p'});
    const CliResult refused = sandbox.run({"new", "2006-03", "m.time"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("--force"), std::string::npos);
    EXPECT_EQ(readBytes(sandbox.file("m.time")), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));

    EXPECT_EQ(sandbox.run({"new", "2006-03", "m.time", "--force"}).status, 0);
    EXPECT_EQ(readBytes(sandbox.file("m.time")), readBytes(kData + "/march2006.time"));

    std::filesystem::create_directory(sandbox.file("folder.time"));
    const CliResult folder = sandbox.run({"new", "2006-03", "folder.time", "--force"});
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("Cannot save the file"), std::string::npos);
}

TEST(CliNewShow, WrongUsageAndMonthsOutOfReach) {
    const struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"new"}, 2},
        {{"new", "2006-13", "m.time"}, 2},
        {{"new", "03.2006", "m.time"}, 2},
        {{"new", "1969-12", "m.time"}, 1},
        {{"new", "2106-02", "m.time"}, 1},
        {{"show"}, 2},
        {{"show", "a.time", "--xml"}, 2},
    };
    CliSandbox sandbox;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.size() > 1 ? c.args[1] : c.args[0]);
        const CliResult result = sandbox.run(c.args);
        EXPECT_EQ(result.status, c.status);
        EXPECT_NE(result.err, "");
        EXPECT_FALSE(std::filesystem::exists(sandbox.file("m.time")));
    }
}

TEST(CliNewShow, ShowRefusesFilesItCannotLoad) {
    CliSandbox sandbox;
    writeBytes(sandbox.file("other.time"), SheetBytes().str("XYZ").u32(3).bytes);
    const struct {
        std::string name;
        std::string err;
    } cases[] = {
        {"missing.time", "Cannot open the file \"missing.time\": No such file or directory.\n"},
        {"other.time", "The current file has no valid file header. " + kAdvice + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult result = sandbox.run({"show", c.name, "--json"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "");
    }
}

TEST(CliNewShow, ADamagedFileShowsWhatWasReadAndEachMessageOnce) {
    CliSandbox sandbox;
    const std::string cut = copyIn(sandbox, "march2006-cut.time");
    const std::string messages = "Exception by loading time data. " + kAdvice +
                                 "\nException by loading squad data. " + kAdvice + "\n";
    const CliResult shown = sandbox.run({"show", cut});
    ASSERT_EQ(shown.status, 0);
    EXPECT_EQ(shown.err, messages);
    const auto lines = linesOf(shown.out);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3].substr(0, 11), "02.03.2006\t");
    EXPECT_EQ(lines[4], "# squad");

    const CliResult json = sandbox.run({"show", cut, "--json"});
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(json.err, messages);
    EXPECT_NE(json.out.find("\"messages\": [\"Exception by loading time data.\\r\\n" + kAdvice +
                            "\", \"Exception by loading squad data.\\r\\n" + kAdvice + "\"]"),
              std::string::npos);
}

TEST(CliNewShow, CellsAreEscapedAndShownInUtf8) {
    CliSandbox sandbox;
    const std::string sample = copyIn(sandbox, "march2006-entries.time");
    const auto before = readBytes(sample);
    const CliResult shown = sandbox.run({"show", sample});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto lines = linesOf(shown.out);
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_TRUE(lines[8].starts_with(
        "07.03.2006\tTuesday\t09:00:00\t12:00:00\tTab\\there\\nnew line \\\\ back \xC3\xA4\t"));
    EXPECT_TRUE(lines[35].starts_with("05.03.2006 20:00:00\t05.03.2006 23:30:00\t"));
    EXPECT_TRUE(lines[36].starts_with("06.03.2006 21:00:00\t"));

    const CliResult json = sandbox.run({"show", sample, "--json"});
    ASSERT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("\"Tab\\there\\nnew line \\\\ back \xC3\xA4\""), std::string::npos);
    const auto squad = jsonRows(json.out, "squad");
    ASSERT_EQ(squad.size(), 2u);
    EXPECT_NE(squad[0].find("\"rowBackColor\": null"), std::string::npos);
    EXPECT_NE(squad[1].find("\"rowBackColor\": 15269887, \"rowFlags\": 32"), std::string::npos);
    // Showing never writes the file.
    EXPECT_EQ(readBytes(sample), before);
}

TEST(CliNewShow, LookingAtAFileLeavesTheLastDocumentAndPipesAlone) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    ASSERT_EQ(sandbox.run({"new", "2006-04", "april.time"}).status, 0);
    EXPECT_EQ(sandbox.run({"show", "m.time"}).status, 0);
    EXPECT_EQ(sandbox.run({"total", "m.time"}).status, 0);
    // enter without FILE still writes into the file last made, not the one last looked at.
    EXPECT_NE(sandbox.run({"options"}).out.find("LastDocument=" + sandbox.file("april.time")),
              std::string::npos);

    ASSERT_EQ(mkfifo(sandbox.file("pipe.time").c_str(), 0600), 0);
    const CliResult pipe = sandbox.run({"show", "pipe.time"});
    EXPECT_EQ(pipe.status, 1);
    EXPECT_NE(pipe.err.find("it is not a regular file"), std::string::npos);
}

} // namespace
} // namespace tallimo::test
