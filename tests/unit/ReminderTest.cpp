#include "support/ViewFixture.h"
#include "view/OptionsDialog.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

Instant may10(int hour, int minute, int second = 0) {
    return ViewFixture::at(10, 5, 2006, hour, minute, second);
}

// Options answered OK with only the reminder switch changed.
void setRememberMe(ViewFixture& f, bool on) {
    f.ui.onOptionsDialog = [on](OptionsDialog& dialog) {
        dialog.RememberMe = on ? 1 : 0;
        dialog.OnOK();
        return true;
    };
    f.view->OnGoOptions();
}

TEST(Reminder, RemindsOnceWhenLessThanAMinuteIsLeft) {
    const struct {
        Instant enter;
        Instant tick;
        bool reminds;
    } cases[] = {
        {may10(8, 0), may10(16, 59, 0), false},
        {may10(8, 0), may10(16, 59, 1), true},
        // A late shift's forecast lies on the next day, and fires there.
        {may10(16, 30), may10(16, 30), false},
        {may10(16, 30), ViewFixture::at(11, 5, 2006, 1, 29, 1), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tick);
        ViewFixture f({"RememberMe"});
        f.newMonth(5, 2006);
        f.clock.current = c.enter;
        f.view->OnEnter();
        f.clock.current = c.tick;
        // Ticks of other timers are not the reminder's.
        f.view->OnTimer(7);
        f.view->OnTimer(CTagrolView::kReminderTimerId);
        EXPECT_EQ(f.ui.messages,
                  std::vector<std::string>(c.reminds ? 1 : 0, "Its is time to go home!"));
        EXPECT_EQ(f.view->reminderTimer(), c.reminds ? 0u : 22u);
    }
}

TEST(Reminder, SwitchingOnInOptionsTakesTodaysLeaveOrRemindsAtOnce) {
    const struct {
        const char* enter;
        const char* leave;
        Instant goHome;
    } cases[] = {
        {"", "18:15:00", may10(18, 15)},
        {"", "8:00", 0},
        // A night shift's Leave lies on the next day.
        {"22:00:00", "06:00:00", ViewFixture::at(11, 5, 2006, 6, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.leave);
        ViewFixture f;
        f.newMonth(5, 2006);
        f.work().SetItemText(9, WorkColumn::Enter, c.enter);
        f.work().SetItemText(9, WorkColumn::Leave, c.leave);
        f.clock.current = may10(10, 0);
        setRememberMe(f, true);
        EXPECT_EQ(f.timers.calls, std::vector<std::string>{"start 22 9000"});
        EXPECT_EQ(f.view->goHomeTime(), c.goHome);
        f.clock.current = may10(10, 0, 9);
        f.view->OnTimer(CTagrolView::kReminderTimerId);
        EXPECT_EQ(f.ui.messages.size(), c.goHome != 0 ? 0u : 1u);
    }
}

// An armed reminder, as Enter now leaves it.
struct ArmedReminder : ViewFixture {
    ArmedReminder() : ViewFixture({"RememberMe"}) {
        newMonth(5, 2006);
        clock.current = may10(8, 0);
        view->OnEnter();
    }
};

TEST(Reminder, OptionsLeaveARunningReminderAloneWhileTheSwitchStaysOn) {
    ArmedReminder f;
    setRememberMe(f, true);
    EXPECT_EQ(f.timers.calls, std::vector<std::string>{"start 22 30000"});
}

TEST(Reminder, SwitchingOffInOptionsDisarmsTheReminder) {
    ArmedReminder f;
    setRememberMe(f, false);
    EXPECT_EQ(f.timers.calls.back(), "stop 22");
    EXPECT_EQ(f.view->reminderTimer(), 0u);
    EXPECT_EQ(f.view->goHomeTime(), 0);
}

} // namespace
} // namespace tallimo::test
