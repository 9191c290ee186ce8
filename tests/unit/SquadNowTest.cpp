#include "RecordingFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr const char* kNoneOpen =
    "There is no open squad time available!\nPlease select the right one and finish again.";
constexpr const char* kSeveral = "There are more than one squad time available!\nPlease select "
                                 "only the right one and finish again.";
constexpr const char* kOverwrite =
    "You have finished this squad. Would you change them with the new time?";

class SquadNow : public ::testing::Test {
protected:
    void SetUp() override { f.newMonth(5, 2006); }

    void startAt(int hour, int minute) {
        f.setNow(RecordingFixture::at(10, 5, 2006, hour, minute));
        f.view->OnStartsquadnow();
    }
    void finishAt(int hour, int minute) {
        f.setNow(RecordingFixture::at(10, 5, 2006, hour, minute));
        f.view->OnFinishsquadnow();
    }
    std::string end(int row) const {
        return f.view->sheet().squad.GetItemText(row, SquadColumn::End);
    }

    RecordingFixture f;
};

TEST_F(SquadNow, StartAppendsAnOpenPeriodWithAlternateLookOnOddRows) {
    startAt(18, 0);
    startAt(19, 0);
    const CellTable& squad = f.squad();
    ASSERT_EQ(squad.rowCount(), 2);
    const std::vector<std::string> first = {"10.05.2006 18:00:00", "", "", "", "n/a", "n/a"};
    for (int column = 0; column < SquadColumn::Count; ++column) {
        EXPECT_EQ(squad.GetItemText(0, column), first[static_cast<std::size_t>(column)]) << column;
    }
    EXPECT_FALSE(squad.rowAttributes(0).has_value());
    ASSERT_TRUE(squad.rowAttributes(1).has_value());
    EXPECT_EQ(squad.rowAttributes(1)->backColour, kAlternateSquadBackColour);
    EXPECT_EQ(squad.rowAttributes(1)->flags, CellFlag::OwnBackColour);
    EXPECT_EQ(f.view->openSquadRow(), 1);
    EXPECT_TRUE(f.view->document().isModified());
}

TEST_F(SquadNow, FinishWritesOnlyTheLastStartedPeriodAndIgnoresTheSelection) {
    startAt(18, 0);
    startAt(19, 0);
    f.squad().setSelected(0, true);
    finishAt(20, 15);
    EXPECT_EQ(end(0), "");
    EXPECT_EQ(end(1), "10.05.2006 20:15:00");
    EXPECT_TRUE(f.ui.questions.empty());
    EXPECT_EQ(f.view->openSquadRow(), -1);
    // The first period is finished through its selection, also after the month has ended.
    f.setNow(RecordingFixture::at(2, 6, 2006, 1, 0));
    f.view->OnFinishsquadnow();
    EXPECT_EQ(end(0), "02.06.2006 01:00:00");
    EXPECT_EQ(end(1), "10.05.2006 20:15:00");
}

TEST_F(SquadNow, WithoutAnOpenPeriodTheSelectionDecides) {
    struct Case {
        std::vector<int> selected;
        std::vector<Answer> answers;
        std::string message;
        std::string end0;
        std::string trace;
    };
    const std::string finished = "10.05.2006 19:00:00";
    const std::string now = "10.05.2006 21:00:00";
    const Case cases[] = {
        {{}, {}, kNoneOpen, finished, "Leave OnFinishsquadnow no rows selected"},
        {{0, 1}, {}, kSeveral, finished, "Leave OnFinishsquadnow too much rows selected"},
        {{0}, {Answer::Cancel}, "", finished, "Leave OnFinishsquadnow no overwrite was selected"},
        {{0}, {Answer::Ok}, "", now, "Leave OnFinishsquadnow"},
    };
    for (const auto& c : cases) {
        RecordingFixture g;
        g.newMonth(5, 2006);
        g.squad().InsertItem(0, "10.05.2006 18:00:00");
        g.squad().SetItemText(0, SquadColumn::End, finished);
        g.squad().InsertItem(1, "10.05.2006 20:00:00");
        for (const int row : c.selected) {
            g.squad().setSelected(row, true);
        }
        g.ui.answers.assign(c.answers.begin(), c.answers.end());
        g.setNow(RecordingFixture::at(10, 5, 2006, 21));
        g.view->OnFinishsquadnow();
        EXPECT_EQ(g.squad().GetItemText(0, SquadColumn::End), c.end0) << c.trace;
        EXPECT_EQ(g.squad().GetItemText(1, SquadColumn::End), "") << c.trace;
        EXPECT_EQ(g.ui.messages.empty(), c.message.empty()) << c.trace;
        if (!c.message.empty()) {
            EXPECT_EQ(g.ui.messages.front(), c.message);
        }
        EXPECT_EQ(g.ui.questions.size(), c.answers.size()) << c.trace;
        EXPECT_EQ(g.trace.texts().back(), c.trace);
    }
}

TEST_F(SquadNow, ReplacedOrShrunkListForgetsTheOpenPeriod) {
    startAt(18, 0);
    f.squad().DeleteItem(0);
    f.squad().InsertItem(0, "01.05.2006 08:00:00");
    finishAt(20, 0);
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
