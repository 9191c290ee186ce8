#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr const char* kNoneOpen =
    "There is no open squad time available!\nPlease select the right one and finish again.";

class SquadNow : public ::testing::Test {
protected:
    void SetUp() override { f.newMonth(5, 2006); }

    void startAt(int hour, int minute = 0) {
        f.clock.current = ViewFixture::at(10, 5, 2006, hour, minute);
        f.view->OnStartsquadnow();
    }
    void finishAt(int hour, int minute = 0) {
        f.clock.current = ViewFixture::at(10, 5, 2006, hour, minute);
        f.view->OnFinishsquadnow();
    }
    std::string end(int row) { return f.squad().GetItemText(row, SquadColumn::End); }

    ViewFixture f;
};

TEST_F(SquadNow, TwoStartsThenFinishWritesOnlyTheLastStartedPeriod) {
    startAt(18);
    startAt(19);
    ASSERT_EQ(f.squad().rowCount(), 2);
    EXPECT_EQ(f.period(0), "10.05.2006 18:00:00||||n/a|n/a");
    EXPECT_FALSE(f.squad().rowAttributes(0).has_value());
    ASSERT_TRUE(f.squad().rowAttributes(1).has_value());
    EXPECT_EQ(f.squad().rowAttributes(1)->backColour, kAlternateSquadBackColour);
    EXPECT_EQ(f.squad().rowAttributes(1)->flags, CellFlag::OwnBackColour);
    EXPECT_TRUE(f.doc().isModified());

    f.squad().setSelected(0, true);
    finishAt(20, 15);
    EXPECT_EQ(end(0), "");
    EXPECT_EQ(end(1), "10.05.2006 20:15:00");
    EXPECT_TRUE(f.ui.questions.empty());
    EXPECT_EQ(f.view->openSquadRow(), -1);
    // The first period is finished through its selection, also after the month has ended.
    f.clock.current = ViewFixture::at(2, 6, 2006, 1);
    f.view->OnFinishsquadnow();
    EXPECT_EQ(end(0), "02.06.2006 01:00:00");
    EXPECT_EQ(end(1), "10.05.2006 20:15:00");
}

TEST_F(SquadNow, WithoutAnOpenPeriodTheSelectionDecides) {
    const std::string finished = "10.05.2006 19:00:00";
    const struct {
        std::vector<int> selected;
        std::vector<Answer> answers;
        std::string message;
        std::string end0;
        std::string trace;
    } cases[] = {
        {{}, {}, kNoneOpen, finished, "Leave OnFinishsquadnow no rows selected"},
        {{0, 1},
         {},
         "There are more than one squad time available!\nPlease select only the right one and "
         "finish again.",
         finished,
         "Leave OnFinishsquadnow too much rows selected"},
        {{0}, {Answer::Cancel}, "", finished, "Leave OnFinishsquadnow no overwrite was selected"},
        {{0}, {Answer::Ok}, "", "10.05.2006 21:00:00", "Leave OnFinishsquadnow"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trace);
        ViewFixture g;
        g.newMonth(5, 2006);
        g.addPeriod("10.05.2006 18:00:00", finished);
        g.addPeriod("10.05.2006 20:00:00", "");
        for (const int row : c.selected) {
            g.squad().setSelected(row, true);
        }
        g.ui.answers.assign(c.answers.begin(), c.answers.end());
        g.clock.current = ViewFixture::at(10, 5, 2006, 21);
        g.view->OnFinishsquadnow();
        EXPECT_EQ(g.squad().GetItemText(0, SquadColumn::End), c.end0);
        EXPECT_EQ(g.squad().GetItemText(1, SquadColumn::End), "");
        EXPECT_EQ(g.ui.messages, c.message.empty() ? std::vector<std::string>{}
                                                   : std::vector<std::string>{c.message});
        EXPECT_EQ(g.ui.questions,
                  std::vector<std::string>(
                      c.answers.size(),
                      "You have finished this squad. Would you change them with the new time?"));
        EXPECT_EQ(g.traced().back(), c.trace);
    }
}

TEST_F(SquadNow, ReplacedOrShrunkListForgetsTheOpenPeriod) {
    startAt(18);
    f.squad().DeleteItem(0);
    f.squad().InsertItem(0, "01.05.2006 08:00:00");
    finishAt(20);
    EXPECT_EQ(end(0), "");
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{kNoneOpen});

    startAt(18, 30);
    f.newMonth(6, 2006);
    EXPECT_EQ(f.view->openSquadRow(), -1);
    f.view->OnFinishsquadnow();
    EXPECT_EQ(f.squad().rowCount(), 0);
    EXPECT_EQ(f.ui.messages.size(), 2u);
}

} // namespace
} // namespace tallimo::test
