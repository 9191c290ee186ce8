#include "document/TimeSheetFile.h"

#include "support/SheetBytes.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

using test::SheetBytes;

constexpr std::uint32_t kMarch2006Min = 1141167600; // 01.03.2006 00:00:00 in Berlin
constexpr std::uint32_t kMarch2006Max = 1143845940; // 01.04.2006 00:59:00

class CountingCalculator final : public RowCalculator {
public:
    void CalculateWorkRow(int row) override { workRows.push_back(row); }
    void CalculateSquadRow(int row) override { squadRows.push_back(row); }
    std::vector<int> workRows;
    std::vector<int> squadRows;
};

struct Loaded {
    explicit Loaded(const std::vector<std::uint8_t>& bytes, int oldRows = 0) {
        for (int i = 0; i < oldRows; ++i) {
            sheet.work.InsertItem(i, "old");
            sheet.squad.InsertItem(i, "old");
        }
        loadTimeSheet(bytes, sheet, calculator, [&](LoadProblem p) { problems.push_back(p); });
    }
    TimeSheet sheet;
    std::vector<LoadProblem> problems;
    CountingCalculator calculator;
};

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

TEST(Storing, SizesAndCountWords) {
    // Empty cells: 5 bytes per work row, 4 per squad row. 1200 work rows alone need the squad
    // count, or the count word would read as one.
    const struct {
        int work, squad;
        std::size_t size;
        std::uint32_t countWord;
    } cases[] = {{0, 0, 20, 0},
                 {0, 2, 32, 1000},
                 {31, 0, 175, 31},
                 {31, 2, 187, 1031},
                 {1200, 0, 6024, 1000 + 1200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.work << " work rows, " << c.squad << " squad rows");
        TimeSheet sheet;
        sheet.minDate = kMarch2006Min;
        sheet.maxDate = kMarch2006Max;
        for (int i = 0; i < c.work; ++i) {
            sheet.work.InsertItem(i, "");
        }
        for (int i = 0; i < c.squad; ++i) {
            sheet.squad.InsertItem(i, "");
        }
        const auto bytes = storeTimeSheet(sheet);
        ASSERT_EQ(bytes.size(), c.size);
        const std::vector<std::uint8_t> magic = {3, 'Z', 'R', 'B', 3, 0, 0, 0};
        EXPECT_TRUE(std::equal(magic.begin(), magic.end(), bytes.begin()));
        EXPECT_EQ(u32At(bytes, 8), c.countWord);
        // A squad count follows only a count word of 1000 or more.
        const std::size_t bounds = c.countWord < 1000 ? 12 : 16;
        if (bounds == 16) {
            EXPECT_EQ(u32At(bytes, 12), static_cast<std::uint32_t>(c.squad));
        }
        EXPECT_EQ(u32At(bytes, bounds), kMarch2006Min);
        EXPECT_EQ(u32At(bytes, bounds + 4), kMarch2006Max);
        const Loaded loaded(bytes);
        EXPECT_TRUE(loaded.problems.empty());
        EXPECT_EQ(loaded.sheet.work.rowCount(), c.work);
        EXPECT_EQ(loaded.sheet.squad.rowCount(), c.squad);
    }
}

TEST(Storing, StringPrefixesAtEveryBoundary) {
    const struct {
        std::size_t length;
        std::vector<std::uint8_t> prefix;
    } cases[] = {
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 'x');
        ByteWriter writer;
        writer.string(text);
        const auto& bytes = writer.bytes();
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin()));

        ByteReader reader(bytes);
        std::string back;
        ASSERT_TRUE(reader.string(back));
        EXPECT_EQ(back, text);
        EXPECT_FALSE(reader.string(back));
    }
}

TEST(Reading, MalformedPrefixesFailWithoutReadingOn) {
    const std::vector<std::vector<std::uint8_t>> damaged = {
        {0x05, 'a', 'b'},                              // shorter than announced
        {0xFF, 0x2C},                                  // 16-bit length cut
        {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 1}, // announces 4 GB, holds one byte
        {0xFF, 0xFE, 0xFF, 0x01, 'a', 0, 0},           // two-byte string marker
    };
    for (const auto& bytes : damaged) {
        SCOPED_TRACE(bytes.size());
        ByteReader reader(bytes);
        std::string text;
        EXPECT_FALSE(reader.string(text));
        // The failure exhausts the reader: even a read that would fit now fails.
        std::uint32_t value = 0;
        EXPECT_FALSE(reader.u32(value));
    }
}

TEST(Storing, LoadThenStoreGivesTheSameBytesWithBoundsUpTo2106) {
    constexpr std::uint32_t kYear2100 = 4102441200; // beyond a signed 32-bit field
    const auto original =
        SheetBytes()
            .header(1003, {3}, kYear2100, kMaxFileInstant)
            .workRow("01.03.2006", "08:00:00", "17:00:00", "Feiertag", "yes")
            .workRow("04.03.2006", "", "", std::string(70000, 'c'))
            .workRow("", "", "", "Tab\there \xE4", "")
            .squadRow("01.03.2006 20:00:00", "01.03.2006 22:30:00", "Server", std::string(300, 'd'))
            .squadRow("02.03.2006 20:00:00")
            .squadRow("", "", "", "")
            .bytes;
    const Loaded loaded(original);
    EXPECT_TRUE(loaded.problems.empty());
    ASSERT_EQ(loaded.sheet.work.rowCount(), 3);
    ASSERT_EQ(loaded.sheet.squad.rowCount(), 3);
    EXPECT_EQ(loaded.sheet.work.itemText(0, WorkColumn::StandBy), "yes");
    EXPECT_EQ(loaded.sheet.squad.itemText(0, SquadColumn::Incident), "Server");
    EXPECT_EQ(loaded.sheet.minDate, kYear2100);
    EXPECT_EQ(loaded.sheet.maxDate, kMaxFileInstant);
    EXPECT_EQ(storeTimeSheet(loaded.sheet), original);
}

