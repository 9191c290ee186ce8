#include "document/CTagrolDoc.h"

#include "calc/TimeValue.h"
#include "document/AtomicFile.h"
#include "document/RecoveryCopy.h"
#include "document/TimeSheetFile.h"
#include "platform/Encoding.h"

#include <filesystem>
#include <sys/stat.h>

namespace tallimo {
namespace {

constexpr const char* kChangedQuestion = "The file has changed. Would you save them?";
constexpr const char* kOverwriteQuestion = "The tallimo file exist! Would you overwrite them?";
constexpr const char* kChangedOnDiskQuestion =
    "\" has been changed by another program since it was read. Would you overwrite these changes?";
constexpr const char* kChangedOnDiskRefusal =
    "\": it has been changed by another program since it was read.";
constexpr const char* kDamagedRefusal = "\" was damaged when it was read and is not saved over.";
constexpr const char* kDamagedKept = "\" was damaged when it was read; its original was kept as \"";
constexpr const char* kHeaderUnidentified =
    "Exception by identifying the file header.\r\nIf this is an old Tallimo file use the import "
    "feature to convert.";
constexpr const char* kNoValidHeader =
    "The current file has no valid file header.\r\nIf this is an old Tallimo file use the import "
    "feature to convert.";

std::vector<FileFilter> timeFileFilters() {
    return {{"Tallimo File (*.time)", "*.time"}, {"All Files (*.*)", "*.*"}};
}

// The title and LastDocument name the file fully, whatever folder a later run starts in.
std::string fullPath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

bool isExistingFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// Paths are the system's bytes (UTF-8); messages are Windows-1252 like every other text.
std::string shownPath(const std::string& path) {
    return utf8ToWindows1252(path);
}

} // namespace

CTagrolDoc::CTagrolDoc(Ui& ui, SettingsStore& settings, Clock& clock, SheetSerializer& serializer,
                       TraceLog& trace)
    : m_ui(ui), m_settings(settings), m_clock(clock), m_serializer(serializer), m_trace(trace),
      m_recent(settings) {}

bool CTagrolDoc::OnNewDocument() {
    m_title = kUntitledTitle;
    m_path.clear();
    return true;
}

FileDialogRequest CTagrolDoc::openFileRequest(std::string title) {
    FileDialogRequest request;
    request.title = std::move(title);
    request.filters = timeFileFilters();
    request.defaultExtension = "time";
    return request;
}

void CTagrolDoc::reportUnreadable(const std::string& path, const std::string& reason) {
    reportFileError("Cannot open the file \"" + shownPath(path) + "\": " + reason + ".");
}

void CTagrolDoc::Open() {
    const auto chosen = m_ui.chooseFile(openFileRequest("Open Tallimo File"));
    if (chosen) {
        openStep(*chosen);
    }
}

Result CTagrolDoc::openStep(const std::string& path) {
    // The whole file is read before the tables are touched, so an unreadable file leaves them and
    // the document's binding alone; its first string is judged before the rest is read.
    TimeSheetRead file = readTimeSheetFile(path);
    if (!file.read) {
        reportUnreadable(path, file.read.message);
        return Result::failed();
    }
    switch (file.start) {
    case FileStart::TooShort:
        m_ui.showMessage(kHeaderUnidentified);
        return Result::refused();
    case FileStart::NotTimeSheet:
        m_ui.showMessage(kNoValidHeader);
        return Result::refused();
    case FileStart::TimeSheet:
        break;
    }
    if (!confirmReplace()) {
        return Result::cancelled();
    }
    // The path is known while the rows are computed: the work model beside the file counts them.
    const std::string full = fullPath(path);
    m_path = full;
    const bool whole = m_serializer.loadSheet(file.bytes);
    m_title = full;
    m_modified = false;
    m_recent.add(full);
    storeLastDocument(m_settings, full);
    m_path = full;
    m_stamp = file.stamp;
    m_stampBytes = std::move(file.bytes);
    m_damagedPath = whole ? std::string() : full;
    m_undoSteps.clear();
    m_redoSteps.clear();
    if (m_offerRecovery) {
        askAboutRecoveryCopy(full);
    }
    return {};
}

bool CTagrolDoc::openRecent(int index) {
    const auto entries = m_recent.entries();
    if (index < 0 || index >= static_cast<int>(entries.size())) {
        return false;
    }
    const std::string path = entries[static_cast<std::size_t>(index)];
    const Result result = openStep(path);
    if (result) {
        m_title = std::filesystem::path(path).filename().string();
        return true;
    }
    // Kept unsaved changes say nothing about the entry; a file that cannot be opened leaves.
    if (result.outcome != Outcome::Cancelled) {
        m_recent.remove(path);
    }
    return false;
}

Result CTagrolDoc::Save() {
    if (m_path.empty()) {
        return SaveAs();
    }
    return OnSaveDocument(m_path);
}

Result CTagrolDoc::SaveAs() {
    FileDialogRequest request = openFileRequest("Save As Tallimo File");
    request.fileName = m_title;
    request.forSaving = true;
    request.overwritePrompt = true;
    const auto chosen = m_ui.chooseFile(request);
    if (!chosen) {
        return Result::cancelled();
    }
    if (isExistingFile(*chosen) && m_ui.ask(kOverwriteQuestion) == Answer::Cancel) {
        return Result::cancelled();
    }
    Result saved = OnSaveDocument(*chosen);
    if (saved) {
        m_path = fullPath(*chosen);
    }
    return saved;
}

bool CTagrolDoc::changedOnDisk() const {
    return !m_path.empty() && m_stamp && fileStampOf(m_path) != m_stamp;
}

Result CTagrolDoc::checkChangedOnDisk(const std::string& full, FileLock& saveLock) {
    // Only a file that is there can be overwritten; a missing one is simply written again.
    if (full != m_path || !changedOnDisk() || !isExistingFile(full)) {
        return {};
    }
    switch (m_policy) {
    case SavePolicy::Force:
        return {};
    case SavePolicy::Refuse:
        reportFileError("Cannot save the file \"" + shownPath(full) + kChangedOnDiskRefusal);
        return Result::refused();
    case SavePolicy::Ask:
        break;
    }
    // The user may take a while to answer: the lock is not held meanwhile.
    saveLock.release();
    if (m_ui.ask("\"" + shownPath(full) + kChangedOnDiskQuestion) == Answer::Cancel) {
        return Result::cancelled();
    }
    return saveLock.acquire(full, kSaveLockWait);
}

Result CTagrolDoc::keepDamagedOriginal(const std::string& path, const std::string& full) {
    if (full != m_damagedPath || !isExistingFile(full)) {
        return {};
    }
    if (m_policy == SavePolicy::Refuse) {
        reportFileError("The file \"" + shownPath(full) + kDamagedRefusal);
        return Result::refused();
    }
    const std::string kept = full + ".damaged-" + formatInstant(m_clock.now(), "%Y%m%d%H%M%S");
    if (Result copied = copyFileAtomically(full, kept, false); !copied) {
        return reportSaveFailure(path,
                                 Result::failed("its damaged original could not be kept as \"" +
                                                shownPath(kept) + "\": " + copied.message));
    }
    m_ui.showMessage("The file \"" + shownPath(full) + kDamagedKept + shownPath(kept) + "\".");
    return {};
}

Result CTagrolDoc::reportSaveFailure(const std::string& path, Result failure) {
    reportFileError("Cannot save the file \"" + shownPath(path) + "\": " + failure.message + ".");
    failure.message.clear();
    return failure;
}

Result CTagrolDoc::OnSaveDocument(const std::string& path) {
    const std::string full = fullPath(path);
    FileLock saveLock;
    if (!m_lock.holds(full)) {
        if (Result locked = saveLock.acquire(full, kSaveLockWait); !locked) {
            return reportSaveFailure(path, std::move(locked));
        }
    }
    if (Result checked = checkChangedOnDisk(full, saveLock); !checked) {
        return checked.outcome == Outcome::Cancelled || checked.message.empty()
                   ? checked
                   : reportSaveFailure(path, std::move(checked));
    }
    if (Result kept = keepDamagedOriginal(path, full); !kept) {
        return kept;
    }
    const std::vector<std::uint8_t> bytes = m_serializer.storeSheet();
    std::optional<std::vector<std::uint8_t>> before;
    if (m_stamp && fileStampOf(full) == m_stamp) {
        before = m_stampBytes;
    } else if (std::vector<std::uint8_t> old; isExistingFile(full) && readWholeFile(full, old)) {
        before = std::move(old);
    }
    if (Result written = writeFileAtomically(path, bytes); !written) {
        // The month is not on the disk: it stays modified and LastDocument keeps naming a file
        // that holds a month.
        return reportSaveFailure(path, std::move(written));
    }
    m_title = full;
    m_modified = false;
    storeLastDocument(m_settings, full);
    m_stamp = fileStampOf(full);
    m_stampBytes = bytes;
    if (full == m_damagedPath) {
        m_damagedPath.clear();
    }
    recordInHistory(full, before, bytes);
    removeRecoveryCopy(full);
    return {};
}

void CTagrolDoc::recordInHistory(const std::string& full,
                                 const std::optional<std::vector<std::uint8_t>>& before,
                                 const std::vector<std::uint8_t>& after) {
    m_stepSaved = true;
    // A month written for the first time has nothing an undo could go back to, and the steps of
    // a month once kept under its name would only be refused.
    if (!before) {
        removeHistory(full);
        return;
    }
    if (Result recorded = recordSave(full, *m_step, *before, after); !recorded) {
        m_trace.write(TraceModule::App, "The undo history of \"" + shownPath(full) +
                                            "\" could not be written: " + recorded.message);
    }
}

namespace {

// Whether the tables may be given up after the save prompt: saved, or the save not wanted.
bool savedOrDropped(const Result& save) {
    return save.done() || save.outcome == Outcome::Cancelled;
}

} // namespace

bool CTagrolDoc::CanCloseFrame() {
    // Closing drops the tables just as replacing them does.
    return confirmReplace();
}

bool CTagrolDoc::confirmReplace() {
    if (!m_modified) {
        return true;
    }
    if (m_ui.ask(kChangedQuestion) == Answer::Cancel) {
        // Changes the user let go are not offered again by the next start.
        if (!m_path.empty()) {
            removeRecoveryCopy(m_path);
        }
        return true;
    }
    // A cancelled Save As lets the tables go; a save that failed keeps them.
    return savedOrDropped(Save());
}

bool CTagrolDoc::importSide() {
    if (!confirmReplace()) {
        return false;
    }
    m_title = kUntitledTitle;
    m_path.clear();
    return true;
}

void CTagrolDoc::afterChange(bool autoSave) {
    // A save that failed or was cancelled leaves the changes marked as unsaved.
    m_modified = !(autoSave && Save());
}

void CTagrolDoc::reportFileError(const std::string& text) {
    m_trace.write(TraceModule::App, "ExceptionMessage: " + text);
    m_ui.showMessage(text);
}

} // namespace tallimo
