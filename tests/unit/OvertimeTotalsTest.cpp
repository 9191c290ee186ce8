#include "calc/OvertimeTotals.h"

#include "CalcViewFixture.h"

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

namespace tallimo {
namespace {

using test::CalcViewFixture;

TEST(OvertimeTotalsCommand, WholeMonthOfTheWorkListFromTheStoredCells) {
    CalcViewFixture f;
    f.addDay("01.03.2006", "08:00:00", "18:00:00");
    f.addDay("02.03.2006", "08:00:00", "17:00:00");
    const int edited = f.addDay("03.03.2006", "08:00:00", "16:30:00");
    f.addDay("04.03.2006", "", "");
    f.addDay("05.03.2006", "08:00:00", "8:00:00");
    f.view->CalculateAllWorkRows();
    // Edited in place but not recomputed: the stored Leave counts, not the computed cells.
    f.work().SetItemText(edited, WorkColumn::Leave, "16:00:00");
    f.view->OnCalculateovertimemonth();
    f.work().SetItemText(edited, WorkColumn::Leave, "16:30:00");
    f.view->OnCalculateovertimemonth();
    EXPECT_EQ(f.ui.messages, (std::vector<std::string>{"Overtime for this month: 00:00:00",
                                                       "Overtime for this month: 00:30:00"}));
    EXPECT_TRUE(f.trace.texts().empty());
}

TEST(OvertimeTotalsCommand, SelectedDaysOnly) {
    CalcViewFixture f;
    f.addDay("01.03.2006", "08:00:00", "18:00:00");
    f.addDay("02.03.2006", "08:00:00", "16:30:00");
    const int saturday = f.addDay("04.03.2006", "", "");
    f.work().setSelected(saturday, true);
    f.view->OnCalculateovertimeselectedonly();
    f.work().setSelected(0, true);
    f.view->OnCalculateovertimeselectedonly();
    EXPECT_EQ(f.ui.messages, (std::vector<std::string>{"Overtime for selected days: 00:00:00",
                                                       "Overtime for selected days: 01:00:00"}));
    EXPECT_EQ(f.trace.texts(), (std::vector<std::string>{
                                   "Enter OnCalculateovertimeselectedonly",
                                   "Leave OnCalculateovertimeselectedonly",
                                   "Enter OnCalculateovertimeselectedonly",
                                   "Leave OnCalculateovertimeselectedonly",
                               }));
}

TEST(OvertimeTotalsCommand, NoSelectionShowsNothing) {
    CalcViewFixture f;
    f.addDay("01.03.2006", "08:00:00", "18:00:00");
    f.view->OnCalculateovertimeselectedonly();
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_EQ(f.trace.texts(),
              (std::vector<std::string>{"Enter OnCalculateovertimeselectedonly",
                                        "Leave OnCalculateovertimeselectedonly no rows selected"}));
}

TEST(OvertimeTotalsCommand, ShownSquadListAndItsSelection) {
    CalcViewFixture f;
    f.addDay("01.03.2006", "08:00:00", "18:00:00");
    f.work().setSelected(0, true);
    const int night = f.addPeriod("01.03.2006 18:00:00", "02.03.2006 08:00:00");
    f.addPeriod("03.03.2006 17:00:00", "");
    f.view->OnShowSquadTime();
    f.view->OnCalculateovertimemonth();
    // The work list's selection is not the shown list's.
    f.view->OnCalculateovertimeselectedonly();
    f.squad().setSelected(night, true);
    f.view->OnCalculateovertimeselectedonly();
    f.addPeriod("04.03.2006 10:00:00", "05.03.2006 11:01:01");
    f.view->OnCalculateovertimemonth();
    EXPECT_EQ(f.ui.messages, (std::vector<std::string>{
                                 "Squad overtime for this month: 14:00:00",
                                 "Squad overtime for selected days: 14:00:00",
                                 "Squad overtime for this month: 1 Day(s) + 15:01:01",
                             }));
}

} // namespace
} // namespace tallimo
