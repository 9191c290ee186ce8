#include "calc/WorkDays.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

constexpr Span kHour = 3600;

// A part-time contract (Mon-Thu 8:00, Fri 5:00, 0:30 break after 6:00) in a region whose only
// holiday is 2026-05-14, with a company half day on 2026-05-15.
WorkCalendar partTime() {
    WorkModel model;
    WorkPeriod period;
    period.from = {2026, 1, 1};
    period.targets = {8 * kHour, 8 * kHour, 8 * kHour, 8 * kHour, 5 * kHour, 0, 0};
    period.breakSpan = kHour / 2;
    period.breakAfter = 6 * kHour;
    period.region = "XX";
    period.vacationDays = 20;
    model.periods.push_back(period);
    model.companyDays.push_back({{2026, 5, 13}, "Outing", false});
    model.companyDays.push_back({{2026, 5, 15}, "Bridge day", true});
    return WorkCalendar(model, [](std::string_view region, int year) {
        return region == "XX" && year == 2026
                   ? std::vector<PublicHoliday>{{{2026, 5, 14}, "Ascension Day"}}
                   : std::vector<PublicHoliday>{};
    });
}

constexpr CivilDate kToday{2026, 5, 20}; // a Wednesday

TEST(WorkDays, CountsEachKindOfDayByItsRule) {
    const WorkCalendar calendar = partTime();
    const struct {
        const char* what;
        DayEntry entry;
        Span target;
        Span worked;
        Span overtime;
        bool missing;
    } cases[] = {
        {"Friday worked 5:30 (break not above 6:00)",
         {{2026, 5, 8}, 5 * kHour + 1800, {}},
         5 * kHour,
         5 * kHour + 1800,
         1800,
         false},
        {"Monday worked 9:00 less the break",
         {{2026, 5, 11}, 9 * kHour, {}},
         8 * kHour,
         8 * kHour + 1800,
         1800,
         false},
        {"holiday worked 4:00 is all overtime",
         {{2026, 5, 14}, 4 * kHour, {}},
         0,
         4 * kHour,
         4 * kHour,
         false},
        {"company free day without record", {{2026, 5, 13}, {}, {}}, 0, 0, 0, false},
        {"company half day without record is missing half",
         {{2026, 5, 15}, {}, {}},
         5 * kHour / 2,
         0,
         -5 * kHour / 2,
         true},
        {"forgotten Tuesday", {{2026, 5, 12}, {}, {}}, 8 * kHour, 0, -8 * kHour, true},
        {"sick Tuesday is credited",
         {{2026, 5, 5}, {}, DayMark::Sick},
         8 * kHour,
         8 * kHour,
         0,
         false},
        {"Saturday without record", {{2026, 5, 16}, {}, {}}, 0, 0, 0, false},
        {"today without times counts nothing", {kToday, {}, {}}, 0, 0, 0, false},
        {"a later day with times counts nothing", {{2026, 5, 21}, 9 * kHour, {}}, 0, 0, 0, false},
    };
    for (const auto& c : cases) {
        const DayCount count = countDay(calendar.day(c.entry.date), c.entry, kToday);
        EXPECT_EQ(count.target, c.target) << c.what;
        EXPECT_EQ(count.worked, c.worked) << c.what;
        EXPECT_EQ(count.overtime, c.overtime) << c.what;
        EXPECT_EQ(count.missing, c.missing) << c.what;
    }
}

TEST(WorkDays, AContractChangeInTheMonthTakesTheNewTargetsFromItsDate) {
    WorkModel model = partTime().model();
    WorkPeriod fullTime = model.periods[0];
    fullTime.from = {2026, 5, 15};
    fullTime.targets[4] = 8 * kHour;
    model.setPeriod(fullTime);
    const WorkCalendar calendar(model, {});
    // Fridays 8 and 22 May, both forgotten; the month is counted on 31 May.
    const ModelMonth month =
        countMonth(calendar, {{{2026, 5, 8}, {}, {}}, {{2026, 5, 22}, {}, {}}}, {2026, 5, 31});
    EXPECT_EQ(month.target, 13 * kHour);
    EXPECT_EQ(month.overtime, -13 * kHour);
    EXPECT_EQ(month.missingDays, 2);
}

TEST(WorkDays, AVacationHalfDayTakesHalfAVacationDay) {
    const WorkCalendar calendar = partTime();
    const std::vector<DayEntry> days{{{2026, 5, 15}, {}, DayMark::Vacation},
                                     {{2026, 5, 18}, {}, DayMark::Vacation},
                                     {{2026, 5, 14}, {}, DayMark::Vacation},
                                     {{2026, 5, 16}, {}, DayMark::Vacation}};
    const ModelMonth month = countMonth(calendar, days, kToday);
    EXPECT_EQ(month.vacationTaken, 1.5); // the holiday and the Saturday take none
    EXPECT_EQ(month.overtime, 0);
}

TEST(WorkDays, CarriedVacationIsUsedFirstAndExpiresAfterItsDate) {
    const WorkCalendar calendar = partTime();
    WorkModel model = calendar.model();
    model.periods[0].from = {2025, 7, 1}; // half of 2025: 10 days
    const WorkCalendar fromJuly(model, {});
    std::vector<DayEntry> days{{{2025, 8, 4}, {}, DayMark::Vacation},
                               {{2025, 8, 5}, {}, DayMark::Vacation},
                               {{2026, 3, 2}, {}, DayMark::Vacation},
                               {{2026, 6, 1}, {}, DayMark::Vacation}};
    const VacationYear before = vacationYear(fromJuly, days, 2026, {2026, 3, 31});
    EXPECT_EQ(before.entitlement, 20);
    EXPECT_EQ(before.carried, 8);
    EXPECT_EQ(before.carriedExpires, (CivilDate{2026, 3, 31}));
    EXPECT_EQ(before.takenDays, 2);
    EXPECT_EQ(before.left, 26);
    const VacationYear after = vacationYear(fromJuly, days, 2026, {2026, 4, 1});
    EXPECT_EQ(after.carriedExpired, 7);
    EXPECT_EQ(after.left, 19);
    EXPECT_EQ(after.taken, (std::vector<CivilDate>{{2026, 3, 2}, {2026, 6, 1}}));
}

} // namespace
} // namespace tallimo
