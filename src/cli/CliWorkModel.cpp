#include "cli/CliWorkModel.h"

#include "calc/Holidays.h"
#include "document/OvertimeBalance.h"
#include "document/RecentFileList.h"
#include "document/WorkModelFile.h"

#include <filesystem>

namespace tallimo::cli {

std::string modelFolderOf(CliContext& context, const std::string& command,
                          const std::vector<std::string>& positional) {
    if (!positional.empty()) {
        return positional.front();
    }
    const std::string last = lastDocument(context.settings);
    if (last.empty()) {
        context.fail(command + ": no FOLDER given and no last document known", kExitUsage);
        return {};
    }
    const auto folder = std::filesystem::path(last).parent_path();
    return folder.empty() ? "." : folder.string();
}

bool readCalendar(CliContext& context, const std::string& command, const std::string& folder,
                  std::optional<WorkCalendar>& calendar) {
    std::optional<WorkModel> model;
    if (const Result read = readWorkModel(folder, model); !read) {
        context.fail(command + ": " + read.message);
        return false;
    }
    if (model) {
        calendar.emplace(std::move(*model), publicHolidays);
    }
    return true;
}

std::vector<DayEntry> folderDays(const std::string& folder) {
    std::vector<std::string> paths;
    listMonthFiles(folder, paths);
    std::vector<DayEntry> days;
    for (const BalanceLine& line : computeBalance(MonthFileCache().read(paths), 0, {}).lines) {
        if (line.counted) {
            days.insert(days.end(), line.file.days.begin(), line.file.days.end());
        }
    }
    return days;
}

} // namespace tallimo::cli
