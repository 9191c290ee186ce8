#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Confirmation.h"
#include "plugins/ExportDialog.h"

namespace tallimo::cli {
namespace {

// A bare name ("csv" or "csv.so") is a library of the plug-in folder the export dialog lists; a
// name with a slash is a path. Empty when a bare name has no folder to come from.
std::string pluginPath(const std::string& name, const std::string& folder) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    if (folder.empty()) {
        return "";
    }
    return folder + (folder.back() == '/' ? "" : "/") + name + (name.ends_with(".so") ? "" : ".so");
}

int runExport(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {"--plugin"}, {"--squad"});
    if (!parsed.error.empty()) {
        return context.fail("export: " + parsed.error, kExitUsage);
    }
    const auto library = parsed.option("--plugin");
    if (parsed.positional.size() != 1 || !library) {
        return context.fail("export: wants FILE --plugin LIBRARY", kExitUsage);
    }
    ReadingView reading(context, context.ui);
    CTagrolView& view = reading.view();
    const std::string folder =
        view.settings().PlugInDir.empty() ? reading.bundledPlugInDir() : view.settings().PlugInDir;
    const std::string path = pluginPath(*library, folder);
    if (path.empty()) {
        return context.fail("export: no plug-in folder is known; name the library's path");
    }
    if (reading.open(parsed.positional[0]) != kExitDone) {
        return kExitRefused;
    }
    if (parsed.flag("--squad")) {
        view.OnShowSquadTime();
    }
    std::string refusal;
    context.ui.onExportDialog = [&](ExportDialog& dialog) {
        if (!dialog.chooseLibrary(path)) {
            refusal = !dialog.loadError().empty()
                          ? path + " cannot be loaded: " + dialog.loadError()
                          : path + " is not an export plug-in (it has no GetDescription)";
            return false;
        }
        return true;
    };
    const Result exported = view.OnGoExport();
    if (exported.outcome == Outcome::Cancelled) {
        return context.fail("export: " + (refusal.empty() ? "no plug-in was chosen" : refusal));
    }
    const int status = exitStatus(context, "export", exported);
    if (status == kExitDone) {
        const ExportReport& report = view.lastExport();
        const std::string rows = counted(static_cast<std::size_t>(report.rows),
                                         report.workList ? "work row" : "squad row",
                                         report.workList ? "work rows" : "squad rows");
        context.confirmUtf8(parsed.positional[0],
                            rows + " exported with " + *library +
                                (report.file.empty() ? "" : " to " + report.file));
    }
    return status;
}

} // namespace

const CliCommand kExportCommand{
    "export", "export FILE --plugin LIBRARY [--squad]",
    "Hands every row of FILE's work list (or with --squad its squad list) to the export\n"
    "plug-in LIBRARY: GetDescription, Init, one Export (SquadExport) per row, DeInit.\n"
    "LIBRARY is a path, or the name of a library in the plug-in folder (PlugInDir, or the\n"
    "bundled plug-ins when it is empty): 'csv' writes a CSV file, 'ical' an iCalendar file,\n"
    "into TALLIMO_EXPORT_DIR, else the documents folder, else the home folder. A line names\n"
    "the number of rows and, where the plug-in tells it, the file written.\n"
    "Exit status 1 when LIBRARY cannot be loaded, is no plug-in or reports a failure.\n",
    runExport};

} // namespace tallimo::cli
