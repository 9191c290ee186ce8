#include "cli/TableOutput.h"

#include "platform/Encoding.h"

#include <cstdio>
#include <ostream>

namespace tallimo::cli {
namespace {

void writeTsvTable(std::ostream& out, const char* name, const CellTable& table) {
    out << "# " << name << '\n';
    for (int column = 0; column < table.columnCount(); ++column) {
        out << (column > 0 ? "\t" : "") << tsvField(table.headers()[column]);
    }
    out << '\n';
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            out << (column > 0 ? "\t" : "") << tsvField(table.itemText(row, column));
        }
        out << '\n';
    }
}

void writeJsonRow(std::ostream& out, const CellTable& table, int row) {
    out << "{\"cells\": [";
    for (int column = 0; column < table.columnCount(); ++column) {
        out << (column > 0 ? ", " : "") << jsonString(table.itemText(row, column));
    }
    out << "], ";
    if (const auto whole = table.rowAttributes(row)) {
        out << "\"rowBackColor\": " << whole->backColour << ", \"rowFlags\": " << whole->flags;
    } else {
        out << "\"rowBackColor\": null, \"rowFlags\": null";
    }
    out << ", \"cellAttrs\": {";
    bool first = true;
    for (int column = 0; column < table.columnCount(); ++column) {
        const CellAttributes cell = table.cellAttributes(row, column);
        if (cell.flags == 0 && cell.textColour == 0) {
            continue;
        }
        out << (first ? "" : ", ") << '"' << column << "\": {\"textColor\": " << cell.textColour
            << ", \"flags\": " << cell.flags << '}';
        first = false;
    }
    out << "}}";
}

void writeJsonTable(std::ostream& out, const CellTable& table) {
    out << '[';
    for (int row = 0; row < table.rowCount(); ++row) {
        out << (row > 0 ? ", " : "");
        writeJsonRow(out, table, row);
    }
    out << ']';
}

} // namespace

std::string tsvField(std::string_view cell) {
    std::string field;
    for (const char c : cell) {
        switch (c) {
        case '\t':
            field += "\\t";
            break;
        case '\n':
            field += "\\n";
            break;
        case '\r':
            field += "\\r";
            break;
        case '\\':
            field += "\\\\";
            break;
        default:
            field += c;
        }
    }
    return windows1252ToUtf8(field);
}

std::string jsonString(std::string_view bytes) {
    return jsonUtf8String(windows1252ToUtf8(bytes));
}

std::string jsonUtf8String(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\r') {
            quoted += "\\r";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

void writeTsv(std::ostream& out, const TimeSheet& sheet) {
    writeTsvTable(out, "work", sheet.work);
    writeTsvTable(out, "squad", sheet.squad);
}

void writeJson(std::ostream& out, const TimeSheet& sheet,
               const std::vector<std::string>& messages) {
    out << "{\"minDate\": " << sheet.minDate << ", \"maxDate\": " << sheet.maxDate
        << ", \"messages\": [";
    for (std::size_t i = 0; i < messages.size(); ++i) {
        out << (i > 0 ? ", " : "") << jsonString(messages[i]);
    }
    out << "], \"work\": ";
    writeJsonTable(out, sheet.work);
    out << ", \"squad\": ";
    writeJsonTable(out, sheet.squad);
    for (const auto& [name, table] :
         {std::pair{"workColumns", &sheet.work}, std::pair{"squadColumns", &sheet.squad}}) {
        out << ", \"" << name << "\": [";
        for (int column = 0; column < table->columnCount(); ++column) {
            out << (column > 0 ? ", " : "") << jsonString(table->headers()[column]);
        }
        out << ']';
    }
    out << "}\n";
}

} // namespace tallimo::cli
