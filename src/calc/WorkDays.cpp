#include "calc/WorkDays.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tallimo {

DayMark dayMarkOf(std::string_view comment) {
    if (comment == "Feiertag") {
        return DayMark::Holiday;
    }
    if (comment == "Krankenkasse") {
        return DayMark::Sick;
    }
    return comment == "Urlaub" ? DayMark::Vacation : DayMark::None;
}

CivilDate civilDateOf(Instant instant) {
    const LocalFields fields = splitLocal(instant);
    return {fields.year, fields.month, fields.day};
}

DayCount countDay(const ModelDay& day, const DayEntry& entry, CivilDate today) {
    DayCount count;
    if (entry.mark == DayMark::Vacation && !entry.presence && day.rules.target > 0) {
        count.vacation = day.halfDay ? 0.5 : 1;
    }
    if (entry.date > today) {
        return count;
    }
    count.target = day.rules.target;
    if (entry.presence) {
        count.worked = worktimeOf(*entry.presence, day.rules);
        count.overtime = count.worked - count.target;
    } else if (entry.mark != DayMark::None) {
        // Credited: the day counts as worked to its target.
        count.worked = count.target;
    } else if (entry.date < today && count.target > 0) {
        count.missing = true;
        count.overtime = -count.target;
    } else {
        count.target = 0;
    }
    return count;
}

ModelMonth countMonth(const WorkCalendar& calendar, const std::vector<DayEntry>& days,
                      CivilDate today) {
    ModelMonth month;
    for (const DayEntry& entry : days) {
        const DayCount count = countDay(calendar.day(entry.date), entry, today);
        month.target += count.target;
        month.worked += count.worked;
        month.overtime += count.overtime;
        month.missingDays += count.missing ? 1 : 0;
        month.vacationTaken += count.vacation;
    }
    return month;
}

namespace {

// The entitlement of a year: each period's days per year for the part of the year it is in
// force, to half days.
double entitlementOf(const WorkModel& model, int year) {
    const std::int64_t first = daysFromCivil({year, 1, 1});
    const std::int64_t end = daysFromCivil({year + 1, 1, 1});
    double days = 0;
    for (std::size_t i = 0; i < model.periods.size(); ++i) {
        const std::int64_t from = std::max(first, daysFromCivil(model.periods[i].from));
        const std::int64_t until = i + 1 < model.periods.size()
                                       ? std::min(end, daysFromCivil(model.periods[i + 1].from))
                                       : end;
        if (until > from) {
            days += model.periods[i].vacationDays * static_cast<double>(until - from) /
                    static_cast<double>(end - first);
        }
    }
    return std::round(days * 2) / 2;
}

} // namespace

VacationYear vacationYear(const WorkCalendar& calendar, const std::vector<DayEntry>& days, int year,
                          CivilDate today) {
    const WorkModel& model = calendar.model();
    VacationYear result;
    result.year = year;
    const int firstYear = model.periods.empty() ? year : std::min(year, model.periods[0].from.year);
    double carried = 0;
    for (int y = firstYear; y <= year; ++y) {
        const WorkPeriod* period = model.periodAt({y, 1, 1});
        if (!period && !model.periods.empty()) {
            period = &model.periods.front();
        }
        const CivilDate expires =
            period ? CivilDate{y, period->carryMonth, period->carryDay} : CivilDate{y, 3, 31};
        std::vector<CivilDate> taken;
        double takenDays = 0;
        double takenByExpiry = 0;
        for (const DayEntry& entry : days) {
            if (entry.date.year != y) {
                continue;
            }
            const double share = countDay(calendar.day(entry.date), entry, today).vacation;
            if (share > 0) {
                taken.push_back(entry.date);
                takenDays += share;
                takenByExpiry += entry.date <= expires ? share : 0;
            }
        }
        const double entitlement = entitlementOf(model, y);
        const double expired =
            today > expires || y < year ? std::max(0.0, carried - takenByExpiry) : 0.0;
        const double left = entitlement + carried - expired - takenDays;
        if (y == year) {
            std::sort(taken.begin(), taken.end());
            result = {year, entitlement, carried, expires, expired, taken, takenDays, left};
        }
        carried = std::max(0.0, left);
    }
    return result;
}

std::string vacationLeftText(const VacationYear& vacation) {
    char text[64];
    std::snprintf(text, sizeof text, "Vacation left: %g", vacation.left);
    return text;
}

} // namespace tallimo
