#pragma once

#include "document/FileLock.h"
#include "document/InputFile.h"
#include "document/RecentFileList.h"
#include "document/Result.h"
#include "document/UndoHistory.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "platform/TraceLog.h"
#include "platform/Ui.h"

#include <chrono>
#include <cstdint>
#include <functional>
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
    // Replaces both tables with the file's content; reports damaged data to the user itself and
    // returns false when it did.
    virtual bool loadSheet(std::span<const std::uint8_t> bytes) = 0;
};

// What a save does where the file changed on disk since this document read it, or where its load
// reported damage: the desktop asks about the change (and keeps a damaged original beside the
// file before saving over it); the CLI refuses both, or with --force goes ahead as the desktop's
// OK would, still keeping the damaged original.
enum class SavePolicy { Ask, Refuse, Force };

// The title of a document that has no file yet.
inline constexpr const char* kUntitledTitle = "Untitled.time";

// How long a save waits for the lock that another writer of the same month holds.
inline constexpr std::chrono::milliseconds kSaveLockWait{3000};

// The open time sheet file: path, modified flag, title, the file commands and the save prompt.
class CTagrolDoc {
public:
    CTagrolDoc(Ui& ui, SettingsStore& settings, Clock& clock, SheetSerializer& serializer,
               TraceLog& trace);

    const std::string& path() const { return m_path; }
    const std::string& title() const { return m_title; }
    bool isModified() const { return m_modified; }
    void SetTitle(std::string title) { m_title = std::move(title); }
    void setPath(std::string path) { m_path = std::move(path); }
    void SetModifiedFlag(bool modified) { m_modified = modified; }

    bool OnNewDocument();

    // File > Open: the file dialog, then the open step.
    void Open();
    // The open step on a path. Done when the month was read (possibly with loading messages),
    // cancelled when the user kept unsaved changes whose save failed; otherwise the user has
    // been told why (refused: no time sheet; failed: the file cannot be read).
    Result openStep(const std::string& path);
    // The open step as the framework asks it: true only when the month was loaded.
    bool OnOpenDocument(const std::string& path) { return openStep(path).done(); }
    // An entry of the recent-file list chosen (0 = top).
    bool openRecent(int index);

    Result Save();
    Result SaveAs();
    // Writes the month to path under the month's lock. Before it replaces the document's own
    // file that another program has changed since this document read or wrote it, and before it
    // saves over a file whose load reported damage, it follows the save policy.
    Result OnSaveDocument(const std::string& path);

    void setSavePolicy(SavePolicy policy) { m_policy = policy; }
    // Holds the lock of the month at `path` until releaseLock() or the document's end, so that
    // no other writer comes between a load and the save after it.
    Result lockForWriting(const std::string& path, std::chrono::milliseconds timeout,
                          const std::function<void()>& waiting) {
        return m_lock.acquire(path, timeout, waiting);
    }
    void releaseLock() { m_lock.release(); }
    // The file this document read with damage, as long as it has not been saved over.
    const std::string& damagedFile() const { return m_damagedPath; }

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

    // Undo. A step opened by the door of the program collects the command's saves into one
    // step of the month's history; the desktop keeps the steps it has not saved yet in memory
    // and undoes those first. Another writer of the month opens a step the same way.
    void followStep(UndoStep* step) { m_step = step != nullptr ? step : &m_ownStep; }
    void beginStep(std::string name);
    void renameStep(std::string name) { m_step->name = std::move(name); }
    void endStep();
    // The name of the step an undo (redo) would revert (re-apply); nothing when there is none.
    std::optional<std::string> undoName() const;
    std::optional<std::string> redoName() const;
    // Reverts or re-applies a step and reloads the tables; `name` gets the step's name.
    Result undoStep(StepDirection direction, std::string& name);

    // Recovery. The desktop asks, after a month was opened, whether the unsaved changes a
    // previous run kept beside it are restored; the CLI never asks.
    void offerRecovery(bool offer) { m_offerRecovery = offer; }
    // Keeps the unsaved changes beside the month; nothing to do without a file or changes.
    Result keepRecoveryCopy();

    // The file dialog that chooses a time sheet to read (Open, and Import with its own title).
    static FileDialogRequest openFileRequest(std::string title);
    // Tells the user (and the trace) that a file could not be read, and why.
    void reportUnreadable(const std::string& path, const std::string& reason);

private:
    // Shows a file failure to the user and traces it as the last-chance handler did.
    void reportFileError(const std::string& text);
    Result reportSaveFailure(const std::string& path, Result failure);
    // The questions and refusals a save of `full` passes before it writes.
    Result checkChangedOnDisk(const std::string& full, FileLock& saveLock);
    Result keepDamagedOriginal(const std::string& path, const std::string& full);
    void askAboutRecoveryCopy(const std::string& full);
    void recordInHistory(const std::string& full,
                         const std::optional<std::vector<std::uint8_t>>& before,
                         const std::vector<std::uint8_t>& after);

    Ui& m_ui;
    SettingsStore& m_settings;
    Clock& m_clock;
    SheetSerializer& m_serializer;
    TraceLog& m_trace;
    RecentFileList m_recent;
    std::string m_path;
    std::string m_title;
    bool m_modified = false;
    // The version of m_path this document read or wrote last, and its bytes: a save learns what
    // it replaces for the undo history without reading the file again.
    std::optional<FileStamp> m_stamp;
    std::vector<std::uint8_t> m_stampBytes;
    std::string m_damagedPath;
    SavePolicy m_policy = SavePolicy::Ask;
    FileLock m_lock;

    struct MemoryStep {
        std::string name;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
        bool modifiedBefore = false;
    };
    UndoStep m_ownStep;
    UndoStep* m_step = &m_ownStep;
    bool m_stepOpen = false;
    bool m_stepSaved = false;
    bool m_stepModified = false;
    std::vector<std::uint8_t> m_stepBefore;
    std::vector<MemoryStep> m_undoSteps;
    std::vector<MemoryStep> m_redoSteps;
    bool m_offerRecovery = false;
};

} // namespace tallimo
