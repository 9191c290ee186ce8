#include "support/ViewFixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr auto kBound = ViewFixture::Start::Bound;
using Command = std::function<void(CTagrolView&)>;

TEST(DayMarking, MarkersActOnTheSelectedDaysAndSaveAsOftenAsTheirRule) {
    const struct {
        Command command;
        int column;
        const char* marker;
        int saves;
    } cases[] = {
        {[](CTagrolView& v) { v.OnTbHoliday(); }, WorkColumn::Comment, "Feiertag", 1},
        {[](CTagrolView& v) { v.OnTbIll(); }, WorkColumn::Comment, "Krankenkasse", 1},
        {[](CTagrolView& v) { v.OnTbVacation(); }, WorkColumn::Comment, "Urlaub", 4},
        {[](CTagrolView& v) { v.OnTbStandby(); }, WorkColumn::StandBy, "yes", 1},
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
    }
}

TEST(DayMarking, WithoutSelectionEachCommandOnlyTraces) {
    const std::pair<Command, const char*> cases[] = {
        {[](CTagrolView& v) { v.OnTbHoliday(); }, "Leave OnTbHoliday no rows selected"},
        {[](CTagrolView& v) { v.OnTbIll(); }, "Leave OnTbIll no rows selected"},
        {[](CTagrolView& v) { v.OnTbVacation(); }, "Leave OnTbVacation no rows selected"},
        {[](CTagrolView& v) { v.OnTbStandby(); }, "Leave OnTbStandby no rows selected"},
        {[](CTagrolView& v) { v.OnVkdelete(); }, "Leave OnVkdelete no rows selected"},
    };
    for (const auto& [command, trace] : cases) {
        ViewFixture f({}, kBound);
        f.ui.answers.push_back(Answer::Ok);
        // Rows selected in the hidden squad list do not count.
        f.addPeriod("01.03.2006 18:00:00", "01.03.2006 19:00:00");
        ViewFixture::select(f.squad(), {0});
        command(*f.view);
        EXPECT_EQ(f.traced().back(), trace);
        EXPECT_FALSE(f.doc().isModified()) << trace;
    }
}

TEST(DeleteRows, WorkListKeepsTheDaysEmptiesTheRestAndSavesPerRow) {
    ViewFixture f({"AutoSave"}, kBound);
    for (int column = WorkColumn::Enter; column < WorkColumn::Count; ++column) {
        f.work().SetItemText(2, column, "x");
        f.work().SetItemText(4, column, "x");
    }
    ViewFixture::select(f.work(), {2, 4});
    f.ui.answers = {Answer::Cancel, Answer::Ok};
    f.view->OnVkdelete();
    EXPECT_EQ(f.cell(2, WorkColumn::Enter), "x");
    EXPECT_EQ(f.traced(), std::vector<std::string>{"Enter OnVkdelete"});
    f.view->OnVkdelete();
    EXPECT_EQ(f.ui.questions.back(), "Are you sure to delete the selected rows?");
    EXPECT_EQ(f.work().rowCount(), 31);
    EXPECT_EQ(f.cell(4, WorkColumn::Date), "05.03.2006");
    EXPECT_EQ(f.cell(4, WorkColumn::Weekday), "Sunday");
    for (int column = WorkColumn::Enter; column < WorkColumn::Count; ++column) {
        EXPECT_EQ(f.cell(2, column) + f.cell(4, column), "") << column;
    }
    EXPECT_EQ(f.saves(), 2);
}

TEST(DeleteRows, SquadRowsGoBottomMostFirstAndTheRestGetTheirNewLook) {
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
        EXPECT_EQ(f.squad().itemText(row, SquadColumn::Start), kept[row]);
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
