#include "document/CellLook.h"

#include "document/MonthTotals.h"

namespace tallimo {
namespace {

constexpr std::uint32_t kStyleBits =
    CellFlag::Bold | CellFlag::Italic | CellFlag::Underline | CellFlag::StrikeOut;

bool hasStyle(const CellAttributes& record) {
    return (record.flags & kStyleBits) != 0;
}

template <typename T>
T changedFrom(const T& base, const T& wholeRow, const T& cell) {
    if (cell != base) {
        return cell;
    }
    return wholeRow != base ? wholeRow : base;
}

FontStyle merged(const FontStyle& base, const FontStyle& wholeRow, const FontStyle& cell) {
    return {changedFrom(base.weight, wholeRow.weight, cell.weight),
            changedFrom(base.italic, wholeRow.italic, cell.italic),
            changedFrom(base.underline, wholeRow.underline, cell.underline),
            changedFrom(base.strikeOut, wholeRow.strikeOut, cell.strikeOut)};
}

} // namespace

FontStyle styleFromFlags(std::uint32_t flags) {
    return {(flags & CellFlag::Bold) != 0 ? 700 : 400, (flags & CellFlag::Italic) != 0,
            (flags & CellFlag::Underline) != 0, (flags & CellFlag::StrikeOut) != 0};
}

CellLook resolveCellLook(const CellAttributes& own, const std::optional<CellAttributes>& whole,
                         bool selected, const FontStyle& base) {
    const CellAttributes* row =
        whole && (own.flags & CellFlag::IgnoreRowRecord) == 0 ? &*whole : nullptr;
    CellLook look;
    look.highlighted = selected;
    if (!selected) {
        if ((own.flags & CellFlag::OwnTextColour) != 0) {
            look.text = own.textColour;
        } else if (row != nullptr && (row->flags & CellFlag::OwnTextColour) != 0) {
            look.text = row->textColour;
        }
        if ((own.flags & CellFlag::OwnBackColour) != 0) {
            look.back = own.backColour;
        } else if (row != nullptr && (row->flags & CellFlag::OwnBackColour) != 0) {
            look.back = row->backColour;
        }
    }
    const bool cellStyled = hasStyle(own);
    const bool rowStyled = row != nullptr && hasStyle(*row);
    if (cellStyled && rowStyled) {
        look.font = merged(base, styleFromFlags(row->flags), styleFromFlags(own.flags));
    } else if (cellStyled) {
        look.font = styleFromFlags(own.flags);
    } else if (rowStyled) {
        look.font = styleFromFlags(row->flags);
    }
    return look;
}

std::string cellHint(const CellTable& work, int row, int column, const WorkCalendar* calendar) {
    if (calendar == nullptr || column != WorkColumn::Comment ||
        !work.itemText(row, column).empty()) {
        return {};
    }
    const auto entry = dayEntryOf(work, row);
    if (!entry) {
        return {};
    }
    const ModelDay day = calendar->day(entry->date);
    return day.inPeriod ? day.holiday : std::string();
}

} // namespace tallimo
