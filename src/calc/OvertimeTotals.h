#pragma once

#include "calc/TimeValue.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallimo {

// What a work row adds to the overtime total: presence - 9 h, from the stored cells.
std::optional<Span> workRowOvertime(std::string_view date, std::string_view enter,
                                    std::string_view leave);
// What a squad row adds: the length of its period.
std::optional<Span> squadRowOvertime(std::string_view start, std::string_view end);

enum class TotalList { Work, Squad };
enum class TotalScope { Month, SelectedDays };

// A total as the message writes it, without the message's own words.
std::string totalSpanText(Span total, TotalList list);
// The message that shows a total.
std::string overtimeTotalText(Span total, TotalList list, TotalScope scope);

} // namespace tallimo
