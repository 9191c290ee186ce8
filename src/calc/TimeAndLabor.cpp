#include "calc/TimeAndLabor.h"

#include <cstdio>

namespace tallimo {
namespace {

constexpr Span kRoundedLateBand = 14399;
constexpr Span kFullLateBand = 14400;

// The instant's own day at a clock time; the instant itself if that time cannot be made, which
// yields an empty band rather than a wild one.
Instant sameDayAt(Instant instant, int hour) {
    const LocalFields f = splitLocal(instant);
    return makeLocalInstant(f.year, f.month, f.day, hour, 0, 0).value_or(instant);
}

// "REG 08:00": hours and minutes of a day's regular work.
std::string regText(Span target) {
    char text[48];
    std::snprintf(text, sizeof text, "REG %02lld:%02lld", static_cast<long long>(target / 3600),
                  static_cast<long long>(target / 60 % 60));
    return text;
}

std::string hms(Span span) {
    return formatSpan(span, "%H:%M:%S");
}

} // namespace

Span BandBefore0400(Instant from) {
    return splitLocal(from).hour < 4 ? sameDayAt(from, 4) - from : 0;
}

Span Band0400To0600(Instant from) {
    const int hour = splitLocal(from).hour;
    return hour == 4 || hour == 5 ? sameDayAt(from, 6) - from : 0;
}

Span BandUntil2000(Instant from, Instant to) {
    if (from >= to) {
        return 0;
    }
    return splitLocal(to).hour >= 20 ? sameDayAt(to, 20) - from : to - from;
}

Span BandFrom2000(Instant to) {
    return splitLocal(to).hour >= 20 ? to - sameDayAt(to, 20) : 0;
}

std::string ClassifyEarlyHours(Instant enter, Instant leave, std::string code, RegularPart part) {
    Instant cursor = enter;
    if (const Span e1 = BandBefore0400(cursor); e1 > 0) {
        code += "+ OT+0E " + hms(e1);
        cursor += e1;
    }
    if (const Span e2 = Band0400To0600(cursor); e2 > 0) {
        code += "+ OT04E " + hms(e2);
        cursor += e2;
    }
    if (leave - cursor > part.regular) {
        return ClassifyDayHours(sameDayAt(enter, 6), leave, std::move(code), part);
    }
    return "STTE " + hms(leave - cursor) + " + " + code;
}

std::string ClassifyDayHours(Instant start, Instant leave, std::string code, RegularPart part) {
    code = regText(part.target) + " " + code;
    Instant cursor = start + part.regular;
    if (const Span d1 = BandUntil2000(cursor, leave); d1 > 0) {
        code += "+ OT06E " + hms(d1);
        cursor += d1;
    }
    Span d2 = BandFrom2000(leave);
    // A Leave of 23:59:59 stands for midnight: the late band is then a full four hours.
    if (d2 == kRoundedLateBand) {
        d2 = kFullLateBand;
    }
    if (d2 > 0) {
        code += "+ OT20E " + hms(d2);
    }
    return code;
}

std::string timeAndLaborForPositive(Instant enter, Instant leave, Span regular, Span target) {
    const RegularPart part{regular, target};
    const LocalFields e = splitLocal(enter);
    const LocalFields l = splitLocal(leave);
    std::string code;
    if (e.year == l.year && e.month == l.month && e.day == l.day) {
        code = e.hour < 6 ? ClassifyEarlyHours(enter, leave, {}, part)
                          : ClassifyDayHours(enter, leave, {}, part);
    }
    return code.empty() ? "not implemented" : code;
}

std::string timeAndLaborForNegative(Span worktime) {
    if (worktime < 0) {
        return "n/a";
    }
    const long long hours = worktime / 3600 - (worktime / 86400) * 24;
    const long long minutes = worktime / 60 - (worktime / 3600) * 60;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "REG %02lld:%02lld", hours, minutes);
    return buffer;
}

std::string timeAndLaborForZero(Span target) {
    return regText(target);
}

std::string_view standByPrefix(int weekday) {
    if (weekday == 1 || weekday == 7) {
        return "STTB 24:00 ";
    }
    return weekday == 2 ? "STTB 07:00 " : "STTB 14:00 ";
}

std::string withStandByPrefix(std::string_view standBy, Instant date, std::string text) {
    if (standBy != "yes") {
        return text;
    }
    const LocalFields day = splitLocal(date);
    const Instant oneMinutePast =
        makeLocalInstant(day.year, day.month, day.day, 0, 1, 0).value_or(date);
    return std::string(standByPrefix(splitLocal(oneMinutePast).weekday)) + text;
}

} // namespace tallimo
