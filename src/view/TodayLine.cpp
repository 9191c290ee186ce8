#include "view/TodayLine.h"

#include "document/MonthTotals.h"
#include "view/CTagrolView.h"

#include <cstdio>

namespace tallimo {
namespace {

constexpr const char* kDot = " \xB7 "; // the middle dot of Windows-1252

std::string hoursMinutes(Span span) {
    const long long minutes = (span < 0 ? -span : span) / 60;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld", minutes / 60, minutes % 60);
    return text;
}

std::string signedHoursMinutes(Span span) {
    return (span < 0 ? "-" : "+") + hoursMinutes(span);
}

Span dayOvertime(const TimeSheet& sheet, Instant now) {
    const LocalFields today = splitLocal(now);
    for (const DayOvertime& day : dayOvertimes(sheet)) {
        const LocalFields date = splitLocal(day.date);
        if (date.year == today.year && date.month == today.month && date.day == today.day) {
            return day.overtime;
        }
    }
    return 0;
}

} // namespace

std::string todayLine(const CTagrolView& view, Instant now) {
    const TimeSheet& sheet = view.sheet();
    if (sheet.work.rowCount() == 0) {
        return "No month open";
    }
    const int row = view.enterRow(now);
    if (row < 0) {
        return "Today is not in the open month";
    }
    const std::string month =
        std::string(kDot) + "month " + signedHoursMinutes(monthTotals(sheet).overtime);
    const std::string_view enter = sheet.work.itemText(row, WorkColumn::Enter);
    if (!isTimeCell(enter)) {
        return "Today: not in yet" + month;
    }
    std::string text = "Today: in since " + std::string(enter.substr(0, 5));
    const std::string_view leave = sheet.work.itemText(row, WorkColumn::Leave);
    const auto leaveAt = isTimeCell(leave)
                             ? dateCellAtTime(sheet.work.itemText(row, WorkColumn::Date), leave)
                             : std::nullopt;
    if (leaveAt && *leaveAt > now) {
        text += kDot + ("go home at " + formatInstant(*leaveAt, "%H:%M") + " (in " +
                        hoursMinutes(*leaveAt - now) + ")");
    } else if (leaveAt) {
        text += kDot + ("left at " + formatInstant(*leaveAt, "%H:%M")) + kDot + "today " +
                signedHoursMinutes(dayOvertime(sheet, now));
    }
    return text + month;
}

} // namespace tallimo
