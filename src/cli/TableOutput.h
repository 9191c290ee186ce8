#pragma once

#include "document/TimeSheet.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tallimo::cli {

// Both tables as TSV: "# work", the headers, one line per row; then the same for "# squad".
// Cells are UTF-8 with tab, line feed, carriage return and backslash escaped.
void writeTsv(std::ostream& out, const TimeSheet& sheet);

// Both tables, the bounds and the loading messages as one JSON object on one line.
void writeJson(std::ostream& out, const TimeSheet& sheet, const std::vector<std::string>& messages);

// Cell bytes (Windows-1252) as a TSV field.
std::string tsvField(const std::string& cell);
// Bytes (Windows-1252) as a quoted JSON string.
std::string jsonString(const std::string& bytes);

} // namespace tallimo::cli
