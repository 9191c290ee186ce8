#pragma once

#include "document/MonthFile.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

struct YearMonth {
    int year = 0;
    int month = 0;
    auto operator<=>(const YearMonth&) const = default;
};
// "YYYY-MM"; empty for anything else.
std::optional<YearMonth> parseYearMonth(std::string_view text);
std::string yearMonthText(YearMonth month);
YearMonth yearMonthOf(Instant instant);

// The months a balance covers, both ends included; an open end covers everything on its side.
struct BalanceRange {
    std::optional<YearMonth> from;
    std::optional<YearMonth> to;
};

// One month file of a balance.
struct BalanceLine {
    MonthFile file;
    std::optional<YearMonth> month; // empty when not even the file's header could be read
    bool counted = false;
    // For a duplicate: the newer file of the same month, which counts instead.
    std::string countedCopy;
    Span balance = 0; // the running balance after this line
    // With a work model: the month's figures; its overtime is then the month's overtime.
    std::optional<ModelMonth> model;
    bool operator==(const BalanceLine&) const = default;
};

// The overtime carried from month to month: a starting balance plus the work list's overtime of
// each month in calendar order. The stand-by periods are added up beside it, not into it.
struct Balance {
    Span start = 0;
    // By the months' own dates; files whose header could not be read come last.
    std::vector<BalanceLine> lines;
    Span overtime = 0; // of the counted months
    Span standby = 0;
    Span total = 0;  // start + overtime
    int leftOut = 0; // files that could not be read
    bool operator==(const Balance&) const = default;
};

// Files of one month but the newest (by modification time) are listed without counting; files
// that could not be read are listed and left out; months outside the range are dropped.
Balance computeBalance(std::vector<MonthFile> files, Span start, const BalanceRange& range,
                       const ModelToday* model = nullptr);

// The open month as it is in memory, with changes not saved yet: its path, the stamp of its file
// (zeros while it is not on disk), its first instant and its totals.
MonthFile openMonthFile(const TimeSheet& open, const std::string& path, MonthTotals totals);
// The months of the open document's folder up to and including the open month, which counts as
// it is in memory. `folderFiles` may hold the open month's file; its stamp tells it.
Balance openMonthBalance(std::vector<MonthFile> folderFiles, MonthFile open, Span start,
                         const ModelToday* model = nullptr);

// "Balance: +12:34:56", with the files left out named by their number.
std::string balanceFieldText(const Balance& balance);

} // namespace tallimo
