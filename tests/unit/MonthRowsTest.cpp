#include "support/TzGuard.h"
#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(MonthRows, OneRowPerDayWithTheBoundsOfTheZone) {
    const struct {
        const char* zone;
        int month, year, rows; // 0: no file can hold the month
        const char* minDate;   // after the calendar carried an out-of-range month
        const char* maxDate;
    } cases[] = {
        {"Europe/Berlin", 2, 2004, 29, "01.02.2004", "29.02.2004 23:59:00"},
        {"Europe/Berlin", 3, 2006, 31, "01.03.2006", "01.04.2006 00:59:00"},  // summer time begins
        {"Europe/Berlin", 10, 2006, 31, "01.10.2006", "31.10.2006 22:59:00"}, // and ends
        {"Europe/Berlin", 13, 2005, 31, "01.01.2006", "31.01.2006 23:59:00"},
        {"Europe/Berlin", 1, 2106, 31, "01.01.2106", "31.01.2106 23:59:00"},
        {"Europe/Berlin", 2, 2106, 0, "", ""},
        {"Europe/Berlin", 12, 1969, 0, "", ""},
        {"Australia/Sydney", 10, 2006, 31, "01.10.2006", "01.11.2006 00:59:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zone << " " << c.month << "/" << c.year);
        TzGuard zone(c.zone);
        ViewFixture f;
        ASSERT_EQ(static_cast<bool>(f.view->InitListCtrl(c.month, c.year)), c.rows != 0);
        ASSERT_EQ(f.work().rowCount(), c.rows);
        EXPECT_EQ(f.doc().isModified(), c.rows != 0);
        if (c.rows == 0) {
            continue;
        }
        EXPECT_EQ(formatInstant(f.sheet().minDate, "%d.%m.%Y %H:%M:%S"),
                  std::string(c.minDate) + " 00:00:00");
        EXPECT_EQ(formatInstant(f.sheet().maxDate, "%d.%m.%Y %H:%M:%S"), c.maxDate);
        for (int row = 0; row < c.rows; ++row) {
            const Instant day = f.sheet().minDate + row * 86400 + 43200;
            EXPECT_EQ(f.day(row), formatInstant(day, "%d.%m.%Y|%A||||||||")) << row;
            const int weekday = splitLocal(day).weekday;
            EXPECT_EQ(f.work().rowAttributes(row).has_value(), weekday == 1 || weekday == 7);
        }
    }
}

} // namespace
} // namespace tallimo::test
