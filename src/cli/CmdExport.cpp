#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/posix/PluginFolder.h"
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

} // namespace

int runExport(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {"--plugin"}, {"--squad"});
    if (!parsed.error.empty()) {
        return context.fail("export: " + parsed.error, kExitUsage);
    }
    const auto library = parsed.option("--plugin");
    if (parsed.positional.size() != 1 || !library) {
        return context.fail("export: wants FILE --plugin LIBRARY", kExitUsage);
    }
    ReadOnlySettings settings(context.settings);
    Platform platform{context.ui,     settings,      context.clock,
                      context.timers, context.trace, context.libraries};
    platform.bundledPlugInDir = bundledPluginFolder();
    CTagrolView view(platform);
    const std::string path =
        pluginPath(*library, view.settings().PlugInDir.empty() ? platform.bundledPlugInDir
                                                               : view.settings().PlugInDir);
    if (path.empty()) {
        return context.fail("export: no plug-in folder is known; name the library's path");
    }
    if (openDocument(view, parsed.positional[0]) != kExitDone) {
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
    switch (view.OnGoExport()) {
    case ExportOutcome::Done:
        break;
    case ExportOutcome::NotRun:
        return context.fail("export: " + (refusal.empty() ? "no plug-in was chosen" : refusal));
    case ExportOutcome::Refused: // the run has told why
        return kExitRefused;
    case ExportOutcome::InitFailed:
        return context.fail("export: the plug-in reported a failure in Init");
    case ExportOutcome::ExportFailed:
        return context.fail("export: the plug-in reported a failure in Export");
    case ExportOutcome::DeInitFailed:
        return context.fail("export: the plug-in reported a failure in DeInit");
    }
    return kExitDone;
}

} // namespace tallimo::cli
