#include "support/ViewFixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr auto kBound = ViewFixture::Start::Bound;

TEST(DayMarking, MarkersActOnTheSelectedDaysAndSaveAsOftenAsTheirRule) {
    const struct {
        std::function<void(CTagrolView&)> command;
        int column;
        const char* marker;
        int saves;
    } cases[] = {
        {&CTagrolView::OnTbHoliday, WorkColumn::Comment, "Feiertag", 1},
        {&CTagrolView::OnTbIll, WorkColumn::Comment, "Krankenkasse", 1},
        {&CTagrolView::OnTbVacation, WorkColumn::Comment, "Urlaub", 4},
        {&CTagrolView::OnTbStandby, WorkColumn::StandBy, "yes", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.marker);
        ViewFixture f({"AutoSave"}, kBound);
        for (const int row : {1, 2, 3, 4}) {
            f.work().SetItemText(row, WorkColumn::Enter, "08:00:00");
            f.work().SetItemText(row, WorkColumn::Leave, "17:00:00");
        }
        ViewFixture::select(f.work(), {1, 2, 3, 4});
        // The markers act on the days even while the squad list is shown.
        f.view->OnShowSquadTime();
        c.command(*f.view);
        for (const int row : {1, 2, 3, 4}) {
            EXPECT_EQ(f.cell(row, c.column), c.marker);
            // Only the stand-by flag changes the day's computation, so only it recomputes.
            EXPECT_EQ(f.cell(row, WorkColumn::AtWork).empty(), c.column != WorkColumn::StandBy);
        }
        EXPECT_EQ(f.cell(5, c.column), "");
        EXPECT_EQ(f.saves(), c.saves);
        // Without a selected day (the squad list's selection does not count) nothing changes.
        ViewFixture g({"AutoSave"}, kBound);
        g.addPeriod("01.03.2006 18:00:00", "");
        ViewFixture::select(g.squad(), {0});
        c.command(*g.view);
        EXPECT_EQ(g.saves(), 0);
    }
}

// Cancel deletes nothing: the CLI's clear test.
TEST(DeleteRows, SelectedWorkDaysAreEmptiedAndEachSaves) {
    ViewFixture f({"AutoSave"}, kBound);
    f.ui.answers = {Answer::Ok, Answer::Ok};
    EXPECT_EQ(f.view->OnVkdelete().outcome, Outcome::NothingToDo);
    for (int column = WorkColumn::Enter; column < WorkColumn::Count; ++column) {
        f.work().SetItemText(2, column, "x");
        f.work().SetItemText(4, column, "x");
    }
    ViewFixture::select(f.work(), {2, 4});
    EXPECT_TRUE(f.view->OnVkdelete());
    EXPECT_EQ(f.day(2) + f.day(4), "03.03.2006|Friday||||||||05.03.2006|Sunday||||||||");
    EXPECT_EQ(f.saves(), 2);
}

// The rest get their new look; one save per command.
TEST(DeleteRows, SquadRowsGoBottomMostFirst) {
    ViewFixture f({"AutoSave"}, kBound);
    f.view->OnShowSquadTime();
    for (int row = 0; row < 5; ++row) {
        f.addPeriod("0" + std::to_string(row + 1) + ".03.2006 18:00:00", "");
    }
    ViewFixture::select(f.squad(), {1, 3});
    f.ui.answers = {Answer::Ok, Answer::Ok};
    f.view->OnVkdelete();
    ASSERT_EQ(f.squad().rowCount(), 3);
    const char* kept[] = {"01.03.2006 18:00:00", "03.03.2006 18:00:00", "05.03.2006 18:00:00"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(f.squad().GetItemText(row, SquadColumn::Start), kept[row]);
        const auto look = f.squad().rowAttributes(row).value_or(CellAttributes{});
        EXPECT_EQ(look.backColour, row == 1 ? 0xE8FFFFu : 0xFFFFFFu) << row;
        EXPECT_EQ(look.flags, CellFlag::OwnBackColour);
    }
    EXPECT_EQ(f.saves(), 1);
    ViewFixture::select(f.squad(), {0, 1, 2});
    f.view->OnVkdelete();
    EXPECT_EQ(f.squad().rowCount(), 0);
    EXPECT_EQ(f.saves(), 2);
}

} // namespace
} // namespace tallimo::test
