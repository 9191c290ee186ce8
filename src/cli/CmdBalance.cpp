#include "calc/Holidays.h"
#include "cli/CliArguments.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "document/BalanceRows.h"
#include "document/OvertimeBalance.h"
#include "document/RecentFileList.h"
#include "document/WorkModelFile.h"
#include "view/Settings.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <ostream>

namespace tallimo::cli {
namespace {

void writeTable(std::ostream& out, const Balance& balance) {
    std::vector<std::array<std::string, 5>> rows(1);
    std::copy(kBalanceHeadings.begin(), kBalanceHeadings.end(), rows.front().begin());
    for (const BalanceRow& row : balanceRows(balance)) {
        rows.push_back(row.cells);
    }
    std::array<std::size_t, 5> widths{};
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += row[i];
            line.append(i + 1 < row.size() ? widths[i] - row[i].size() + 2 : 0, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

std::string jsonSpan(const char* name, Span span, TotalList list) {
    return std::string("\"") + name + "\": " + std::to_string(span) + ", \"" + name +
           "Text\": " + jsonUtf8String(totalSpanText(span, list));
}

void writeJson(std::ostream& out, const Balance& balance) {
    out << "{" << jsonSpan("start", balance.start, TotalList::Work) << ", \"months\": [";
    for (std::size_t i = 0; i < balance.lines.size(); ++i) {
        const BalanceLine& line = balance.lines[i];
        out << (i > 0 ? ", " : "")
            << "{\"month\": " << (line.month ? jsonUtf8String(yearMonthText(*line.month)) : "null")
            << ", \"file\": " << jsonUtf8String(line.file.path)
            << ", \"counted\": " << (line.counted ? "true" : "false");
        if (line.file.readable()) {
            out << ", " << jsonSpan("overtime", line.file.totals.overtime, TotalList::Work) << ", "
                << jsonSpan("standby", line.file.totals.standby, TotalList::Squad) << ", "
                << jsonSpan("balance", line.balance, TotalList::Work);
            if (const auto& model = line.model) {
                out << ", " << jsonSpan("target", model->target, TotalList::Work) << ", "
                    << jsonSpan("worked", model->worked, TotalList::Work)
                    << ", \"missingDays\": " << model->missingDays;
            }
        } else {
            out << ", \"error\": " << jsonUtf8String(line.file.error);
        }
        if (!line.countedCopy.empty()) {
            out << ", \"duplicateOf\": " << jsonUtf8String(line.countedCopy);
        }
        out << '}';
    }
    out << "], " << jsonSpan("overtime", balance.overtime, TotalList::Work) << ", "
        << jsonSpan("standby", balance.standby, TotalList::Squad) << ", "
        << jsonSpan("balance", balance.total, TotalList::Work)
        << ", \"leftOut\": " << balance.leftOut << "}\n";
}

// The month files the arguments name: a folder stands for its month files; a file named as a
// backup, a damaged original or a helper file is no month and is skipped.
bool collectFiles(CliContext& context, const std::vector<std::string>& args,
                  std::vector<std::string>& files) {
    for (const std::string& arg : args) {
        std::error_code error;
        if (!std::filesystem::is_directory(arg, error)) {
            if (isMonthFileName(std::filesystem::path(arg).filename().string())) {
                files.push_back(arg);
            }
            continue;
        }
        std::vector<std::string> inFolder;
        if (const Result listed = listMonthFiles(arg, inFolder); !listed) {
            context.fail("balance: the folder " + arg + " cannot be read: " + listed.message);
            return false;
        }
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return true;
}

int runBalance(CliContext& context) {
    const ParsedArguments parsed =
        parseArguments(context.args, {"--from", "--to", "--start"}, {"--json"});
    if (!parsed.error.empty()) {
        return context.fail("balance: " + parsed.error, kExitUsage);
    }
    BalanceRange range;
    for (const auto& [name, bound] :
         {std::pair{"--from", &range.from}, std::pair{"--to", &range.to}}) {
        if (const auto text = parsed.option(name)) {
            *bound = parseYearMonth(*text);
            if (!*bound) {
                return context.fail(std::string("balance: ") + name + " wants YYYY-MM, not '" +
                                        *text + "'",
                                    kExitUsage);
            }
        }
    }
    std::optional<Span> start;
    if (const auto text = parsed.option("--start")) {
        start = parseSignedSpan(*text);
        if (!start) {
            return context.fail("balance: --start wants a span such as +12:30 or -1:00:00, not '" +
                                    *text + "'",
                                kExitUsage);
        }
    } else {
        start = readBalanceStart(context.settings);
        if (!start) {
            return context.fail("balance: the setting BalanceStart is no span such as +12:30; "
                                "set it again with 'tallimo-cli options BalanceStart=SPAN'");
        }
    }
    std::vector<std::string> args = parsed.positional;
    if (args.empty()) {
        const std::string last = lastDocument(context.settings);
        if (last.empty()) {
            return context.fail("balance: no FOLDER or FILE given and no last document known",
                                kExitUsage);
        }
        const auto folder = std::filesystem::path(last).parent_path();
        args.push_back(folder.empty() ? "." : folder.string());
    }
    std::vector<std::string> files;
    if (!collectFiles(context, args, files)) {
        return kExitRefused;
    }
    // The model of the folder named first (of a file: its folder) counts every month.
    std::error_code error;
    const std::string modelFolder =
        std::filesystem::is_directory(args.front(), error)
            ? args.front()
            : std::filesystem::path(args.front()).parent_path().string();
    std::optional<WorkModel> workModel;
    if (const Result read = readWorkModel(modelFolder, workModel); !read) {
        return context.fail("balance: " + read.message);
    }
    std::optional<WorkCalendar> calendar;
    std::optional<ModelToday> model;
    if (workModel) {
        calendar.emplace(std::move(*workModel), publicHolidays);
        model.emplace(ModelToday{*calendar, civilDateOf(context.clock.now())});
    }
    const Balance balance =
        computeBalance(MonthFileCache().read(files), *start, range, model ? &*model : nullptr);
    if (parsed.flag("--json")) {
        writeJson(context.out, balance);
    } else {
        writeTable(context.out, balance);
    }
    for (const BalanceLine& line : balance.lines) {
        if (!line.file.readable()) {
            context.fail("balance: " + line.file.path + " cannot be read (" + line.file.error +
                         "); it is left out");
        } else if (!line.counted) {
            context.fail("balance: " + line.file.path + " is a second file of " +
                         yearMonthText(*line.month) + "; only the newer " + line.countedCopy +
                         " counts");
        }
    }
    return balance.leftOut > 0 ? kExitRefused : kExitDone;
}

} // namespace

const CliCommand kBalanceCommand{
    "balance", "balance [FOLDER | FILE...] [--from YYYY-MM] [--to YYYY-MM] [--start SPAN] [--json]",
    "Prints the overtime balance carried from month to month: the starting balance, then one\n"
    "line per month file in the order of the months' own dates (Month, Overtime, Stand-by,\n"
    "Balance, File), then the total. Overtime is what 'total' prints for the month's work\n"
    "list and adds up into the running Balance; Stand-by is the squad list's total, listed\n"
    "beside it and not added. Spans are written as 'total' writes them.\n"
    "A FOLDER stands for its *.time files (default: the folder of the last document);\n"
    "backups (*.bak), kept damaged originals (*.damaged-*) and lock files are no months.\n"
    "With a work model (tallimo-model.txt in the folder named first) a month's Overtime is\n"
    "what the model counts: worktime less each day's target up to today.\n"
    "Files are only read, never locked or changed. Of two files of the same month only the\n"
    "newer (by modification time) counts; the other is listed as 'duplicate' and named on\n"
    "standard error. A file that cannot be read is listed as 'unreadable', left out of the\n"
    "balance and named with the reason on standard error; the exit status is then 1.\n"
    "  --from YYYY-MM, --to YYYY-MM  only the months from or up to this one\n"
    "  --start SPAN  the balance before the first month, such as +12:30 or -1:00:00\n"
    "                (default: the setting BalanceStart, else 0)\n"
    "  --json        one JSON object: start, months (each with month as YYYY-MM or null,\n"
    "                file, counted, overtime, standby and balance, or error for a file\n"
    "                that cannot be read, and duplicateOf for a second file of a month;\n"
    "                with a work model also target, worked and missingDays),\n"
    "                overtime, standby, balance and leftOut; every span in seconds and as\n"
    "                text in a field named after it with 'Text' appended (startText, ...)\n",
    runBalance};

} // namespace tallimo::cli
