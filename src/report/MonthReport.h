#pragma once

#include "calc/TimeValue.h"
#include "document/CellLook.h"
#include "document/OvertimeBalance.h"

#include <optional>
#include <string>
#include <vector>

namespace tallimo {

class CTagrolView;

// The person the report is for; UTF-8 as the user typed it.
struct ReportPerson {
    std::string name;
    std::string number;
    std::string department;
    bool operator==(const ReportPerson&) const = default;
};

enum class Paper { A4, Letter };
// "a4" or "letter", any case; empty for anything else.
std::optional<Paper> parsePaper(std::string_view text);
// The paper of a locale's paper size in millimetres: Letter for 216 x 279, else A4.
Paper paperOfSize(int widthMm, int heightMm);

// What a work model says about the month; absent without a model.
struct WorkModelFigures {
    Span target = 0;
    Span worked = 0;
    int holidays = 0;
    double vacationTaken = 0;
    double vacationLeft = 0;
    bool operator==(const WorkModelFigures&) const = default;
};

// One cell as printed: UTF-8 text on one line and the look the window gives it.
struct ReportCell {
    std::string text;
    CellLook look;
    bool operator==(const ReportCell&) const = default;
};
using ReportRow = std::vector<ReportCell>;

struct ReportLine {
    std::string label;
    std::string value;
    bool operator==(const ReportLine&) const = default;
};

// The month report as data: what is printed, in the order it is printed, without any drawing.
struct MonthReport {
    ReportPerson person;
    std::string month; // "March 2006"
    std::string file;
    std::string printDate; // "2026-12-07"
    std::vector<std::string> dayColumns;
    std::vector<ReportRow> days;
    std::vector<std::string> squadColumns;
    std::vector<ReportRow> squad;
    std::vector<ReportLine> totals;
    // The work model's figures; empty without a model, and then not printed.
    std::vector<ReportLine> workModel;
};

// The balance of the open month's folder up to and including the open month as it is in memory.
Balance folderBalance(CTagrolView& view, Span start);
// The figures of the open month under its folder's work model (vacation left counted over the
// months of `balance`); empty where the folder has no model.
std::optional<WorkModelFigures> workModelFigures(CTagrolView& view, const Balance& balance);

// The report of the view's open month, for the person of the view's settings. `balance` is the
// folder's (see folderBalance).
MonthReport buildMonthReport(const CTagrolView& view, const Balance& balance, Instant printedAt,
                             const std::optional<WorkModelFigures>& workModel = std::nullopt);

// "tallimo-report-2006-03.pdf" for the open month; "tallimo-report.pdf" without one.
std::string reportFileName(const CTagrolView& view);

} // namespace tallimo
