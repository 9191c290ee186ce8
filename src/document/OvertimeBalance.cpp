#include "document/OvertimeBalance.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>

namespace tallimo {

std::optional<YearMonth> parseYearMonth(std::string_view text) {
    const auto digit = [&text](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() != 7 || text[4] != '-' || !digit(0) || !digit(1) || !digit(2) || !digit(3) ||
        !digit(5) || !digit(6)) {
        return std::nullopt;
    }
    const YearMonth month{readNumberAt(text, 1, 4), readNumberAt(text, 6, 7)};
    if (month.month < 1 || month.month > 12) {
        return std::nullopt;
    }
    return month;
}

std::string yearMonthText(YearMonth month) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d", month.year, month.month);
    return text;
}

YearMonth yearMonthOf(Instant instant) {
    const LocalFields fields = splitLocal(instant);
    return {fields.year, fields.month};
}

namespace {

bool inRange(const BalanceRange& range, YearMonth month) {
    return (!range.from || month >= *range.from) && (!range.to || month <= *range.to);
}

// The file of each month that counts: the newest; of equal times, the first by path.
void markCounted(std::vector<BalanceLine>& lines) {
    std::map<YearMonth, std::size_t> newest;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const BalanceLine& line = lines[i];
        if (!line.month || !line.file.readable()) {
            continue;
        }
        const auto [found, added] = newest.try_emplace(*line.month, i);
        const MonthFile& best = lines[found->second].file;
        if (!added &&
            (line.file.stamp.modifiedNs > best.stamp.modifiedNs ||
             (line.file.stamp.modifiedNs == best.stamp.modifiedNs && line.file.path < best.path))) {
            found->second = i;
        }
    }
    for (BalanceLine& line : lines) {
        if (!line.month || !line.file.readable()) {
            continue;
        }
        const BalanceLine& counted = lines[newest.at(*line.month)];
        line.counted = &counted == &line;
        if (!line.counted) {
            line.countedCopy = counted.file.path;
        }
    }
}

} // namespace

Balance computeBalance(std::vector<MonthFile> files, Span start, const BalanceRange& range,
                       const ModelToday* model) {
    Balance balance;
    balance.start = start;
    for (MonthFile& file : files) {
        BalanceLine line;
        if (file.minDate) {
            line.month = yearMonthOf(*file.minDate);
            if (!inRange(range, *line.month)) {
                continue;
            }
        }
        line.file = std::move(file);
        if (model && line.file.readable()) {
            line.model = countMonth(model->calendar, line.file.days, model->today);
            line.file.totals.overtime = line.model->overtime;
        }
        balance.lines.push_back(std::move(line));
    }
    // By the file's own bounds, never by its name; a stable sort keeps the given order otherwise.
    std::stable_sort(balance.lines.begin(), balance.lines.end(),
                     [](const BalanceLine& a, const BalanceLine& b) {
                         if (a.file.minDate.has_value() != b.file.minDate.has_value()) {
                             return a.file.minDate.has_value();
                         }
                         return a.file.minDate && *a.file.minDate < *b.file.minDate;
                     });
    markCounted(balance.lines);
    Span running = start;
    for (BalanceLine& line : balance.lines) {
        if (line.counted) {
            running += line.file.totals.overtime;
            balance.overtime += line.file.totals.overtime;
            balance.standby += line.file.totals.standby;
        }
        if (!line.file.readable()) {
            ++balance.leftOut;
        }
        line.balance = running;
    }
    balance.total = running;
    return balance;
}

MonthFile openMonthFile(const TimeSheet& open, const std::string& path, MonthTotals totals) {
    MonthFile month;
    month.path = path;
    month.stamp = fileStampOf(path).value_or(FileStamp{});
    month.minDate = open.minDate;
    month.totals = totals;
    month.days = dayEntries(open.work);
    return month;
}

Balance openMonthBalance(std::vector<MonthFile> folderFiles, MonthFile open, Span start,
                         const ModelToday* model) {
    const YearMonth month = yearMonthOf(open.minDate.value_or(0));
    const bool onDisk = open.stamp.device != 0 || open.stamp.inode != 0;
    const auto found =
        std::find_if(folderFiles.begin(), folderFiles.end(), [&](const MonthFile& file) {
            return onDisk && file.stamp.device == open.stamp.device &&
                   file.stamp.inode == open.stamp.inode;
        });
    // The open month counts as it is in the window: no other file of its month, newer or not,
    // and no copy while the month has no file yet, takes its place.
    open.stamp.modifiedNs = std::numeric_limits<std::int64_t>::max();
    if (found != folderFiles.end()) {
        *found = std::move(open);
    } else {
        folderFiles.push_back(std::move(open));
    }
    return computeBalance(std::move(folderFiles), start, {std::nullopt, month}, model);
}

std::string balanceFieldText(const Balance& balance) {
    std::string text = "Balance: ";
    if (balance.total > 0) {
        text += '+';
    }
    text += totalSpanText(balance.total, TotalList::Work);
    if (balance.leftOut == 1) {
        text += " (1 file left out)";
    } else if (balance.leftOut > 1) {
        text += " (" + std::to_string(balance.leftOut) + " files left out)";
    }
    return text;
}

} // namespace tallimo
