#include "support/TzGuard.h"
#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(MonthRows, OneRowPerDayWithTheBoundsOfTheZone) {
    const struct {
        const char* zone;
        int month, year, rows;
        const char* minDate; // after the calendar carried an out-of-range month
        const char* maxDate;
    } cases[] = {
        {"Europe/Berlin", 2, 2004, 29, "01.02.2004", "29.02.2004 23:59:00"},
        {"Europe/Berlin", 3, 2006, 31, "01.03.2006", "01.04.2006 00:59:00"},  // summer time begins
        {"Europe/Berlin", 10, 2006, 31, "01.10.2006", "31.10.2006 22:59:00"}, // and ends
        {"Europe/Berlin", 13, 2005, 31, "01.01.2006", "31.01.2006 23:59:00"},
        {"Europe/Berlin", 1, 2106, 31, "01.01.2106", "31.01.2106 23:59:00"},
        {"Australia/Sydney", 10, 2006, 31, "01.10.2006", "01.11.2006 00:59:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zone << " " << c.month << "/" << c.year);
        TzGuard zone(c.zone);
        ViewFixture f;
        ASSERT_TRUE(f.view->InitListCtrl(c.month, c.year));
        ASSERT_EQ(f.work().rowCount(), c.rows);
        EXPECT_EQ(formatInstant(f.sheet().minDate, "%d.%m.%Y %H:%M:%S"),
                  std::string(c.minDate) + " 00:00:00");
        EXPECT_EQ(formatInstant(f.sheet().maxDate, "%d.%m.%Y %H:%M:%S"), c.maxDate);
        for (int row = 0; row < c.rows; ++row) {
            const Instant day = f.sheet().minDate + row * 86400 + 43200;
            ASSERT_EQ(f.cell(row, WorkColumn::Date), formatInstant(day, "%d.%m.%Y")) << row;
            EXPECT_EQ(f.day(row), formatInstant(day, "%d.%m.%Y|%A||||||||"));
            const int weekday = splitLocal(day).weekday;
            EXPECT_EQ(f.work().rowAttributes(row).has_value(), weekday == 1 || weekday == 7);
        }
        EXPECT_TRUE(f.doc().isModified());
    }
}

TEST(MonthRows, MonthsBeyondTheFileFieldsAreRefused) {
    for (const auto& [month, year] : {std::pair{2, 2106}, std::pair{12, 1969}, std::pair{1, 0}}) {
        SCOPED_TRACE(testing::Message() << month << "/" << year);
        ViewFixture f;
        f.sheet().minDate = 5;
        EXPECT_FALSE(f.view->InitListCtrl(month, year));
        EXPECT_EQ(f.work().rowCount(), 0);
        EXPECT_EQ(f.sheet().minDate, 5);
        EXPECT_FALSE(f.doc().isModified());
    }
}

} // namespace
} // namespace tallimo::test
