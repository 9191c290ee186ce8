#pragma once

#include "document/TimeSheet.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::cli {

// Both tables as TSV: "# work", the headers, one line per row; then the same for "# squad".
// Cells are UTF-8 with tab, line feed, carriage return and backslash escaped.
void writeTsv(std::ostream& out, const TimeSheet& sheet);

// Both tables, the bounds, the loading messages and the column names as one JSON object on one
// line.
void writeJson(std::ostream& out, const TimeSheet& sheet, const std::vector<std::string>& messages);

// Cell bytes (Windows-1252) as a TSV field.
std::string tsvField(std::string_view cell);
// Bytes (Windows-1252) as a quoted JSON string.
std::string jsonString(std::string_view bytes);
// UTF-8 text (a path, say) as a quoted JSON string.
std::string jsonUtf8String(std::string_view text);

} // namespace tallimo::cli
