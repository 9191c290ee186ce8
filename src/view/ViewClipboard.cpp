#include "view/CTagrolView.h"
#include "view/RowClipboard.h"

#include <algorithm>

namespace tallimo {

Result CTagrolView::OnEditCopy() {
    const CellTable& list = visibleList();
    std::vector<int> rows = list.selectedRowsDescending();
    if (rows.empty()) {
        return Result::nothingToDo();
    }
    std::reverse(rows.begin(), rows.end());
    if (!m_platform.ui.setClipboardRows(rowsAsText(list, rows), rowsAsHtml(list, rows))) {
        return Result::failed("The clipboard cannot be opened.");
    }
    return {};
}

Result CTagrolView::OnEditCut() {
    if (Result copied = OnEditCopy(); !copied) {
        return copied;
    }
    return OnVkdelete();
}

Result CTagrolView::OnEditPaste() {
    const auto text = m_platform.ui.clipboardText();
    if (!text) {
        return Result::nothingToDo();
    }
    const bool work = m_workVisible;
    CellTable& list = visibleList();
    const PastedRows pasted = readPastedRows(*text, work);
    if (!pasted.error.empty()) {
        m_platform.ui.showMessage(pasted.error);
        return Result::refused();
    }
    const std::vector<int> selected = list.selectedRowsDescending();
    const int first = selected.empty() ? 0 : selected.back();
    const int needed = first + static_cast<int>(pasted.rows.size());
    if (work && needed > list.rowCount()) {
        m_platform.ui.showMessage("The text has " + std::to_string(pasted.rows.size()) +
                                  " lines; from the first selected day on the month has only " +
                                  std::to_string(list.rowCount() - first) +
                                  ". Nothing was pasted.");
        return Result::refused();
    }
    while (list.rowCount() < needed) {
        list.InsertItem(list.rowCount(), "");
    }
    for (std::size_t i = 0; i < pasted.rows.size(); ++i) {
        const int row = first + static_cast<int>(i);
        for (const auto& [column, value] : pasted.rows[i]) {
            list.SetItemText(row, column, value);
        }
        if (work) {
            CalculateWorkRow(row);
        } else {
            CalculateSquadRow(row);
        }
    }
    m_doc.afterChange(m_settings.AutoSave);
    return {};
}

} // namespace tallimo
