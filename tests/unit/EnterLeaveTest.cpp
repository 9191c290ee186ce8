#include "support/ViewFixture.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

Instant may10(int hour, int minute = 0, int second = 0) {
    return ViewFixture::at(10, 5, 2006, hour, minute, second);
}

TEST(EnterNow, EmptyRowGetsArrivalForecastAndComment) {
    ViewFixture f;
    f.newMonth(5, 2006);
    f.clock.current = may10(8);
    f.view->OnEnter();
    EXPECT_EQ(f.day(9), "10.05.2006|Wednesday|08:00:00|17:00:00|automatic created "
                        "entry||09:00:00|08:00:00|n/a|REG 08:00");
    EXPECT_TRUE(f.ui.questions.empty());
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_TRUE(f.traced("Day: 10 Month: 5 Year: 2006"));
    EXPECT_TRUE(f.traced("Leave OnEnter"));
}

TEST(EnterNow, SecondEnterCancelledKeepsCellsButRecomputesAndOkReplacesThem) {
    ViewFixture f({"RememberMe"});
    f.newMonth(5, 2006);
    f.clock.current = may10(8);
    f.view->OnEnter();
    f.work().SetItemText(9, WorkColumn::Leave, "18:30:00");
    f.doc().SetModifiedFlag(false);
    f.clock.current = may10(9);
    f.ui.answers = {Answer::Cancel};
    f.view->OnEnter();
    EXPECT_EQ(f.ui.questions,
              std::vector<std::string>{"You had entered the office today at: 08:00:00."});
    EXPECT_EQ(f.day(9), "10.05.2006|Wednesday|08:00:00|18:30:00|automatic created "
                        "entry||10:30:00|09:30:00|+01:30:00|REG 08:00 + OT06E 01:30:00");
    EXPECT_TRUE(f.doc().isModified());
    // Arming puts the forecast 18:00:00; the recomputation carries it to the kept Leave.
    EXPECT_EQ(f.view->goHomeTime(), may10(18, 30));
    // Answered OK, the new arrival replaces the old one; the running reminder stays.
    f.ui.answers = {Answer::Ok};
    f.view->OnEnter();
    EXPECT_EQ(f.cell(9, WorkColumn::Enter), "09:00:00");
    EXPECT_EQ(f.timers.calls, std::vector<std::string>{"start 22 30000"});
}

TEST(EnterNow, LateArrivalForecastWrapsIntoTodayAndRemindsAtOnce) {
    ViewFixture f({"RememberMe"});
    f.newMonth(5, 2006);
    f.clock.current = may10(16, 30);
    f.view->OnEnter();
    EXPECT_EQ(f.cell(9, WorkColumn::Leave), "01:30:00");
    EXPECT_EQ(f.view->goHomeTime(), may10(1, 30));
    f.clock.current = may10(16, 30, 30);
    f.view->OnTimer(CTagrolView::kReminderTimerId);
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{"Its is time to go home!"});
    EXPECT_EQ(f.view->reminderTimer(), 0u);
}

TEST(EnterNow, OnlyInstantsInsideTheLoadedMonthAreAccepted) {
    const struct {
        bool month;
        Instant now;
        bool accepted;
    } cases[] = {
        {true, ViewFixture::at(31, 5, 2006, 23, 59, 0), true},
        {true, ViewFixture::at(31, 5, 2006, 23, 59, 1), false},
        {true, ViewFixture::at(30, 4, 2006, 23, 59, 59), false},
        {false, may10(8), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.now);
        ViewFixture f;
        if (c.month) {
            f.newMonth(5, 2006);
        }
        f.clock.current = c.now;
        f.view->OnEnter();
        f.view->OnLeave();
        f.view->OnStartsquadnow();
        EXPECT_EQ(f.cell(splitLocal(c.now).day - 1, WorkColumn::Enter).empty(), !c.accepted);
        EXPECT_EQ(f.squad().rowCount(), c.accepted ? 1 : 0);
        EXPECT_EQ(f.ui.messages,
                  std::vector<std::string>(c.accepted ? 0 : 3, "Please open the current tallimo "
                                                               "file first!"));
        for (const char* command : {"OnEnter", "OnLeave", "OnStartsquadnow"}) {
            EXPECT_EQ(f.traced("Leave " + std::string(command) + " with error"), !c.accepted);
        }
    }
}

TEST(LeaveNow, AfterEnterAsksWithTheForecastAndStopsTheReminder) {
    for (const Answer answer : {Answer::Ok, Answer::Cancel}) {
        ViewFixture f({"RememberMe"});
        f.newMonth(5, 2006);
        f.clock.current = may10(8);
        f.view->OnEnter();
        f.clock.current = may10(16, 45);
        f.ui.answers = {answer};
        f.view->OnLeave();
        EXPECT_EQ(f.ui.questions,
                  std::vector<std::string>{"You had left the office today at: 17:00:00."});
        const bool ok = answer == Answer::Ok;
        EXPECT_EQ(f.cell(9, WorkColumn::Leave), ok ? "16:45:00" : "17:00:00");
        EXPECT_EQ(f.cell(9, WorkColumn::AtWork), ok ? "08:45:00" : "09:00:00");
        EXPECT_EQ(f.view->reminderTimer(), 0u);
        EXPECT_TRUE(f.timers.running.empty());
        EXPECT_EQ(f.view->goHomeTime(), ok ? may10(16, 45) : may10(17));
    }
}

class DailyBackup : public ::testing::Test {
protected:
    void SetUp() override {
        f.newMonth(5, 2006);
        f.doc().setPath(document);
        ASSERT_TRUE(f.doc().OnSaveDocument(document));
        f.clock.current = may10(8, 30, 15);
    }

    ViewFixture f{{"AutoBackup"}};
    const std::string document = f.dir.file("May2006.time");
    const std::string backup = document + "20060510083015.bak";
};

TEST_F(DailyBackup, CopiesTheFileUnderItsTimeStampAndAsksBeforeReplacingOne) {
    const auto saved = readBytes(document);
    f.view->OnEnter();
    EXPECT_EQ(readBytes(backup), saved);
    EXPECT_TRUE(f.ui.questions.empty());
    for (const Answer answer : {Answer::Cancel, Answer::Ok}) {
        writeBytes(backup, {'o', 'l', 'd'});
        f.ui.answers = {answer};
        f.view->OnStartsquadnow();
        EXPECT_EQ(f.ui.questions.back(), "The backup file exist! Would you overwrite them?");
        EXPECT_EQ(readBytes(backup) == readBytes(document), answer == Answer::Ok);
    }
    EXPECT_EQ(f.squad().rowCount(), 2);
}

TEST_F(DailyBackup, FailureOtherThanAnExistingBackupAsksNothingAndGoesOn) {
    std::filesystem::remove(document);
    f.view->OnEnter();
    f.doc().setPath("");
    f.view->OnStartsquadnow();
    EXPECT_TRUE(f.ui.questions.empty());
    EXPECT_FALSE(std::filesystem::exists(backup));
    EXPECT_EQ(f.cell(9, WorkColumn::Enter), "08:30:15");
    EXPECT_EQ(f.squad().rowCount(), 1);
}

} // namespace
} // namespace tallimo::test
