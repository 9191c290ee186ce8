#include "cli/Confirmation.h"

#include "calc/TimeValue.h"

namespace tallimo::cli {

std::string counted(std::size_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string dayWords(const CellTable& work, int row) {
    std::string words(work.itemText(row, WorkColumn::Date));
    const char* separator = " ";
    for (const auto& [column, name] :
         {std::pair{WorkColumn::Enter, "Enter "}, std::pair{WorkColumn::Leave, "Leave "}}) {
        if (const std::string_view time = work.itemText(row, column); !time.empty()) {
            words += separator + std::string(name) + std::string(time);
            separator = ", ";
        }
    }
    return words;
}

std::string overtimeWords(const CellTable& work, int row) {
    const std::string_view overtime = work.itemText(row, WorkColumn::Overtime);
    if (overtime.empty()) {
        return "";
    }
    // The cell says "n/a" for a day of exactly the regular presence.
    return " (overtime " + std::string(overtime == "n/a" ? "00:00:00" : overtime) + ")";
}

std::string periodWords(const CellTable& squad, int row) {
    std::string words = "stand-by period " + std::to_string(row) + " from " +
                        std::string(squad.itemText(row, SquadColumn::Start));
    if (const std::string_view end = squad.itemText(row, SquadColumn::End); !end.empty()) {
        words += " to " + std::string(end);
    }
    if (const std::string_view length = squad.itemText(row, SquadColumn::Worktime);
        !length.empty()) {
        words += " (" + std::string(length) + ")";
    }
    return words;
}

std::string monthWords(const CellTable& work) {
    const auto first = parseDateCell(work.itemText(0, WorkColumn::Date));
    return work.rowCount() > 0 && first ? formatInstant(*first, "%B %Y") : "";
}

} // namespace tallimo::cli
