#include "calc/TimeValue.h"
#include "support/CliRunner.h"
#include "support/SheetBytes.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

std::uint32_t berlin(int day, int hour = 0, int minute = 0) {
    return static_cast<std::uint32_t>(*makeLocalInstant(2006, 5, day, hour, minute, 0));
}

// A May 2006 file of the previous generation: no magic, no Stand-by cells.
std::vector<std::uint8_t> oldMay() {
    SheetBytes bytes;
    bytes.u32(1002).u32(1).u32(berlin(1)).u32(berlin(31, 23, 59));
    bytes.str("10.05.2006").str("08:00:00").str("17:00:00").str("tenth");
    bytes.str("02.05.2006").str("09:00:00").str("12:00:00").str("second");
    bytes.str("02.05.2006 18:00:00").str("").str("call").str("server");
    return bytes.bytes;
}

TEST(CliImport, WritesTheOldMonthInTheCurrentFormatReplacingOnlyWithForce) {
    CliSandbox sandbox;
    writeBytes(sandbox.file("old.time"), oldMay());
    writeBytes(sandbox.file("new.time"), {'x'});
    EXPECT_EQ(sandbox.run({"import", "old.time", "new.time"}).status, 1);
    EXPECT_EQ(readBytes(sandbox.file("new.time")), std::vector<std::uint8_t>{'x'});
    const CliResult imported = sandbox.run({"import", "old.time", "new.time", "--force"});
    ASSERT_EQ(imported.status, 0) << imported.err;
    const std::string shown = sandbox.run({"show", "new.time"}).out;
    EXPECT_NE(shown.find("10.05.2006\tWednesday\t08:00:00\t17:00:00\ttenth\t\t09:00:00"),
              std::string::npos);
    EXPECT_NE(shown.find("02.05.2006\tTuesday\t09:00:00\t12:00:00\tsecond\t"), std::string::npos);
    EXPECT_NE(shown.find("02.05.2006 18:00:00\t\t\t\tcall\tserver"), std::string::npos);
    EXPECT_NE(shown.find("31.05.2006\tWednesday\t"), std::string::npos);
}

TEST(CliImport, UnreadableOrTooShortFileWritesNothing) {
    CliSandbox sandbox;
    writeBytes(sandbox.file("short.time"), {3, 0});
    for (const char* old : {"missing.time", "short.time"}) {
        EXPECT_EQ(sandbox.run({"import", old, "new.time"}).status, 1) << old;
        EXPECT_FALSE(std::filesystem::exists(sandbox.file("new.time"))) << old;
    }
    EXPECT_EQ(sandbox.run({"import", "old.time"}).status, 2);
}

} // namespace
} // namespace tallimo::test
