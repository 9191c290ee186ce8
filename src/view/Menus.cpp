#include "view/Menus.h"

#include "view/CommandTable.h"

namespace tallimo {

std::vector<MenuItem> contextMenu(bool workListVisible, int selectedCount) {
    // The cell commands need exactly one selected row on the work list, any on the squad list.
    const bool cellGreyed = selectedCount == 0 || (workListVisible && selectedCount > 1);
    // The day markers act on days: greyed without a selection and whenever squad rows show.
    const bool markGreyed = selectedCount == 0 || !workListVisible;
    const bool selectionGreyed = selectedCount == 0;
    using namespace CommandId;
    return {
        {EditCell, "Edit Cell", cellGreyed, {}},
        {CopyCell, "Copy Cell", cellGreyed, {}},
        {ClearCell, "Clear Cell", cellGreyed, {}},
        {StandBy, "Stand-by...", false, {}},
        {Sickness, "Sickness...", markGreyed, {}},
        {Vacation, "Vacation...", markGreyed, {}},
        {Holiday, "Holiday...", markGreyed, {}},
        {0,
         "Calculate overtime...",
         false,
         {{OvertimeSelected, "for selected days only", selectionGreyed, {}},
          {OvertimeMonth, "for the hole month", false, {}}}},
        {},
        {Refresh, "Refresh", false, {}},
    };
}

std::vector<MenuItem> trayMenu() {
    return {{CommandId::Switch, "Switch", false, {}},
            {},
            {CommandId::TrayEnter, "Enter", false, {}},
            {CommandId::TrayLeft, "Left", false, {}}};
}

const std::vector<int>& toolbarButtons() {
    using namespace CommandId;
    static const std::vector<int> buttons = {FileNew,
                                             FileOpen,
                                             FileSave,
                                             0,
                                             EditCut,
                                             EditCopy,
                                             EditPaste,
                                             0,
                                             FilePrint,
                                             0,
                                             AppAbout,
                                             0,
                                             EnterButton,
                                             LeaveButton,
                                             0,
                                             StandByButton,
                                             HolidayButton,
                                             SickButton,
                                             VacationButton,
                                             0,
                                             StartSquadButton,
                                             FinishSquadButton};
    return buttons;
}

const std::vector<Accelerator>& accelerators() {
    using namespace CommandId;
    static const std::vector<Accelerator> table = {
        {"Ctrl+C", EditCopy},        {"Ctrl+Insert", EditCopy},   {"Ctrl+N", FileNew},
        {"Ctrl+O", FileOpen},        {"Ctrl+S", FileSave},        {"Ctrl+V", EditPaste},
        {"Shift+Insert", EditPaste}, {"Ctrl+X", EditCut},         {"Shift+Delete", EditCut},
        {"Ctrl+Z", EditUndo},        {"Alt+Backspace", EditUndo}, {"F6", 57680},
        {"Shift+F6", 57681},         {"Delete", DeleteRows},      {"Ctrl+P", FilePrint},
        {"Ctrl+Y", EditRedo},        {"Ctrl+Shift+Z", EditRedo}};
    return table;
}

} // namespace tallimo
