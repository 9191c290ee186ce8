#pragma once

#include "platform/Ui.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <string>

namespace tallimo::cli {

// How questions are answered when no one is at a terminal.
enum class AnswerPolicy { AskTerminal, AlwaysOk, AlwaysCancel };

// The Ui of the terminal: messages on standard error (UTF-8, one line each), questions at the
// terminal or from --yes/--no. File dialogs and modal dialogs are answered by the running
// subcommand, which knows the values from its arguments.
class TerminalUi final : public Ui {
public:
    TerminalUi(std::ostream& err, AnswerPolicy policy);

    void showMessage(const std::string& text) override;
    Answer ask(const std::string& text) override;
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
    bool runNewMonthDialog(NewMonthDialog& dialog) override;
    bool runEntryDialog(EntryDialog& dialog) override;
    bool runOptionsDialog(OptionsDialog& dialog) override;
    bool runExportDialog(ExportDialog& dialog) override;
    bool setClipboardText(const std::string& text) override;
    void setMainWindowVisible(bool visible) override;
    void editCell(bool workList, int row, int column) override;

    // Answers for the file dialogs, in order; none left means the user cancels.
    std::deque<std::string> files;
    std::function<bool(NewMonthDialog&)> onNewMonthDialog;
    std::function<bool(EntryDialog&)> onEntryDialog;
    std::function<bool(OptionsDialog&)> onOptionsDialog;
    std::function<bool(ExportDialog&)> onExportDialog;

    int messageCount() const { return m_messages; }

private:
    std::ostream& m_err;
    AnswerPolicy m_policy;
    int m_messages = 0;
};

// A message as one terminal line: UTF-8, with its line breaks shown as spaces.
std::string messageLine(const std::string& text);

} // namespace tallimo::cli
