#include "support/TzGuard.h"
#include "support/ViewFixture.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

std::string dateText(int day, int month, int year) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
    return text;
}

TEST(MonthRows, OneRowPerDayWithTheBoundsOfTheZone) {
    const struct {
        const char* zone;
        int month, year, rows;
        int shownMonth, shownYear; // after the calendar carried an out-of-range month
        const char* maxDate;
    } cases[] = {
        {"Europe/Berlin", 2, 2004, 29, 2, 2004, "29.02.2004 23:59:00"},
        {"Europe/Berlin", 3, 2006, 31, 3, 2006, "01.04.2006 00:59:00"},   // summer time begins
        {"Europe/Berlin", 10, 2006, 31, 10, 2006, "31.10.2006 22:59:00"}, // and ends
        {"Europe/Berlin", 13, 2005, 31, 1, 2006, "31.01.2006 23:59:00"},
        {"Europe/Berlin", 2, 2100, 28, 2, 2100, "28.02.2100 23:59:00"},
        {"Europe/Berlin", 1, 2106, 31, 1, 2106, "31.01.2106 23:59:00"},
        {"Australia/Sydney", 10, 2006, 31, 10, 2006, "01.11.2006 00:59:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zone << " " << c.month << "/" << c.year);
        TzGuard zone(c.zone);
        ViewFixture f;
        ASSERT_TRUE(f.view->InitListCtrl(c.month, c.year));
        ASSERT_EQ(f.work().rowCount(), c.rows);
        EXPECT_EQ(formatInstant(f.sheet().minDate, "%d.%m.%Y %H:%M:%S"),
                  dateText(1, c.shownMonth, c.shownYear) + " 00:00:00");
        EXPECT_EQ(formatInstant(f.sheet().maxDate, "%d.%m.%Y %H:%M:%S"), c.maxDate);
        for (int row = 0; row < c.rows; ++row) {
            SCOPED_TRACE(row);
            const std::string date = dateText(row + 1, c.shownMonth, c.shownYear);
            ASSERT_EQ(f.cell(row, WorkColumn::Date), date);
            const int weekday = splitLocal(*parseDateCell(date)).weekday;
            EXPECT_EQ(f.cell(row, WorkColumn::Weekday), weekdayName(weekday));
            const auto look = f.work().rowAttributes(row);
            ASSERT_EQ(look.has_value(), weekday == 1 || weekday == 7);
            if (look) {
                EXPECT_EQ(look->backColour, 0xAAF0F0u);
                EXPECT_EQ(look->flags, 0x20u);
            }
            for (int column = WorkColumn::Enter; column < WorkColumn::Count; ++column) {
                EXPECT_EQ(f.cell(row, column), "");
            }
        }
        EXPECT_EQ(f.squad().rowCount(), 0);
        EXPECT_TRUE(f.doc().isModified());
    }
}

TEST(MonthRows, February2004TracesEveryDay) {
    ViewFixture f;
    ASSERT_TRUE(f.view->InitListCtrl(2, 2004));
    std::vector<std::string> expected = {"Enter InitListCtrl",
                                         "minDate: Sunday, February 01, 2004 - 00:00:00"};
    const char* weekdays[] = {"Saturday",  "Sunday",   "Monday", "Tuesday",
                              "Wednesday", "Thursday", "Friday"};
    for (int day = 1; day <= 29; ++day) {
        expected.push_back(std::string(weekdays[day % 7]) + ", February " +
                           dateText(day, 2, 2004).substr(0, 2) + ", 2004 - 20:59:00");
    }
    expected.emplace_back("maxDate: Sunday, February 29, 2004 - 23:59:00");
    expected.emplace_back("Leave InitListCtrl");
    EXPECT_EQ(f.traced(), expected);
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
