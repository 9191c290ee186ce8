#include "controls/CellLook.h"

#include "document/TimeSheet.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

constexpr FontStyle kNormal{};
constexpr FontStyle kBold{700, false, false, false};
constexpr std::uint32_t kSignedOvertime =
    CellFlag::Bold | CellFlag::OwnTextColour | CellFlag::NoEffect | CellFlag::IgnoreRowRecord;

const CellAttributes kWeekendRow{CellFlag::OwnBackColour, 0, kWeekendBackColour};

struct LookCase {
    const char* name;
    CellAttributes own;
    std::optional<CellAttributes> whole;
    bool selected;
    CellLook expected;
};

TEST(CellLook, ResolvesColoursAndFontFromTheRecordsOfACell) {
    const LookCase cases[] = {
        {"plain cell", {}, std::nullopt, false, {}},
        {"weekend cell", {}, kWeekendRow, false, {false, std::nullopt, kWeekendBackColour, {}}},
        {"signed overtime in a weekend row: bold blue on the default background",
         {kSignedOvertime, 0xFF0000, 0},
         kWeekendRow,
         false,
         {false, 0xFF0000, std::nullopt, kBold}},
        {"zero overtime in a weekend row: normal black on the weekend background",
         {CellFlag::OwnTextColour, 0x000000, 0},
         kWeekendRow,
         false,
         {false, 0x000000, kWeekendBackColour, std::nullopt}},
        {"colours are read only with their flag",
         {CellFlag::NoEffect, 0x123456, 0x654321},
         CellAttributes{0, 0x111111, 0x222222},
         false,
         {}},
        {"the cell's own colours win over the row's",
         {CellFlag::OwnBackColour, 0, 0x0000FF},
         CellAttributes{CellFlag::OwnTextColour | CellFlag::OwnBackColour, 0x00FF00, 0xFF0000},
         false,
         {false, 0x00FF00, 0x0000FF, std::nullopt}},
        {"a selected row shows the highlight but keeps the bold font",
         {kSignedOvertime, 0x0000FF, 0},
         kWeekendRow,
         true,
         {true, std::nullopt, std::nullopt, kBold}},
        {"a row's style reaches cells without 0x80 only",
         {},
         CellAttributes{CellFlag::Italic, 0, 0},
         false,
         {false, std::nullopt, std::nullopt, FontStyle{400, true, false, false}}},
        {"both styles merge, the cell's fields first",
         {CellFlag::Underline, 0, 0},
         CellAttributes{CellFlag::Bold | CellFlag::StrikeOut, 0, 0},
         false,
         {false, std::nullopt, std::nullopt, FontStyle{700, false, true, true}}},
    };
    for (const LookCase& c : cases) {
        EXPECT_EQ(resolveCellLook(c.own, c.whole, c.selected, kNormal), c.expected) << c.name;
    }
}

TEST(CellLook, AMergeTakesOnlyWhatEachStyleChangesFromTheBaseFont) {
    // On a bold base font a bold style changes nothing, so the row's normal weight stays.
    const CellAttributes italicRow{CellFlag::Italic, 0, 0};
    const CellAttributes boldCell{CellFlag::Bold, 0, 0};
    EXPECT_EQ(resolveCellLook(boldCell, italicRow, false, kBold).font,
              (FontStyle{400, true, false, false}));
    EXPECT_EQ(resolveCellLook(boldCell, italicRow, false, kNormal).font,
              (FontStyle{700, true, false, false}));
}

} // namespace
} // namespace tallimo
