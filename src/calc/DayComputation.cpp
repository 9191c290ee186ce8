#include "calc/DayComputation.h"

#include "calc/TimeAndLabor.h"

#include <cstdio>

namespace tallimo {

std::optional<Instant> leaveInstant(std::string_view date, std::string_view enter,
                                    std::string_view leave) {
    if (!parseDateCell(date) || !isTimeCell(leave)) {
        return std::nullopt;
    }
    const auto leaveAt = dateCellAtTime(date, leave);
    const auto enterAt = isTimeCell(enter) ? dateCellAtTime(date, enter) : std::nullopt;
    if (leaveAt && enterAt && *leaveAt < *enterAt) {
        return dateCellAtTime(date, leave, 1);
    }
    return leaveAt;
}

std::string leaveCellText(Instant day, Instant leave) {
    const LocalFields date = splitLocal(day);
    const LocalFields at = splitLocal(leave);
    const auto nextDate = makeLocalInstant(date.year, date.month, date.day + 1, 0, 0, 0);
    if (!nextDate || formatInstant(*nextDate, "%d.%m.%Y") != formatInstant(leave, "%d.%m.%Y")) {
        return formatInstant(leave, "%H:%M:%S");
    }
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", at.hour + 24, at.minute, at.second);
    return text;
}

std::optional<DayTimes> dayTimes(std::string_view date, std::string_view enter,
                                 std::string_view leave) {
    if (!parseDateCell(date) || !isTimeCell(enter) || !isTimeCell(leave)) {
        return std::nullopt;
    }
    const auto enterAt = dateCellAtTime(date, enter);
    const auto leaveAt = leaveInstant(date, enter, leave);
    if (!enterAt || !leaveAt) {
        return std::nullopt;
    }
    return DayTimes{*enterAt, *leaveAt};
}

Span worktimeOf(Span presence, const DayRules& rules) {
    return presence > rules.breakAfter ? presence - rules.breakSpan : presence;
}

DayComputation computeDay(std::string_view date, std::string_view enter, std::string_view leave,
                          const DayRules& rules) {
    DayComputation result;
    result.date = parseDateCell(date);
    const auto times = dayTimes(date, enter, leave);
    if (!result.date || !times) {
        return result;
    }
    DayFigures f;
    f.enter = times->enter;
    f.leave = times->leave;
    f.presence = f.leave - f.enter;
    f.worktime = worktimeOf(f.presence, rules);
    f.overtime = f.worktime - rules.target;
    // The regular part of the Time and Labor code: the target plus the break deducted.
    const Span regular = rules.target + (f.presence - f.worktime);
    f.atWork = formatSpan(f.presence, "%H:%M:%S");
    f.worktimeText = f.worktime >= 0 ? formatSpan(f.worktime, "%H:%M:%S") : "n/a";
    if (f.overtime > 0) {
        f.sign = OvertimeSign::Positive;
        f.overtimeText = formatSpan(f.overtime, "+%H:%M:%S");
        f.timeAndLabor = timeAndLaborForPositive(f.enter, f.leave, regular, rules.target);
    } else if (f.overtime < 0) {
        f.sign = OvertimeSign::Negative;
        f.overtimeText = formatNegativeHms(f.overtime);
        f.timeAndLabor = timeAndLaborForNegative(f.worktime);
    } else {
        f.sign = OvertimeSign::Zero;
        f.overtimeText = "n/a";
        f.timeAndLabor = timeAndLaborForZero(rules.target);
    }
    result.figures = std::move(f);
    return result;
}

} // namespace tallimo
