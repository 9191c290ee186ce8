#include "view/CommandTable.h"

#include "view/CTagrolView.h"

namespace tallimo {
namespace {

using R = EnableRule;
using T = CommandTarget;

// Menus, toolbar and tray ignore what a command reports; the user has seen it.
template <auto Handler>
void call(CTagrolView& view) {
    (view.*Handler)();
}

void open(CTagrolView& view) {
    view.document().Open();
}
void save(CTagrolView& view) {
    view.document().Save();
}
void saveAs(CTagrolView& view) {
    view.document().SaveAs();
}

// clang-format off
const std::vector<CommandInfo> kCommands = {
    {57600, "File", "&New\tCtrl+N", "Create a new document\nNew", R::Always, T::View, call<&CTagrolView::OnFileNew>},
    {32822, "File", "Import ...", "", R::Always, T::View, call<&CTagrolView::OnFileImport>},
    {57601, "File", "&Open...\tCtrl+O", "Open an existing document\nOpen", R::Always, T::View, open},
    {57603, "File", "&Save\tCtrl+S", "Save the active document\nSave", R::Always, T::View, save},
    {57604, "File", "Save &As...", "", R::Always, T::View, saveAs},
    {57665, "File", "E&xit", "", R::Always, T::Shell, nullptr},
    {57643, "Edit", "&Undo\tCtrl+Z", "Undo the last change\nUndo", R::UndoLabel, T::View, call<&CTagrolView::OnEditUndo>},
    {57644, "Edit", "&Redo\tCtrl+Y", "Redo the change last undone\nRedo", R::RedoLabel, T::View, call<&CTagrolView::OnEditRedo>},
    {57635, "Edit", "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut", R::Always, T::View, call<&CTagrolView::OnEditCut>},
    {57634, "Edit", "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy", R::Always, T::View, call<&CTagrolView::OnEditCopy>},
    {57637, "Edit", "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste", R::Always, T::View, call<&CTagrolView::OnEditPaste>},
    {57607, "File", "&Print...\tCtrl+P", "Print the month report\nPrint", R::Always, T::Shell, nullptr},
    {57609, "File", "Print Pre&view...", "Show the month report as it will be printed", R::Always, T::Shell, nullptr},
    {32826, "File", "Export P&DF...", "Write the month report as a PDF file", R::Always, T::Shell, nullptr},
    {32783, "Tools", "Create new entry...", "Create manual an tallimo entry.", R::Always, T::View, call<&CTagrolView::OnAdd>},
    {32794, "Tools", "Modify selected entry...", "Modify the selected entry", R::Always, T::View, call<&CTagrolView::OnModify>},
    {32784, "Tools", "Enter now...", "Enter the office now.", R::WorkListVisible, T::View, call<&CTagrolView::OnEnter>},
    {32785, "Tools", "Leave now...", "Leave the office now.", R::WorkListVisible, T::View, call<&CTagrolView::OnLeave>},
    {32786, "", "", "Enter the office now.\nEnter", R::WorkListVisible, T::View, call<&CTagrolView::OnEnter>},
    {32787, "", "", "Leave the office now.\nLeave", R::WorkListVisible, T::View, call<&CTagrolView::OnLeave>},
    {32818, "Tools", "Start squad now...", "", R::SquadListVisible, T::View, call<&CTagrolView::OnStartsquadnow>},
    {32819, "Tools", "Finish squad now...", "", R::SquadListVisible, T::View, call<&CTagrolView::OnFinishsquadnow>},
    {32820, "", "", "Start squad time nowl\nStart squad", R::SquadListVisible, T::View, call<&CTagrolView::OnStartsquadnow>},
    {32821, "", "", "Finish squad time now\nFinish squad", R::SquadListVisible, T::View, call<&CTagrolView::OnFinishsquadnow>},
    {32782, "Tools", "E&xport ", "currently not used", R::Always, T::View, call<&CTagrolView::OnGoExport>},
    {32781, "Tools", "&Options", "currently not used", R::Always, T::View, call<&CTagrolView::OnGoOptions>},
    {32803, "Special", "Sickness...", "Set selected days to sickness", R::WorkListVisible, T::View, call<&CTagrolView::OnTbIll>},
    {32805, "Special", "Vacation...", "Set selected days to vacation", R::WorkListVisible, T::View, call<&CTagrolView::OnTbVacation>},
    {32804, "Special", "Holiday...", "Set selected days to holiday", R::WorkListVisible, T::View, call<&CTagrolView::OnTbHoliday>},
    {32823, "", "Stand-by...", "Set selected days to stand-by", R::Always, T::View, call<&CTagrolView::OnTbStandby>},
    {32795, "", "", "Set selected days as holiday\nHoliday", R::WorkListVisible, T::View, call<&CTagrolView::OnTbHoliday>},
    {32796, "", "", "Set selected day as health insurance day\nSick", R::WorkListVisible, T::View, call<&CTagrolView::OnTbIll>},
    {32807, "", "", "Set selected days as vacation\nVacation", R::WorkListVisible, T::View, call<&CTagrolView::OnTbVacation>},
    {32824, "", "", "Set selected days as stand-by\nStand-by", R::WorkListVisible, T::View, call<&CTagrolView::OnTbStandby>},
    {32812, "Special", "for selected days only", "Calculate overtime selected only", R::Always, T::View, call<&CTagrolView::OnCalculateovertimeselectedonly>},
    {32810, "Special", "for the hole month", "Calculate overtime hole month", R::Always, T::View, call<&CTagrolView::OnCalculateovertimemonth>},
    {32825, "Special", "Overtime balance...", "Show the overtime balance of the months in the folder\nOvertime balance", R::Always, T::Shell, nullptr},
    {32816, "Special", "Show Squad Time", "", R::SquadListHidden, T::View, call<&CTagrolView::OnShowSquadTime>},
    {32817, "Special", "Show work time", "", R::WorkListHidden, T::View, call<&CTagrolView::OnShowWorkTime>},
    {32813, "View", "Refresh", "", R::Always, T::View, call<&CTagrolView::OnRefresh>},
    {32815, "Help", "What\xB4s new?", "Show what is new.", R::Always, T::View, call<&CTagrolView::OnHelpWhatsnew>},
    {57664, "Help", "&About Tallimo...", "Display program information, version number and copyright\nAbout", R::Always, T::Shell, nullptr},
    {32797, "", "Edit Cell", "Edit current cell", R::Always, T::View, call<&CTagrolView::OnContextmenuEdit>},
    {32814, "", "Copy Cell", "Copy current cell to clipboard", R::Always, T::View, call<&CTagrolView::OnContextmenuCopycell>},
    {32798, "", "Clear Cell", "Clear current cell", R::Always, T::View, call<&CTagrolView::OnContextmenuClear>},
    {32811, "", "", "", R::Always, T::View, call<&CTagrolView::OnVkdelete>},
    {32793, "", "Switch", "Switch between Show and Hidden", R::SwitchLabel, T::View, call<&CTagrolView::OnSwitch>},
    {32790, "", "Enter", "Enter the office", R::Always, T::View, call<&CTagrolView::OnEnter>},
    {32791, "", "Left", "Left the office", R::Always, T::View, call<&CTagrolView::OnLeave>},
    {32840, "Special", "Work model...", "Set the target hours, holidays and vacation of the months' folder\nWork model", R::Always, T::View, call<&CTagrolView::OnWorkModel>},
};
// clang-format on

} // namespace

const std::vector<CommandInfo>& CommandTable::commands() {
    return kCommands;
}

const CommandInfo* CommandTable::find(int id) {
    for (const auto& command : kCommands) {
        if (command.id == id) {
            return &command;
        }
    }
    return nullptr;
}

CommandState CommandTable::update(int id) const {
    const CommandInfo* command = find(id);
    if (command == nullptr) {
        return {};
    }
    CommandState state{true, std::string(command->text)};
    const bool work = m_view.isWorkListVisible();
    switch (command->rule) {
    case R::Always:
        break;
    case R::WorkListVisible:
        state.enabled = work;
        break;
    case R::SquadListVisible:
        state.enabled = !work;
        break;
    case R::SquadListHidden:
        m_view.traceLine("Enter OnUpdateSpecialShowsquadtime");
        m_view.traceLine(work ? "Showsquadtime List was hidden"
                              : "Showsquadtime List was not hidden");
        m_view.traceLine("Leave OnUpdateSpecialShowsquadtime");
        state.enabled = work;
        break;
    case R::WorkListHidden:
        m_view.traceLine("Enter OnUpdateSpecialShowsquadtime");
        m_view.traceLine(!work ? "Showsworktime List was hidden"
                               : "Showsworktime List was not hidden");
        m_view.traceLine("Leave OnUpdateSpecialShowsquadtime");
        state.enabled = !work;
        break;
    case R::SwitchLabel: {
        const bool hidden = m_view.isMainWindowHidden();
        m_view.traceLine("Enter OnUpdatePopupmenuSwitch");
        m_view.traceLine(hidden ? "Window was hidden" : "Window was not hidden");
        m_view.traceLine("Leave OnUpdatePopupmenuSwitch");
        state.label = hidden ? "Show" : "Hide";
        break;
    }
    case R::Never:
        state.enabled = false;
        break;
    case R::UndoLabel:
    case R::RedoLabel: {
        const bool undo = command->rule == R::UndoLabel;
        const auto step = undo ? m_view.document().undoName() : m_view.document().redoName();
        state.enabled = step.has_value();
        if (step) {
            state.label =
                std::string(undo ? "&Undo " : "&Redo ") + *step + (undo ? "\tCtrl+Z" : "\tCtrl+Y");
        }
        break;
    }
    }
    return state;
}

std::string stepNameOf(int id) {
    using namespace CommandId;
    static const std::vector<std::pair<int, std::string_view>> names = {
        {FileNew, "New month"},
        {FileImport, "Import"},
        {FileSave, "Save"},
        {FileSaveAs, "Save as"},
        {EditCut, "Cut"},
        {EditPaste, "Paste"},
        {Add, "New entry"},
        {Modify, "Modify entry"},
        {EnterNow, "Enter now"},
        {EnterButton, "Enter now"},
        {TrayEnter, "Enter now"},
        {LeaveNow, "Leave now"},
        {LeaveButton, "Leave now"},
        {TrayLeft, "Leave now"},
        {StartSquadNow, "Start squad now"},
        {StartSquadButton, "Start squad now"},
        {FinishSquadNow, "Finish squad now"},
        {FinishSquadButton, "Finish squad now"},
        {Sickness, "Mark sickness"},
        {SickButton, "Mark sickness"},
        {Holiday, "Mark holiday"},
        {HolidayButton, "Mark holiday"},
        {Vacation, "Mark vacation"},
        {VacationButton, "Mark vacation"},
        {StandBy, "Mark stand-by"},
        {StandByButton, "Mark stand-by"},
        {OvertimeSelected, "Calculate overtime"},
        {OvertimeMonth, "Calculate overtime"},
        {Refresh, "Edit cell"},
        {EditCell, "Edit cell"},
        {ClearCell, "Clear cell"},
        {DeleteRows, "Delete"},
        {Options, "Options"},
        {EditWorkModel, "Work model"},
    };
    for (const auto& [command, name] : names) {
        if (command == id) {
            return std::string(name);
        }
    }
    return "Change";
}

ExecuteResult CommandTable::execute(int id) const {
    const CommandInfo* command = find(id);
    if (command == nullptr || command->target == T::None) {
        return ExecuteResult::NoHandler;
    }
    if (command->target == T::Shell) {
        return ExecuteResult::LeftToShell;
    }
    command->handler(m_view);
    return ExecuteResult::Ran;
}

} // namespace tallimo
