#include "document/TimeSheetFile.h"

#include "support/SheetBytes.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

using test::SheetBytes;

constexpr std::uint32_t kMarch2006Min = 1141167600; // 01.03.2006 00:00:00 in Berlin
constexpr std::uint32_t kMarch2006Max = 1143845940; // 01.04.2006 00:59:00

// The rows each set-up computed, in order.
struct Loaded final : RowCalculator {
    explicit Loaded(const std::vector<std::uint8_t>& bytes) {
        sheet.work.InsertItem(0, "old");
        sheet.squad.InsertItem(0, "old");
        loadTimeSheet(bytes, sheet, *this, [&](LoadProblem p) { problems.push_back(p); });
    }
    void CalculateWorkRow(int row) override { workRows.push_back(row); }
    void CalculateSquadRow(int row) override { squadRows.push_back(row); }
    TimeSheet sheet;
    std::vector<LoadProblem> problems;
    std::vector<int> workRows;
    std::vector<int> squadRows;
};

TEST(Storing, CountWordsAndStringPrefixesAtTheirBoundariesAndLoadThenStoreGivesTheSameBytes) {
    // 1200 work rows alone need the squad count, or the count word would read as one.
    const struct {
        int work, squad;
        std::vector<std::uint8_t> start; // after the magic and the format number
    } months[] = {
        {0, 0, {0, 0, 0, 0, 0xF0}},
        {0, 2, {0xE8, 3, 0, 0, 2, 0, 0, 0, 0xF0}},
        {1200, 0, {0x98, 0x8, 0, 0, 0, 0, 0, 0, 0xF0}},
    };
    for (const auto& c : months) {
        TimeSheet sheet;
        sheet.minDate = kMarch2006Min;
        for (int i = 0; i < c.work; ++i) {
            sheet.work.InsertItem(i, "");
        }
        for (int i = 0; i < c.squad; ++i) {
            sheet.squad.InsertItem(i, "");
        }
        const auto bytes = storeTimeSheet(sheet);
        EXPECT_EQ(bytes.size(), (c.start.size() + 15) + 5u * c.work + 4u * c.squad);
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 8, bytes.begin() + 8 + c.start.size()),
                  c.start);
        const Loaded loaded(bytes);
        EXPECT_TRUE(loaded.problems.empty());
        EXPECT_EQ(loaded.sheet.work.rowCount(), c.work);
        EXPECT_EQ(loaded.sheet.squad.rowCount(), c.squad);
    }
    const std::pair<std::size_t, std::vector<std::uint8_t>> strings[] = {
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& [length, prefix] : strings) {
        const std::string text(length, 'x');
        ByteWriter writer;
        writer.string(text);
        auto expected = prefix;
        expected.insert(expected.end(), text.begin(), text.end());
        EXPECT_EQ(writer.bytes(), expected) << length;
        ByteReader reader(writer.bytes());
        std::string back;
        EXPECT_TRUE(reader.string(back) && back == text) << length;
    }
    // Loaded then stored, a month gives the same bytes, with bounds up to 2106.
    constexpr std::uint32_t kYear2100 = 4102441200; // beyond a signed 32-bit field
    const auto original =
        SheetBytes()
            .header(1003, {2}, kYear2100, kMaxFileInstant)
            .workRow("01.03.2006", "08:00:00", "17:00:00", "Feiertag", "yes")
            .workRow("04.03.2006", "", "", std::string(70000, 'c'))
            .workRow("", "", "", "Tab\there \xE4", "")
            .squadRow("01.03.2006 20:00:00", "01.03.2006 22:30:00", "Server", std::string(300, 'd'))
            .squadRow("", "", "", "")
            .bytes;
    const Loaded loaded(original);
    EXPECT_TRUE(loaded.problems.empty());
    EXPECT_EQ(loaded.sheet.minDate, kYear2100);
    EXPECT_EQ(loaded.sheet.maxDate, kMaxFileInstant);
    EXPECT_EQ(storeTimeSheet(loaded.sheet), original);
}

