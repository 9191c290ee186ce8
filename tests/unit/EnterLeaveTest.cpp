#include "support/ViewFixture.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

Instant may10(int hour, int minute = 0, int second = 0) {
    return ViewFixture::at(10, 5, 2006, hour, minute, second);
}

TEST(EnterNow, FillsTodaysRowAndAsksBeforeReplacingAnArrival) {
    ViewFixture f({"RememberMe"});
    f.newMonth(5, 2006);
    f.clock.current = may10(8);
    EXPECT_TRUE(f.view->OnEnter());
    EXPECT_EQ(f.day(9), "10.05.2006|Wednesday|08:00:00|17:00:00|automatic created "
                        "entry||09:00:00|08:00:00|n/a|REG 08:00");
    f.work().SetItemText(9, WorkColumn::Leave, "18:30:00");
    f.doc().SetModifiedFlag(false);
    f.clock.current = may10(9);
    f.ui.answers = {Answer::Cancel, Answer::Ok};
    EXPECT_EQ(f.view->OnEnter().outcome, Outcome::Cancelled);
    EXPECT_EQ(f.ui.questions,
              std::vector<std::string>{"You had entered the office today at: 08:00:00."});
    // Cancel keeps the cells but still recomputes and marks the document changed.
    EXPECT_EQ(f.cell(9, WorkColumn::Overtime), "+01:30:00");
    EXPECT_TRUE(f.doc().isModified());
    // Arming puts the forecast 18:00:00; the recomputation carries it to the kept Leave.
    EXPECT_EQ(f.view->goHomeTime(), may10(18, 30));
    f.view->OnEnter();
    EXPECT_EQ(f.cell(9, WorkColumn::Enter), "09:00:00");
    EXPECT_EQ(f.timers.calls, std::vector<std::string>{"start 22 30000"});
}

TEST(LeaveNow, BeforeNoonADayWithoutArrivalEndsTheShiftOfTheDayBefore) {
    const struct {
        int enteredDay; // 0: none
        int todayEntered;
        Instant now;
        int row;
        const char* leave;
    } cases[] = {
        {10, 0, ViewFixture::at(11, 5, 2006, 11, 59), 9, "35:59:00"},
        {10, 0, ViewFixture::at(11, 5, 2006, 12, 0), 10, "12:00:00"},
        {10, 11, ViewFixture::at(11, 5, 2006, 0, 30), 10, "00:30:00"},
        {0, 0, ViewFixture::at(11, 5, 2006, 0, 30), 10, "00:30:00"},
        // The shift that began on the month's last day ends in the next month.
        {31, 0, ViewFixture::at(1, 6, 2006, 6, 0), 30, "30:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.now);
        ViewFixture f;
        f.newMonth(5, 2006);
        for (const int day : {c.enteredDay, c.todayEntered}) {
            f.work().SetItemText(day - 1, WorkColumn::Enter, "22:00:00");
        }
        f.clock.current = c.now;
        EXPECT_TRUE(f.view->OnLeave());
        EXPECT_EQ(f.cell(c.row, WorkColumn::Leave), c.leave);
        EXPECT_EQ(f.cell(c.row == 9 ? 10 : 9, WorkColumn::Leave), "");
    }
}

TEST(EnterNow, OnlyInstantsOfTheLoadedMonthsOwnDaysAreAccepted) {
    const struct {
        int month;
        Instant now;
        bool accepted;
    } cases[] = {
        {5, ViewFixture::at(31, 5, 2006, 23, 59, 0), true},
        {5, ViewFixture::at(31, 5, 2006, 23, 59, 1), false},
        {5, ViewFixture::at(30, 4, 2006, 23, 59, 59), false},
        // The clocks go forward in March: its bounds reach 01.04. 00:59, which is April's.
        {3, ViewFixture::at(1, 4, 2006, 0, 30), false},
        {0, may10(8), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.now);
        ViewFixture f;
        if (c.month != 0) {
            f.newMonth(c.month, 2006);
        }
        f.clock.current = c.now;
        const Outcome expected = c.accepted ? Outcome::Done : Outcome::Refused;
        EXPECT_EQ(f.view->OnLeave().outcome, expected);
        EXPECT_EQ(f.view->OnEnter().outcome, expected);
        EXPECT_EQ(f.view->OnStartsquadnow().outcome, expected);
        EXPECT_EQ(f.squad().rowCount(), c.accepted ? 1 : 0);
        EXPECT_EQ(f.cell(splitLocal(c.now).day - 1, WorkColumn::Enter).empty(), !c.accepted);
        EXPECT_EQ(f.ui.messages,
                  std::vector<std::string>(c.accepted ? 0 : 3, "Please open the current tallimo "
                                                               "file first!"));
    }
}

// The question and the row it writes are the CLI's enter and leave test.
TEST(LeaveNow, AfterEnterStopsTheReminderWhateverTheAnswer) {
    for (const Answer answer : {Answer::Ok, Answer::Cancel}) {
        ViewFixture f({"RememberMe"});
        f.newMonth(5, 2006);
        f.clock.current = may10(8);
        f.view->OnEnter();
        f.clock.current = may10(16, 45);
        f.ui.answers = {answer};
        EXPECT_EQ(f.view->OnLeave().outcome,
                  answer == Answer::Ok ? Outcome::Done : Outcome::Cancelled);
        EXPECT_TRUE(f.timers.running.empty());
        EXPECT_EQ(f.view->goHomeTime(), answer == Answer::Ok ? may10(16, 45) : may10(17));
    }
}

TEST(DailyBackup, CopiesTheFileUnderItsTimeStampAndAsksBeforeReplacingOne) {
    ViewFixture f({"AutoBackup"});
    f.newMonth(5, 2006);
    const std::string document = f.dir.file("May2006.time");
    const std::string backup = document + "20060510083015.bak";
    f.doc().setPath(document);
    ASSERT_TRUE(f.doc().OnSaveDocument(document));
    f.clock.current = may10(8, 30, 15);
    const auto saved = readBytes(document);
    f.view->OnEnter();
    EXPECT_EQ(readBytes(backup), saved);
    for (const Answer answer : {Answer::Cancel, Answer::Ok}) {
        writeBytes(backup, {'o', 'l', 'd'});
        f.ui.answers = {answer};
        f.view->OnStartsquadnow();
        EXPECT_EQ(f.ui.questions.back(), "The backup file exist! Would you overwrite them?");
        EXPECT_EQ(readBytes(backup) == readBytes(document), answer == Answer::Ok);
    }
    // Any other failure asks nothing and the command goes on.
    std::filesystem::remove(backup);
    std::filesystem::remove(document);
    f.view->OnStartsquadnow();
    EXPECT_EQ(f.ui.questions.size(), 2u);
    EXPECT_EQ(f.squad().rowCount(), 3);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.dir.path()), {}), 0);
}

} // namespace
} // namespace tallimo::test
