#include "document/BalanceRows.h"

#include "calc/OvertimeTotals.h"
#include "document/MonthFile.h"
#include "document/TimeSheet.h"

namespace tallimo {
namespace {

std::string workText(Span span) {
    return totalSpanText(span, TotalList::Work);
}

std::string standbyText(Span span) {
    return totalSpanText(span, TotalList::Squad);
}

std::optional<Colour> overtimeColour(Span overtime) {
    if (overtime == 0) {
        return std::nullopt;
    }
    return overtime > 0 ? kPositiveOvertimeColour : kNegativeOvertimeColour;
}

BalanceRow rowOf(const BalanceLine& line) {
    const std::string month = line.month ? yearMonthText(*line.month) : "?";
    if (!line.file.readable()) {
        return {{month, "-", "-", "unreadable", printableFileName(line.file.path)},
                line.file.error,
                std::nullopt};
    }
    const MonthTotals& totals = line.file.totals;
    return {{month, workText(totals.overtime), standbyText(totals.standby),
             line.counted ? workText(line.balance) : "duplicate",
             printableFileName(line.file.path)},
            "",
            overtimeColour(totals.overtime)};
}

} // namespace

std::vector<BalanceRow> balanceRows(const Balance& balance) {
    std::vector<BalanceRow> rows{
        {{"Start", "", "", workText(balance.start), ""}, "", std::nullopt}};
    for (const BalanceLine& line : balance.lines) {
        rows.push_back(rowOf(line));
    }
    rows.push_back({{"Total", workText(balance.overtime), standbyText(balance.standby),
                     workText(balance.total), ""},
                    "",
                    overtimeColour(balance.overtime)});
    return rows;
}

} // namespace tallimo
