#include "document/OvertimeBalance.h"

#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

Instant firstOf(int year, int month) {
    return *makeLocalInstant(year, month, 1, 0, 0, 0);
}

MonthFile month(const char* path, std::optional<Instant> minDate, Span overtime,
                std::int64_t modified = 0, const char* error = "") {
    MonthFile file;
    file.path = path;
    file.minDate = minDate;
    file.totals = {overtime, 3600};
    file.stamp.modifiedNs = modified;
    file.error = error;
    return file;
}

// A line as the user reads it: its month, then its balance or why it does not count.
std::string describe(const BalanceLine& line) {
    std::string text = line.month ? yearMonthText(*line.month) : "?";
    if (!line.file.readable()) {
        return text + " unreadable";
    }
    return text +
           (line.counted ? " " + std::to_string(line.balance) : " copy of " + line.countedCopy);
}

// Given in the order of their names, which is not the order of their months.
std::vector<MonthFile> folder() {
    return {month("a.time", firstOf(2024, 3), 7200),
            month("b.time", firstOf(2024, 1), 36000),
            month("c.time", firstOf(2024, 2), -19800, 2),
            month("d.time", firstOf(2024, 2), 3600, 1),
            month("e.time", firstOf(2024, 4), 0, 0, "its time data is damaged"),
            month("f.time", std::nullopt, 0, 0, "it has no valid file header")};
}

TEST(OvertimeBalance, RunsThroughTheMonthsInTheirOwnOrderCountingEachMonthOnce) {
    const struct {
        Span start;
        BalanceRange range;
        std::vector<std::string> lines;
        const char* field;
    } cases[] = {
        {0,
         {},
         {"2024-01 36000", "2024-02 16200", "2024-02 copy of c.time", "2024-03 23400",
          "2024-04 unreadable", "? unreadable"},
         "Balance: +06:30:00 (2 files left out)"},
        {90000,
         {std::nullopt, YearMonth{2024, 1}},
         {"2024-01 126000", "? unreadable"},
         "Balance: +1 day(s) + 11:00:00 (1 file left out)"},
    };
    for (const auto& c : cases) {
        const Balance balance = computeBalance(folder(), c.start, c.range);
        std::vector<std::string> lines;
        for (const BalanceLine& line : balance.lines) {
            lines.push_back(describe(line));
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(balanceFieldText(balance), c.field);
    }
    const Balance all = computeBalance(folder(), 0, {});
    EXPECT_EQ(all.overtime, 23400);
    EXPECT_EQ(all.standby, 3 * 3600); // the copy and the unreadable files add nothing
}

// The open month counting as it is in memory and ending the range: the desktop's balance test.
TEST(MonthFiles, AFolderHoldsItsMonthFilesAndNothingElse) {
    TempDir dir;
    // Versions differ in size: a rewrite within the file system's clock tick is seen all the same.
    const auto january = [](const char* leave, const char* comment = "") {
        return SheetBytes()
            .header(1002, {1}, static_cast<std::uint32_t>(firstOf(2024, 1)), 0)
            .workRow("02.01.2024", "08:00:00", leave, comment)
            .workRow("03.01.2024", "08:00:00", "16:00:00")
            .squadRow("02.01.2024 18:00:00", "03.01.2024 08:00:00")
            .bytes;
    };
    writeBytes(dir.file("jan.time"), january("18:30:00"));
    for (const char* notMonths : {"jan.time20240201120000.bak", "jan.time.damaged-20240201120000",
                                  ".jan.time.tallimo-lock", "notes.txt"}) {
        writeBytes(dir.file(notMonths), january("18:30:00"));
    }
    std::filesystem::create_directory(dir.file("old.time"));
    writeBytes(dir.file("cut.time"),
               SheetBytes().header(29, {}, static_cast<std::uint32_t>(firstOf(2024, 2)), 0).bytes);
    writeBytes(dir.file("magic.time"), SheetBytes().str("ZRB").bytes);
    writeBytes(dir.file("text.time"), SheetBytes().str("hello, world").bytes);
    std::filesystem::create_symlink(dir.file("jan.time"), dir.file("link.time"));

    std::vector<std::string> paths;
    ASSERT_TRUE(listMonthFiles(dir.path().string(), paths).done());
    ASSERT_EQ(paths, (std::vector<std::string>{dir.file("cut.time"), dir.file("jan.time"),
                                               dir.file("link.time"), dir.file("magic.time"),
                                               dir.file("old.time"), dir.file("text.time")}));
    MonthFileCache cache;
    const std::vector<MonthFile> files = cache.read(paths);
    const struct {
        const char* name;
        std::optional<Instant> minDate;
        const char* error;
    } expected[] = {
        {"cut.time", firstOf(2024, 2), "its time data is damaged"},
        {"jan.time", firstOf(2024, 1), ""},
        {"magic.time", std::nullopt, "its file header is damaged"},
        {"old.time", std::nullopt, "Is a directory"},
        {"text.time", std::nullopt, "it has no valid file header"},
    };
    ASSERT_EQ(files.size(), std::size(expected)); // the link names jan.time once more
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].path, dir.file(expected[i].name));
        EXPECT_EQ(files[i].minDate, expected[i].minDate) << expected[i].name;
        EXPECT_EQ(files[i].error, expected[i].error);
    }
    EXPECT_EQ(files[1].totals, (MonthTotals{1800, 50400}));

    // A new version is read again; the others come from the cache.
    writeBytes(dir.file("jan.time"), january("19:00:00", "late"));
    EXPECT_EQ(cache.read(paths)[1].totals, (MonthTotals{3600, 50400}));
}

TEST(MonthFiles, ADaylightSavingMonthCountsAsTheMonthViewCountsIt) {
    const struct {
        int month;
        const char* day; // the day the clocks change, from 01:00 to 11:00 on the wall
        Span overtime;
        const char* shown;
    } cases[] = {
        {3, "31.03.2024", 3600, "Overtime for this month: 01:00:00"},
        {10, "27.10.2024", 3 * 3600, "Overtime for this month: 03:00:00"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const auto bytes = SheetBytes()
                               .header(2, {}, static_cast<std::uint32_t>(firstOf(2024, c.month)), 0)
                               .workRow("02." + std::string(c.day + 3), "08:00:00", "18:00:00")
                               .workRow(c.day, "01:00:00", "11:00:00")
                               .bytes;
        writeBytes(dir.file("m.time"), bytes);
        EXPECT_EQ(readMonthFile(dir.file("m.time")).totals.overtime, c.overtime) << c.day;
        ViewFixture f;
        f.view->loadSheet(bytes);
        f.view->OnCalculateovertimemonth();
        EXPECT_EQ(f.ui.messages, std::vector<std::string>{c.shown});
    }
}

} // namespace
} // namespace tallimo::test
