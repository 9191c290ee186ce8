#pragma once

#include "calc/OvertimeTotals.h"
#include "calc/TimeValue.h"
#include "calc/WorkDays.h"
#include "document/CTagrolDoc.h"
#include "document/InputFile.h"
#include "document/TimeSheet.h"
#include "platform/TraceLog.h"
#include "plugins/ExportRun.h"
#include "view/Platform.h"
#include "view/Settings.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// The view: owns the month (both tables and its bounds), the settings record and the view state,
// and carries every command. The desktop and the CLI only bind their widgets and subcommands to
// these operations. The commands are implemented in one file per subject beside this one.
class CTagrolView final : public RowCalculator, public SheetSerializer {
public:
    static constexpr unsigned kReminderTimerId = 22;
    // The forecast of "Enter now" is a fixed presence, whatever the @work setting says.
    static constexpr Span kForecastOffset = 32400;

    explicit CTagrolView(Platform& platform);

    CTagrolDoc& document() { return m_doc; }
    const CTagrolDoc& document() const { return m_doc; }
    TimeSheet& sheet() { return m_sheet; }
    const TimeSheet& sheet() const { return m_sheet; }
    CellTable& visibleList() { return m_workVisible ? m_sheet.work : m_sheet.squad; }
    const SettingsRecord& settings() const { return m_settings; }
    bool isWorkListVisible() const { return m_workVisible; }
    Instant goHomeTime() const { return m_goHome; }
    // The go-home time belongs to the row of its own date.
    void setGoHomeTime(Instant goHome) { setGoHome(goHome, goHome); }
    unsigned reminderTimer() const { return m_timerId; }
    int openSquadRow() const;
    int rememberedRow() const { return m_rememberedRow; }
    int rememberedColumn() const { return m_rememberedColumn; }
    bool isMainWindowHidden() const { return m_mainWindowHidden; }
    TraceLog& trace() { return m_trace; }
    void traceLine(std::string_view text) { m_trace.write(TraceModule::View, text); }

    // Start-up: the tables exist; the work list is shown; the last document opens when asked.
    void OnInitialUpdate();

    // File content (the document's Serialize).
    std::vector<std::uint8_t> storeSheet() const override;
    bool loadSheet(std::span<const std::uint8_t> bytes) override;

    // Fills the emptied work list with the days of a month and sets the bounds.
    bool InitListCtrl(int month, int year);

    // Row computations.
    void CalculateWorkRow(int row) override;
    void CalculateSquadRow(int row) override;
    void CalculateAllWorkRows();
    void CalculateAllSquadRows();

    // Overtime totals of the shown list.
    void OnCalculateovertimemonth();
    void OnCalculateovertimeselectedonly();

    // Recording commands. Those a terminal user may see refused tell how they ended (the desktop
    // ignores it; the CLI turns it into its exit status).
    void OnFileNew();
    Result OnFileImport();
    Result SerializePreFP3(std::span<const std::uint8_t> bytes);
    // Cancelled when the question about a filled cell was answered Cancel; the row is still
    // recomputed and the after-change step runs.
    Result OnEnter();
    // "Enter now" at an instant the session reported rather than the clock's.
    Result enterAt(Instant now);
    Result OnLeave();
    // The work row "Enter now" and "Leave now" would write at `now`; -1 when they would refuse.
    // Before noon, "Leave now" on a day without an arrival writes the row of yesterday's.
    int enterRow(Instant now) const;
    int leaveRow(Instant now) const;
    Result OnStartsquadnow();
    // Done when an End was written.
    Result OnFinishsquadnow();
    void OnTimer(unsigned id);
    void OnGoOptions();
    // Takes the settings as the store holds them now (another program may have changed them);
    // the reminder follows RememberMe.
    void reloadSettings();

