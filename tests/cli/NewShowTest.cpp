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

TEST(CliNewShow, NewMakesTheMonthAndShowPrintsItAsTsvOrJson) {
    CliSandbox sandbox;
    const CliResult made = sandbox.run({"new", "2006-03", "m.time"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(readBytes(sandbox.file("m.time")), readBytes(kData + "/march2006.time"));

    const CliResult shown = sandbox.run({"show", "m.time"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.err, "");
    const auto lines = linesOf(shown.out);
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[0], "# work");
    EXPECT_EQ(lines[1], "Date\tWeekday\tEnter\tLeave\tComment\tStand-by\t@Work\tWorktime\tOvertime"
                        "\tTime and Labor");
    EXPECT_EQ(lines[32], "31.03.2006\tFriday\t\t\t\t\t\t\t\t");
    EXPECT_EQ(lines[33], "# squad");
    EXPECT_EQ(lines[34], "Start\tEnd\tWorktime\tTimeAndLabor\tIncident\tDescription");

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
    EXPECT_NE(json.out.find("], \"squad\": []}"), std::string::npos);
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

TEST(CliNewShow, CellsAreEscapedAndShownInUtf8) {
    CliSandbox sandbox;
    const std::string sample = copyIn(sandbox, "march2006-entries.time");
    const auto lines = linesOf(sandbox.run({"show", sample}).out);
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_TRUE(lines[8].starts_with(
        "07.03.2006\tTuesday\t09:00:00\t12:00:00\tTab\\there\\nnew line \\\\ back \xC3\xA4\t"));
    EXPECT_TRUE(lines[36].starts_with("06.03.2006 21:00:00\t"));
    const CliResult json = sandbox.run({"show", sample, "--json"});
    EXPECT_NE(json.out.find("\"Tab\\there\\nnew line \\\\ back \xC3\xA4\""), std::string::npos);
    EXPECT_NE(json.out.find("\"rowBackColor\": 15269887, \"rowFlags\": 32"), std::string::npos);
}

TEST(CliNewShow, LookingAtAFileLeavesTheLastDocumentAlone) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    ASSERT_EQ(sandbox.run({"new", "2006-04", "april.time"}).status, 0);
    EXPECT_EQ(sandbox.run({"show", "m.time"}).status, 0);
    EXPECT_EQ(sandbox.run({"total", "m.time"}).status, 0);
    // enter without FILE still writes into the file last made, not the one last looked at.
    EXPECT_NE(sandbox.run({"options"}).out.find("LastDocument=" + sandbox.file("april.time")),
              std::string::npos);
}

} // namespace
} // namespace tallimo::test
