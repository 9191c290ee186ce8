#include "support/CliRunner.h"
#include "support/PluginFiles.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// The test plug-in reads its switches from the environment, which the sandbox passes on.
TEST(CliExport, HandsTheRowsToThePluginAndFailsWithIt) {
    CliSandbox sandbox;
    PluginSwitches plugin{sandbox.file("calls.log")};
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    const CliResult squad = sandbox.run({"export", "m.time", "--squad", "--plugin", kPlugin});
    ASSERT_EQ(squad.status, 0) << squad.err;
    // The test plug-in does not name the file it wrote.
    EXPECT_EQ(squad.out, "m.time: 0 squad rows exported with " + std::string(kPlugin) + "\n");
    EXPECT_EQ(plugin.calls(),
              (std::vector<std::string>{"GetDescription", "GetDescription", "Init", "DeInit"}));
    const struct {
        std::string library;
        const char* fail;
        const char* says;
    } cases[] = {
        {sandbox.file("m.time"), "", "cannot be loaded"},
        {kPluginWithoutDescription, "", "is not an export plug-in"},
        {kPluginWithoutRows, "", "it lacks Export."},
        {kPlugin, "Init", "tallimo-cli: export: the plug-in reported a failure in Init\n"},
    };
    for (const auto& c : cases) {
        plugin.fail(c.fail);
        const CliResult result = sandbox.run({"export", "m.time", "--plugin", c.library});
        EXPECT_EQ(result.status, 1) << c.library << " " << c.fail;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    }
}

} // namespace
} // namespace tallimo::test
