#include "support/TzGuard.h"
#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr int kComputed[] = {WorkColumn::AtWork, WorkColumn::Worktime, WorkColumn::Overtime,
                             WorkColumn::TimeAndLabor};

Instant march(int day, int hour, int minute = 0, int year = 2006) {
    return ViewFixture::at(day, 3, year, hour, minute);
}

TEST(CalculateWorkRow, WritesTheFourCellsInEveryZone) {
    const char* berlin = "Europe/Berlin";
    const char* sydney = "Australia/Sydney";
    const struct {
        const char* zone;
        const char* date;
        const char* enter;
        const char* leave;
        const char* standBy;
        const char* computed; // @Work, Worktime, Overtime and Time and Labor
    } cases[] = {
        {berlin, "01.03.2006", "08:00:00", "16:15:45", "", "08:15:45|07:15:45|-00:44:15|REG 07:15"},
        {berlin, "01.03.2006", "08:00:00", "08:59:59", "", "00:59:59|n/a|-08:00:01|n/a"},
        // Exactly the break allowance leaves a worktime of zero, not none.
        {berlin, "01.03.2006", "08:00:00", "09:00:00", "", "01:00:00|00:00:00|-08:00:00|REG 00:00"},
        // A Leave equal to its Enter is no presence, not a night shift of 24 hours.
        {berlin, "01.03.2006", "08:00:00", "08:00:00", "", "00:00:00|n/a|-09:00:00|n/a"},
        // A Leave earlier than the Enter ends on the next date, as 24:30:00 does, which the
        // classification does not split; whole days are dropped from the shown hours.
        {berlin, "01.03.2006", "22:00:00", "06:00:00", "", "08:00:00|07:00:00|-01:00:00|REG 07:00"},
        {berlin, "01.03.2006", "17:00:00", "16:00:00", "",
         "23:00:00|22:00:00|+14:00:00|not implemented"},
        {berlin, "01.03.2006", "00:00:00", "48:00:00", "",
         "00:00:00|23:00:00|+15:00:00|not implemented"},
        // Separators are not examined, minutes beyond 59 carry and so does the date.
        {berlin, "01.03.2006", "08x30y00", "17:30:00", "", "09:00:00|08:00:00|n/a|REG 08:00"},
        {berlin, "01.03.2006", "08:75:00", "17:00:00", "", "07:45:00|06:45:00|-01:15:00|REG 06:45"},
        {berlin, "31.02.2006", "08:00:00", "18:00:00", "",
         "10:00:00|09:00:00|+01:00:00|REG 08:00 + OT06E 01:00:00"},
        // The stand-by prefix follows the weekday, and only an exact "yes".
        {berlin, "04.03.2006", "08:00:00", "17:00:00", "yes",
         "09:00:00|08:00:00|n/a|STTB 24:00 REG 08:00"},
        {berlin, "28.02.2006", "", "", "yes", "|||STTB 14:00 "},
        {berlin, "01.03.2006", "08:00:00", "17:00:00", "Yes", "09:00:00|08:00:00|n/a|REG 08:00"},
        // Santiago's clocks jump from 00:00 to 01:00 on Sunday 11.09.2022.
        {"America/Santiago", "11.09.2022", "", "", "yes", "|||STTB 24:00 "},
        // Days of a clock change count the time that really passed.
        {berlin, "26.03.2006", "01:00:00", "13:00:00", "",
         "11:00:00|10:00:00|+02:00:00|STTE 07:00:00 + + OT+0E 02:00:00+ OT04E 02:00:00"},
        {sydney, "04.04.2010", "01:00:00", "11:00:00", "",
         "11:00:00|10:00:00|+02:00:00|STTE 05:00:00 + + OT+0E 04:00:00+ OT04E 02:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + c.date + " " + c.enter + " - " + c.leave);
        TzGuard zone(c.zone);
        ViewFixture f;
        const int row = f.addDay(c.date, c.enter, c.leave, c.standBy);
        f.view->CalculateWorkRow(row);
        f.view->CalculateWorkRow(row); // nothing is stacked on a second run
        EXPECT_EQ(f.day(row), std::string(c.date) + "||" + c.enter + "|" + c.leave + "||" +
                                  c.standBy + "|" + c.computed);
    }
}

TEST(CalculateWorkRow, AnUncomputableDayIsEmptiedAndTouchesNoOtherRow) {
    ViewFixture f;
    const int good = f.addDay("01.03.2006", "08:00:00", "18:00:00", "yes");
    const int noDate = f.addDay("", "08:00:00", "18:00:00", "yes");
    const int zeroYear = f.addDay("01.03.0000", "08:00:00", "18:00:00", "yes");
    const int beyond = f.addDay("07.02.2106", "00:00:00", "23:00:00"); // Leave no file can hold
    f.work().SetItemText(noDate, WorkColumn::TimeAndLabor, "stale");
    f.view->CalculateAllWorkRows();
    EXPECT_EQ(f.cell(good, WorkColumn::TimeAndLabor), "STTB 14:00 REG 08:00 + OT06E 01:00:00");
    f.work().SetItemText(good, WorkColumn::StandBy, "");
    for (const char* leave : {"", "8:00:00", "18:00:000"}) {
        f.work().SetItemText(good, WorkColumn::Leave, leave);
        f.view->CalculateWorkRow(good);
        for (const int row : {good, noDate, zeroYear, beyond}) {
            for (const int column : kComputed) {
                EXPECT_EQ(f.cell(row, column), "") << leave << " " << row << " " << column;
            }
        }
        EXPECT_EQ(f.work().cellAttributes(good, WorkColumn::Overtime).textColour, 0xFF0000u);
    }
    f.view->CalculateWorkRow(-1);
    f.view->CalculateWorkRow(f.work().rowCount());
    EXPECT_EQ(f.work().rowCount(), 4);
}

// Separators are not examined.
TEST(CalculateSquadRow, AnUnmeasurablePeriodKeepsItsCells) {
    ViewFixture f;
    const int row = f.addPeriod("03-03-2006T17x00x00", "05.03.2006 08:30:00");
    f.view->CalculateSquadRow(row);
    EXPECT_EQ(f.squad().itemText(row, SquadColumn::Worktime), "1 Days + 15:30:00");
    EXPECT_EQ(f.squad().itemText(row, SquadColumn::TimeAndLabor), "not implemented");
    for (const char* end : {"", "02.03.2006 08:00", "xx.yy.zzzz aa:bb:cc"}) {
        f.squad().SetItemText(row, SquadColumn::End, end);
        f.squad().SetItemText(row, SquadColumn::TimeAndLabor, "kept");
        f.view->CalculateAllSquadRows();
        EXPECT_EQ(f.squad().itemText(row, SquadColumn::Worktime), "1 Days + 15:30:00") << end;
        EXPECT_EQ(f.squad().itemText(row, SquadColumn::TimeAndLabor), "kept") << end;
    }
}

TEST(CalculateWorkRow, GoHomeFollowsTheLeaveOfItsDay) {
    const struct {
        bool rememberMe;
        Instant goHome;
        const char* date;
        const char* enter;
        const char* leave;
        Instant expected;
    } cases[] = {
        {true, march(1, 17), "02.03.2006", "08:00:00", "18:30:00", march(1, 17)},
        {false, march(1, 17), "01.03.2006", "08:00:00", "18:30:00", march(1, 17)},
        // The same day of another year is another day.
        {true, march(1, 17, 0, 2005), "01.03.2006", "08:00:00", "18:30:00", march(1, 17, 0, 2005)},
        {true, march(1, 17), "01.03.2006", "08:00:00", "24:30:00", march(2, 0, 30)},
        {true, march(1, 17), "01.03.2006", "22:00:00", "06:00:00", march(2, 6)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " " + c.leave);
        auto f =
            c.rememberMe
                ? std::make_unique<ViewFixture>(std::initializer_list<const char*>{"RememberMe"})
                : std::make_unique<ViewFixture>();
        f->view->setGoHomeTime(c.goHome);
        f->view->CalculateWorkRow(f->addDay(c.date, c.enter, c.leave));
        // Carried onto the next day, it still belongs to its own row, not to the next day's.
        f->view->CalculateWorkRow(f->addDay("02.03.2006", "08:00:00", "17:00:00"));
        EXPECT_EQ(f->view->goHomeTime(), c.expected);
    }
}

} // namespace
} // namespace tallimo::test
