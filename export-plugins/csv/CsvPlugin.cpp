// Export plug-in: one CSV file (RFC 4180, UTF-8 with a byte-order mark) per run.
#include "PluginOutput.h"
#include "platform/Encoding.h"
#include "plugins/tallimo_export.h"

#include <initializer_list>
#include <string>

namespace {

using tallimo::plugin::ListKind;

tallimo::plugin::PluginOutput g_output;

struct Field {
    const char* text;
    bool freeText;
};

// A spreadsheet runs a cell that starts with one of these as a formula; a leading "'" makes it
// text. Times and overtime are never free text, so a negative overtime stays a value.
bool looksLikeFormula(const std::string& text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos;
}

std::string csvField(const Field& field) {
    std::string text = tallimo::windows1252ToUtf8(field.text);
    if (field.freeText && looksLikeFormula(text)) {
        text.insert(0, "'");
    }
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

int32_t writeRow(ListKind kind, const char* header, std::initializer_list<Field> fields) {
    if (!g_output.accept(kind, fields.begin()->text)) {
        return 0;
    }
    std::string line;
    if (g_output.isFirstRow()) {
        line = std::string("\xEF\xBB\xBF") + header + "\r\n";
    }
    bool first = true;
    for (const Field& field : fields) {
        line += (first ? "" : ",") + csvField(field);
        first = false;
    }
    return g_output.write(line + "\r\n") ? 1 : 0;
}

} // namespace

extern "C" {

int32_t GetDescription(char* description) {
    tallimo::plugin::describe(description, "CSV for spreadsheets (UTF-8, comma separated)");
    return 1;
}

int32_t Init(void) {
    return g_output.init() ? 1 : 0;
}

int32_t Export(const char* date, const char* weekday, const char* enter, const char* leave,
               const char* comment, const char* atWork, const char* worktime,
               const char* overtime) {
    return writeRow(ListKind::Work, "Date,Weekday,Enter,Leave,Comment,@Work,Worktime,Overtime",
                    {{date, false},
                     {weekday, false},
                     {enter, false},
                     {leave, false},
                     {comment, true},
                     {atWork, false},
                     {worktime, false},
                     {overtime, false}});
}

int32_t SquadExport(const char* start, const char* end, const char* worktime, const char* incident,
                    const char* description) {
    return writeRow(
        ListKind::Standby, "Start,End,Worktime,Incident,Description",
        {{start, false}, {end, false}, {worktime, false}, {incident, true}, {description, true}});
}

int32_t DeInit(void) {
    return g_output.finish("csv", g_output.rows() > 0) ? 1 : 0;
}

int32_t GetExportedFile(char* path, int32_t size) {
    return tallimo::plugin::nameWrittenFile(g_output, path, size);
}
}
