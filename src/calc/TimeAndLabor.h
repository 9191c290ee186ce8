#pragma once

#include "calc/TimeValue.h"

#include <string>
#include <string_view>

namespace tallimo {

// The regular part of a day: eight hours of work plus the one-hour break allowance.
inline constexpr Span kRegularPresence = 32400;

// Band lengths, each measured in local time on the day of its argument.
Span BandBefore0400(Instant from);
Span Band0400To0600(Instant from);
Span BandUntil2000(Instant from, Instant to);
Span BandFrom2000(Instant to);

// The regular part of a day: `regular` of presence, of which `target` is work ("REG 08:00" of a
// nine-hour presence without a work model).
struct RegularPart {
    Span regular = kRegularPresence;
    Span target = kRegularPresence - 3600;
};

// Extends code for an Enter before 06:00 and returns it.
std::string ClassifyEarlyHours(Instant enter, Instant leave, std::string code = {},
                               RegularPart part = {});
// Extends code with the regular part and the overtime after it; only for leave - start >
// part.regular.
std::string ClassifyDayHours(Instant start, Instant leave, std::string code = {},
                             RegularPart part = {});

// The code of a day with overtime above zero, below zero and of exactly zero.
std::string timeAndLaborForPositive(Instant enter, Instant leave, Span regular = kRegularPresence,
                                    Span target = kRegularPresence - 3600);
std::string timeAndLaborForNegative(Span worktime);
std::string timeAndLaborForZero(Span target = kRegularPresence - 3600);

// "STTB 24:00 " / "STTB 07:00 " / "STTB 14:00 " by weekday (1 = Sunday .. 7 = Saturday).
std::string_view standByPrefix(int weekday);
// The Time and Labor text of a row after its stand-by prefix: only a "Stand-by" cell of
// exactly "yes" adds it. The weekday is taken at 00:01:00 of the row's date.
std::string withStandByPrefix(std::string_view standBy, Instant date, std::string text);

} // namespace tallimo
