#include "calc/Holidays.h"
#include "document/RecentFileList.h"
#include "document/WorkModelFile.h"
#include "view/CTagrolView.h"
#include "view/WorkModelDialog.h"

#include <filesystem>

namespace tallimo {

const WorkCalendar* CTagrolView::workCalendar() {
    const std::string& path = m_doc.path();
    if (path != m_modelFor) {
        m_modelFor = path;
        m_modelPathFolder =
            path.empty() ? std::string() : std::filesystem::path(path).parent_path().string();
        m_modelPath = m_modelPathFolder.empty() ? std::string() : workModelPath(m_modelPathFolder);
    }
    const auto stamp = m_modelPath.empty() ? std::nullopt : fileStampOf(m_modelPath);
    if (m_modelPathFolder == m_modelFolder && stamp == m_modelStamp) {
        return m_calendar ? &*m_calendar : nullptr;
    }
    const std::string& folder = m_modelPathFolder;
    m_modelFolder = folder;
    m_modelStamp = stamp;
    m_calendar.reset();
    m_modelProblem.clear();
    std::optional<WorkModel> model;
    if (stamp) {
        if (const Result read = readWorkModel(folder, model); !read) {
            m_modelProblem = read.message;
            traceLine("work model left out: " + read.message);
        }
    }
    if (model) {
        m_calendar.emplace(std::move(*model), publicHolidays);
    }
    return m_calendar ? &*m_calendar : nullptr;
}

std::optional<ModelToday> CTagrolView::modelToday() {
    const WorkCalendar* calendar = workCalendar();
    if (!calendar) {
        return std::nullopt;
    }
    return ModelToday{*calendar, civilDateOf(m_platform.clock.now())};
}

std::string CTagrolView::workModelFolder() const {
    const std::string& open = m_doc.path();
    const std::string path = open.empty() ? lastDocument(m_platform.settings) : open;
    if (path.empty()) {
        return {};
    }
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

Result CTagrolView::OnWorkModel() {
    traceLine("Enter OnWorkModel");
    const std::string folder = workModelFolder();
    if (folder.empty()) {
        m_platform.ui.showMessage("The work model belongs to a folder of months: open or save a "
                                  "month first.");
        traceLine("Leave OnWorkModel");
        return Result::refused();
    }
    std::optional<WorkModel> original;
    if (const Result read = readWorkModel(folder, original); !read) {
        m_platform.ui.showMessage(read.message + "\nCorrect the file, or remove it to start anew.");
        traceLine("Leave OnWorkModel");
        return Result::failed();
    }
    WorkModelDialog dialog;
    dialog.folder = folder;
    dialog.today = civilDateOf(m_platform.clock.now());
    if (original) {
        dialog.show(*original, true);
    } else {
        // A new model starts with the month shown, so that its days count at once.
        WorkModel proposed;
        proposed.periods.emplace_back();
        const Instant month = m_sheet.minDate != 0 ? m_sheet.minDate : m_platform.clock.now();
        const CivilDate first = civilDateOf(month);
        proposed.periods.front().from = {first.year, first.month, 1};
        dialog.show(proposed, false);
    }
    if (!m_platform.ui.runWorkModelDialog(dialog) || !dialog.ok) {
        traceLine("Leave OnWorkModel");
        return Result::cancelled();
    }
    Result written;
    if (dialog.switchOff) {
        written = switchWorkModelOff(folder);
    } else {
        written = updateWorkModel(folder, [&](std::optional<WorkModel>& model) {
            // Another program may have changed the model while the dialog was open.
            if (model != original &&
                m_platform.ui.ask("The work model of " + folder +
                                  " was changed by another program while the dialog was open. "
                                  "Replace it with yours?") != Answer::Ok) {
                return Result::cancelled();
            }
            model = dialog.model;
            return Result{};
        });
    }
    if (written.outcome == Outcome::Failed || written.outcome == Outcome::Refused) {
        m_platform.ui.showMessage(written.message);
        written.message.clear();
    }
    // The open month's rows count by the model now in force.
    const auto before = storeSheet();
    CalculateAllWorkRows();
    if (storeSheet() != before) {
        m_doc.afterChange(m_settings.AutoSave);
    }
    traceLine("Leave OnWorkModel");
    return written;
}

} // namespace tallimo
