#include "document/CellLook.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

constexpr FontStyle kNormal{};
constexpr FontStyle kBold{700, false, false, false};
struct LookCase {
    const char* name;
    CellAttributes own;
    std::optional<CellAttributes> whole;
    CellLook expected;
};

TEST(CellLook, ResolvesColoursAndFontFromTheRecordsOfACell) {
    const LookCase cases[] = {
        {"colours are read only with their flag",
         {CellFlag::NoEffect, 0x123456, 0x654321},
         CellAttributes{0, 0x111111, 0x222222},
         {}},
        {"the cell's own colours win over the row's",
         {CellFlag::OwnBackColour, 0, 0x0000FF},
         CellAttributes{CellFlag::OwnTextColour | CellFlag::OwnBackColour, 0x00FF00, 0xFF0000},
         {false, 0x00FF00, 0x0000FF, std::nullopt}},
        {"a row's style reaches cells without 0x80 only",
         {},
         CellAttributes{CellFlag::Italic, 0, 0},
         {false, std::nullopt, std::nullopt, FontStyle{400, true, false, false}}},
        {"both styles merge, the cell's fields first",
         {CellFlag::Underline, 0, 0},
         CellAttributes{CellFlag::Bold | CellFlag::StrikeOut, 0, 0},
         {false, std::nullopt, std::nullopt, FontStyle{700, false, true, true}}},
    };
    for (const LookCase& c : cases) {
        EXPECT_EQ(resolveCellLook(c.own, c.whole, false, kNormal), c.expected) << c.name;
    }
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
