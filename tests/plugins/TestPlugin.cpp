// An export plug-in for the tests, loaded through the real loader. It appends every call to the
// file named by TALLIMO_TEST_PLUGIN_LOG, one line each, and fails as TALLIMO_TEST_PLUGIN_FAIL
// asks: a comma-separated list of "GetDescription", "Init", "DeInit" and "Export:N" (the row
// index, counted from 0 in each run, whose Export or SquadExport returns 0). "FullDescription"
// fills the whole description buffer without a terminating zero.
#include "plugins/tallimo_export.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int g_row = 0;

bool fails(const std::string& what) {
    const char* value = std::getenv("TALLIMO_TEST_PLUGIN_FAIL");
    return value != nullptr &&
           ("," + std::string(value) + ",").find("," + what + ",") != std::string::npos;
}

void log(const std::string& line) {
    const char* path = std::getenv("TALLIMO_TEST_PLUGIN_LOG");
    if (path == nullptr) {
        return;
    }
    if (FILE* file = std::fopen(path, "ab")) {
        std::fputs((line + "\n").c_str(), file);
        std::fclose(file);
    }
}

[[maybe_unused]] int32_t row(const std::string& line) {
    log(line);
    return fails("Export:" + std::to_string(g_row++)) ? 0 : 1;
}

} // namespace

extern "C" {

#ifndef TALLIMO_TEST_NO_DESCRIPTION
int32_t GetDescription(char* description) {
    log("GetDescription");
    if (fails("FullDescription")) {
        std::memset(description, 'x', TALLIMO_DESCRIPTION_SIZE);
        return 1;
    }
    std::strcpy(description, "Test export");
    return fails("GetDescription") ? 0 : 1;
}
#endif

int32_t Init(void) {
    log("Init");
    g_row = 0;
    return fails("Init") ? 0 : 1;
}

#ifndef TALLIMO_TEST_NO_ROWS
int32_t Export(const char* date, const char* weekday, const char* enter, const char* leave,
               const char* comment, const char* atWork, const char* worktime,
               const char* overtime) {
    return row(std::string("Export ") + date + "|" + weekday + "|" + enter + "|" + leave + "|" +
               comment + "|" + atWork + "|" + worktime + "|" + overtime);
}

int32_t SquadExport(const char* start, const char* end, const char* worktime, const char* incident,
                    const char* description) {
    return row(std::string("SquadExport ") + start + "|" + end + "|" + worktime + "|" + incident +
               "|" + description);
}
#endif

int32_t DeInit(void) {
    log("DeInit");
    return fails("DeInit") ? 0 : 1;
}
}
