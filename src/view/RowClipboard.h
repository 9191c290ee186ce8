#pragma once

#include "document/CellTable.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tallimo {

// The rows given as tab-separated text with the list's header line, as spreadsheets paste them
// as cells, and the same as an HTML table.
std::string rowsAsText(const CellTable& table, const std::vector<int>& rows);
std::string rowsAsHtml(const CellTable& table, const std::vector<int>& rows);

// Pasted text read into cell values: per line, the columns it writes and their texts in the form
// the cells hold. `error` names the first bad line and column; then nothing may be pasted.
struct PastedRows {
    std::vector<std::vector<std::pair<int, std::string>>> rows;
    std::string error;
};
// The work list takes Enter, Leave, Comment and Stand-by, the squad list Start, End, Incident
// and Description: by name where the first line names columns as the header does (the others
// are ignored), else in that order. Values follow the entry dialog's rules.
PastedRows readPastedRows(std::string_view text, bool workList);

} // namespace tallimo
