#include "calc/SquadPeriod.h"

namespace tallimo {

std::optional<Span> squadPeriodLength(std::string_view start, std::string_view end) {
    if (start.size() != kPeriodMomentLength || end.size() != kPeriodMomentLength) {
        return std::nullopt;
    }
    const auto from = parsePeriodMoment(start);
    const auto to = parsePeriodMoment(end);
    if (!from || !to) {
        return std::nullopt;
    }
    return *to - *from;
}

std::string formatSquadLength(Span length) {
    return formatSpan(length, length >= 86400 ? "%D Days + %H:%M:%S" : "%H:%M:%S");
}

std::optional<SquadPeriodCells> computeSquadPeriod(std::string_view start, std::string_view end) {
    const auto length = squadPeriodLength(start, end);
    if (!length) {
        return std::nullopt;
    }
    // Stand-by periods have no Time and Labor classification.
    return SquadPeriodCells{formatSquadLength(*length), "not implemented"};
}

} // namespace tallimo
