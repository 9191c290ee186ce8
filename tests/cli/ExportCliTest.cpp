#include "support/CliRunner.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// The test plug-in reads its switches from the environment, which the sandbox passes on.
class CliExport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
        setenv("TALLIMO_TEST_PLUGIN_LOG", sandbox.file("calls.log").c_str(), 1);
        unsetenv("TALLIMO_TEST_PLUGIN_FAIL");
    }
    void TearDown() override {
        unsetenv("TALLIMO_TEST_PLUGIN_LOG");
        unsetenv("TALLIMO_TEST_PLUGIN_FAIL");
    }

    std::vector<std::string> calls() const {
        std::vector<std::string> lines;
        std::ifstream in(sandbox.file("calls.log"));
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line.substr(0, line.find(' ')));
        }
        return lines;
    }

    CliSandbox sandbox;
};

TEST_F(CliExport, HandsEveryRowOfTheChosenListToThePlugin) {
    const CliResult work = sandbox.run({"export", "m.time", "--plugin", TALLIMO_TEST_PLUGIN});
    ASSERT_EQ(work.status, 0) << work.err;
    const auto all = calls();
    ASSERT_EQ(all.size(), 35u);
    EXPECT_EQ(std::count(all.begin(), all.end(), "Export"), 31);
    EXPECT_EQ(all.back(), "DeInit");

    std::remove(sandbox.file("calls.log").c_str());
    ASSERT_EQ(sandbox
                  .run({"squad-add", "m.time", "--start", "01.03.2006 18:00:00", "--end",
                        "01.03.2006 20:00:00"})
                  .status,
              0);
    const CliResult squad =
        sandbox.run({"export", "m.time", "--squad", "--plugin", TALLIMO_TEST_PLUGIN});
    ASSERT_EQ(squad.status, 0) << squad.err;
    EXPECT_EQ(calls(), (std::vector<std::string>{"GetDescription", "GetDescription", "Init",
                                                 "SquadExport", "DeInit"}));
}

TEST_F(CliExport, RefusedLibrariesAndPluginFailuresExitWithOne) {
    struct Case {
        std::string library;
        const char* fail;
        const char* says;
    };
    const Case cases[] = {
        {sandbox.file("m.time"), "", "cannot be loaded"},
        {TALLIMO_TEST_PLUGIN_NODESCRIPTION, "", "is not an export plug-in"},
        {TALLIMO_TEST_PLUGIN_NOROWS, "", "it lacks Export."},
        {TALLIMO_TEST_PLUGIN, "Init", "failure in Init"},
        {TALLIMO_TEST_PLUGIN, "DeInit", "failure in DeInit"},
    };
    for (const auto& c : cases) {
        setenv("TALLIMO_TEST_PLUGIN_FAIL", c.fail, 1);
        const CliResult result = sandbox.run({"export", "m.time", "--plugin", c.library});
        EXPECT_EQ(result.status, 1) << c.library << " " << c.fail;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    }
    EXPECT_EQ(sandbox.run({"export", "m.time", "--plugin"}).status, 2);
}

} // namespace
} // namespace tallimo::test
