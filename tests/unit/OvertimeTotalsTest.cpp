#include "calc/OvertimeTotals.h"

#include <gtest/gtest.h>

namespace tallimo {
namespace {

TEST(OvertimeTotals, TextFamiliesAndTheirBoundaries) {
    struct Case {
        Span total;
        TotalList list;
        TotalScope scope;
        const char* expected;
    } cases[] = {
        {0, TotalList::Work, TotalScope::Month, "Overtime for this month: 00:00:00"},
        {1800, TotalList::Work, TotalScope::Month, "Overtime for this month: 00:30:00"},
        {86399, TotalList::Work, TotalScope::Month, "Overtime for this month: 23:59:59"},
        {86400, TotalList::Work, TotalScope::Month, "Overtime for this month: 1 day(s) + 00:00:00"},
        {-1, TotalList::Work, TotalScope::Month, "Overtime for this month: -00:00:01"},
        {-5430, TotalList::Work, TotalScope::Month, "Overtime for this month: -01:30:30"},
        {-86399, TotalList::Work, TotalScope::Month, "Overtime for this month: -23:59:59"},
        {-86400, TotalList::Work, TotalScope::Month, "Overtime for this month: -1 Day(s) 00:00:00"},
        {0, TotalList::Work, TotalScope::SelectedDays, "Overtime for selected days: 00:00:00"},
        {90061, TotalList::Work, TotalScope::SelectedDays,
         "Overtime for selected days: 1 day(s) + 01:01:01"},
        {-5430, TotalList::Work, TotalScope::SelectedDays, "Overtime for selected days: -01:30:30"},
        {-90061, TotalList::Work, TotalScope::SelectedDays,
         "Overtime for selected days: -1 Day(s) 01:01:01"},
        {50400, TotalList::Squad, TotalScope::Month, "Squad overtime for this month: 14:00:00"},
        {90061, TotalList::Squad, TotalScope::Month,
         "Squad overtime for this month: 1 Day(s) + 01:01:01"},
        {-86399, TotalList::Squad, TotalScope::Month, "Squad overtime for this month: -23:59:59"},
        {-172800, TotalList::Squad, TotalScope::Month,
         "Squad overtime for this month: -2 Day(s) 00:00:00"},
        {86400, TotalList::Squad, TotalScope::SelectedDays,
         "Squad overtime for selected days: 1 Day(s) + 00:00:00"},
        {-3600, TotalList::Squad, TotalScope::SelectedDays,
         "Squad overtime for selected days: -01:00:00"},
        {-90061, TotalList::Squad, TotalScope::SelectedDays,
         "Squad overtime for selected days: -1 Day(s) 01:01:01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(overtimeTotalText(c.total, c.list, c.scope), c.expected) << c.total;
    }
}

TEST(OvertimeTotals, RowContributionsFromTheStoredCells) {
    EXPECT_EQ(workRowOvertime("01.03.2006", "08:00:00", "18:00:00"), 3600);
    EXPECT_EQ(workRowOvertime("01.03.2006", "08:00:00", "16:30:00"), -1800);
    EXPECT_EQ(workRowOvertime("26.03.2006", "01:00:00", "11:00:00"), 0);
    EXPECT_EQ(workRowOvertime("01.03.2006", "14:00:00", "24:30:00"), 5400);
    EXPECT_FALSE(workRowOvertime("01.03.2006", "08:00:00", ""));
    EXPECT_FALSE(workRowOvertime("", "08:00:00", "17:00:00"));
    EXPECT_EQ(squadRowOvertime("01.03.2006 18:00:00", "02.03.2006 08:00:00"), 50400);
    EXPECT_FALSE(squadRowOvertime("01.03.2006 18:00:00", ""));
}

} // namespace
} // namespace tallimo
