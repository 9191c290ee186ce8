#include "support/CliRunner.h"
#include "support/SheetBytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

const std::string kData = TALLIMO_TEST_DATA;

TEST(CliSafety, ADamagedFileIsSavedOverOnlyWithForceAndItsOriginalIsKept) {
    CliSandbox sandbox;
    const std::string cut = sandbox.file("cut.time");
    std::filesystem::copy_file(kData + "/march2006-cut.time", cut);
    const auto original = readBytes(cut);
    const std::vector<std::string> enter = {"enter", "cut.time", "--now", "02.03.2006 08:00:00"};

    const CliResult refused = sandbox.run(enter);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(
        refused.err.find("\"" + cut + "\" was damaged when it was read and is not saved over"),
        std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("--force"), std::string::npos);
    EXPECT_EQ(readBytes(cut), original);
    // Reading commands are unaffected.
    EXPECT_EQ(sandbox.run({"total", "cut.time"}).status, 0);

    std::vector<std::string> forced = enter;
    forced.emplace_back("--force");
    const CliResult saved = sandbox.run(forced);
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(readBytes(cut + ".damaged-20060302080000"), original);
    EXPECT_EQ(shownTable(sandbox, "cut.time", "work").at(1).substr(0, 29),
              "02.03.2006\tThursday\t08:00:00\t");
}

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

TEST(CliSafety, OutputOrSettingsThatCannotBeWrittenAreFailures) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    for (const char* command : {"total m.time", "show m.time", "options", "--help"}) {
        const CliResult result =
            sandbox.shell("\"$TALLIMO_CLI\" " + std::string(command) + " >/dev/full");
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_EQ(result.err, "tallimo-cli: the output could not be written\n") << command;
    }
    // A later enter without FILE would write into whatever LastDocument still names.
    std::filesystem::remove_all(sandbox.file(".home/.config/Morvane"));
    std::ofstream(sandbox.file(".home/.config/Morvane")) << "in the way";
    const std::pair<std::vector<std::string>, const char*> writers[] = {
        {{"new", "2006-04", "april.time"}, "tallimo-cli: the settings could not be written\n"},
        {{"options", "AutoSave=on"}, "tallimo-cli: options: the settings could not be written\n"},
    };
    for (const auto& [args, err] : writers) {
        const CliResult result = sandbox.run(args);
        EXPECT_EQ(result.status, 1);
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

} // namespace
} // namespace tallimo::test
