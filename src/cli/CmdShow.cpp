#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"

namespace tallimo::cli {
namespace {

// Passes everything on to the terminal and keeps the message texts for the JSON output.
class RecordingUi final : public Ui {
public:
    explicit RecordingUi(Ui& inner) : m_inner(inner) {}

    void showMessage(const std::string& text) override {
        messages.push_back(text);
        m_inner.showMessage(text);
    }
    Answer ask(const std::string& text) override { return m_inner.ask(text); }
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
        return m_inner.chooseFile(request);
    }
    bool runNewMonthDialog(NewMonthDialog& dialog) override {
        return m_inner.runNewMonthDialog(dialog);
    }
    bool runEntryDialog(EntryDialog& dialog) override { return m_inner.runEntryDialog(dialog); }
    bool runOptionsDialog(OptionsDialog& dialog) override {
        return m_inner.runOptionsDialog(dialog);
    }
    bool runExportDialog(ExportDialog& dialog) override { return m_inner.runExportDialog(dialog); }
    bool setClipboardText(const std::string& text) override {
        return m_inner.setClipboardText(text);
    }
    void setMainWindowVisible(bool visible) override { m_inner.setMainWindowVisible(visible); }
    void editCell(bool workList, int row, int column) override {
        m_inner.editCell(workList, row, column);
    }

    std::vector<std::string> messages;

private:
    Ui& m_inner;
};

} // namespace

int runShow(CliContext& context) {
    std::vector<std::string> files;
    bool json = false;
    for (const auto& arg : context.args) {
        if (arg == "--json") {
            json = true;
        } else if (arg.starts_with("--")) {
            return context.fail("show: unknown option '" + arg + "'", kExitUsage);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) {
        return context.fail("show: wants exactly one FILE (see 'tallimo-cli show --help')",
                            kExitUsage);
    }

    RecordingUi ui(context.ui);
    Platform platform{
        ui, context.settings, context.clock, context.timers, context.trace, context.libraries};
    CTagrolView view(platform);
    view.document().OnNewDocument();
    // The open step has told the user why when the file cannot be loaded.
    if (openDocument(view, files.front()) != kExitDone) {
        return kExitRefused;
    }
    if (json) {
        writeJson(context.out, view.sheet(), ui.messages);
    } else {
        writeTsv(context.out, view.sheet());
    }
    context.out.flush();
    return context.out ? kExitDone : context.fail("show: cannot write the output");
}

} // namespace tallimo::cli
