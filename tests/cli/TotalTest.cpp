#include "support/CliRunner.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(CliTotal, PrintsTheMessageOfTheChosenListAndRows) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    ASSERT_EQ(sandbox.run({"set", "m.time", "1", "--enter", "08:00", "--leave", "18:00"}).status,
              0);
    ASSERT_EQ(sandbox
                  .run({"squad-add", "m.time", "--start", "01.03.2006 18:00:00", "--end",
                        "02.03.2006 08:00:00"})
                  .status,
              0);
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "Overtime for this month: 01:00:00\n"},
        {{"--rows", "1-3,1"}, "Overtime for selected days: 00:00:00\n"},
        {{"--days", "1,3"}, "Overtime for selected days: 01:00:00\n"},
        {{"--rows", ""}, ""},
        {{"--rows", "0", "--squad"}, "Squad overtime for selected days: 14:00:00\n"},
    };
    for (const auto& [options, expected] : cases) {
        std::vector<std::string> args{"total", "m.time"};
        args.insert(args.end(), options.begin(), options.end());
        const CliResult result = sandbox.run(args);
        EXPECT_EQ(result.status, 0) << expected << result.err;
        EXPECT_EQ(result.out, expected);
    }
}

} // namespace
} // namespace tallimo::test
