#include "report/MonthReport.h"

#include "document/MonthTotals.h"
#include "platform/Encoding.h"
#include "view/CTagrolView.h"
#include "view/Settings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace tallimo {
namespace {

// The report's order of the work list's columns: the times first, the comment last.
constexpr std::array<int, WorkColumn::Count> kDayOrder = {
    WorkColumn::Date,         WorkColumn::Weekday,  WorkColumn::Enter,    WorkColumn::Leave,
    WorkColumn::AtWork,       WorkColumn::Worktime, WorkColumn::Overtime, WorkColumn::StandBy,
    WorkColumn::TimeAndLabor, WorkColumn::Comment};

// A cell on one printed line: line breaks and tabs become blanks.
std::string printedText(std::string_view cell) {
    std::string text = windows1252ToUtf8(cell);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    return text;
}

ReportCell cellOf(const CellTable& list, int row, int column) {
    return {printedText(list.itemText(row, column)),
            resolveCellLook(list.cellAttributes(row, column), list.rowAttributes(row), false, {})};
}

std::optional<Instant> firstDay(const CTagrolView& view) {
    const CellTable& work = view.sheet().work;
    return work.rowCount() > 0 ? parseDateCell(work.itemText(0, WorkColumn::Date)) : std::nullopt;
}

std::string workSpan(Span span) {
    return totalSpanText(span, TotalList::Work);
}

// Hours of a month's work read best unbroken into days: "168:30:00".
std::string hoursText(Span span) {
    const Span magnitude = span < 0 ? -span : span;
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld:%02lld:%02lld", span < 0 ? "-" : "",
                  static_cast<long long>(magnitude / 3600),
                  static_cast<long long>(magnitude / 60 % 60),
                  static_cast<long long>(magnitude % 60));
    return text;
}

std::string dayCount(double days) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", days);
    return text;
}

} // namespace

std::optional<Paper> parsePaper(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "a4") {
        return Paper::A4;
    }
    if (lower == "letter") {
        return Paper::Letter;
    }
    return std::nullopt;
}

Paper paperOfSize(int widthMm, int heightMm) {
    return widthMm == 216 && heightMm == 279 ? Paper::Letter : Paper::A4;
}

Balance folderBalance(CTagrolView& view, Span start) {
    const std::string& path = view.document().path();
    std::vector<std::string> paths;
    if (!path.empty()) {
        const auto folder = std::filesystem::path(path).parent_path();
        // A folder that cannot be listed leaves the open month alone in the balance.
        listMonthFiles(folder.empty() ? "." : folder.string(), paths);
    }
    const auto model = view.modelToday();
    const ModelToday* counting = model ? &*model : nullptr;
    return openMonthBalance(MonthFileCache().read(paths),
                            openMonthFile(view.sheet(), path, monthTotals(view.sheet(), counting)),
                            start, counting);
}

std::optional<WorkModelFigures> workModelFigures(CTagrolView& view, const Balance& balance) {
    const auto model = view.modelToday();
    const std::vector<DayEntry> month = dayEntries(view.sheet().work);
    if (!model || month.empty()) {
        return std::nullopt;
    }
    const CivilDate first = month.front().date;
    const ModelMonth figures = countMonth(model->calendar, month, model->today);
    // The open month is in the balance as it is in the window.
    std::vector<DayEntry> year;
    for (const BalanceLine& line : balance.lines) {
        if (line.counted) {
            year.insert(year.end(), line.file.days.begin(), line.file.days.end());
        }
    }
    const VacationYear vacation = vacationYear(model->calendar, year, first.year, model->today);
    return WorkModelFigures{
        figures.target, figures.worked,
        static_cast<int>(model->calendar.holidaysOf(first.year, first.month).size()),
        figures.vacationTaken, vacation.left};
}

MonthReport buildMonthReport(const CTagrolView& view, const Balance& balance, Instant printedAt,
                             const std::optional<WorkModelFigures>& workModel) {
    const TimeSheet& sheet = view.sheet();
    MonthReport report;
    const SettingsRecord& settings = view.settings();
    report.person = {settings.ReportName, settings.ReportNumber, settings.ReportDepartment};
    if (const auto first = firstDay(view)) {
        report.month = formatInstant(*first, "%B %Y");
    }
    report.file = view.document().path();
    report.printDate = formatInstant(printedAt, "%Y-%m-%d");
    for (const int column : kDayOrder) {
        report.dayColumns.emplace_back(kWorkColumns[column].header);
    }
    for (int row = 0; row < sheet.work.rowCount(); ++row) {
        ReportRow& cells = report.days.emplace_back();
        for (const int column : kDayOrder) {
            cells.push_back(cellOf(sheet.work, row, column));
        }
    }
    for (const ColumnSpec& column : kSquadColumns) {
        report.squadColumns.emplace_back(column.header);
    }
    for (int row = 0; row < sheet.squad.rowCount(); ++row) {
        ReportRow& cells = report.squad.emplace_back();
        for (int column = 0; column < SquadColumn::Count; ++column) {
            cells.push_back(cellOf(sheet.squad, row, column));
        }
    }
    // The balance ends with the open month, counted as the window shows it (under the folder's
    // work model where there is one); what it adds was carried into the balance.
    MonthTotals totals = monthTotals(sheet);
    Span month = 0;
    if (const auto first = firstDay(view)) {
        for (const BalanceLine& line : balance.lines) {
            if (line.counted && line.month == yearMonthOf(*first)) {
                month = line.file.totals.overtime;
                totals.overtime = month;
            }
        }
    }
    // The total lines read exactly as the totals commands show them.
    for (const auto& [span, list] : {std::pair{totals.overtime, TotalList::Work},
                                     std::pair{totals.standby, TotalList::Squad}}) {
        const std::string text =
            windows1252ToUtf8(overtimeTotalText(span, list, TotalScope::Month));
        const auto colon = text.find(": ");
        report.totals.push_back(colon == std::string::npos ? ReportLine{text, ""}
                                                           : ReportLine{text.substr(0, colon + 1),
                                                                        text.substr(colon + 2)});
    }
    report.totals.push_back({"Balance brought forward:", workSpan(balance.total - month)});
    // Files of the folder that could not be read are not in it, and the reader must know.
    std::string carried = workSpan(balance.total);
    if (balance.leftOut > 0) {
        carried += " (" + std::to_string(balance.leftOut) +
                   (balance.leftOut == 1 ? " file" : " files") + " left out)";
    }
    report.totals.push_back({"Balance carried forward:", carried});
    if (workModel) {
        report.workModel = {{"Target:", hoursText(workModel->target)},
                            {"Worked:", hoursText(workModel->worked)},
                            {"Holidays:", std::to_string(workModel->holidays)},
                            {"Vacation days taken:", dayCount(workModel->vacationTaken)},
                            {"Vacation days left:", dayCount(workModel->vacationLeft)}};
    }
    return report;
}

std::string reportFileName(const CTagrolView& view) {
    const auto first = firstDay(view);
    return first ? "tallimo-report-" + yearMonthText(yearMonthOf(*first)) + ".pdf"
                 : "tallimo-report.pdf";
}

} // namespace tallimo