TEST(Loading, DamagedFilesReportEachSectionOnce) {
    using P = LoadProblem;
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<LoadProblem> problems;
        int workRows;
        int squadRows;
    } cases[] = {
        {"only the magic", SheetBytes().str("ZRB").bytes, {P::Header}, 0, 0},
        {"ends after maxDate although 31 rows are announced",
         SheetBytes().header(31, {}, kMarch2006Min, kMarch2006Max).bytes,
         {P::WorkRows},
         0,
         0},
        {"cut inside the third work row, squad rows announced",
         SheetBytes()
             .header(1031, {2}, kMarch2006Min, kMarch2006Max)
             .workRow("01.03.2006")
             .workRow("02.03.2006")
             .str("03.03.2006")
             .str("08:00:00")
             .raw({8, '1', '7'})
             .bytes,
         {P::WorkRows, P::SquadRows},
         3,
         0},
        {"cut inside the second squad row",
         SheetBytes()
             .header(1001, {3}, kMarch2006Min, kMarch2006Max)
             .workRow("01.03.2006")
             .squadRow("01.03.2006 20:00:00", "01.03.2006 21:00:00")
             .str("02.03.2006 20:00:00")
             .bytes,
         {P::SquadRows},
         1,
         2},
        {"count word 0xFFFFFFFF with a complete header",
         SheetBytes().header(0xFFFFFFFF, {0}, kMarch2006Min, kMarch2006Max).bytes,
         {P::WorkRows},
         0,
         0},
        {"count word 0xFFFFFFFF and nothing after it",
         SheetBytes().str("ZRB").u32(3).u32(0xFFFFFFFF).bytes,
         {P::Header, P::WorkRows},
         0,
         0},
        {"squad count 0xFFFFFFFF",
         SheetBytes().header(1000, {0xFFFFFFFF}, 1, 2).bytes,
         {P::SquadRows},
         0,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded loaded(c.bytes);
        EXPECT_EQ(loaded.problems, c.problems);
        EXPECT_EQ(loaded.sheet.work.rowCount(), c.workRows);
        EXPECT_EQ(loaded.sheet.squad.rowCount(), c.squadRows);
        // Every row that exists was set up once.
        EXPECT_EQ(loaded.calculator.workRows.size(), static_cast<std::size_t>(c.workRows));
        EXPECT_EQ(loaded.calculator.squadRows.size(), static_cast<std::size_t>(c.squadRows));
    }
}

TEST(Loading, ACutRowKeepsTheCellsReadBeforeTheDamage) {
    const Loaded loaded(SheetBytes()
                            .header(2, {}, kMarch2006Min, kMarch2006Max)
                            .workRow("04.03.2006", "08:00:00", "17:00:00")
                            .str("05.03.2006")
                            .str("09:00:00")
                            .bytes);
    ASSERT_EQ(loaded.sheet.work.rowCount(), 2);
    EXPECT_EQ(loaded.sheet.work.itemText(1, WorkColumn::Enter), "09:00:00");
    EXPECT_EQ(loaded.sheet.work.itemText(1, WorkColumn::Leave), "");
    EXPECT_EQ(loaded.sheet.work.itemText(1, WorkColumn::Weekday), "Sunday");
}

TEST(Loading, AHeaderCutBeforeMaxDateKeepsThePreviousMaxDate) {
    TimeSheet sheet;
    sheet.maxDate = 9;
    CountingCalculator calculator;
    loadTimeSheet(SheetBytes().str("ZRB").u32(3).u32(0).u32(kMarch2006Min).bytes, sheet, calculator,
                  [](LoadProblem) {});
    EXPECT_EQ(sheet.minDate, kMarch2006Min);
    EXPECT_EQ(sheet.maxDate, 9);
}

TEST(Loading, ReplacesBothTablesAndSetsUpEveryRow) {
    const Loaded loaded(SheetBytes()
                            .header(1004, {4}, kMarch2006Min, kMarch2006Max)
                            .workRow("00.03.2004") // carries to 29.02.2004, a Sunday
                            .workRow("31.02.2006") // carries to 03.03.2006, a Friday
                            .workRow("01.13.2005") // carries to 01.01.2006, a Sunday
                            .workRow("")
                            .squadRow("a")
                            .squadRow("b")
                            .squadRow("c")
                            .squadRow("d")
                            .bytes,
                        5);
    const CellTable& work = loaded.sheet.work;
    ASSERT_EQ(work.rowCount(), 4);
    const char* weekdays[] = {"Sunday", "Friday", "Sunday", ""};
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(work.itemText(row, WorkColumn::Weekday), weekdays[row]);
        const auto look = work.rowAttributes(row);
        ASSERT_EQ(look.has_value(), row == 0 || row == 2);
        if (look) {
            EXPECT_EQ(look->backColour, kWeekendBackColour);
            EXPECT_EQ(look->flags, CellFlag::OwnBackColour);
        }
        EXPECT_EQ(loaded.sheet.squad.rowAttributes(row).has_value(), row % 2 == 1);
    }
    EXPECT_EQ(loaded.sheet.squad.rowCount(), 4);
    EXPECT_EQ(loaded.sheet.squad.rowAttributes(3)->backColour, kAlternateSquadBackColour);
    EXPECT_EQ(loaded.calculator.workRows, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(loaded.calculator.squadRows, (std::vector<int>{0, 1, 2, 3}));
}

} // namespace
} // namespace tallimo
