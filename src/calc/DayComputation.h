#pragma once

#include "calc/TimeValue.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallimo {

// Worktime is the presence less this break allowance, whatever the settings say.
inline constexpr Span kBreakAllowance = 3600;

enum class OvertimeSign { Negative, Zero, Positive };

// The computed cells of a day whose Enter and Leave are valid time cells.
struct DayFigures {
    Instant enter = 0;
    Instant leave = 0;
    Span presence = 0;
    Span worktime = 0;
    Span overtime = 0;
    std::string atWork;
    std::string worktimeText;
    std::string overtimeText;
    std::string timeAndLabor; // before the stand-by prefix
    OvertimeSign sign = OvertimeSign::Zero;
};

// A day of the work list from its stored texts. `date` is empty when the "Date" cell gives no
// valid date; `figures` is empty when the times are not valid time cells (or cannot be placed on
// that date).
struct DayComputation {
    std::optional<Instant> date;
    std::optional<DayFigures> figures;
};

DayComputation computeDay(std::string_view date, std::string_view enter, std::string_view leave);

// Enter and Leave of a row on its date, when both are valid time cells and the date is valid.
struct DayTimes {
    Instant enter = 0;
    Instant leave = 0;
};
std::optional<DayTimes> dayTimes(std::string_view date, std::string_view enter,
                                 std::string_view leave);

} // namespace tallimo
