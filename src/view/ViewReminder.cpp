#include "view/CTagrolView.h"

namespace tallimo {
namespace {

constexpr unsigned kEnterPeriodMs = 30000;
constexpr unsigned kOptionsPeriodMs = 9000;
// Less than this is left of the day: time to go.
constexpr Span kReminderMargin = 60;

} // namespace

void CTagrolView::armReminderFromEnter(Instant now, Instant forecast) {
    if (m_timerId == 0) {
        m_timerId = m_platform.timers.start(kReminderTimerId, kEnterPeriodMs);
    }
    // The forecast's clock time on today's date: a forecast past midnight lies in the past.
    const LocalFields today = splitLocal(now);
    const LocalFields leave = splitLocal(forecast);
    if (const auto goHome = makeLocalInstant(today.year, today.month, today.day, leave.hour,
                                             leave.minute, leave.second)) {
        m_goHome = *goHome;
    }
}

void CTagrolView::armReminderFromOptions() {
    m_timerId = m_platform.timers.start(kReminderTimerId, kOptionsPeriodMs);
    const int row = splitLocal(m_platform.clock.now()).day - 1;
    const std::string_view leave = m_sheet.work.itemText(row, WorkColumn::Leave);
    if (!isTimeCell(leave)) {
        return;
    }
    if (const auto goHome = dateCellAtTime(m_sheet.work.itemText(row, WorkColumn::Date), leave)) {
        m_goHome = *goHome;
    }
}

void CTagrolView::stopReminderTimer() {
    m_platform.timers.stop(m_timerId);
    m_timerId = 0;
}

void CTagrolView::OnTimer(unsigned id) {
    traceLine("Enter OnTimer");
    if (id == kReminderTimerId) {
        const Span remaining = m_goHome - m_platform.clock.now();
        if (remaining < kReminderMargin) {
            traceLine("Nowe its time to go home, I will now remember you.");
            // Stopped before the box, so that ticks while it is open cannot stack more boxes.
            if (m_timerId != 0) {
                stopReminderTimer();
            }
            m_platform.ui.showMessage("Its is time to go home!");
        } else {
            traceLine("Nothing to do. Time to at: " + formatInstant(m_goHome, "%H:%M:%S"));
        }
    }
    traceLine("Leave OnTimer");
}

} // namespace tallimo
