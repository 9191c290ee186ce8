#include "view/PresenceRecorder.h"

#include "platform/fake/FakePresenceSource.h"
#include "support/ViewFixture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

using Cause = PresenceCause;

Instant dec(int day, int hour, int minute = 0, int second = 0) {
    return ViewFixture::at(day, 12, 2026, hour, minute, second);
}

// December 2026 open in a file, presence detection in the given mode.
struct PresenceDay {
    explicit PresenceDay(const char* mode = "auto", const char* autoSave = "off") {
        f.settings.setString(kSettingsSection, "AutoSave", autoSave);
        f.settings.setString(kSettingsSection, "Presence", mode);
        f.view = std::make_unique<CTagrolView>(f.platform);
        f.doc().OnNewDocument();
        f.newMonth(12, 2026);
        f.doc().setPath(f.dir.file("December2026.time"));
        f.doc().Save();
        f.settings.writes.clear();
        recorder = std::make_unique<PresenceRecorder>(*f.view, journal);
        source.setListener([this](const PresenceEvent& event) { last = recorder->handle(event); });
    }

    static std::vector<std::string> texts(const std::vector<PresenceNotice>& notices) {
        std::vector<std::string> result;
        std::ranges::transform(notices, std::back_inserter(result), &PresenceNotice::text);
        return result;
    }
    std::vector<std::string> on(Cause cause, Instant at) {
        last.clear();
        source.emit(cause, at);
        return texts(last);
    }
    std::vector<std::string> settle(Instant now) { return texts(recorder->settle(now)); }
    // Enter|Leave of a day of December.
    std::string times(int day) const {
        return f.cell(day - 1, WorkColumn::Enter) + "|" + f.cell(day - 1, WorkColumn::Leave);
    }

    ViewFixture f;
    PresenceJournal journal{f.dir.file("presence.log")};
    std::unique_ptr<PresenceRecorder> recorder;
    fake::FakePresenceSource source;
    std::vector<PresenceNotice> last;
};

using Texts = std::vector<std::string>;

