#pragma once

#include "document/AtomicFile.h"
#include "document/RecentFileList.h"
#include "platform/SettingsStore.h"
#include "platform/TraceLog.h"
#include "platform/Ui.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tallimo {

// What the document asks of its view: the tables written to bytes and read back from them.
class SheetSerializer {
public:
    virtual ~SheetSerializer() = default;
    virtual std::vector<std::uint8_t> storeSheet() const = 0;
    // Replaces both tables with the file's content; reports damaged data to the user itself.
    virtual void loadSheet(std::span<const std::uint8_t> bytes) = 0;
};

// How an open step ended.
enum class OpenResult {
    Loaded,         // the month was read (possibly with loading messages)
    HeaderTooShort, // the file is shorter than its first string
    NotTimeSheet,   // the first string is not the magic
    Unreadable,     // the file cannot be opened or read
    Declined,       // the user kept unsaved changes whose save failed
};

// The open time sheet file: path, modified flag, title, the file commands and the save prompt.
class CTagrolDoc {
public:
    CTagrolDoc(Ui& ui, SettingsStore& settings, SheetSerializer& serializer, TraceLog& trace);

    const std::string& path() const { return m_path; }
    const std::string& title() const { return m_title; }
    bool isModified() const { return m_modified; }
    void SetTitle(std::string title) { m_title = std::move(title); }
    void setPath(std::string path) { m_path = std::move(path); }
    void SetModifiedFlag(bool modified) { m_modified = modified; }

    bool OnNewDocument();

    // File > Open: the file dialog, then the open step.
    void Open();
    // The open step on a path, with its outcome.
    OpenResult openStep(const std::string& path);
    // The open step as the framework asks it: true only when the month was loaded.
    bool OnOpenDocument(const std::string& path) { return openStep(path) == OpenResult::Loaded; }
    // An entry of the recent-file list chosen (0 = top).
    bool openRecent(int index);

    bool Save();
    bool SaveAs();
    // Writes the month to path. Before it replaces the document's own file that another program
    // has changed since this document read or wrote it, it asks; Cancel keeps that file.
    bool OnSaveDocument(const std::string& path);

    // The document's file on disk is no longer the version it read or wrote last (another
    // program saved it, or it is gone). False while the document is bound to no file.
    bool changedOnDisk() const;

    // Asked before the main window closes; false keeps it open.
    bool CanCloseFrame();

    // Before the tables are replaced: with unsaved changes, asks "The file has changed. Would
    // you save them?" (OK saves, Cancel discards). False when the save failed, so the caller
    // keeps the tables.
    bool confirmReplace();

    // The document side of Import: the question above, then untitled.
    bool importSide();

    // The rule applied after a command changed the tables.
    void afterChange(bool autoSave);

    RecentFileList& recentFiles() { return m_recent; }

    // The file dialog that chooses a time sheet to read (Open, and Import with its own title).
    static FileDialogRequest openFileRequest(std::string title);
    // Tells the user (and the trace) that a file could not be read, and why.
    void reportUnreadable(const std::string& path, const std::string& reason);

private:
    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome saveWithOutcome();
    SaveOutcome saveAsWithOutcome();
    // Shows a file failure to the user and traces it as the last-chance handler did.
    void reportFileError(const std::string& text);

    Ui& m_ui;
    SettingsStore& m_settings;
    SheetSerializer& m_serializer;
    TraceLog& m_trace;
    RecentFileList m_recent;
    std::string m_path;
    std::string m_title;
    bool m_modified = false;
    // The version of m_path this document read or wrote last.
    std::optional<FileStamp> m_stamp;
};

} // namespace tallimo
