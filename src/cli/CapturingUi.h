#pragma once

#include "platform/Ui.h"

#include <string>
#include <vector>

namespace tallimo::cli {

// Passes everything to the wrapped Ui and, while capturing, keeps the message texts so a
// subcommand can print them as its own output. Captured messages are hidden unless the
// subcommand asks for them to be shown as well.
class CapturingUi final : public Ui {
public:
    enum class Captured { Hidden, AlsoShown };

    explicit CapturingUi(Ui& inner, Captured captured = Captured::Hidden)
        : m_inner(inner), m_alsoShown(captured == Captured::AlsoShown) {}

    void startCapture() { m_capturing = true; }
    const std::vector<std::string>& captured() const { return m_captured; }

    void showMessage(const std::string& text) override;
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

private:
    Ui& m_inner;
    bool m_alsoShown;
    bool m_capturing = false;
    std::vector<std::string> m_captured;
};

} // namespace tallimo::cli
