#pragma once

#include "calc/WorkModel.h"
#include "document/CellTable.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tallimo {

// The style fields of a font; weights as font databases count them (400 normal, 700 bold).
struct FontStyle {
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontStyle&) const = default;
};

// How one cell is drawn. An empty colour or font means the list's own.
struct CellLook {
    // A selected row shows the highlight colours in every cell, in place of the records' colours.
    bool highlighted = false;
    std::optional<Colour> text;
    std::optional<Colour> back;
    std::optional<FontStyle> font;

    bool operator==(const CellLook&) const = default;
};

struct Rgb {
    int red;
    int green;
    int blue;
};

constexpr Rgb rgbOf(Colour colour) {
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

// The font a record's style bits (0x01-0x08) make of the base font.
FontStyle styleFromFlags(std::uint32_t flags);

// Resolves a cell from its own record (the row record for column 0) and the row's whole-row
// record, which applies unless the cell's record carries 0x80. When both carry a style, every
// field the whole-row style changes from the base font is taken, then every field the cell's style
// changes, which wins.
CellLook resolveCellLook(const CellAttributes& own, const std::optional<CellAttributes>& whole,
                         bool selected, const FontStyle& base);

// The grey of a text a cell shows without holding it.
inline constexpr Colour kHintColour = 0x808080;
// What an empty cell of the work list shows in its place: in the Comment column, the name the
// work model gives the row's day (a public or imported holiday, a named company day). Only
// shown, in kHintColour: the cell, its copies and the file stay empty. Empty without a model.
std::string cellHint(const CellTable& work, int row, int column, const WorkCalendar* calendar);

} // namespace tallimo
