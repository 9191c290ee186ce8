#include "support/CliRunner.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tallimo::test {
namespace {

namespace fs = std::filesystem;

// Entries named *.time that are no readable file are listed with the reason, and a line break in
// a name is written as \n, so that one file stays one line of the table and of the messages.
TEST(CliAwkwardFiles, BalanceListsEveryEntryThatIsNoReadableMonthWithTheReason) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2024-01", "a\nb.time"}).status, 0);
    ::mkfifo(sandbox.file("pipe.time").c_str(), 0600);
    fs::create_directory(sandbox.file("dir.time"));
    fs::create_symlink("missing.time", sandbox.file("gone.time"));
    fs::create_symlink("loop.time", sandbox.file("loop.time"));
    const CliResult result = sandbox.run({"balance", "."});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("  " + std::string("./a\\nb.time") + "\n"), std::string::npos)
        << result.out;
    const std::pair<const char*, std::string> unreadable[] = {
        {"pipe.time", "it is not a regular file"},
        {"dir.time", errnoText(EISDIR)},
        {"gone.time", errnoText(ENOENT)},
        {"loop.time", errnoText(ELOOP)},
    };
    for (const auto& [name, reason] : unreadable) {
        EXPECT_NE(result.out.find("unreadable  ./" + std::string(name) + "\n"), std::string::npos)
            << name << "\n"
            << result.out;
        EXPECT_NE(result.err.find("tallimo-cli: balance: ./" + std::string(name) +
                                  " cannot be read (" + reason + "); it is left out\n"),
                  std::string::npos)
            << name << "\n"
            << result.err;
    }
}

// Bytes after the last declared row: the month is damaged, saved over only with --force, and
// then its original is kept beside it.
TEST(CliAwkwardFiles, APaddedMonthIsDamageAndItsOriginalIsKeptOnAForcedSave) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    auto padded = readBytes(sandbox.file("m.time"));
    padded.insert(padded.end(), {0, 0, 'x'});
    writeBytes(sandbox.file("m.time"), padded);
    const std::vector<std::string> enter = {"enter", "m.time", "--now", "02.03.2006 08:00:00"};
    const CliResult refused = sandbox.run(enter);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Exception by loading file end. The file holds data after its "
                               "last row."),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(readBytes(sandbox.file("m.time")), padded);
    std::vector<std::string> forced = enter;
    forced.emplace_back("--force");
    ASSERT_EQ(sandbox.run(forced).status, 0);
    EXPECT_EQ(readBytes(sandbox.file("m.time.damaged-20060302080000")), padded);
    EXPECT_EQ(sandbox.run({"total", "m.time"}).err, "");
}

} // namespace
} // namespace tallimo::test