TEST(PresenceArrival, FirstArrivalOfEachSourceWritesEnterAndForecastAtItsTime) {
    const struct {
        Cause cause;
        const char* word;
    } cases[] = {{Cause::Start, "started"},
                 {Cause::Unlock, "unlocked"},
                 {Cause::ScreenSaverEnd, "screen saver ended"},
                 {Cause::Resume, "resumed"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        PresenceDay d;
        d.f.clock.current = dec(10, 9, 30); // handled later than it happened
        EXPECT_EQ(d.on(c.cause, dec(10, 7, 58, 12)),
                  Texts{std::string("Enter 07:58:12 recorded (") + c.word + ")"});
        EXPECT_EQ(d.times(10), "07:58:12|16:58:12");
        EXPECT_EQ(d.f.cell(9, WorkColumn::Comment), "automatic created entry");
        EXPECT_TRUE(d.f.doc().isModified());
        // The next arrival finds the user present and writes nothing.
        EXPECT_EQ(d.on(Cause::Unlock, dec(10, 8, 30)), Texts{});
        EXPECT_EQ(d.times(10), "07:58:12|16:58:12");
    }
}

TEST(PresenceArrival, RecordingIsSavedAtOnceWithAutoSave) {
    PresenceDay d("auto", "on");
    d.on(Cause::Unlock, dec(10, 8));
    EXPECT_EQ(d.f.saves(), 1);
    EXPECT_FALSE(d.f.doc().isModified());
}

TEST(PresenceDeparture, LockBecomesADepartureAtItsStartOnceTheMinimumPassed) {
    PresenceDay d;
    d.on(Cause::Unlock, dec(10, 8));
    EXPECT_EQ(d.on(Cause::Lock, dec(10, 17)), Texts{});
    EXPECT_EQ(d.recorder->deadline(), dec(10, 17, 5));
    EXPECT_EQ(d.settle(dec(10, 17, 4, 59)), Texts{});
    EXPECT_EQ(d.times(10), "08:00:00|17:00:00"); // still the forecast
    EXPECT_EQ(d.settle(dec(10, 17, 5)), Texts{"Leave 17:00:00 recorded (locked)"});
    EXPECT_EQ(d.f.cell(9, WorkColumn::Worktime), "08:00:00");
    d.f.work().SetItemText(9, WorkColumn::Leave, "16:00:00"); // the forecast left alone
    EXPECT_EQ(d.recorder->deadline(), std::nullopt);
}

TEST(PresenceDeparture, SuspendAndSessionEndCountAtOnceFromTheAwayPeriodsStart) {
    const struct {
        Cause before; // Start: none
        Cause cause;
        const char* expected;
    } cases[] = {
        {Cause::Lock, Cause::Suspend, "Leave 17:00:00 recorded (locked)"},
        {Cause::ScreenSaverStart, Cause::SessionEnd,
         "Leave 17:00:00 recorded (screen saver started)"},
        {Cause::Start, Cause::Suspend, "Leave 17:02:00 recorded (suspended)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        PresenceDay d;
        d.on(Cause::Unlock, dec(10, 8));
        if (c.before != Cause::Start) {
            d.on(c.before, dec(10, 17));
        }
        EXPECT_EQ(d.on(c.cause, dec(10, 17, 2)), Texts{c.expected});
        EXPECT_EQ(d.times(10).substr(9, 5), std::string(c.expected).substr(6, 5));
    }
}

TEST(PresenceDeparture, ShortAbsencesLeaveNoTraceInTheFile) {
    PresenceDay d;
    d.on(Cause::Unlock, dec(10, 8));
    d.f.doc().SetModifiedFlag(false);
    d.on(Cause::Lock, dec(10, 10));
    EXPECT_EQ(d.on(Cause::Unlock, dec(10, 10, 4, 59)), Texts{});
    EXPECT_FALSE(d.f.doc().isModified());
    // A suspend is written at once and taken back by a resume within the minimum.
    d.on(Cause::Suspend, dec(10, 11));
    EXPECT_EQ(d.times(10), "08:00:00|11:00:00");
    EXPECT_EQ(d.on(Cause::Resume, dec(10, 11, 3)), Texts{"Leave 11:00:00 taken back (resumed)"});
    EXPECT_EQ(d.times(10), "08:00:00|17:00:00");
}

TEST(PresenceDeparture, LunchLocksPutTheForecastBackAndTheLastDepartureStays) {
    PresenceDay d;
    d.on(Cause::Unlock, dec(10, 8));
    d.on(Cause::Lock, dec(10, 12));
    EXPECT_EQ(d.on(Cause::Unlock, dec(10, 12, 45)),
              (Texts{"Leave 12:00:00 recorded (locked)",
                     "Leave set back to the forecast 17:00:00 (unlocked)"}));
    EXPECT_EQ(d.times(10), "08:00:00|17:00:00");
    d.on(Cause::Lock, dec(10, 17, 30));
    d.on(Cause::Suspend, dec(10, 17, 31));
    EXPECT_EQ(d.times(10), "08:00:00|17:30:00");
    // The next morning is a new day, not the continuation of yesterday's.
    d.on(Cause::Resume, dec(11, 7, 50));
    EXPECT_EQ(d.times(10), "08:00:00|17:30:00");
    EXPECT_EQ(d.times(11), "07:50:00|16:50:00");
}

TEST(PresenceDeparture, LeaveWrittenByTheUserIsKept) {
    PresenceDay d;
    d.on(Cause::Unlock, dec(10, 8));
    d.f.work().SetItemText(9, WorkColumn::Leave, "18:30:00");
    d.on(Cause::Lock, dec(10, 17));
    EXPECT_EQ(d.settle(dec(10, 17, 10)),
              Texts{"Leave 17:00:00 not recorded (locked): the Leave 18:30:00 entered by hand "
                    "is kept"});
    EXPECT_EQ(d.times(10), "08:00:00|18:30:00");
}

TEST(PresenceDeparture, AfterMidnightEndsTheDayWhoseEnterItCloses) {
    PresenceDay d;
    d.on(Cause::Unlock, dec(10, 22));
    d.on(Cause::Lock, dec(11, 2, 15));
    d.settle(dec(11, 2, 20));
    EXPECT_EQ(d.times(10), "22:00:00|26:15:00");
    EXPECT_EQ(d.times(11), "|");
}

TEST(PresenceSuggest, NothingIsWrittenUntilTheSuggestionIsTakenAtTheEventsTime) {
    PresenceDay d("suggest");
    const auto notices = d.recorder->handle({Cause::Unlock, dec(10, 7, 58, 12)});
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].text, "Record Enter 07:58:12 (unlocked)?");
    EXPECT_TRUE(notices[0].suggestion);
    EXPECT_EQ(d.times(10), "|");
    EXPECT_FALSE(d.f.doc().isModified());
    d.f.clock.current = dec(10, 8, 20);
    EXPECT_EQ(d.recorder->accept(notices[0]).text, "Enter 07:58:12 recorded (unlocked)");
    EXPECT_EQ(d.times(10), "07:58:12|16:58:12");
    d.on(Cause::Lock, dec(10, 17));
    EXPECT_EQ(d.settle(dec(10, 17, 5)), Texts{"Record Leave 17:00:00 (locked)?"});
    EXPECT_EQ(d.times(10), "07:58:12|16:58:12");
}

