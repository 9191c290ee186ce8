#include "RecordingFixture.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr const char* kRefusal = "Please open the current tallimo file first!";

TEST(EnterNow, EmptyRowGetsArrivalForecastAndComment) {
    RecordingFixture f;
    f.newMonth(5, 2006);
    f.setNow(RecordingFixture::at(10, 5, 2006, 8, 0, 0));
    f.view->OnEnter();
    EXPECT_EQ(f.cell(9, WorkColumn::Enter), "08:00:00");
    EXPECT_EQ(f.cell(9, WorkColumn::Leave), "17:00:00");
    EXPECT_EQ(f.cell(9, WorkColumn::Comment), "automatic created entry");
    EXPECT_EQ(f.cell(9, WorkColumn::AtWork), "09:00:00");
    EXPECT_TRUE(f.ui.questions.empty());
    EXPECT_TRUE(f.view->document().isModified());
    EXPECT_TRUE(f.traced("Day: 10 Month: 5 Year: 2006"));
    EXPECT_TRUE(f.traced("Leave OnEnter"));
}

TEST(EnterNow, SecondEnterCancelledKeepsCellsButRecomputesAndMovesGoHome) {
    RecordingFixture f({"RememberMe"});
    f.newMonth(5, 2006);
    f.setNow(RecordingFixture::at(10, 5, 2006, 8, 0, 0));
    f.view->OnEnter();
    f.work().SetItemText(9, WorkColumn::Leave, "18:30:00");
    f.view->document().SetModifiedFlag(false);
    f.setNow(RecordingFixture::at(10, 5, 2006, 9, 0, 0));
    f.ui.answers = {Answer::Cancel};
    f.view->OnEnter();
    ASSERT_EQ(f.ui.questions.size(), 1u);
    EXPECT_EQ(f.ui.questions[0], "You had entered the office today at: 08:00:00.");
    EXPECT_EQ(f.cell(9, WorkColumn::Enter), "08:00:00");
    EXPECT_EQ(f.cell(9, WorkColumn::Leave), "18:30:00");
    EXPECT_EQ(f.cell(9, WorkColumn::AtWork), "10:30:00");
    EXPECT_TRUE(f.view->document().isModified());
    // Arming puts the forecast 18:00:00; the recomputation carries it to the kept Leave.
    EXPECT_EQ(f.view->goHomeTime(), RecordingFixture::at(10, 5, 2006, 18, 30, 0));
    EXPECT_EQ(f.timers.calls, std::vector<std::string>{"start 22 30000"});
}

TEST(EnterNow, LateArrivalForecastWrapsIntoTodayAndRemindsAtOnce) {
    RecordingFixture f({"RememberMe"});
    f.newMonth(5, 2006);
    f.setNow(RecordingFixture::at(10, 5, 2006, 16, 30, 0));
    f.view->OnEnter();
    EXPECT_EQ(f.cell(9, WorkColumn::Leave), "01:30:00");
    EXPECT_EQ(f.view->goHomeTime(), RecordingFixture::at(10, 5, 2006, 1, 30, 0));
    f.setNow(RecordingFixture::at(10, 5, 2006, 16, 30, 30));
    f.view->OnTimer(CTagrolView::kReminderTimerId);
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{"Its is time to go home!"});
    EXPECT_EQ(f.view->reminderTimer(), 0u);
}

TEST(EnterNow, OnlyInstantsInsideTheLoadedMonthAreAccepted) {
    struct Case {
        bool month;
        Instant now;
        bool accepted;
    };
    const Case cases[] = {
        {true, RecordingFixture::at(31, 5, 2006, 23, 59, 0), true},
        {true, RecordingFixture::at(31, 5, 2006, 23, 59, 1), false},
        {true, RecordingFixture::at(1, 5, 2006, 0, 0, 0), true},
        {true, RecordingFixture::at(30, 4, 2006, 23, 59, 59), false},
        {false, RecordingFixture::at(10, 5, 2006, 8, 0, 0), false},
    };
    for (const auto& c : cases) {
        RecordingFixture f;
        if (c.month) {
            f.newMonth(5, 2006);
        }
        f.setNow(c.now);
        f.view->OnEnter();
        f.view->OnLeave();
        f.view->OnStartsquadnow();
        const int day = splitLocal(c.now).day - 1;
        EXPECT_EQ(f.cell(day, WorkColumn::Enter).empty(), !c.accepted) << c.now;
        EXPECT_EQ(f.squad().rowCount(), c.accepted ? 1 : 0) << c.now;
        const std::vector<std::string> refusals(c.accepted ? 0 : 3, kRefusal);
        EXPECT_EQ(f.ui.messages, refusals) << c.now;
        EXPECT_EQ(f.traced("Leave OnEnter with error"), !c.accepted) << c.now;
        EXPECT_EQ(f.traced("Leave OnLeave with error"), !c.accepted) << c.now;
        EXPECT_EQ(f.traced("Leave OnStartsquadnow with error"), !c.accepted) << c.now;
    }
}

