#include "cli/TerminalTable.h"

#include "calc/OvertimeTotals.h"
#include "document/CellLook.h"
#include "document/MonthTotals.h"
#include "platform/Encoding.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <vector>

namespace tallimo::cli {
namespace {

constexpr const char* kReset = "\x1b[0m";
constexpr const char* kFaint = "\x1b[2m";
constexpr const char* kBold = "\x1b[1m";
constexpr const char* kBlue = "\x1b[34m";
constexpr const char* kRed = "\x1b[31m";

// Whether Windows-1252 shows the byte as a character: C0 controls, DEL and the five undefined
// bytes (kept as C1 controls) are not.
bool isShown(unsigned char byte) {
    return byte >= 0x20 && byte != 0x7F && byte != 0x81 && byte != 0x8D && byte != 0x8F &&
           byte != 0x90 && byte != 0x9D;
}

// One cell of the table: its text (Windows-1252, one byte per character, so its size is its
// width) and the escape sequence that starts it, if any.
struct Cell {
    std::string text;
    std::string look;
};

using Row = std::vector<Cell>;

std::string escapedBytes(std::string_view cell) {
    std::string text;
    for (const char c : cell) {
        const auto byte = static_cast<unsigned char>(c);
        if (isShown(byte)) {
            text += c;
        } else if (c == '\n' || c == '\t' || c == '\r') {
            text += c == '\n' ? "\\n" : (c == '\t' ? "\\t" : "\\r");
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text;
}

// The overtime as the desktop draws it, in the nearest of the terminal's colours: blue or red,
// maybe bold.
std::string overtimeLook(const CellTable& work, int row) {
    const CellLook look = resolveCellLook(work.cellAttributes(row, WorkColumn::Overtime),
                                          work.rowAttributes(row), false, FontStyle{});
    if (!look.text) {
        return "";
    }
    const Rgb rgb = rgbOf(*look.text);
    const bool blue = rgb.blue > 0x7F;
    const bool red = rgb.red > 0x7F;
    if (blue == red) {
        return "";
    }
    return std::string(look.font && look.font->weight >= 700 ? kBold : "") + (blue ? kBlue : kRed);
}

bool isWeekend(const CellTable& work, int row) {
    const auto whole = work.rowAttributes(row);
    return whole && whole->backColour == kWeekendBackColour;
}

// Columns padded to their widest cell; the last one is not padded, so lines end with text.
void writeRows(std::ostream& out, const std::vector<Row>& rows,
               const std::vector<std::string>& rowLooks, bool colour) {
    std::vector<std::size_t> widths;
    for (const Row& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], row[i].text.size());
        }
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].empty()) {
            out << '\n';
            continue;
        }
        std::string line;
        const std::string& rowLook = colour ? rowLooks[r] : std::string();
        line += rowLook;
        for (std::size_t i = 0; i < rows[r].size(); ++i) {
            const Cell& cell = rows[r][i];
            const bool last = i + 1 == rows[r].size();
            const bool styled = colour && !cell.look.empty();
            line += i > 0 ? "  " : "";
            line += styled ? cell.look : "";
            line += windows1252ToUtf8(cell.text);
            line += styled ? kReset + rowLook : "";
            if (!last) {
                line.append(widths[i] - cell.text.size(), ' ');
            }
        }
        // Trailing blanks of empty last cells go.
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << (rowLook.empty() ? "" : kReset) << '\n';
    }
}

void writeWork(std::ostream& out, const CellTable& work, bool colour) {
    std::vector<Row> rows = {{{"Day", ""},
                              {"Weekday", ""},
                              {"Enter", ""},
                              {"Leave", ""},
                              {"@Work", ""},
                              {"Worktime", ""},
                              {"Overtime", ""},
                              {"Stand-by", ""},
                              {"Time and Labor", ""},
                              {"Comment", ""}}};
    std::vector<std::string> looks = {colour ? kBold : ""};
    for (int row = 0; row < work.rowCount(); ++row) {
        const auto text = [&](int column) { return escapedBytes(work.itemText(row, column)); };
        const bool weekend = isWeekend(work, row);
        // A blank line before and after each weekend.
        if (row > 0 && weekend != isWeekend(work, row - 1)) {
            rows.emplace_back();
            looks.emplace_back();
        }
        std::string day = std::to_string(readNumberAt(work.itemText(row, WorkColumn::Date), 1, 2));
        day.insert(0, day.size() < 3 ? 3 - day.size() : 0, ' ');
        rows.push_back({{day, ""},
                        {text(WorkColumn::Weekday).substr(0, 3), ""},
                        {text(WorkColumn::Enter), ""},
                        {text(WorkColumn::Leave), ""},
                        {text(WorkColumn::AtWork), ""},
                        {text(WorkColumn::Worktime), ""},
                        {text(WorkColumn::Overtime), overtimeLook(work, row)},
                        {text(WorkColumn::StandBy), ""},
                        {text(WorkColumn::TimeAndLabor), ""},
                        {text(WorkColumn::Comment), ""}});
        looks.emplace_back(weekend ? kFaint : "");
    }
    writeRows(out, rows, looks, colour);
}

void writeSquad(std::ostream& out, const CellTable& squad, bool colour) {
    std::vector<Row> rows = {{{"Row", ""},
                              {"Start", ""},
                              {"End", ""},
                              {"Worktime", ""},
                              {"TimeAndLabor", ""},
                              {"Incident", ""},
                              {"Description", ""}}};
    std::vector<std::string> looks = {colour ? kBold : ""};
    for (int row = 0; row < squad.rowCount(); ++row) {
        std::string number = std::to_string(row);
        number.insert(0, number.size() < 3 ? 3 - number.size() : 0, ' ');
        Row cells = {{number, ""}};
        for (int column = 0; column < squad.columnCount(); ++column) {
            cells.push_back({escapedBytes(squad.itemText(row, column)), ""});
        }
        rows.push_back(std::move(cells));
        looks.emplace_back();
    }
    writeRows(out, rows, looks, colour);
}

} // namespace

std::string terminalText(std::string_view cell) {
    return windows1252ToUtf8(escapedBytes(cell));
}

void writeTerminalTables(std::ostream& out, const TimeSheet& sheet, const std::string& title,
                         bool colour, const ModelToday* model) {
    out << (colour ? kBold : "") << title << (colour ? kReset : "") << "\n\n";
    writeWork(out, sheet.work, colour);
    out << "\nStand-by periods\n";
    if (sheet.squad.rowCount() == 0) {
        out << "  none\n";
    } else {
        writeSquad(out, sheet.squad, colour);
    }
    out << '\n'
        << windows1252ToUtf8(overtimeTotalText(listOvertime(sheet.work, TotalList::Work, model),
                                               TotalList::Work, TotalScope::Month))
        << '\n'
        << windows1252ToUtf8(overtimeTotalText(listOvertime(sheet.squad, TotalList::Squad),
                                               TotalList::Squad, TotalScope::Month))
        << '\n';
}

} // namespace tallimo::cli
