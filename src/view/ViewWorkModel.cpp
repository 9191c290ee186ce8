#include "calc/Holidays.h"
#include "document/WorkModelFile.h"
#include "view/CTagrolView.h"

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

} // namespace tallimo
