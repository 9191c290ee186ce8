#include "EditingFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

using Command = void (CTagrolView::*)();

TEST(DayMarking, CommentMarkersReplaceTheCommentAndSaveAsOftenAsTheirRule) {
    struct Case {
        Command command;
        const char* marker;
        int saves;
    };
    const Case cases[] = {
        {&CTagrolView::OnTbHoliday, "Feiertag", 1},
        {&CTagrolView::OnTbIll, "Krankenkasse", 1},
        {&CTagrolView::OnTbVacation, "Urlaub", 4},
    };
    for (const auto& c : cases) {
        EditingFixture f(true);
        for (const int row : {1, 2, 3, 4}) {
            f.work().SetItemText(row, WorkColumn::Comment, "old");
            f.work().SetItemText(row, WorkColumn::AtWork, "computed");
        }
        EditingFixture::select(f.work(), {1, 2, 3, 4});
        // The markers act on the days even while the squad list is shown.
        f.view->OnShowSquadTime();
        ((*f.view).*c.command)();
        for (const int row : {1, 2, 3, 4}) {
            EXPECT_EQ(f.work().itemText(row, WorkColumn::Comment), c.marker);
            EXPECT_EQ(f.work().itemText(row, WorkColumn::AtWork), "computed") << c.marker;
        }
        EXPECT_EQ(f.work().itemText(5, WorkColumn::Comment), "");
        EXPECT_EQ(f.saves(), c.saves) << c.marker;
    }
}

TEST(DayMarking, StandByMarksAndRecomputesEachDayThenSavesOnce) {
    EditingFixture f(true);
    f.work().SetItemText(5, WorkColumn::Enter, "08:00:00");
    f.work().SetItemText(5, WorkColumn::Leave, "17:00:00");
    f.view->CalculateWorkRow(5);
    const std::string before = f.work().itemText(5, WorkColumn::TimeAndLabor);
    EditingFixture::select(f.work(), {5, 6});
    f.view->OnTbStandby();
    EXPECT_EQ(f.work().itemText(5, WorkColumn::StandBy), "yes");
    EXPECT_EQ(f.work().itemText(6, WorkColumn::StandBy), "yes");
    EXPECT_NE(f.work().itemText(5, WorkColumn::TimeAndLabor), before);
    EXPECT_NE(f.work().itemText(5, WorkColumn::TimeAndLabor).find("STTB"), std::string::npos);
    EXPECT_EQ(f.saves(), 1);
}

TEST(DayMarking, WithoutSelectionEachCommandOnlyTraces) {
    struct Case {
        Command command;
        const char* trace;
    };
    const Case cases[] = {
        {&CTagrolView::OnTbHoliday, "Leave OnTbHoliday no rows selected"},
        {&CTagrolView::OnTbIll, "Leave OnTbIll no rows selected"},
        {&CTagrolView::OnTbVacation, "Leave OnTbVacation no rows selected"},
        {&CTagrolView::OnTbStandby, "Leave OnTbStandby no rows selected"},
        {&CTagrolView::OnVkdelete, "Leave OnVkdelete no rows selected"},
    };
    for (const auto& c : cases) {
        EditingFixture f;
        f.ui.answers.push_back(Answer::Ok);
        // Rows selected in the hidden squad list do not count for the day markers.
        f.addPeriod("01.03.2006 18:00:00", "01.03.2006 19:00:00");
        EditingFixture::select(f.squad(), {0});
        ((*f.view).*c.command)();
        EXPECT_EQ(f.traced().back(), c.trace);
        EXPECT_FALSE(f.doc().isModified()) << c.trace;
    }
}

TEST(DeleteRows, WorkListKeepsTheDaysAndEmptiesEverythingElseSavingPerRow) {
    EditingFixture f(true);
    for (int column = WorkColumn::Enter; column < WorkColumn::Count; ++column) {
        f.work().SetItemText(2, column, "x");
        f.work().SetItemText(4, column, "x");
    }
    EditingFixture::select(f.work(), {2, 4});
    f.ui.answers.push_back(Answer::Ok);
    f.view->OnVkdelete();
    EXPECT_EQ(f.ui.questions,
              std::vector<std::string>{"Are you sure to delete the selected rows?"});
    EXPECT_EQ(f.work().rowCount(), 31);
    for (const int row : {2, 4}) {
        EXPECT_EQ(f.work().itemText(row, WorkColumn::Date), row == 2 ? "03.03.2006" : "05.03.2006");
        EXPECT_NE(f.work().itemText(row, WorkColumn::Weekday), "");
        for (int column = WorkColumn::Enter; column < WorkColumn::Count; ++column) {
            EXPECT_EQ(f.work().itemText(row, column), "") << row << "/" << column;
        }
    }
    EXPECT_EQ(f.saves(), 2);
    EXPECT_EQ(f.traced().back(), "Leave OnVkdelete");
}

TEST(DeleteRows, CancelledDeleteChangesNothingAndTracesNoLeave) {
    EditingFixture f;
    f.work().SetItemText(2, WorkColumn::Enter, "08:00:00");
    EditingFixture::select(f.work(), {2});
    f.ui.answers.push_back(Answer::Cancel);
    f.view->OnVkdelete();
    EXPECT_EQ(f.work().itemText(2, WorkColumn::Enter), "08:00:00");
    EXPECT_EQ(f.traced(), std::vector<std::string>{"Enter OnVkdelete"});
}

TEST(DeleteRows, SquadRowsGoBottomMostFirstAndTheRestGetTheirNewLook) {
    EditingFixture f(true);
    f.view->OnShowSquadTime();
    for (int row = 0; row < 5; ++row) {
        f.addPeriod("0" + std::to_string(row + 1) + ".03.2006 18:00:00", "");
    }
    EditingFixture::select(f.squad(), {1, 3});
    f.ui.answers.push_back(Answer::Ok);
    f.view->OnVkdelete();
    ASSERT_EQ(f.squad().rowCount(), 3);
    const char* kept[] = {"01.03.2006 18:00:00", "03.03.2006 18:00:00", "05.03.2006 18:00:00"};
    const Colour looks[] = {0xFFFFFF, 0xE8FFFF, 0xFFFFFF};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(f.squad().itemText(row, SquadColumn::Start), kept[row]);
        const auto look = f.squad().rowAttributes(row);
        ASSERT_TRUE(look.has_value());
        EXPECT_EQ(look->backColour, looks[row]) << row;
        EXPECT_EQ(look->flags, CellFlag::OwnBackColour);
    }
    EXPECT_EQ(f.saves(), 1);
}

TEST(DeleteRows, AllSquadRowsSelectedEmptiesTheList) {
    EditingFixture f;
    f.view->OnShowSquadTime();
    f.addPeriod("01.03.2006 18:00:00", "");
    f.addPeriod("02.03.2006 18:00:00", "");
    EditingFixture::select(f.squad(), {0, 1});
    f.ui.answers.push_back(Answer::Ok);
    f.view->OnVkdelete();
    EXPECT_EQ(f.squad().rowCount(), 0);
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_EQ(f.traced().back(), "Enter OnVkdelete");
}

} // namespace
} // namespace tallimo::test
