#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "plugins/ExportDialog.h"

namespace tallimo::cli {

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
    CTagrolView view(platform);
    if (openDocument(view, parsed.positional[0]) != kExitDone) {
        return kExitRefused;
    }
    if (parsed.flag("--squad")) {
        view.OnShowSquadTime();
    }
    std::string refusal;
    context.ui.onExportDialog = [&](ExportDialog& dialog) {
        if (!dialog.chooseLibrary(*library)) {
            refusal = !dialog.loadError().empty()
                          ? *library + " cannot be loaded: " + dialog.loadError()
                          : *library + " is not an export plug-in (it has no GetDescription)";
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
