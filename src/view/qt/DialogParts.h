#pragma once

#include "calc/TimeValue.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <functional>
#include <string>
#include <string_view>

class QBoxLayout;
class QDateEdit;
class QDialog;
class QPushButton;
class QTimeEdit;
class QWidget;

namespace tallimo {

// The program's Windows-1252 texts as Qt shows them, and back.
QString qtText(std::string_view bytes);
std::string programText(const QString& text);

// The local calendar date and time of day of an instant, from the zone rules and never through a
// QDateTime, so that a day with a clock change shows the day it is.
QDate localDate(Instant instant);
QTime localTime(Instant instant);
// The instant moved to another local date, keeping its time of day where that day has it. Both
// give the instant itself when it already shows that date or time.
Instant withLocalDate(Instant instant, QDate date);
// The instant at another local time of day; on a day whose clock skips that time the day before
// stands in, since only the time of day of a time value counts.
Instant withLocalTime(Instant instant, QTime time);

// A date picker with a calendar popup that F4 or Alt+Down opens, in the locale's long date
// format, wide enough for its longest date, limited to the days a time sheet can hold.
QDateEdit* makeDatePicker(QWidget* parent);
// A time picker with seconds.
QTimeEdit* makeTimePicker(QWidget* parent);
// Runs `closed` after the calendar of a picker made above has closed, once the picker shows its
// final date.
void onCalendarClosed(QDateEdit* picker, std::function<void()> closed);
// Opens the picker's calendar with its right edge at the picker's right edge.
void alignCalendarRight(QDateEdit* picker);

struct DialogButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};
// "OK" (the default button, accepting) and "Abbrechen" (rejecting), appended to a box layout.
DialogButtons addOkCancel(QDialog* dialog, QBoxLayout* layout);

} // namespace tallimo
