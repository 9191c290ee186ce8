#pragma once

#include "calc/TimeValue.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallimo {

// Worktime is the presence less this break allowance, whatever the settings say.
inline constexpr Span kBreakAllowance = 3600;
// The day's target worktime without a work model.
inline constexpr Span kRegularTarget = 28800;

// What a day is measured against. The defaults are the rule without a work model: a target of
// eight hours and the break always deducted, so that presence - 9 h is the overtime.
struct DayRules {
    Span target = kRegularTarget;
    Span breakSpan = kBreakAllowance;
    // The break is deducted from a presence above this; below 0 it is always deducted.
    Span breakAfter = -1;
    bool operator==(const DayRules&) const = default;
};
// The worktime of a presence under the rules.
Span worktimeOf(Span presence, const DayRules& rules);

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

DayComputation computeDay(std::string_view date, std::string_view enter, std::string_view leave,
                          const DayRules& rules = {});

// The instant of a row's Leave: its clock time on the row's date, or on the next date when that
// is earlier than the row's Enter (a night shift), just as a Leave of 24:00:00 or later says
// outright. Empty unless Leave is a valid time cell on a valid date.
std::optional<Instant> leaveInstant(std::string_view date, std::string_view enter,
                                    std::string_view leave);

// The Leave cell that stands for `leave` in the row of the date `day`: its clock time, with 24
// hours added when it falls on the next date (the carried-over form, 24:00:00 to 47:59:59).
std::string leaveCellText(Instant day, Instant leave);

// Enter and Leave of a row (Leave read as leaveInstant does), when both are valid time cells and
// the date is valid.
struct DayTimes {
    Instant enter = 0;
    Instant leave = 0;
};
std::optional<DayTimes> dayTimes(std::string_view date, std::string_view enter,
                                 std::string_view leave);

} // namespace tallimo
