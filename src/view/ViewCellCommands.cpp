#include "view/CTagrolView.h"

namespace tallimo {
namespace {

constexpr std::size_t kClipboardLimit = 1000;

// The cells a user may empty by hand: what was recorded, never the date of a day or what the
// row computation fills in.
bool clearableCell(bool workList, int column) {
    if (workList) {
        return column == WorkColumn::Enter || column == WorkColumn::Leave ||
               column == WorkColumn::Comment || column == WorkColumn::StandBy;
    }
    return column == SquadColumn::Start || column == SquadColumn::End ||
           column == SquadColumn::Incident || column == SquadColumn::Description;
}

} // namespace

void CTagrolView::OnRButtonDown(int hitRow, int hitColumn) {
    traceLine("Enter OnRButtonDown");
    if (hitRow >= 0) {
        const bool one = visibleList().selectedCount() == 1;
        m_rememberedRow = one ? hitRow : -1;
        m_rememberedColumn = one ? hitColumn : -1;
    }
    traceLine("Leave OnRButtonDown");
}

void CTagrolView::rememberCell(int row, int column) {
    m_rememberedRow = row;
    m_rememberedColumn = column;
}

void CTagrolView::OnContextmenuEdit() {
    traceLine("Enter OnContextmenuEdit");
    if (m_rememberedRow != -1 && m_rememberedColumn != -1) {
        m_platform.ui.editCell(m_workVisible, m_rememberedRow, m_rememberedColumn);
    }
    m_doc.SetModifiedFlag(true);
    traceLine("Leave OnContextmenuEdit");
}

void CTagrolView::OnContextmenuCopycell() {
    traceLine("Enter OnContextmenuCopycell");
    if (m_rememberedRow == -1 || m_rememberedColumn == -1) {
        traceLine("nothing selected to copy to clipboard");
        traceLine("Leave OnContextmenuCopycell");
        return;
    }
    const std::string_view text = visibleList().itemText(m_rememberedRow, m_rememberedColumn);
    if (text.size() > kClipboardLimit) {
        traceLine("Bufferoverflow!!");
        return;
    }
    if (!m_platform.ui.setClipboardText(std::string(text))) {
        traceLine("could not open clipboard");
    }
    traceLine("Leave OnContextmenuCopycell");
}

void CTagrolView::OnContextmenuClear() {
    traceLine("Enter OnContextmenuClear");
    CellTable& list = visibleList();
    if (list.hasRow(m_rememberedRow) && clearableCell(m_workVisible, m_rememberedColumn)) {
        list.SetItemText(m_rememberedRow, m_rememberedColumn, std::string());
        if (m_workVisible) {
            CalculateWorkRow(m_rememberedRow);
        } else {
            CalculateSquadRow(m_rememberedRow);
        }
        m_doc.afterChange(m_settings.AutoSave);
    }
    traceLine("Leave OnContextmenuClear");
}

} // namespace tallimo
