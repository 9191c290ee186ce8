#pragma once

#include "calc/WorkDays.h"
#include "cli/CliContext.h"

#include <optional>
#include <string>
#include <vector>

namespace tallimo::cli {

// The folder a command names, else the folder of the last document; empty (the user told) when
// there is neither.
std::string modelFolderOf(CliContext& context, const std::string& command,
                          const std::vector<std::string>& positional);

// The folder's work model with the shipped holidays; empty without a model file. False (the user
// told) when the file cannot be read.
bool readCalendar(CliContext& context, const std::string& command, const std::string& folder,
                  std::optional<WorkCalendar>& calendar);

// The day entries of the folder's month files that count (of a month's copies the newest).
std::vector<DayEntry> folderDays(const std::string& folder);

} // namespace tallimo::cli
