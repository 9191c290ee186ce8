#include "document/CTagrolDoc.h"

#include "document/AtomicFile.h"
#include "document/TimeSheetFile.h"
#include "platform/Encoding.h"

#include <filesystem>
#include <sys/stat.h>

namespace tallimo {
namespace {

constexpr const char* kUntitled = "Untitled.time";
constexpr const char* kChangedQuestion = "The file has changed. Would you save them?";
constexpr const char* kOverwriteQuestion = "The tallimo file exist! Would you overwrite them?";
constexpr const char* kChangedOnDiskQuestion =
    "\" has been changed by another program since it was read. Would you overwrite these changes?";
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

CTagrolDoc::CTagrolDoc(Ui& ui, SettingsStore& settings, SheetSerializer& serializer,
                       TraceLog& trace)
    : m_ui(ui), m_settings(settings), m_serializer(serializer), m_trace(trace), m_recent(settings) {
}

bool CTagrolDoc::OnNewDocument() {
    m_title = kUntitled;
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

OpenResult CTagrolDoc::openStep(const std::string& path) {
    // The whole file is read before anything is judged, so an unreadable file never touches the
    // tables and the document stays bound to the file it was bound to.
    std::vector<std::uint8_t> bytes;
    FileStamp stamp;
    if (const FileResult read = readWholeFile(path, bytes, &stamp); !read) {
        reportUnreadable(path, read.error);
        return OpenResult::Unreadable;
    }
    ByteReader reader(bytes);
    std::string magic;
    if (!reader.string(magic)) {
        m_ui.showMessage(kHeaderUnidentified);
        return OpenResult::HeaderTooShort;
    }
    if (magic != kTimeSheetMagic) {
        m_ui.showMessage(kNoValidHeader);
        return OpenResult::NotTimeSheet;
    }
    if (!confirmReplace()) {
        return OpenResult::Declined;
    }
    m_serializer.loadSheet(bytes);
    const std::string full = fullPath(path);
    m_title = full;
    m_modified = false;
    m_recent.add(full);
    storeLastDocument(m_settings, full);
    m_path = full;
    m_stamp = stamp;
    return OpenResult::Loaded;
}

bool CTagrolDoc::openRecent(int index) {
    const auto entries = m_recent.entries();
    if (index < 0 || index >= static_cast<int>(entries.size())) {
        return false;
    }
    const std::string path = entries[static_cast<std::size_t>(index)];
    const OpenResult result = openStep(path);
    if (result == OpenResult::Loaded) {
        m_title = std::filesystem::path(path).filename().string();
        return true;
    }
    // Kept unsaved changes say nothing about the entry; a file that cannot be opened leaves.
    if (result != OpenResult::Declined) {
        m_recent.remove(path);
    }
    return false;
}

bool CTagrolDoc::Save() {
    return saveWithOutcome() == SaveOutcome::Saved;
}

bool CTagrolDoc::SaveAs() {
    return saveAsWithOutcome() == SaveOutcome::Saved;
}

CTagrolDoc::SaveOutcome CTagrolDoc::saveWithOutcome() {
    if (m_path.empty()) {
        return saveAsWithOutcome();
    }
    return OnSaveDocument(m_path) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

CTagrolDoc::SaveOutcome CTagrolDoc::saveAsWithOutcome() {
    FileDialogRequest request;
    request.title = "Save As Tallimo File";
    request.filters = timeFileFilters();
    request.defaultExtension = "time";
    request.fileName = m_title;
    request.forSaving = true;
    request.overwritePrompt = true;
    const auto chosen = m_ui.chooseFile(request);
    if (!chosen) {
        return SaveOutcome::Cancelled;
    }
    if (isExistingFile(*chosen) && m_ui.ask(kOverwriteQuestion) == Answer::Cancel) {
        return SaveOutcome::Cancelled;
    }
    if (!OnSaveDocument(*chosen)) {
        return SaveOutcome::Failed;
    }
    m_path = fullPath(*chosen);
    return SaveOutcome::Saved;
}

bool CTagrolDoc::changedOnDisk() const {
    return !m_path.empty() && m_stamp && fileStampOf(m_path) != m_stamp;
}

bool CTagrolDoc::OnSaveDocument(const std::string& path) {
    // Only a file that is there can be overwritten; a missing one is simply written again.
    const std::string full = fullPath(path);
    if (full == m_path && changedOnDisk() && isExistingFile(full) &&
        m_ui.ask("\"" + shownPath(full) + kChangedOnDiskQuestion) == Answer::Cancel) {
        return false;
    }
    const std::vector<std::uint8_t> bytes = m_serializer.storeSheet();
    if (const FileResult written = writeFileAtomically(path, bytes); !written) {
        // The month is not on the disk: it stays modified and LastDocument keeps naming a file
        // that holds a month.
        reportFileError("Cannot save the file \"" + shownPath(path) + "\": " + written.error + ".");
        return false;
    }
    m_title = full;
    m_modified = false;
    storeLastDocument(m_settings, full);
    m_stamp = fileStampOf(full);
    return true;
}

bool CTagrolDoc::CanCloseFrame() {
    if (!m_modified || m_ui.ask(kChangedQuestion) == Answer::Cancel) {
        return true;
    }
    // A cancelled Save As lets the window close; a save that failed keeps it open.
    return saveWithOutcome() != SaveOutcome::Failed;
}

bool CTagrolDoc::confirmReplace() {
    if (!m_modified || m_ui.ask(kChangedQuestion) == Answer::Cancel) {
        return true;
    }
    return saveWithOutcome() != SaveOutcome::Failed;
}

bool CTagrolDoc::importSide() {
    if (!confirmReplace()) {
        return false;
    }
    m_title = kUntitled;
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
