#include "calc/DayComputation.h"
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
    // The forecast read as the row's Leave: one past midnight lies on the next day.
    if (const auto goHome =
            leaveInstant(formatInstant(now, "%d.%m.%Y"), formatInstant(now, "%H:%M:%S"),
                         formatInstant(forecast, "%H:%M:%S"))) {
        setGoHome(*goHome, now);
    }
}

void CTagrolView::armReminderFromOptions() {
    m_timerId = m_platform.timers.start(kReminderTimerId, kOptionsPeriodMs);
    const int row = splitLocal(m_platform.clock.now()).day - 1;
    const CellTable& work = m_sheet.work;
    const std::string_view date = work.itemText(row, WorkColumn::Date);
    if (const auto goHome = leaveInstant(date, work.itemText(row, WorkColumn::Enter),
                                         work.itemText(row, WorkColumn::Leave))) {
        setGoHome(*goHome, *parseDateCell(date));
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
