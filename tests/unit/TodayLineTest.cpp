#include "view/TodayLine.h"

#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(TodayLine, SaysWhereTodayStandsAtTheClock) {
    const struct {
        const char* enter;
        const char* leave;
        Instant now;
        const char* line;
    } cases[] = {
        {"07:52:00", "16:52:00", ViewFixture::at(7, 3, 2006, 15, 29),
         "Today: in since 07:52 \xB7 go home at 16:52 (in 01:23) \xB7 month +00:00"},
        {"07:52:00", "17:05:00", ViewFixture::at(7, 3, 2006, 17, 6),
         "Today: in since 07:52 \xB7 left at 17:05 \xB7 today +00:13 \xB7 month +00:13"},
        {"07:52:00", "16:00:00", ViewFixture::at(7, 3, 2006, 16, 30),
         "Today: in since 07:52 \xB7 left at 16:00 \xB7 today -00:52 \xB7 month -00:52"},
        {"", "", ViewFixture::at(7, 3, 2006, 6, 0), "Today: not in yet \xB7 month +00:00"},
        {"07:52:00", "16:52:00", ViewFixture::at(1, 4, 2006, 9, 0),
         "Today is not in the open month"},
    };
    for (const auto& c : cases) {
        ViewFixture f({}, ViewFixture::Start::Bound);
        f.work().SetItemText(6, WorkColumn::Enter, c.enter);
        f.work().SetItemText(6, WorkColumn::Leave, c.leave);
        f.view->CalculateWorkRow(6);
        EXPECT_EQ(todayLine(*f.view, c.now), c.line);
    }
    ViewFixture empty;
    EXPECT_EQ(todayLine(*empty.view, ViewFixture::at(7, 3, 2006, 9, 0)), "No month open");
}

} // namespace
} // namespace tallimo::test
