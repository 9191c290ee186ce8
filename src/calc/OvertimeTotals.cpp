#include "calc/OvertimeTotals.h"

#include "calc/DayComputation.h"
#include "calc/SquadPeriod.h"
#include "calc/TimeAndLabor.h"

namespace tallimo {

std::optional<Span> workRowOvertime(std::string_view date, std::string_view enter,
                                    std::string_view leave) {
    const auto times = dayTimes(date, enter, leave);
    if (!times) {
        return std::nullopt;
    }
    return times->leave - times->enter - kRegularPresence;
}

std::optional<Span> squadRowOvertime(std::string_view start, std::string_view end) {
    return squadPeriodLength(start, end);
}

std::string totalSpanText(Span total, TotalList list) {
    if (total >= 86400) {
        return formatSpan(total, list == TotalList::Work ? "%D day(s) + %H:%M:%S"
                                                         : "%D Day(s) + %H:%M:%S");
    }
    if (total >= 0) {
        return formatSpan(total, "%H:%M:%S");
    }
    return total > -86400 ? formatNegativeHms(total) : formatNegativeDays(total);
}

std::string overtimeTotalText(Span total, TotalList list, TotalScope scope) {
    std::string text = list == TotalList::Work ? "Overtime for " : "Squad overtime for ";
    text += scope == TotalScope::Month ? "this month: " : "selected days: ";
    return text + totalSpanText(total, list);
}

} // namespace tallimo
