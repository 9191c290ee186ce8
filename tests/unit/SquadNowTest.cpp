#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr const char* kNoneOpen =
    "There is no open squad time available!\nPlease select the right one and finish again.";

Instant may10(int hour, int minute = 0) {
    return ViewFixture::at(10, 5, 2006, hour, minute);
}

TEST(SquadNow, FinishWritesTheLastStartedPeriodThenFollowsTheSelection) {
    ViewFixture f;
    f.newMonth(5, 2006);
    for (const int hour : {18, 19}) {
        f.clock.current = may10(hour);
        f.view->OnStartsquadnow();
    }
    EXPECT_EQ(f.period(0), "10.05.2006 18:00:00||||n/a|n/a");
    EXPECT_EQ(f.squad().rowAttributes(1)->backColour, kAlternateSquadBackColour);
    f.squad().setSelected(0, true);
    f.clock.current = may10(20, 15);
    EXPECT_TRUE(f.view->OnFinishsquadnow());
    EXPECT_EQ(f.squad().GetItemText(1, SquadColumn::End), "10.05.2006 20:15:00");
    // The first period is finished through its selection, also after the month has ended.
    f.clock.current = ViewFixture::at(2, 6, 2006, 1);
    EXPECT_TRUE(f.view->OnFinishsquadnow());
    EXPECT_EQ(f.squad().GetItemText(0, SquadColumn::End), "02.06.2006 01:00:00");
    EXPECT_TRUE(f.ui.questions.empty());
}

TEST(SquadNow, WithoutAnOpenPeriodTheSelectionDecides) {
    const std::string finished = "10.05.2006 19:00:00";
    const struct {
        std::vector<int> selected;
        Answer answer;
        Outcome outcome;
        std::string end0;
        std::vector<std::string> messages;
    } cases[] = {
        {{}, Answer::Ok, Outcome::Refused, finished, {kNoneOpen}},
        {{0, 1},
         Answer::Ok,
         Outcome::Refused,
         finished,
         {"There are more than one squad time available!\nPlease select only the right one and "
          "finish again."}},
        {{0}, Answer::Ok, Outcome::Done, "10.05.2006 21:00:00", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.end0 + std::to_string(c.selected.size()));
        ViewFixture f;
        f.newMonth(5, 2006);
        f.addPeriod("10.05.2006 18:00:00", finished);
        f.addPeriod("10.05.2006 20:00:00", "");
        for (const int row : c.selected) {
            f.squad().setSelected(row, true);
        }
        f.ui.answers = {c.answer};
        f.clock.current = may10(21);
        EXPECT_EQ(f.view->OnFinishsquadnow().outcome, c.outcome);
        EXPECT_EQ(f.squad().GetItemText(0, SquadColumn::End), c.end0);
        EXPECT_EQ(f.squad().GetItemText(1, SquadColumn::End), "");
        EXPECT_EQ(f.ui.messages, c.messages);
    }
}

TEST(SquadNow, ARemovedRowOrANewMonthForgetsTheOpenPeriod) {
    ViewFixture f;
    f.newMonth(5, 2006);
    f.clock.current = may10(18);
    f.view->OnStartsquadnow();
    f.squad().DeleteItem(0);
    f.squad().InsertItem(0, "01.05.2006 08:00:00");
    f.view->OnFinishsquadnow();
    EXPECT_EQ(f.squad().GetItemText(0, SquadColumn::End), "");
    f.view->OnStartsquadnow();
    f.newMonth(6, 2006);
    EXPECT_EQ(f.view->openSquadRow(), -1);
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{kNoneOpen});
}

} // namespace
} // namespace tallimo::test