TEST(LeaveNow, AfterEnterAsksWithTheForecastAndStopsTheReminder) {
    for (const Answer answer : {Answer::Ok, Answer::Cancel}) {
        RecordingFixture f({"RememberMe"});
        f.newMonth(5, 2006);
        f.setNow(RecordingFixture::at(10, 5, 2006, 8, 0, 0));
        f.view->OnEnter();
        f.setNow(RecordingFixture::at(10, 5, 2006, 16, 45, 0));
        f.ui.answers = {answer};
        f.view->OnLeave();
        EXPECT_EQ(f.ui.questions, std::vector<std::string>{"You had left the office today at: "
                                                           "17:00:00."});
        const bool ok = answer == Answer::Ok;
        EXPECT_EQ(f.cell(9, WorkColumn::Leave), ok ? "16:45:00" : "17:00:00");
        EXPECT_EQ(f.cell(9, WorkColumn::AtWork), ok ? "08:45:00" : "09:00:00");
        EXPECT_EQ(f.cell(9, WorkColumn::Enter), "08:00:00");
        EXPECT_EQ(f.view->reminderTimer(), 0u);
        EXPECT_TRUE(f.timers.running.empty());
        EXPECT_EQ(f.view->goHomeTime(),
                  RecordingFixture::at(10, 5, 2006, ok ? 16 : 17, ok ? 45 : 0));
    }
}

class DailyBackup : public ::testing::Test {
protected:
    void SetUp() override {
        m_fixture.newMonth(5, 2006);
        document = m_dir.file("May2006.time");
        m_fixture.view->document().setPath(document);
        ASSERT_TRUE(m_fixture.view->document().OnSaveDocument(document));
        m_fixture.setNow(RecordingFixture::at(10, 5, 2006, 8, 30, 15));
    }

    TempDir m_dir;
    RecordingFixture m_fixture{{"AutoBackup"}};
    std::string document;
    const std::string backup() const { return document + "20060510083015.bak"; }
};

TEST_F(DailyBackup, CopiesTheFileUnderItsTimeStamp) {
    const auto saved = readBytes(document);
    m_fixture.view->OnEnter();
    EXPECT_EQ(readBytes(backup()), saved);
    EXPECT_TRUE(m_fixture.ui.questions.empty());
}

TEST_F(DailyBackup, ExistingBackupIsReplacedOnlyOnOk) {
    for (const Answer answer : {Answer::Cancel, Answer::Ok}) {
        writeBytes(backup(), {'o', 'l', 'd'});
        m_fixture.ui.answers = {answer};
        m_fixture.view->OnStartsquadnow();
        EXPECT_EQ(m_fixture.ui.questions.back(),
                  "The backup file exist! Would you overwrite them?");
        const bool replaced = readBytes(backup()) == readBytes(document);
        EXPECT_EQ(replaced, answer == Answer::Ok);
    }
    EXPECT_EQ(m_fixture.squad().rowCount(), 2);
}

TEST_F(DailyBackup, FailureOtherThanAnExistingBackupAsksNothingAndGoesOn) {
    std::filesystem::remove(document);
    m_fixture.view->OnEnter();
    m_fixture.view->document().setPath("");
    m_fixture.view->OnStartsquadnow();
    EXPECT_TRUE(m_fixture.ui.questions.empty());
    EXPECT_FALSE(std::filesystem::exists(backup()));
    EXPECT_EQ(m_fixture.cell(9, WorkColumn::Enter), "08:30:15");
    EXPECT_EQ(m_fixture.squad().rowCount(), 1);
}

} // namespace
} // namespace tallimo::test