    // Editing commands.
    Result OnAdd();
    // Done when at least one row was written.
    Result OnModify();
    void OnTbHoliday();
    void OnTbIll();
    void OnTbVacation();
    void OnTbStandby();
    // Done when rows were emptied or deleted.
    Result OnVkdelete();
    void OnRButtonDown(int hitRow, int hitColumn);
    // The cell an accepted in-place edit wrote, when the editor was not opened on the remembered
    // cell (F2 on the current cell): Refresh then recomputes that row and saves it.
    void rememberCell(int row, int column);
    void OnContextmenuEdit();
    void OnContextmenuCopycell();
    void OnContextmenuClear();

    // Small commands.
    void OnSwitch();
    void OnShowSquadTime();
    void OnShowWorkTime();
    void OnRefresh();
    void OnUpdate();
    void OnLButtonDblClk();
    void OnHelpWhatsnew();
    // Failed with the plug-in's failure as the message; refused (the user was told) when the
    // library cannot be used.
    Result OnGoExport();
    const ExportReport& lastExport() const { return m_lastExport; }

    // Undo and redo: the document's step, and what the user is told where there is none.
    Result OnEditUndo();
    Result OnEditRedo();
    // Rows on the clipboard: the selected rows of the shown list as text and HTML; Cut empties
    // them as Delete does; Paste writes the clipboard's text from the first selected row down.
    Result OnEditCopy();
    Result OnEditCut();
    Result OnEditPaste();
    // The work model of the open document's folder, read again whenever its file changed; none
    // without a document on disk, without a model file or while the file has a bad line
    // (workModelProblem() then says why).
    const WorkCalendar* workCalendar();
    // The model with today's date, for the totals and the balance; empty without a model.
    std::optional<ModelToday> modelToday();
    const std::string& workModelProblem() const { return m_modelProblem; }
    // The folder whose model the desktop edits: the open month's, else the last document's;
    // empty with neither.
    std::string workModelFolder() const;
    // Special > Work model: edits the folder's model, then counts the open month by it.
    Result OnWorkModel();

private:
    void markSelectedDays(std::string_view handler, const std::function<void(int row)>& mark,
                          bool afterEachRow);
    void makeDailyBackup(Instant now);
    void setOpenSquadRow(int row);
    // Today lies between the loaded month's bounds.
    bool isInMonth(Instant now) const;
    Result addDay(const EntryDialog& dialog);
    Result addPeriod(const EntryDialog& dialog);
    // Tells the user that the open month is not today's and ends the handler's trace.
    Result refuseOutsideMonth(std::string_view handler);
    void armReminderFromEnter(Instant now, Instant forecast);
    void armReminderFromOptions();
    void stopReminderTimer();
    void storeOptions(const OptionsDialog& dialog);
    // The go-home time follows the Leave of the row it belongs to, also onto the next day.
    void setGoHome(Instant goHome, Instant rowDate);
    void moveGoHomeTime(Instant rowDate, Instant leave);
    TotalList visibleTotalList() const;

    Platform& m_platform;
    TraceLog m_trace;
    SettingsRecord m_settings;
    TimeSheet m_sheet;
    CTagrolDoc m_doc;

    bool m_workVisible = true;
    int m_rememberedRow = -1;
    int m_rememberedColumn = -1;
    int m_openSquadRow = -1;
    std::uint64_t m_openSquadRemovals = 0;
    unsigned m_timerId = 0;
    Instant m_goHome = 0;
    // The date of the row the go-home time belongs to.
    LocalFields m_goHomeRowDate;
    bool m_mainWindowHidden = false;
    std::string m_monthName;
    ExportReport m_lastExport;
    // The model file of the month's folder, derived once per path: every computed row asks for
    // the model, and only the file's stamp needs looking at again.
    std::string m_modelFor;
    std::string m_modelPathFolder;
    std::string m_modelPath;
    // The folder and stamp of the model the calendar was made from.
    std::string m_modelFolder;
    std::optional<FileStamp> m_modelStamp;
    std::optional<WorkCalendar> m_calendar;
    std::string m_modelProblem;
};

} // namespace tallimo
