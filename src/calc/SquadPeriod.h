#pragma once

#include "calc/TimeValue.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallimo {

// The length of a stand-by period: both moments are 19 bytes and give valid instants.
std::optional<Span> squadPeriodLength(std::string_view start, std::string_view end);

// "%D Days + %H:%M:%S" from one day on, else "%H:%M:%S".
std::string formatSquadLength(Span length);

// The two derived cells of a squad row.
struct SquadPeriodCells {
    std::string worktime;
    std::string timeAndLabor;
};
// Empty when the period cannot be measured; the row then keeps its cells.
std::optional<SquadPeriodCells> computeSquadPeriod(std::string_view start, std::string_view end);

} // namespace tallimo
