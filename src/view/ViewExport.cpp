#include "plugins/ExportDialog.h"
#include "plugins/ExportRun.h"
#include "view/CTagrolView.h"

namespace tallimo {

Result CTagrolView::OnGoExport() {
    ExportDialog dialog(m_platform.ui, m_platform.libraries, m_trace);
    dialog.SetSearchPattern(pluginSearchPattern(
        m_settings.PlugInDir.empty() ? m_platform.bundledPlugInDir : m_settings.PlugInDir));
    if (!m_platform.ui.runExportDialog(dialog) || !dialog.pluginChosen()) {
        return Result::cancelled();
    }
    traceLine("Enter OnGoExport");
    const Result result = runExport(
        dialog.libraryPath(), m_sheet, m_workVisible, m_platform.libraries, m_platform.ui,
        [this](std::string_view line) { traceLine(line); }, m_lastExport);
    traceLine("Leave OnGoExport");
    return result;
}

} // namespace tallimo
