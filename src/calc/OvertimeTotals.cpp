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

std::string overtimeTotalText(Span total, TotalList list, TotalScope scope) {
    const bool work = list == TotalList::Work;
    const bool month = scope == TotalScope::Month;
    std::string text = work ? "Overtime for " : "Squad overtime for ";
    text += month ? "this month: " : "selected days: ";
    if (total >= 86400) {
        return text + formatSpan(total, work ? "%D day(s) + %H:%M:%S" : "%D Day(s) + %H:%M:%S");
    }
    if (total >= 0) {
        return text + formatSpan(total, "%H:%M:%S");
    }
    return text + (total > -86400 ? formatNegativeHms(total) : formatNegativeDays(total));
}

} // namespace tallimo
