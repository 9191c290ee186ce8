#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

class CTagrolView;

namespace CommandId {
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrint = 57607;
inline constexpr int AppExit = 57665;
inline constexpr int AppAbout = 57664;
inline constexpr int EditUndo = 57643;
inline constexpr int EditRedo = 57644;
inline constexpr int EditCut = 57635;
inline constexpr int EditCopy = 57634;
inline constexpr int EditPaste = 57637;
inline constexpr int FileImport = 32822;
inline constexpr int Add = 32783;
inline constexpr int Modify = 32794;
inline constexpr int EnterNow = 32784;
inline constexpr int LeaveNow = 32785;
inline constexpr int EnterButton = 32786;
inline constexpr int LeaveButton = 32787;
inline constexpr int StartSquadNow = 32818;
inline constexpr int FinishSquadNow = 32819;
inline constexpr int StartSquadButton = 32820;
inline constexpr int FinishSquadButton = 32821;
inline constexpr int Export = 32782;
inline constexpr int Options = 32781;
inline constexpr int Sickness = 32803;
inline constexpr int Holiday = 32804;
inline constexpr int Vacation = 32805;
inline constexpr int StandBy = 32823;
inline constexpr int HolidayButton = 32795;
inline constexpr int SickButton = 32796;
inline constexpr int VacationButton = 32807;
inline constexpr int StandByButton = 32824;
inline constexpr int OvertimeSelected = 32812;
inline constexpr int OvertimeMonth = 32810;
inline constexpr int ShowSquadTime = 32816;
inline constexpr int ShowWorkTime = 32817;
inline constexpr int Refresh = 32813;
inline constexpr int WhatsNew = 32815;
inline constexpr int EditCell = 32797;
inline constexpr int CopyCell = 32814;
inline constexpr int ClearCell = 32798;
inline constexpr int DeleteRows = 32811;
inline constexpr int Switch = 32793;
inline constexpr int TrayEnter = 32790;
inline constexpr int TrayLeft = 32791;
inline constexpr int OvertimeBalance = 32825;
// The month report.
inline constexpr int FilePrintPreview = 57609;
inline constexpr int ExportPdf = 32826;
// The work model of the months' folder.
inline constexpr int EditWorkModel = 32840;
} // namespace CommandId

// When a command of the main menu, the toolbar or the tray popup is enabled.
enum class EnableRule {
    Always,
    WorkListVisible,
    SquadListVisible,
    SquadListHidden, // "Show Squad Time", traced
    WorkListHidden,  // "Show work time", traced
    SwitchLabel,     // always enabled, labelled "Show" or "Hide", traced
    Never,           // no handler anywhere
    UndoLabel,       // enabled with a step to undo, labelled "&Undo <step>"
    RedoLabel,       // enabled with a step to redo, labelled "&Redo <step>"
};

// How a command is carried out.
enum class CommandTarget {
    View,  // a handler of the view
    Shell, // the desktop itself (closing the main window, the About box)
    None,  // no handler
};

struct CommandInfo {
    int id = 0;
    std::string_view menu;       // "File", "Tools", ...; empty for toolbar or popup only
    std::string_view text;       // menu text, empty for toolbar buttons
    std::string_view statusText; // tool tip after the line break
    EnableRule rule = EnableRule::Always;
    CommandTarget target = CommandTarget::View;
    void (*handler)(CTagrolView&) = nullptr;
};

struct CommandState {
    bool enabled = false;
    std::string label; // the menu text, or "Show"/"Hide" for Switch
};

enum class ExecuteResult { Ran, LeftToShell, NoHandler };

// Every command id with its texts, handler and update rule, so that the desktop's menus, toolbar
// and tray popup only ask, and the desktop and the CLI run commands the same way.
// The name the undo history gives a step made by the command, as "Undo <name>" shows it.
std::string stepNameOf(int id);

class CommandTable {
public:
    explicit CommandTable(CTagrolView& view) : m_view(view) {}

    static const std::vector<CommandInfo>& commands();
    // nullptr for an id nobody handles.
    static const CommandInfo* find(int id);

    // Evaluates the update rule (tracing as the rule does); unknown ids are disabled.
    CommandState update(int id) const;
    // Runs the handler. Update rules are not consulted: the list's context menu follows its own
    // greying and the tray's Enter and Left run whichever list is shown.
    ExecuteResult execute(int id) const;

private:
    CTagrolView& m_view;
};

} // namespace tallimo
