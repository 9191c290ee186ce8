#include "support/CliRunner.h"
#include "support/PluginFiles.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// The test plug-in reads its switches from the environment, which the sandbox passes on.
class CliExport : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0); }

    // The calls so far, each cut after its name.
    std::vector<std::string> calls() const {
        auto lines = plugin.calls();
        for (auto& line : lines) {
            line = line.substr(0, line.find(' '));
        }
        return lines;
    }

    CliSandbox sandbox;
    PluginSwitches plugin{sandbox.file("calls.log")};
};

TEST_F(CliExport, HandsEveryRowOfTheChosenListToThePlugin) {
    const CliResult work = sandbox.run({"export", "m.time", "--plugin", kPlugin});
    ASSERT_EQ(work.status, 0) << work.err;
    auto all = calls();
    ASSERT_EQ(all.size(), 35u);
    EXPECT_EQ(std::count(all.begin(), all.end(), "Export"), 31);
    EXPECT_EQ(all.back(), "DeInit");

    ASSERT_EQ(sandbox
                  .run({"squad-add", "m.time", "--start", "01.03.2006 18:00:00", "--end",
                        "01.03.2006 20:00:00"})
                  .status,
              0);
    const CliResult squad = sandbox.run({"export", "m.time", "--squad", "--plugin", kPlugin});
    ASSERT_EQ(squad.status, 0) << squad.err;
    all = calls();
    EXPECT_EQ(std::vector<std::string>(all.begin() + 35, all.end()),
              (std::vector<std::string>{"GetDescription", "GetDescription", "Init", "SquadExport",
                                        "DeInit"}));
}

TEST_F(CliExport, RefusedLibrariesAndPluginFailuresExitWithOne) {
    const struct {
        std::string library;
        const char* fail;
        const char* says;
    } cases[] = {
        {sandbox.file("m.time"), "", "cannot be loaded"},
        {kPluginWithoutDescription, "", "is not an export plug-in"},
        {kPluginWithoutRows, "", "it lacks Export."},
        {kPlugin, "Init", "failure in Init"},
        {kPlugin, "DeInit", "failure in DeInit"},
    };
    for (const auto& c : cases) {
        plugin.fail(c.fail);
        const CliResult result = sandbox.run({"export", "m.time", "--plugin", c.library});
        EXPECT_EQ(result.status, 1) << c.library << " " << c.fail;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    }
    EXPECT_EQ(sandbox.run({"export", "m.time", "--plugin"}).status, 2);
}

} // namespace
} // namespace tallimo::test
