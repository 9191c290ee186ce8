#include "calc/WorkModel.h"

#include <algorithm>
#include <cstdio>

namespace tallimo {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

int dayIndex(std::string_view name) {
    for (int i = 0; i < 7; ++i) {
        if (name == kWeekdayNames[i]) {
            return i;
        }
    }
    return -1;
}

} // namespace

const WorkPeriod* WorkModel::periodAt(CivilDate date) const {
    const WorkPeriod* found = nullptr;
    for (const WorkPeriod& period : periods) {
        if (period.from > date) {
            break;
        }
        found = &period;
    }
    return found;
}

void WorkModel::setPeriod(WorkPeriod period) {
    const auto at =
        std::lower_bound(periods.begin(), periods.end(), period.from,
                         [](const WorkPeriod& p, const CivilDate& from) { return p.from < from; });
    if (at != periods.end() && at->from == period.from) {
        *at = std::move(period);
    } else {
        periods.insert(at, std::move(period));
    }
}

std::optional<Span> parseHoursSpan(std::string_view text) {
    text = trimmed(text);
    if (text == "0") {
        return 0;
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != colon && (text[i] < '0' || text[i] > '9')) {
            return std::nullopt;
        }
    }
    const int hours = atoiPrefix(text.substr(0, colon));
    const int minutes = atoiPrefix(text.substr(colon + 1));
    if (minutes > 59 || hours * 60 + minutes > 24 * 60) {
        return std::nullopt;
    }
    return Span{hours} * 3600 + minutes * 60;
}

std::string hoursSpanText(Span span) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(span / 3600),
                  static_cast<long long>(span / 60 % 60));
    return text;
}

std::optional<std::array<Span, 7>> parseWeekTargets(std::string_view text, std::string& error) {
    std::array<Span, 7> targets{};
    std::array<bool, 7> named{};
    while (!trimmed(text).empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimmed(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const std::size_t space = item.find(' ');
        const std::string_view days = item.substr(0, space);
        const auto hours =
            space == std::string_view::npos ? std::nullopt : parseHoursSpan(item.substr(space + 1));
        const std::size_t dash = days.find('-');
        const int first = dayIndex(days.substr(0, dash));
        const int last = dash == std::string_view::npos ? first : dayIndex(days.substr(dash + 1));
        if (first < 0 || last < first || !hours) {
            error = "'" + std::string(item) +
                    "' is not a weekday or a range of them (Mon..Sun) with hours such as 8:00";
            return std::nullopt;
        }
        for (int day = first; day <= last; ++day) {
            if (named[day]) {
                error = std::string(kWeekdayNames[day]) + " is given twice";
                return std::nullopt;
            }
            named[day] = true;
            targets[day] = *hours;
        }
    }
    return targets;
}

std::string weekTargetsText(const std::array<Span, 7>& targets) {
    std::string text;
    for (int first = 0; first < 7;) {
        int last = first;
        while (last + 1 < 7 && targets[last + 1] == targets[first]) {
            ++last;
        }
        if (targets[first] != 0) {
            text += text.empty() ? "" : ", ";
            text += kWeekdayNames[first];
            if (last > first) {
                text += std::string("-") + kWeekdayNames[last];
            }
            text += " " + hoursSpanText(targets[first]);
        }
        first = last + 1;
    }
    return text.empty() ? "none" : text;
}

WorkCalendar::WorkCalendar(WorkModel model, HolidaySource holidays)
    : m_model(std::move(model)), m_holidays(std::move(holidays)) {}

const std::vector<PublicHoliday>& WorkCalendar::regionYear(const std::string& region,
                                                           int year) const {
    const auto key = std::pair{region, year};
    auto found = m_years.find(key);
    if (found == m_years.end()) {
        std::vector<PublicHoliday> days;
        if (!region.empty() && m_holidays) {
            days = m_holidays(region, year);
        }
        for (const ModelDate& imported : m_model.holidays) {
            if (imported.date.year == year) {
                days.push_back({imported.date, imported.name});
            }
        }
        found = m_years.emplace(key, std::move(days)).first;
    }
    return found->second;
}

ModelDay WorkCalendar::day(CivilDate date) const {
    ModelDay day;
    const WorkPeriod* period = m_model.periodAt(date);
    if (!period) {
        day.rules.target = 0;
        return day;
    }
    day.inPeriod = true;
    day.rules = {period->targets[isoWeekday(date) - 1], period->breakSpan, period->breakAfter};
    for (const PublicHoliday& holiday : regionYear(period->region, date.year)) {
        if (holiday.date == date) {
            day.holiday = holiday.name;
            day.rules.target = 0;
            return day;
        }
    }
    for (const ModelDate& company : m_model.companyDays) {
        if (company.date == date) {
            day.holiday = company.name;
            day.halfDay = company.half;
            day.rules.target = company.half ? day.rules.target / 2 : 0;
        }
    }
    return day;
}

std::vector<PublicHoliday> WorkCalendar::holidaysOf(int year, int month) const {
    std::vector<PublicHoliday> days;
    for (int d = 1; d <= daysInMonth(year, month); ++d) {
        const ModelDay found = day(CivilDate{year, month, d});
        if (!found.holiday.empty() && !found.halfDay && found.inPeriod) {
            days.push_back({CivilDate{year, month, d}, found.holiday});
        }
    }
    return days;
}

} // namespace tallimo
