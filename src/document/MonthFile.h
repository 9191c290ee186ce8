#pragma once

#include "document/InputFile.h"
#include "document/MonthTotals.h"
#include "document/Result.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// One month file as the balance reads it: once, read-only, with the checks of loading.
struct MonthFile {
    std::string path;
    FileStamp stamp;                // of the version read; zeros when it could not be opened
    std::optional<Instant> minDate; // the month's first instant, once the header was read
    MonthTotals totals;
    std::vector<DayEntry> days; // what a work model counts
    std::string error;          // why it is left out of the balance; empty when it was read whole
    bool readable() const { return error.empty(); }
    bool operator==(const MonthFile&) const = default;
};
MonthFile readMonthFile(const std::string& path);

// A path as a table or a message shows it: control characters (a line break in a name copied
// from another system) written as \n, \t or \xHH, so that one file stays one line.
std::string printableFileName(std::string_view path);

// Whether a file name may name a month: backups (*.bak), kept damaged originals (*.damaged-*)
// and the hidden helper files of saves and locks never do.
bool isMonthFileName(std::string_view name);
// The month files of a folder, by name: every entry named *.time that isMonthFileName accepts,
// also one that is no regular file (reading it then says why it cannot be read).
Result listMonthFiles(const std::string& folder, std::vector<std::string>& paths);

// Month files read once per version: a path is read again only when its stamp changed.
class MonthFileCache {
public:
    // The files of `paths` in their order, each file once: a path to a file listed before (the
    // same file under another name) is dropped.
    std::vector<MonthFile> read(const std::vector<std::string>& paths);

private:
    std::map<std::string, MonthFile> m_files;
};

} // namespace tallimo
