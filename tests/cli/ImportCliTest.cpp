#include "calc/TimeValue.h"
#include "support/CliRunner.h"
#include "support/SheetBytes.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(CliImport, WritesTheOldMonthInTheCurrentFormatReplacingOnlyWithForce) {
    CliSandbox sandbox;
    SheetBytes old;
    old.u32(1001).u32(1);
    old.u32(static_cast<std::uint32_t>(*makeLocalInstant(2006, 5, 1, 0, 0, 0)));
    old.u32(static_cast<std::uint32_t>(*makeLocalInstant(2006, 5, 31, 23, 59, 0)));
    old.str("10.05.2006").str("08:00:00").str("17:00:00").str("tenth");
    old.str("02.05.2006 18:00:00").str("").str("call").str("server");
    writeBytes(sandbox.file("old.time"), old.bytes);
    writeBytes(sandbox.file("new.time"), {'x'});
    EXPECT_EQ(sandbox.run({"import", "old.time", "new.time"}).status, 1);
    EXPECT_EQ(readBytes(sandbox.file("new.time")), std::vector<std::uint8_t>{'x'});
    const CliResult imported = sandbox.run({"import", "old.time", "new.time", "--force"});
    ASSERT_EQ(imported.status, 0) << imported.err;
    const std::string shown = sandbox.run({"show", "new.time"}).out;
    EXPECT_NE(shown.find("10.05.2006\tWednesday\t08:00:00\t17:00:00\ttenth\t\t09:00:00"),
              std::string::npos);
    EXPECT_NE(shown.find("02.05.2006 18:00:00\t\t\t\tcall\tserver"), std::string::npos);

    // A file that tells no month writes nothing.
    writeBytes(sandbox.file("short.time"), {3, 0});
    EXPECT_EQ(sandbox.run({"import", "short.time", "other.time"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(sandbox.file("other.time")));
}

} // namespace
} // namespace tallimo::test