TEST(PresenceSuggest, LeaveTakenFromASuggestionIsOfferedAgainLater) {
    PresenceDay d("suggest");
    d.f.work().SetItemText(9, WorkColumn::Enter, "08:00:00");
    d.on(Cause::Lock, dec(10, 12));
    d.recorder->accept(d.recorder->settle(dec(10, 12, 5)).at(0));
    // Not taken: the Leave stays.
    EXPECT_EQ(d.on(Cause::Unlock, dec(10, 12, 45)),
              Texts{"Set Leave back to the forecast 17:00:00 (unlocked)?"});
    d.on(Cause::Lock, dec(10, 17));
    EXPECT_EQ(d.settle(dec(10, 17, 5)), Texts{"Record Leave 17:00:00 (locked)?"});
    EXPECT_EQ(d.times(10), "08:00:00|12:00:00");
}

TEST(PresenceMonth, EventOutsideTheOpenMonthNamesTheFileToOpen) {
    PresenceDay d;
    EXPECT_EQ(d.on(Cause::Start, ViewFixture::at(4, 1, 2027, 8)),
              Texts{"Enter 08:00:00 not recorded (started): open or create " +
                    d.f.dir.file("January2027.time")});
    EXPECT_FALSE(d.f.doc().isModified());
}

TEST(PresenceMode, OffHandlesNothing) {
    PresenceDay d("off");
    d.on(Cause::Unlock, dec(10, 8));
    EXPECT_EQ(d.times(10), "|");
    EXPECT_TRUE(d.journal.read().empty());
}

TEST(PresenceJournal, KeepsSixtyDaysOfEntriesThatReadBackAsWritten) {
    TempDir dir;
    PresenceJournal journal(dir.file("sub/presence.log"));
    const PresenceEntry old{dec(1, 8), "unlocked", "01.12.2026", "Enter", "", "Enter 08"};
    const PresenceEntry kept{dec(10, 17), "locked", "10.12.2026", "Leave", "17:00:00", "ok"};
    ASSERT_TRUE(journal.append(old));
    ASSERT_TRUE(journal.append(kept));
    EXPECT_EQ(journal.read(), (std::vector<PresenceEntry>{old, kept}));
    EXPECT_EQ(journal.presenceLeave("10.12.2026"), "17:00:00");
    ASSERT_TRUE(journal.append({ViewFixture::at(1, 2, 2027, 8), "started", "", "", "", "x"}));
    EXPECT_EQ(journal.read().front(), kept);
}

} // namespace
} // namespace tallimo::test
