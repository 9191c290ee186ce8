#include "document/OvertimeBalance.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

MonthFile march(const std::string& path, FileStamp stamp, Span overtime) {
    MonthFile file;
    file.path = path;
    file.stamp = stamp;
    file.minDate = *makeLocalInstant(2006, 3, 1, 0, 0, 0);
    file.totals.overtime = overtime;
    return file;
}

TEST(OpenMonthBalance, TheOpenMonthCountsOverEveryOtherFileOfItsMonth) {
    const FileStamp newerCopy{1, 20, 500, 9'000'000'000};
    const struct {
        const char* situation;
        FileStamp open; // zeros: the open month has no file yet
        std::vector<MonthFile> folder;
    } cases[] = {
        {"no file yet", {}, {march("/m/copy.time", newerCopy, 999)}},
        {"an older file than its copy",
         {1, 10, 500, 1'000'000'000},
         {march("/m/open.time", {1, 10, 500, 1'000'000'000}, 50),
          march("/m/copy.time", newerCopy, 999)}},
    };
    for (const auto& c : cases) {
        const Balance balance = openMonthBalance(c.folder, march("/m/open.time", c.open, 120), 0);
        EXPECT_EQ(balance.total, 120) << c.situation;
        ASSERT_EQ(balance.lines.size(), 2u) << c.situation;
        for (const BalanceLine& line : balance.lines) {
            EXPECT_EQ(line.counted, line.file.path == "/m/open.time") << c.situation;
        }
    }
}

} // namespace
} // namespace tallimo::test
