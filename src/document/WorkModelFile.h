#pragma once

#include "calc/WorkModel.h"
#include "document/Result.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// The work model of a folder of months lives in this file beside them, as text a person can
// read and edit; without it every figure is computed as without a model.
inline constexpr const char* kWorkModelFileName = "tallimo-model.txt";
// A model is a few lines per contract; a larger file is refused unread.
inline constexpr std::size_t kLargestModelFile = 1024 * 1024;

std::string workModelPath(const std::string& folder);

// The text of a model file, or the first problem as "line N: ...".
struct ModelText {
    WorkModel model;
    std::string error;
};
ModelText parseWorkModel(std::string_view text);
std::string formatWorkModel(const WorkModel& model);
// One line of the [company days] or [holidays] section, "2026-12-24 = half Christmas Eve", and
// back: the reason when the line is not valid, else the date is added to the model's list.
std::string modelDateLine(const ModelDate& day, bool holiday);
std::string readModelDateLine(std::string_view line, bool holiday, WorkModel& model);
// The keys of a period in the file, in the order they are written.
inline constexpr const char* kPeriodKeys[] = {"hours",  "break",    "break-after",
                                              "region", "vacation", "carry-until"};
// A period's value of a key as the file writes it.
std::string periodValueText(const WorkPeriod& period, std::string_view key);
// Sets a period's key (hours, break, break-after, region, vacation, carry-until) from its text
// in the file; the reason when the text is not valid.
std::string setPeriodValue(WorkPeriod& period, std::string_view key, std::string_view value);

// The folder's model; empty without a model file. Failed (with the file's name and the line)
// when the file cannot be read or has a bad line.
Result readWorkModel(const std::string& folder, std::optional<WorkModel>& model);
// Reads the model under the folder's model lock, lets `change` edit it (empty when there is
// none; a Result that is not done leaves the file as it was) and writes it back atomically.
Result updateWorkModel(const std::string& folder,
                       const std::function<Result(std::optional<WorkModel>&)>& change);
// Renames the model file to its backup name (the file name with ".bak"), so that the folder has
// no model while nothing of it is lost. Nothing to do without a model file.
Result switchWorkModelOff(const std::string& folder);

// The all-day events of an iCalendar file (each day of a multi-day event), named by their
// SUMMARY; error names the line of the first problem.
struct IcsHolidays {
    std::vector<ModelDate> days;
    std::string error;
};
IcsHolidays parseIcsHolidays(std::string_view text);
// The file read and parsed; error names the file and why it cannot be used.
IcsHolidays readIcsFile(const std::string& path);
// Adds the imported days whose dates the model does not hold yet, keeping them by date.
void addImportedHolidays(WorkModel& model, const std::vector<ModelDate>& days);

} // namespace tallimo
