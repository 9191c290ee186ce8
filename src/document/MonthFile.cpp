#include "document/MonthFile.h"

#include "document/TimeSheetFile.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace tallimo {
namespace {

// The balance needs the stored cells only: nothing is computed into the rows.
class NoCalculation final : public RowCalculator {
public:
    void CalculateWorkRow(int) override {}
    void CalculateSquadRow(int) override {}
};

const char* damageText(LoadProblem problem) {
    switch (problem) {
    case LoadProblem::Header:
        return "its file header is damaged";
    case LoadProblem::WorkRows:
        return "its time data is damaged";
    case LoadProblem::SquadRows:
        return "its squad data is damaged";
    case LoadProblem::TrailingBytes:
        return "it holds data after its last row";
    }
    return "it is damaged";
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace

MonthFile readMonthFile(const std::string& path) {
    MonthFile month;
    month.path = path;
    const TimeSheetRead file = readTimeSheetFile(path);
    month.stamp = file.stamp;
    if (!file.read) {
        month.error = file.read.message;
        return month;
    }
    switch (file.start) {
    case FileStart::TooShort:
        month.error = "it is too short to be a time sheet";
        return month;
    case FileStart::NotTimeSheet:
        month.error = "it has no valid file header";
        return month;
    case FileStart::TimeSheet:
        break;
    }
    TimeSheet sheet;
    NoCalculation none;
    std::optional<LoadProblem> first;
    loadTimeSheet(file.bytes, sheet, none, [&first](LoadProblem problem) {
        if (!first) {
            first = problem;
        }
    });
    if (first != LoadProblem::Header) {
        month.minDate = sheet.minDate;
    }
    if (first) {
        month.error = damageText(*first);
        return month;
    }
    month.totals = monthTotals(sheet);
    month.days = dayEntries(sheet.work);
    return month;
}

std::string printableFileName(std::string_view path) {
    std::string out;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

bool isMonthFileName(std::string_view name) {
    return !name.empty() && !name.starts_with('.') && !endsWith(name, ".bak") &&
           name.find(".damaged-") == std::string_view::npos;
}

Result listMonthFiles(const std::string& folder, std::vector<std::string>& paths) {
    namespace fs = std::filesystem;
    paths.clear();
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        // Whatever the entry is: one that is no readable file (a pipe, a folder, a dangling or
        // looping link) is listed as unreadable with its reason, not left out without a word.
        const std::string name = entries->path().filename().string();
        if (isMonthFileName(name) && endsWith(name, ".time")) {
            paths.push_back(entries->path().string());
        }
    }
    if (error) {
        paths.clear();
        return Result::failed(error.message());
    }
    std::sort(paths.begin(), paths.end());
    return {};
}

std::vector<MonthFile> MonthFileCache::read(const std::vector<std::string>& paths) {
    std::map<std::string, MonthFile> kept;
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen;
    std::vector<MonthFile> files;
    for (const std::string& path : paths) {
        if (kept.contains(path)) {
            continue;
        }
        const auto cached = m_files.find(path);
        MonthFile file = cached != m_files.end() && fileStampOf(path) == cached->second.stamp
                             ? cached->second
                             : readMonthFile(path);
        const bool opened = file.stamp.inode != 0 || file.stamp.device != 0;
        if (opened && !seen.insert({file.stamp.device, file.stamp.inode}).second) {
            continue;
        }
        kept[path] = file;
        files.push_back(std::move(file));
    }
    m_files = std::move(kept);
    return files;
}

} // namespace tallimo
