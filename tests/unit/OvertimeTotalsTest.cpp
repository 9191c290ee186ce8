#include "calc/OvertimeTotals.h"

#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(OvertimeTotals, EachListWritesItsTotalInItsOwnWords) {
    const auto W = TotalList::Work;
    const auto S = TotalList::Squad;
    const auto M = TotalScope::Month;
    const struct {
        Span total;
        TotalList list;
        TotalScope scope;
        const char* expected;
    } cases[] = {
        {86399, W, M, "Overtime for this month: 23:59:59"},
        {86400, W, M, "Overtime for this month: 1 day(s) + 00:00:00"},
        {-1, W, M, "Overtime for this month: -00:00:01"},
        {-86399, W, M, "Overtime for this month: -23:59:59"},
        {-86400, W, M, "Overtime for this month: -1 Day(s) 00:00:00"},
        {90061, S, M, "Squad overtime for this month: 1 Day(s) + 01:01:01"},
        {-172800, S, M, "Squad overtime for this month: -2 Day(s) 00:00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(overtimeTotalText(c.total, c.list, c.scope), c.expected) << c.total;
    }
}

TEST(OvertimeTotals, OnlyTheShownListCountsAsFarAsItsSelectionReachesFromItsStoredCells) {
    ViewFixture f;
    f.addDay("01.03.2006", "08:00:00", "18:00:00");
    const int late = f.addDay("02.03.2006", "14:00:00", "24:30:00");
    const int edited = f.addDay("03.03.2006", "08:00:00", "16:30:00");
    const int saturday = f.addDay("04.03.2006", "", "");
    f.addDay("05.03.2006", "08:00:00", "8:00:00");
    // Days of a clock change and night shifts: the balance's and the CLI's night shift tests.
    f.addDay("", "08:00:00", "17:00:00");
    f.view->CalculateAllWorkRows();
    // Edited in place but not recomputed: the stored Leave counts, not the computed cells.
    f.work().SetItemText(edited, WorkColumn::Leave, "16:00:00");
    f.view->OnCalculateovertimemonth();
    f.view->OnCalculateovertimeselectedonly();
    f.work().setSelected(saturday, true);
    f.view->OnCalculateovertimeselectedonly();
    f.work().setSelected(late, true);
    f.view->OnCalculateovertimeselectedonly();

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
                                 "Overtime for this month: 01:30:00",
                                 "Overtime for selected days: 00:00:00",
                                 "Overtime for selected days: 01:30:00",
                                 "Squad overtime for this month: 14:00:00",
                                 "Squad overtime for selected days: 14:00:00",
                                 "Squad overtime for this month: 1 Day(s) + 15:01:01",
                             }));
}

} // namespace
} // namespace tallimo::test
