#include "cli/TerminalUi.h"

#include "platform/Encoding.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace tallimo::cli {

std::string messageLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line += ' ';
            ++i;
        } else if (text[i] == '\n' || text[i] == '\r') {
            line += ' ';
        } else {
            line += text[i];
        }
    }
    return windows1252ToUtf8(line);
}

TerminalUi::TerminalUi(std::ostream& err, AnswerPolicy policy) : m_err(err), m_policy(policy) {}

void TerminalUi::showMessage(const std::string& text) {
    ++m_messages;
    m_err << messageLine(text) << '\n';
}

Answer TerminalUi::ask(const std::string& text) {
    switch (m_policy) {
    case AnswerPolicy::AlwaysOk:
        m_err << messageLine(text) << " [OK]\n";
        return Answer::Ok;
    case AnswerPolicy::AlwaysCancel:
        m_err << messageLine(text) << " [Cancel]\n";
        return Answer::Cancel;
    case AnswerPolicy::AskTerminal:
        break;
    }
    if (isatty(STDIN_FILENO) == 0) {
        m_err << messageLine(text) << " [Cancel]\n"
              << "tallimo-cli: no terminal to answer the question; answered Cancel (use --yes or "
                 "--no)\n";
        return Answer::Cancel;
    }
    for (;;) {
        m_err << messageLine(text) << " [OK/Cancel]: " << std::flush;
        std::string reply;
        if (!std::getline(std::cin, reply)) {
            return Answer::Cancel;
        }
        for (auto& c : reply) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (reply == "ok" || reply == "o" || reply == "yes" || reply == "y") {
            return Answer::Ok;
        }
        if (reply == "cancel" || reply == "c" || reply == "no" || reply == "n") {
            return Answer::Cancel;
        }
    }
}

std::optional<std::string> TerminalUi::chooseFile(const FileDialogRequest&) {
    if (files.empty()) {
        return std::nullopt;
    }
    std::string chosen = files.front();
    files.pop_front();
    return chosen;
}

bool TerminalUi::runNewMonthDialog(NewMonthDialog& dialog) {
    return onNewMonthDialog ? onNewMonthDialog(dialog) : false;
}

bool TerminalUi::runEntryDialog(EntryDialog& dialog) {
    return onEntryDialog ? onEntryDialog(dialog) : false;
}

bool TerminalUi::runOptionsDialog(OptionsDialog& dialog) {
    return onOptionsDialog ? onOptionsDialog(dialog) : false;
}

bool TerminalUi::runExportDialog(ExportDialog& dialog) {
    return onExportDialog ? onExportDialog(dialog) : false;
}

bool TerminalUi::setClipboardText(const std::string&) {
    return false;
}

void TerminalUi::setMainWindowVisible(bool) {}

// The terminal has no list to edit in; the edit commands take the new texts as arguments.
void TerminalUi::editCell(bool, int, int) {}

} // namespace tallimo::cli
