#pragma once

#include "platform/Clock.h"
#include "platform/LibraryLoader.h"
#include "platform/SettingsStore.h"
#include "platform/Timers.h"
#include "platform/TraceSink.h"
#include "platform/Ui.h"

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace tallimo::fake {

// Records every text the user would see and answers questions and dialogs from a script, so a
// test reads like a session: "answer Cancel, expect these messages".
class FakeUi final : public Ui {
public:
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
    bool setClipboardRows(const std::string& text, const std::string& html) override {
        clipboardHtml = html;
        return setClipboardText(text);
    }
    std::optional<std::string> clipboardText() override { return clipboard; }
    bool runWorkModelDialog(WorkModelDialog& dialog) override {
        events.emplace_back("dialog: work model");
        return onWorkModelDialog ? onWorkModelDialog(dialog) : false;
    }

    // Script. A question without a scripted answer is answered Cancel and counted.
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> files; // empty entry: the user cancels
    std::function<bool(NewMonthDialog&)> onNewMonthDialog;
    std::function<bool(EntryDialog&)> onEntryDialog;
    std::function<bool(OptionsDialog&)> onOptionsDialog;
    std::function<bool(ExportDialog&)> onExportDialog;
    std::function<bool(WorkModelDialog&)> onWorkModelDialog;
    bool clipboardAvailable = true;
    // Plays the user's in-place edit; without it the editor opens and nothing is typed.
    std::function<void(bool workList, int row, int column)> onEditCell;

    // Record.
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> events; // "message: ...", "question: ...", "dialog: ...", in order
    int unscriptedQuestions = 0;
    std::optional<std::string> clipboard;
    std::optional<std::string> clipboardHtml;
    std::optional<bool> mainWindowVisible;
};

class FakeSettingsStore final : public SettingsStore {
public:
    std::optional<std::string> getString(const std::string& section,
                                         const std::string& key) const override;
    std::optional<int> getInt(const std::string& section, const std::string& key) const override;
    void setString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    void setInt(const std::string& section, const std::string& key, int value) override;
    void remove(const std::string& section, const std::string& key) override;
    bool sync() override {
        ++syncs;
        return !failSync;
    }

    bool failSync = false;
    int syncs = 0;
    // Every write in order, as "Section/Key=value".
    std::vector<std::string> writes;
    std::map<std::pair<std::string, std::string>, std::variant<std::string, int>> values;
};

class FakeClock final : public Clock {
public:
    Instant now() const override { return current; }
    Instant current = 0;
};

class FakeTimers final : public Timers {
public:
    unsigned start(unsigned id, unsigned periodMs) override;
    void stop(unsigned identifier) override;

    bool failStart = false;
    std::map<unsigned, unsigned> running; // identifier -> period
    std::vector<std::string> calls;       // "start 22 30000", "stop 22"
};

class RecordingTraceSink final : public TraceSink {
public:
    void write(std::string_view line) override { lines.emplace_back(line); }
    // The texts of the lines, without the time, module and thread prefix and the line feed.
    std::vector<std::string> texts() const;
    std::vector<std::string> lines;
};

} // namespace tallimo::fake
