#include "cli/CapturingUi.h"
#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"

namespace tallimo::cli {

int runShow(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {}, {"--json"});
    if (!parsed.error.empty()) {
        return context.fail("show: " + parsed.error, kExitUsage);
    }
    const std::vector<std::string>& files = parsed.positional;
    const bool json = parsed.flag("--json");
    if (files.size() != 1) {
        return context.fail("show: wants exactly one FILE (see 'tallimo-cli show --help')",
                            kExitUsage);
    }

    // The messages go to the terminal as always and also into the JSON output.
    CapturingUi ui(context.ui, CapturingUi::Captured::AlsoShown);
    ui.startCapture();
    ReadOnlySettings settings(context.settings);
    Platform platform{
        ui, settings, context.clock, context.timers, context.trace, context.libraries};
    CTagrolView view(platform);
    // The open step has told the user why when the file cannot be loaded.
    if (openDocument(view, files.front()) != kExitDone) {
        return kExitRefused;
    }
    if (json) {
        writeJson(context.out, view.sheet(), ui.captured());
    } else {
        writeTsv(context.out, view.sheet());
    }
    context.out.flush();
    return context.out ? kExitDone : context.fail("show: cannot write the output");
}

} // namespace tallimo::cli