TEST(Reading, MalformedPrefixesFailAndExhaustTheReader) {
    const std::vector<std::vector<std::uint8_t>> damaged = {
        {0x05, 'a', 'b'},                              // shorter than announced
        {0xFF, 0x2C},                                  // 16-bit length cut
        {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 1}, // announces 4 GB, holds one byte
        {0xFF, 0xFE, 0xFF, 0x01, 'a', 0, 0},           // two-byte string marker
    };
    for (const auto& bytes : damaged) {
        ByteReader reader(bytes);
        std::string text;
        std::uint32_t value = 0;
        EXPECT_FALSE(reader.string(text));
        EXPECT_FALSE(reader.u32(value)) << "even a read that would fit fails now";
    }
}

TEST(Loading, DamagedFilesKeepWhatWasReadAndEveryRowIsSetUpWhateverItsDateSays) {
    using P = LoadProblem;
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<LoadProblem> problems;
        std::vector<int> rows; // work and squad rows set up
        std::string lastCells;
    } cases[] = {
        {"only the magic", SheetBytes().str("ZRB").bytes, {P::Header}, {0, 0}, ""},
        {"ends after maxDate although 31 rows are announced",
         SheetBytes().header(31, {}, kMarch2006Min, kMarch2006Max).bytes,
         {P::WorkRows},
         {0, 0},
         ""},
        {"cut inside a work row, squad rows announced",
         SheetBytes()
             .header(1031, {2}, kMarch2006Min, kMarch2006Max)
             .workRow("01.03.2006")
             .str("05.03.2006")
             .str("08:00:00")
             .raw({8, '1', '7'})
             .bytes,
         {P::WorkRows, P::SquadRows},
         {2, 0},
         "05.03.2006|Sunday|08:00:00|||||||"},
        {"cut inside the second squad row",
         SheetBytes()
             .header(1001, {3}, kMarch2006Min, kMarch2006Max)
             .workRow("01.03.2006")
             .squadRow("01.03.2006 20:00:00", "01.03.2006 21:00:00")
             .str("02.03.2006 20:00:00")
             .bytes,
         {P::SquadRows},
         {1, 2},
         ""},
        {"count word 0xFFFFFFFF and nothing after it",
         SheetBytes().str("ZRB").u32(3).u32(0xFFFFFFFF).bytes,
         {P::Header, P::WorkRows},
         {0, 0},
         ""},
        {"squad count 0xFFFFFFFF",
         SheetBytes().header(1000, {0xFFFFFFFF}, 1, 2).bytes,
         {P::SquadRows},
         {0, 0},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded loaded(c.bytes);
        EXPECT_EQ(loaded.problems, c.problems);
        EXPECT_EQ(loaded.workRows.size(), static_cast<std::size_t>(c.rows[0]));
        EXPECT_EQ(loaded.squadRows.size(), static_cast<std::size_t>(c.rows[1]));
        EXPECT_EQ(loaded.sheet.work.rowCount() + loaded.sheet.squad.rowCount(),
                  c.rows[0] + c.rows[1]);
        if (!c.lastCells.empty()) {
            std::string cells;
            for (int column = 0; column < WorkColumn::Count; ++column) {
                cells += (column ? "|" : "") + loaded.sheet.work.GetItemText(1, column);
            }
            EXPECT_EQ(cells, c.lastCells);
        }
    }
    const Loaded loaded(SheetBytes()
                            .header(1003, {2}, kMarch2006Min, kMarch2006Max)
                            .workRow("00.03.2004") // carries to 29.02.2004, a Sunday
                            .workRow("31.02.2006") // carries to 03.03.2006, a Friday
                            .workRow("")
                            .squadRow("a")
                            .squadRow("b")
                            .bytes);
    const CellTable& work = loaded.sheet.work;
    EXPECT_EQ(work.GetItemText(0, WorkColumn::Weekday) + work.GetItemText(1, WorkColumn::Weekday) +
                  work.GetItemText(2, WorkColumn::Weekday),
              "SundayFriday");
    EXPECT_EQ(loaded.sheet.squad.rowAttributes(1)->backColour, kAlternateSquadBackColour);
    EXPECT_EQ(loaded.workRows, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(loaded.squadRows, (std::vector<int>{0, 1}));
}

} // namespace
} // namespace tallimo
