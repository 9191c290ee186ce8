#include "view/CTagrolView.h"

namespace tallimo {
namespace {

std::string periodMoment(Instant instant) {
    return formatInstant(instant, "%d.%m.%Y %H:%M:%S");
}

} // namespace

Result CTagrolView::OnStartsquadnow() {
    traceLine("Enter OnStartsquadnow");
    const Instant now = m_platform.clock.now();
    if (!isInMonth(now)) {
        return refuseOutsideMonth("OnStartsquadnow");
    }
    if (m_settings.AutoBackup) {
        makeDailyBackup(now);
    }
    CellTable& squad = m_sheet.squad;
    const int row = squad.InsertItem(squad.rowCount(), periodMoment(now));
    setOpenSquadRow(row);
    squad.SetItemText(row, SquadColumn::End, "");
    squad.SetItemText(row, SquadColumn::Worktime, "");
    squad.SetItemText(row, SquadColumn::Incident, "n/a");
    squad.SetItemText(row, SquadColumn::Description, "n/a");
    setUpSquadRow(m_sheet, row, *this);
    m_doc.afterChange(m_settings.AutoSave);
    traceLine("Leave OnStartsquadnow");
    return {};
}

Result CTagrolView::OnFinishsquadnow() {
    traceLine("Enter OnFinishsquadnow");
    int row = openSquadRow();
    if (row < 0) {
        const int selected = m_sheet.squad.selectedCount();
        if (selected == 0) {
            m_platform.ui.showMessage("There is no open squad time available!\nPlease select the "
                                      "right one and finish again.");
            traceLine("Leave OnFinishsquadnow no rows selected");
            return Result::refused();
        }
        if (selected > 1) {
            m_platform.ui.showMessage("There are more than one squad time available!\nPlease "
                                      "select only the right one and finish again.");
            traceLine("Leave OnFinishsquadnow too much rows selected");
            return Result::refused();
        }
        row = m_sheet.squad.GetNextSelected(-1);
    }
    const Instant now = m_platform.clock.now();
    if (!m_sheet.squad.GetItemText(row, SquadColumn::End).empty() &&
        m_platform.ui.ask("You have finished this squad. Would you change them with the new "
                          "time?") != Answer::Ok) {
        traceLine("Leave OnFinishsquadnow no overwrite was selected");
        setOpenSquadRow(-1);
        return Result::cancelled();
    }
    m_sheet.squad.SetItemText(row, SquadColumn::End, periodMoment(now));
    CalculateSquadRow(row);
    m_doc.afterChange(m_settings.AutoSave);
    setOpenSquadRow(-1);
    traceLine("Leave OnFinishsquadnow");
    return {};
}

} // namespace tallimo
