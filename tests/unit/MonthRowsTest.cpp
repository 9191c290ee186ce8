#include "DocumentFixture.h"
#include "support/TzGuard.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

std::string dateText(int day, int month, int year) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
    return text;
}

std::string moment(Instant instant) {
    return formatInstant(instant, "%d.%m.%Y %H:%M:%S");
}

TEST(MonthRows, OneRowPerDayWithTheBoundsOfTheZone) {
    const struct {
        const char* zone;
        int month;
        int year;
        int rows;
        int shownMonth; // after the calendar carried an out-of-range month
        int shownYear;
        const char* maxDate;
    } cases[] = {
        {"Europe/Berlin", 2, 2004, 29, 2, 2004, "29.02.2004 23:59:00"},
        {"Europe/Berlin", 2, 2008, 29, 2, 2008, "29.02.2008 23:59:00"},
        {"Europe/Berlin", 3, 2006, 31, 3, 2006, "01.04.2006 00:59:00"},   // summer time begins
        {"Europe/Berlin", 10, 2006, 31, 10, 2006, "31.10.2006 22:59:00"}, // and ends
        {"Europe/Berlin", 12, 2006, 31, 12, 2006, "31.12.2006 23:59:00"},
        {"Europe/Berlin", 13, 2005, 31, 1, 2006, "31.01.2006 23:59:00"},
        {"Europe/Berlin", 2, 2100, 28, 2, 2100, "28.02.2100 23:59:00"},
        {"Europe/Berlin", 1, 2106, 31, 1, 2106, "31.01.2106 23:59:00"},
        {"Australia/Sydney", 10, 2006, 31, 10, 2006, "01.11.2006 00:59:00"},
        {"Australia/Sydney", 4, 2006, 30, 4, 2006, "30.04.2006 22:59:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zone << " " << c.month << "/" << c.year);
        TzGuard zone(c.zone);
        DocumentFixture f;
        ASSERT_TRUE(f.view->InitListCtrl(c.month, c.year));
        const CellTable& work = f.sheet().work;
        ASSERT_EQ(work.rowCount(), c.rows);
        EXPECT_EQ(moment(f.sheet().minDate), dateText(1, c.shownMonth, c.shownYear) + " 00:00:00");
        EXPECT_EQ(moment(f.sheet().maxDate), c.maxDate);
        for (int row = 0; row < c.rows; ++row) {
            SCOPED_TRACE(row);
            const std::string date = dateText(row + 1, c.shownMonth, c.shownYear);
            ASSERT_EQ(work.itemText(row, WorkColumn::Date), date);
            const int weekday = splitLocal(*parseDateCell(date)).weekday;
            EXPECT_EQ(work.itemText(row, WorkColumn::Weekday), weekdayName(weekday));
            const auto look = work.rowAttributes(row);
            ASSERT_EQ(look.has_value(), weekday == 1 || weekday == 7);
            if (look) {
                EXPECT_EQ(look->backColour, 0xAAF0F0u);
                EXPECT_EQ(look->flags, 0x20u);
            }
            for (int column = WorkColumn::Enter; column < WorkColumn::Count; ++column) {
                EXPECT_EQ(work.itemText(row, column), "");
            }
        }
        EXPECT_EQ(f.sheet().squad.rowCount(), 0);
    }
}

TEST(MonthRows, February2004TracesEveryDay) {
    DocumentFixture f;
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
    EXPECT_EQ(f.trace.texts(), expected);

    std::vector<int> weekendDays;
    for (int row = 0; row < f.sheet().work.rowCount(); ++row) {
        if (f.sheet().work.rowAttributes(row)) {
            weekendDays.push_back(row + 1);
        }
    }
    EXPECT_EQ(weekendDays, (std::vector<int>{1, 7, 8, 14, 15, 21, 22, 28, 29}));
}

TEST(MonthRows, MonthsBeyondTheFileFieldsAreRefused) {
    for (const auto& [month, year] : {std::pair{2, 2106}, std::pair{12, 1969}, std::pair{1, 0}}) {
        SCOPED_TRACE(testing::Message() << month << "/" << year);
        DocumentFixture f;
        f.sheet().minDate = 5;
        EXPECT_FALSE(f.view->InitListCtrl(month, year));
        EXPECT_EQ(f.sheet().work.rowCount(), 0);
        EXPECT_EQ(f.sheet().minDate, 5);
        EXPECT_FALSE(f.doc().isModified());
    }
}

TEST(MonthRows, EndWithTheAfterChangeStep) {
    DocumentFixture manual;
    manual.view->InitListCtrl(3, 2006);
    EXPECT_TRUE(manual.doc().isModified());
    EXPECT_TRUE(manual.ui.fileRequests.empty());

    // AutoSave on an untitled month opens Save As at once; cancelling it leaves the month unsaved.
    DocumentFixture automatic({"AutoSave"});
    automatic.doc().SetTitle("March2006.time");
    automatic.view->InitListCtrl(3, 2006);
    ASSERT_EQ(automatic.ui.fileRequests.size(), 1u);
    EXPECT_EQ(automatic.ui.fileRequests[0].fileName, "March2006.time");
    EXPECT_TRUE(automatic.doc().isModified());
}

} // namespace
} // namespace tallimo::test
