#pragma once

#include "calc/TimeValue.h"

#include <string>

namespace tallimo {

class Ui;

// The entry dialog as data and rules: the Ui shows the values, calls the rules on the dialog's
// events and returns true on OK. Only the calendar date of the date values and only the clock
// time of the time values are used by the commands.
struct EntryDialog {
    Instant startDate = 0;
    Instant endDate = 0;
    Instant startTime = 0;
    Instant endTime = 0;
    std::string comment;
    // A day's Leave on the date after its row's, written in the carried-over form (24:00:00 to
    // 47:59:59). The desktop's pickers offer no such day; a terminal user types it.
    bool endNextDay = false;
    bool standBy = false;
    bool ok = false;
    bool modifyMode = false;
    bool workMode = true;
    Instant minDate = 0;
    Instant maxDate = 0;

    std::string title() const;
    bool standByEnabled() const { return !workMode; }
    // A day's row is chosen by its date, so a work row's date cannot be changed.
    bool datePickersEnabled() const { return !(workMode && modifyMode); }

    // The start-date calendar closed: warns about a date before the month, end date follows.
    void startDateCalendarClosed(Ui& ui);
    // The end-date calendar closed: warns about a date after the month, corrects nothing.
    void endDateCalendarClosed(Ui& ui);
    // A new start time proposes a nine-hour day, except when an entry is being modified.
    void startTimeChanged();
};

inline constexpr Span kProposedDayLength = 32400;

} // namespace tallimo
