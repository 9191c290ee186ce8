#include "platform/fake/FakePlatform.h"

namespace tallimo::fake {

void FakeUi::showMessage(const std::string& text) {
    messages.push_back(text);
    events.push_back("message: " + text);
}

Answer FakeUi::ask(const std::string& text) {
    questions.push_back(text);
    events.push_back("question: " + text);
    if (answers.empty()) {
        ++unscriptedQuestions;
        return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> FakeUi::chooseFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    events.push_back("file dialog: " + request.title);
    if (files.empty()) {
        return std::nullopt;
    }
    auto chosen = files.front();
    files.pop_front();
    return chosen;
}

bool FakeUi::runNewMonthDialog(NewMonthDialog& dialog) {
    events.emplace_back("dialog: new month");
    return onNewMonthDialog ? onNewMonthDialog(dialog) : false;
}

bool FakeUi::runEntryDialog(EntryDialog& dialog) {
    events.emplace_back("dialog: entry");
    return onEntryDialog ? onEntryDialog(dialog) : false;
}

bool FakeUi::runOptionsDialog(OptionsDialog& dialog) {
    events.emplace_back("dialog: options");
    return onOptionsDialog ? onOptionsDialog(dialog) : false;
}

bool FakeUi::runExportDialog(ExportDialog& dialog) {
    events.emplace_back("dialog: export");
    return onExportDialog ? onExportDialog(dialog) : false;
}

bool FakeUi::setClipboardText(const std::string& text) {
    if (!clipboardAvailable) {
        return false;
    }
    clipboard = text;
    return true;
}

void FakeUi::setMainWindowVisible(bool visible) {
    mainWindowVisible = visible;
}

void FakeUi::editCell(bool workList, int row, int column) {
    events.push_back(std::string("edit cell: ") + (workList ? "work " : "squad ") +
                     std::to_string(row) + " " + std::to_string(column));
    if (onEditCell) {
        onEditCell(workList, row, column);
    }
}

std::optional<std::string> FakeSettingsStore::getString(const std::string& section,
                                                        const std::string& key) const {
    const auto found = values.find({section, key});
    if (found == values.end()) {
        return std::nullopt;
    }
    if (const auto* text = std::get_if<std::string>(&found->second)) {
        return *text;
    }
    return std::to_string(std::get<int>(found->second));
}

std::optional<int> FakeSettingsStore::getInt(const std::string& section,
                                             const std::string& key) const {
    const auto found = values.find({section, key});
    if (found == values.end()) {
        return std::nullopt;
    }
    if (const auto* number = std::get_if<int>(&found->second)) {
        return *number;
    }
    return std::nullopt;
}

void FakeSettingsStore::setString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    values[{section, key}] = value;
    writes.push_back(section + "/" + key + "=" + value);
}

void FakeSettingsStore::setInt(const std::string& section, const std::string& key, int value) {
    values[{section, key}] = value;
    writes.push_back(section + "/" + key + "=" + std::to_string(value));
}

void FakeSettingsStore::remove(const std::string& section, const std::string& key) {
    values.erase({section, key});
    writes.push_back(section + "/" + key + " removed");
}

unsigned FakeTimers::start(unsigned id, unsigned periodMs) {
    calls.push_back("start " + std::to_string(id) + " " + std::to_string(periodMs));
    if (failStart) {
        return 0;
    }
    running[id] = periodMs;
    return id;
}

void FakeTimers::stop(unsigned identifier) {
    calls.push_back("stop " + std::to_string(identifier));
    running.erase(identifier);
}

std::vector<std::string> RecordingTraceSink::texts() const {
    std::vector<std::string> result;
    for (const auto& line : lines) {
        const auto start = line.find("): ");
        std::string text = start == std::string::npos ? line : line.substr(start + 3);
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        result.push_back(text);
    }
    return result;
}

} // namespace tallimo::fake
