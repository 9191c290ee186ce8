#pragma once

#include "calc/TimeValue.h"
#include "document/CellTable.h"

namespace tallimo {

// Columns of the work list, one row per day.
namespace WorkColumn {
inline constexpr int Date = 0;
inline constexpr int Weekday = 1;
inline constexpr int Enter = 2;
inline constexpr int Leave = 3;
inline constexpr int Comment = 4;
inline constexpr int StandBy = 5;
inline constexpr int AtWork = 6;
inline constexpr int Worktime = 7;
inline constexpr int Overtime = 8;
inline constexpr int TimeAndLabor = 9;
inline constexpr int Count = 10;
} // namespace WorkColumn

// Columns of the squad list, one row per stand-by period.
namespace SquadColumn {
inline constexpr int Start = 0;
inline constexpr int End = 1;
inline constexpr int Worktime = 2;
inline constexpr int TimeAndLabor = 3;
inline constexpr int Incident = 4;
inline constexpr int Description = 5;
inline constexpr int Count = 6;
} // namespace SquadColumn

// Row looks set by the row set-ups.
inline constexpr Colour kWeekendBackColour = 0xAAF0F0;
inline constexpr Colour kAlternateSquadBackColour = 0xE8FFFF;
inline constexpr Colour kPlainSquadBackColour = 0xFFFFFF;
// The Overtime cell's text: blue for more than the regular presence, red for less.
inline constexpr Colour kPositiveOvertimeColour = 0xFF0000;
inline constexpr Colour kNegativeOvertimeColour = 0x0000FF;

struct ColumnSpec {
    const char* header;
    int width;
};
inline constexpr ColumnSpec kWorkColumns[WorkColumn::Count] = {
    {"Date", 70},     {"Weekday", 90}, {"Enter", 70},    {"Leave", 70},    {"Comment", 200},
    {"Stand-by", 70}, {"@Work", 70},   {"Worktime", 70}, {"Overtime", 70}, {"Time and Labor", 200}};
inline constexpr ColumnSpec kSquadColumns[SquadColumn::Count] = {
    {"Start", 120},       {"End", 120},     {"Worktime", 70},
    {"TimeAndLabor", 90}, {"Incident", 90}, {"Description", 140}};

// The month: both tables and its bounds. Bounds are 0 until a month is made or loaded, so that no
// current instant lies between them.
struct TimeSheet {
    TimeSheet();

    CellTable work;
    CellTable squad;
    Instant minDate = 0;
    Instant maxDate = 0;
};

// The row computations, provided by the view; the document's row set-ups end with them.
class RowCalculator {
public:
    virtual ~RowCalculator() = default;
    virtual void CalculateWorkRow(int row) = 0;
    virtual void CalculateSquadRow(int row) = 0;
};

// Whether a time sheet file can hold the month: its first instant and the moment after its last
// day lie within the file's time fields.
bool monthFitsTimeSheet(int month, int year);

// The weekday of a day row and the look of a weekend day.
void showDayLook(CellTable& work, int row, Instant date);
// The alternating look of squad rows: odd rows are tinted; even rows get the plain record only
// where `plainEvenRows` asks (after a deletion moved rows), else none.
void showSquadRowLook(CellTable& squad, int row, bool plainEvenRows);

// Day row set-up: weekday, weekend look, then the day computation.
void setUpDayRow(TimeSheet& sheet, int row, RowCalculator& calculator);
// Squad row set-up: the alternate look on odd rows, then the period computation.
void setUpSquadRow(TimeSheet& sheet, int row, RowCalculator& calculator);

} // namespace tallimo
