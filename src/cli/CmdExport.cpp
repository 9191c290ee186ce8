#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/EditArguments.h"
#include "plugins/ExportDialog.h"

#include <algorithm>

namespace tallimo::cli {
namespace {

// Passes every trace line on and keeps the plug-in's failures, which the export only traces.
class FailureWatch final : public TraceSink {
public:
    explicit FailureWatch(TraceSink& inner) : m_inner(inner) {}

    void write(std::string_view line) override {
        for (const char* failure : {"ERROR: Init", "ERROR: Export", "ERROR: DeInit"}) {
            if (line.ends_with(std::string("): ") + failure + "\n")) {
                m_failures.emplace_back(failure + 7);
            }
        }
        m_inner.write(line);
    }
    const std::vector<std::string>& failures() const { return m_failures; }

private:
    TraceSink& m_inner;
    std::vector<std::string> m_failures;
};

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
    FailureWatch watch(context.trace);
    Platform platform{context.ui, context.settings, context.clock, context.timers,
                      watch,      context.libraries};
    CTagrolView view(platform);
    view.document().OnNewDocument();
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
    const int messages = context.ui.messageCount();
    view.OnGoExport();
    if (!refusal.empty()) {
        return context.fail("export: " + refusal);
    }
    // The run refuses a library it cannot call with a message of its own.
    if (context.ui.messageCount() != messages) {
        return kExitRefused;
    }
    if (!watch.failures().empty()) {
        return context.fail("export: the plug-in reported a failure in " +
                            watch.failures().front());
    }
    return kExitDone;
}

} // namespace tallimo::cli
