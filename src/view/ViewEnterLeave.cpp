#include "calc/DayComputation.h"
#include "document/AtomicFile.h"
#include "view/CTagrolView.h"

#include <filesystem>
#include <system_error>

namespace tallimo {
namespace {

// Before this hour, "Leave now" on a day without an arrival ends the shift that began yesterday.
constexpr int kNightShiftEndHour = 12;

int dayRow(Instant instant) {
    return splitLocal(instant).day - 1;
}

} // namespace

int CTagrolView::enterRow(Instant now) const {
    return isInMonth(now) ? dayRow(now) : -1;
}

int CTagrolView::leaveRow(Instant now) const {
    const int today = enterRow(now);
    const LocalFields fields = splitLocal(now);
    if (fields.hour < kNightShiftEndHour &&
        (today < 0 || m_sheet.work.itemText(today, WorkColumn::Enter).empty())) {
        const auto yesterday =
            makeLocalInstant(fields.year, fields.month, fields.day - 1, 12, 0, 0);
        if (yesterday && isInMonth(*yesterday) &&
            isTimeCell(m_sheet.work.itemText(dayRow(*yesterday), WorkColumn::Enter))) {
            return dayRow(*yesterday);
        }
    }
    return today;
}

bool CTagrolView::isInMonth(Instant now) const {
    if (now < m_sheet.minDate || now > m_sheet.maxDate) {
        return false;
    }
    // In a month where the clocks go forward the bounds reach 00:59 of the next month's first
    // day; that day's row is not in this month, and row 0 must not receive it.
    const LocalFields today = splitLocal(now);
    const LocalFields first = splitLocal(m_sheet.minDate);
    return today.month == first.month && today.year == first.year;
}

Result CTagrolView::refuseOutsideMonth(std::string_view handler) {
    m_platform.ui.showMessage("Please open the current tallimo file first!");
    traceLine("Leave " + std::string(handler) + " with error");
    return Result::refused();
}

void CTagrolView::makeDailyBackup(Instant now) {
    const std::string& path = m_doc.path();
    if (path.empty()) {
        traceLine("No backup made: the document has no file yet");
        return;
    }
    // Copied beside its name and renamed into place, so a cut copy never passes for a backup.
    const std::string backup = path + formatInstant(now, "%Y%m%d%H%M%S") + ".bak";
    Result copied = copyFileAtomically(path, backup, false);
    if (copied) {
        return;
    }
    // Only an existing backup is worth the question; any other failure would not be mended by
    // replacing it.
    std::error_code ignored;
    if (std::filesystem::exists(std::filesystem::symlink_status(backup, ignored))) {
        if (m_platform.ui.ask("The backup file exist! Would you overwrite them?") != Answer::Ok) {
            return;
        }
        copied = copyFileAtomically(path, backup, true);
    }
    if (!copied) {
        traceLine("No backup made: " + backup + ": " + copied.message);
    }
}

Result CTagrolView::OnEnter() {
    return enterAt(m_platform.clock.now());
}

Result CTagrolView::enterAt(Instant now) {
    traceLine("Enter OnEnter");
    const LocalFields today = splitLocal(now);
    traceLine("Day: " + std::to_string(today.day) + " Month: " + std::to_string(today.month) +
              " Year: " + std::to_string(today.year));
    const int row = enterRow(now);
    if (row < 0) {
        return refuseOutsideMonth("OnEnter");
    }
    if (m_settings.AutoBackup) {
        makeDailyBackup(now);
    }
    const Instant forecast = now + kForecastOffset;
    const std::string entered = m_sheet.work.GetItemText(row, WorkColumn::Enter);
    Result result;
    if (entered.empty() ||
        m_platform.ui.ask("You had entered the office today at: " + entered + ".") == Answer::Ok) {
        m_sheet.work.SetItemText(row, WorkColumn::Enter, formatInstant(now, "%H:%M:%S"));
        m_sheet.work.SetItemText(row, WorkColumn::Leave, formatInstant(forecast, "%H:%M:%S"));
        m_sheet.work.SetItemText(row, WorkColumn::Comment, "automatic created entry");
    } else {
        result = Result::cancelled();
    }
    if (m_settings.RememberMe) {
        armReminderFromEnter(now, forecast);
    }
    CalculateWorkRow(row);
    m_doc.afterChange(m_settings.AutoSave);
    traceLine("Leave OnEnter");
    return result;
}

Result CTagrolView::OnLeave() {
    traceLine("Enter OnLeave");
    const Instant now = m_platform.clock.now();
    const int row = leaveRow(now);
    if (row < 0) {
        return refuseOutsideMonth("OnLeave");
    }
    const std::string left = m_sheet.work.GetItemText(row, WorkColumn::Leave);
    Result result;
    if (left.empty() ||
        m_platform.ui.ask("You had left the office today at: " + left + ".") == Answer::Ok) {
        // Yesterday's row receives the carried-over form (00:30 is 24:30:00), which every reader
        // of the file places on the next day.
        const auto day = parseDateCell(m_sheet.work.itemText(row, WorkColumn::Date));
        m_sheet.work.SetItemText(row, WorkColumn::Leave,
                                 day ? leaveCellText(*day, now) : formatInstant(now, "%H:%M:%S"));
    } else {
        result = Result::cancelled();
    }
    CalculateWorkRow(row);
    m_doc.afterChange(m_settings.AutoSave);
    if (m_settings.RememberMe && m_timerId != 0) {
        stopReminderTimer();
    }
    traceLine("Leave OnLeave");
    return result;
}

} // namespace tallimo
