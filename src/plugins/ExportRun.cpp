#include "plugins/ExportRun.h"

#include "plugins/ExportDialog.h"
#include "plugins/tallimo_export.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

namespace tallimo {
namespace {

constexpr std::size_t kFieldBufferSize = 52;
constexpr std::size_t kLongTextBufferSize = 10000;
constexpr std::size_t kExportedPathSize = PATH_MAX;

// Copies a cell into a reused buffer, cut to fit: nothing is ever written past it.
const char* fill(std::vector<char>& buffer, std::string_view text) {
    const std::size_t length = std::min(text.size(), buffer.size() - 1);
    std::memcpy(buffer.data(), text.data(), length);
    buffer[length] = '\0';
    return buffer.data();
}

struct EntryPoints {
    TallimoGetDescriptionFn getDescription = nullptr;
    TallimoInitFn init = nullptr;
    TallimoDeInitFn deInit = nullptr;
    TallimoExportFn exportRow = nullptr;
    TallimoSquadExportFn exportSquadRow = nullptr;
};

// The entry points the run needs for the shown list; the name of the first missing one.
const char* lookUp(Library& library, bool workList, EntryPoints& points) {
    void* symbol = nullptr;
    if ((symbol = library.symbol("GetDescription")) == nullptr) {
        return "GetDescription";
    }
    points.getDescription = reinterpret_cast<TallimoGetDescriptionFn>(symbol);
    if ((symbol = library.symbol("Init")) == nullptr) {
        return "Init";
    }
    points.init = reinterpret_cast<TallimoInitFn>(symbol);
    if ((symbol = library.symbol("DeInit")) == nullptr) {
        return "DeInit";
    }
    points.deInit = reinterpret_cast<TallimoDeInitFn>(symbol);
    if (workList) {
        if ((symbol = library.symbol("Export")) == nullptr) {
            return "Export";
        }
        points.exportRow = reinterpret_cast<TallimoExportFn>(symbol);
    } else {
        if ((symbol = library.symbol("SquadExport")) == nullptr) {
            return "SquadExport";
        }
        points.exportSquadRow = reinterpret_cast<TallimoSquadExportFn>(symbol);
    }
    return nullptr;
}

// The file a plug-in names after its run, when it offers to name one.
std::string exportedFile(Library& library) {
    const auto name = reinterpret_cast<TallimoGetExportedFileFn>(library.symbol("GetExportedFile"));
    std::vector<char> path(kExportedPathSize, '\0');
    if (name == nullptr || name(path.data(), static_cast<std::int32_t>(path.size())) != 1) {
        return "";
    }
    // A plug-in that forgot the terminating zero still cannot make us read past the buffer.
    path.back() = '\0';
    return path.data();
}

// Hands every row of the shown list to the plug-in; false when it refused one.
bool exportRows(const TimeSheet& sheet, bool workList, const EntryPoints& points) {
    std::array<std::vector<char>, 7> fields;
    for (auto& field : fields) {
        field.assign(kFieldBufferSize, '\0');
    }
    std::vector<char> longText(kLongTextBufferSize, '\0');
    // The row count is read again after every row.
    if (workList) {
        const CellTable& work = sheet.work;
        for (int row = 0; row < work.rowCount(); ++row) {
            const auto cell = [&](int column) { return work.itemText(row, column); };
            if (points.exportRow(fill(fields[0], cell(WorkColumn::Date)),
                                 fill(fields[1], cell(WorkColumn::Weekday)),
                                 fill(fields[2], cell(WorkColumn::Enter)),
                                 fill(fields[3], cell(WorkColumn::Leave)),
                                 fill(longText, cell(WorkColumn::Comment)),
                                 fill(fields[4], cell(WorkColumn::AtWork)),
                                 fill(fields[5], cell(WorkColumn::Worktime)),
                                 fill(fields[6], cell(WorkColumn::Overtime))) != 1) {
                return false;
            }
        }
        return true;
    }
    const CellTable& squad = sheet.squad;
    for (int row = 0; row < squad.rowCount(); ++row) {
        const auto cell = [&](int column) { return squad.itemText(row, column); };
        if (points.exportSquadRow(fill(fields[0], cell(SquadColumn::Start)),
                                  fill(fields[1], cell(SquadColumn::End)),
                                  fill(fields[2], cell(SquadColumn::Worktime)),
                                  fill(fields[3], cell(SquadColumn::Incident)),
                                  fill(longText, cell(SquadColumn::Description))) != 1) {
            return false;
        }
    }
    return true;
}

} // namespace

Result runExport(const std::string& path, const TimeSheet& sheet, bool workList,
                 LibraryLoader& libraries, Ui& ui,
                 const std::function<void(std::string_view)>& trace, ExportReport& report) {
    std::unique_ptr<Library> library;
    EntryPoints points;
    std::string error;
    std::string refusal;
    if (path.size() >= PATH_MAX) {
        refusal = " has a path that is too long.";
    } else if (!(library = libraries.load(path, error))) {
        refusal = " cannot be loaded: " + error;
    } else if (const char* missing = lookUp(*library, workList, points)) {
        refusal = " is not a valid plug-in: it lacks " + std::string(missing) + ".";
    }
    if (!refusal.empty()) {
        ui.showMessage("The export plug-in " + path + refusal);
        return Result::refused();
    }
    DescriptionBuffer description{};
    if (points.getDescription(description.data()) == 1) {
        trace("Using: " + pluginDescription(description));
    }
    trace("Enter OnGoExport");
    Result result;
    report = ExportReport{path, workList, 0, ""};
    if (points.init() != 1) {
        trace("ERROR: Init");
        result = Result::failed("the plug-in reported a failure in Init");
    } else {
        if (!exportRows(sheet, workList, points)) {
            trace("ERROR: Export");
            result = Result::failed("the plug-in reported a failure in Export");
        }
        if (points.deInit() != 1) {
            trace("ERROR: DeInit");
            if (result) {
                result = Result::failed("the plug-in reported a failure in DeInit");
            }
        }
        if (result) {
            report.rows = (workList ? sheet.work : sheet.squad).rowCount();
            report.file = exportedFile(*library);
        }
    }
    return result;
}

} // namespace tallimo
