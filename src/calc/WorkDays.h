#pragma once

#include "calc/WorkModel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// The marks a day's Comment can carry; only the exact texts count.
enum class DayMark { None, Holiday, Sick, Vacation };
DayMark dayMarkOf(std::string_view comment);

// A day row as the model counts it: its date, its presence when Enter and Leave are valid, and
// its mark.
struct DayEntry {
    CivilDate date;
    std::optional<Span> presence;
    DayMark mark = DayMark::None;
    bool operator==(const DayEntry&) const = default;
};

// The model and the date counting is done on: where both programs pass none, every figure is the
// one without a model.
struct ModelToday {
    const WorkCalendar& calendar;
    CivilDate today;
};
CivilDate civilDateOf(Instant instant);

// What a day adds under the model. Days after today count nothing.
struct DayCount {
    Span target = 0;
    Span worked = 0;
    Span overtime = 0;
    bool missing = false; // before today, a target, no times and no mark
    double vacation = 0;  // vacation days the day takes
};
DayCount countDay(const ModelDay& day, const DayEntry& entry, CivilDate today);

// A month's figures under the model, for the balance, the CLI and the report.
struct ModelMonth {
    Span target = 0;
    Span worked = 0;
    Span overtime = 0;
    int missingDays = 0;
    double vacationTaken = 0;
    bool operator==(const ModelMonth&) const = default;
};
ModelMonth countMonth(const WorkCalendar& calendar, const std::vector<DayEntry>& days,
                      CivilDate today);

// A year's vacation: the entitlement of the periods in force (in proportion to their days), days
// carried from the year before until the carry-over date, days taken, days left.
struct VacationYear {
    int year = 0;
    double entitlement = 0;
    double carried = 0;
    CivilDate carriedExpires;
    double carriedExpired = 0; // carried days not taken by then, once that date has passed
    std::vector<CivilDate> taken;
    double takenDays = 0;
    double left = 0;
};
// Every vacation day is counted, also those planned after today; carried days expire only once
// `today` is past their date.
VacationYear vacationYear(const WorkCalendar& calendar, const std::vector<DayEntry>& days, int year,
                          CivilDate today);
// "Vacation left: 12.5", for the status bar.
std::string vacationLeftText(const VacationYear& vacation);

} // namespace tallimo
