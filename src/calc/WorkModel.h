#pragma once

#include "calc/CivilDate.h"
#include "calc/DayComputation.h"
#include "calc/Holidays.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// The rules of a contract from a date until the next period starts.
struct WorkPeriod {
    CivilDate from;
    std::array<Span, 7> targets{28800, 28800, 28800, 28800, 28800, 0, 0}; // Monday first
    Span breakSpan = kBreakAllowance;
    Span breakAfter = 0;
    std::string region; // empty: no public holidays
    double vacationDays = 0;
    int carryMonth = 3; // days not taken carry over until this date of the next year
    int carryDay = 31;
    bool operator==(const WorkPeriod&) const = default;
};

// A free day or half day of the user's own, or a holiday imported from a calendar file.
struct ModelDate {
    CivilDate date;
    std::string name;
    bool half = false;
    bool operator==(const ModelDate&) const = default;
};

struct WorkModel {
    std::vector<WorkPeriod> periods; // by date
    std::vector<ModelDate> companyDays;
    std::vector<ModelDate> holidays; // imported; they hold in every region
    // The period in force on the date; none before the first.
    const WorkPeriod* periodAt(CivilDate date) const;
    // Adds the period, or replaces the one from the same date, keeping them in order.
    void setPeriod(WorkPeriod period);
    bool operator==(const WorkModel&) const = default;
};

// The weekdays as the model's texts name them, Monday first.
inline constexpr const char* kWeekdayNames[7] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

// "Mon-Thu 8:00, Fri 5:00": days not named have no target. Empty on anything else, with the
// reason in `error`.
std::optional<std::array<Span, 7>> parseWeekTargets(std::string_view text, std::string& error);
std::string weekTargetsText(const std::array<Span, 7>& targets);
// "8:00", "7:30", "0"; hours up to 24.
std::optional<Span> parseHoursSpan(std::string_view text);
std::string hoursSpanText(Span span);

using HolidaySource = std::function<std::vector<PublicHoliday>(std::string_view region, int year)>;

// What the model says of one date.
struct ModelDay {
    DayRules rules;      // target 0 outside every period
    std::string holiday; // the public, imported or company holiday's name
    bool inPeriod = false;
    bool halfDay = false;
};

// The model with the holidays of its regions: answers per date, each region's year computed once.
class WorkCalendar {
public:
    WorkCalendar(WorkModel model, HolidaySource holidays);
    const WorkModel& model() const { return m_model; }
    ModelDay day(CivilDate date) const;
    // The public and imported holidays of the region of each period in force in the month.
    std::vector<PublicHoliday> holidaysOf(int year, int month) const;

private:
    const std::vector<PublicHoliday>& regionYear(const std::string& region, int year) const;

    WorkModel m_model;
    HolidaySource m_holidays;
    mutable std::map<std::pair<std::string, int>, std::vector<PublicHoliday>> m_years;
};

} // namespace tallimo
