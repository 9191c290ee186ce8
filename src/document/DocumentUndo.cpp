// The undo steps and the recovery copy of the open document.
#include "calc/TimeValue.h"
#include "document/CTagrolDoc.h"
#include "document/RecoveryCopy.h"
#include "document/TimeSheetFile.h"
#include "platform/Encoding.h"

#include <filesystem>

namespace tallimo {
namespace {

constexpr const char* kUnsavedNotInHistory =
    "The unsaved changes are not in the undo history. Save or discard them first.";

} // namespace

void CTagrolDoc::beginStep(std::string name) {
    *m_step = UndoStep{std::move(name), newStepToken(m_clock.now())};
    m_stepOpen = true;
    m_stepSaved = false;
    m_stepModified = m_modified;
    m_stepBefore = m_serializer.storeSheet();
}

void CTagrolDoc::endStep() {
    if (!m_stepOpen) {
        return;
    }
    m_stepOpen = false;
    std::string name = std::move(m_step->name);
    // Saves after the door closed are steps of their own.
    *m_step = UndoStep{};
    std::vector<std::uint8_t> after = m_serializer.storeSheet();
    if (m_stepSaved || (!m_modified && after != m_stepBefore)) {
        // Saved: what was unsaved is in the file's history now, as part of this step. Not
        // modified yet changed: another month was read, the steps belonged to the tables before.
        m_undoSteps.clear();
        m_redoSteps.clear();
        return;
    }
    if (after == m_stepBefore) {
        return;
    }
    m_undoSteps.push_back(
        MemoryStep{std::move(name), std::move(m_stepBefore), std::move(after), m_stepModified});
    m_redoSteps.clear();
    if (m_undoSteps.size() > kHistorySteps) {
        m_undoSteps.erase(m_undoSteps.begin());
    }
}

std::optional<std::string> CTagrolDoc::undoName() const {
    if (!m_undoSteps.empty()) {
        return m_undoSteps.back().name;
    }
    if (m_path.empty() || m_modified) {
        return std::nullopt;
    }
    const MonthHistory history = readHistory(m_path);
    return history.toUndo() ? std::optional(history.toUndo()->name) : std::nullopt;
}

std::optional<std::string> CTagrolDoc::redoName() const {
    if (!m_redoSteps.empty()) {
        return m_redoSteps.back().name;
    }
    if (m_path.empty() || m_modified) {
        return std::nullopt;
    }
    const MonthHistory history = readHistory(m_path);
    return history.toRedo() ? std::optional(history.toRedo()->name) : std::nullopt;
}

Result CTagrolDoc::undoStep(StepDirection direction, std::string& name) {
    const bool undo = direction == StepDirection::Undo;
    std::vector<MemoryStep>& from = undo ? m_undoSteps : m_redoSteps;
    if (!from.empty()) {
        MemoryStep step = std::move(from.back());
        from.pop_back();
        m_serializer.loadSheet(undo ? step.before : step.after);
        m_modified = undo ? step.modifiedBefore : true;
        name = step.name;
        (undo ? m_redoSteps : m_undoSteps).push_back(std::move(step));
        return {};
    }
    if (m_path.empty()) {
        return Result::refused(undo ? "Nothing to undo." : "Nothing to redo.");
    }
    if (m_modified) {
        return Result::refused(kUnsavedNotInHistory);
    }
    if (Result applied = applyHistoryStep(m_path, direction, name); !applied) {
        return applied;
    }
    // The step is a change of the file like any other: the tables follow it.
    TimeSheetRead file = readTimeSheetFile(m_path);
    if (!file.read) {
        return file.read;
    }
    m_serializer.loadSheet(file.bytes);
    m_modified = false;
    m_stamp = file.stamp;
    m_stampBytes = std::move(file.bytes);
    m_undoSteps.clear();
    m_redoSteps.clear();
    return {};
}

Result CTagrolDoc::keepRecoveryCopy() {
    if (!m_modified || m_path.empty()) {
        return Result::nothingToDo();
    }
    const std::vector<std::uint8_t> bytes = m_serializer.storeSheet();
    return writeRecoveryCopy(m_path, bytes);
}

void CTagrolDoc::askAboutRecoveryCopy(const std::string& full) {
    const auto copy = readRecoveryCopy(full);
    if (!copy) {
        return;
    }
    std::string text = "Tallimo ended with unsaved changes to " +
                       utf8ToWindows1252(std::filesystem::path(full).filename().string()) +
                       " (saved " + formatInstant(copy->written, "%d.%m.%Y %H:%M:%S") + ").";
    if (copy->olderThanMonth) {
        text += " The file was saved after them.";
    }
    if (m_ui.askRestore(text + " Restore them?") == Ui::Restore::Discard) {
        removeRecoveryCopy(full);
        return;
    }
    // Restored as unsaved changes; the copy stays until they are saved or let go.
    m_serializer.loadSheet(copy->bytes);
    m_modified = true;
}

} // namespace tallimo
