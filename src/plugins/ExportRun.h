#pragma once

#include "document/Result.h"
#include "document/TimeSheet.h"
#include "platform/LibraryLoader.h"
#include "platform/Ui.h"

#include <functional>
#include <string>
#include <string_view>

namespace tallimo {

// What the last export run handed over: the library, the list, the number of rows and, where
// the plug-in names it, the file it wrote.
struct ExportReport {
    std::string library;
    bool workList = true;
    int rows = 0;
    std::string file;
};

// Hands the shown list of the sheet to the plug-in at path, row by row. A library that cannot be
// loaded or lacks an entry point the run needs is never called: the user is told why and the run
// is refused. Once the library is loaded, report describes this run. Trace lines go to trace.
Result runExport(const std::string& path, const TimeSheet& sheet, bool workList,
                 LibraryLoader& libraries, Ui& ui,
                 const std::function<void(std::string_view)>& trace, ExportReport& report);

} // namespace tallimo
