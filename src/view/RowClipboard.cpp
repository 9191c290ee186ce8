#include "view/RowClipboard.h"

#include "calc/TimeValue.h"
#include "document/TimeSheet.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace tallimo {
namespace {

std::vector<std::string> splitCells(std::string_view line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos;
         start = tab + 1, tab = line.find('\t', start)) {
        cells.emplace_back(line.substr(start, tab - start));
    }
    cells.emplace_back(line.substr(start));
    return cells;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// A cell's text on one line of the clipboard: tabs and line breaks would split it.
std::string flat(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string clockText(TimeOfDay time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}

const std::vector<int>& pasteColumns(bool workList) {
    static const std::vector<int> work = {WorkColumn::Enter, WorkColumn::Leave, WorkColumn::Comment,
                                          WorkColumn::StandBy};
    static const std::vector<int> squad = {SquadColumn::Start, SquadColumn::End,
                                           SquadColumn::Incident, SquadColumn::Description};
    return workList ? work : squad;
}

const char* headerOf(bool workList, int column) {
    return workList ? kWorkColumns[column].header : kSquadColumns[column].header;
}
int columnCountOf(bool workList) {
    return workList ? WorkColumn::Count : SquadColumn::Count;
}

// The column a header cell names; -1 for none, -2 for a name the list does not have.
int namedColumn(bool workList, std::string_view name) {
    for (int column = 0; column < columnCountOf(workList); ++column) {
        if (name == headerOf(workList, column)) {
            const auto& pasted = pasteColumns(workList);
            return std::find(pasted.begin(), pasted.end(), column) != pasted.end() ? column : -1;
        }
    }
    return -2;
}

// The cell text a value becomes, or why it cannot.
std::optional<std::string> cellValue(bool workList, int column, const std::string& value,
                                     std::string& why) {
    if (value.empty()) {
        return value;
    }
    if (workList && (column == WorkColumn::Enter || column == WorkColumn::Leave)) {
        const auto time = parseClockTime(value, column == WorkColumn::Leave ? 47 : 23);
        why = "is not a time (H:MM, HH:MM or HH:MM:SS)";
        return time ? std::optional(clockText(*time)) : std::nullopt;
    }
    if (workList && column == WorkColumn::StandBy) {
        why = "is not \"yes\" or empty";
        return value == "yes" ? std::optional(value) : std::nullopt;
    }
    if (!workList && (column == SquadColumn::Start || column == SquadColumn::End)) {
        const auto moment = parseMoment(value);
        why = "is not a moment (DD.MM.YYYY HH:MM[:SS])";
        return moment ? std::optional(formatInstant(*moment, "%d.%m.%Y %H:%M:%S")) : std::nullopt;
    }
    return value;
}

} // namespace

std::string rowsAsText(const CellTable& table, const std::vector<int>& rows) {
    std::string text;
    for (int column = 0; column < table.columnCount(); ++column) {
        text += (column == 0 ? "" : "\t") + flat(table.headers()[static_cast<std::size_t>(column)]);
    }
    text += '\n';
    for (const int row : rows) {
        for (int column = 0; column < table.columnCount(); ++column) {
            text += (column == 0 ? "" : "\t") + flat(table.GetItemText(row, column));
        }
        text += '\n';
    }
    return text;
}

std::string rowsAsHtml(const CellTable& table, const std::vector<int>& rows) {
    std::string html = "<table>\n<tr>";
    for (const std::string& header : table.headers()) {
        html += "<th>" + escaped(header) + "</th>";
    }
    html += "</tr>\n";
    for (const int row : rows) {
        html += "<tr>";
        for (int column = 0; column < table.columnCount(); ++column) {
            html += "<td>" + escaped(table.GetItemText(row, column)) + "</td>";
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

PastedRows readPastedRows(std::string_view text, bool workList) {
    PastedRows pasted;
    std::vector<std::string> lines = splitLines(text);
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    std::vector<int> columns = pasteColumns(workList);
    std::size_t first = 0;
    if (!lines.empty()) {
        std::vector<int> named;
        bool header = true;
        for (const std::string& cell : splitCells(lines[0])) {
            const int column = namedColumn(workList, cell);
            header = header && column != -2;
            named.push_back(column);
        }
        if (header) {
            columns = std::move(named);
            first = 1;
        }
    }
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::vector<std::string> cells = splitCells(lines[i]);
        const std::string line = "Line " + std::to_string(i + 1);
        if (cells.size() > columns.size()) {
            pasted.error = line + " has " + std::to_string(cells.size()) + " values; at most " +
                           std::to_string(columns.size()) + " fit. Nothing was pasted.";
            return pasted;
        }
        std::vector<std::pair<int, std::string>> values;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (columns[c] < 0) {
                continue;
            }
            std::string why;
            const auto value = cellValue(workList, columns[c], cells[c], why);
            if (!value) {
                pasted.error = line + ", column " + headerOf(workList, columns[c]) + ": \"" +
                               cells[c] + "\" " + why + ". Nothing was pasted.";
                return pasted;
            }
            values.emplace_back(columns[c], *value);
        }
        pasted.rows.push_back(std::move(values));
    }
    return pasted;
}

} // namespace tallimo
