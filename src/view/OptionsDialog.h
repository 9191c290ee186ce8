#pragma once

#include "calc/TimeValue.h"
#include "platform/TraceLog.h"
#include "view/Settings.h"

#include <string>

namespace tallimo {

// Texts of the options dialog.
namespace OptionsText {
inline constexpr const char* Title = "Tallimo Options";
inline constexpr const char* DefaultsGroup = "Default settings";
inline constexpr const char* Worktime = "default worktime:";
inline constexpr const char* Breakfast = "Breakfasttime:";
inline constexpr const char* Lunch = "Lunchtime:";
inline constexpr const char* Coffee = "Coffeetime:";
inline constexpr const char* AtWork = "@work:";
inline constexpr const char* RememberMe = "Remember me if is time to go home";
inline constexpr const char* PlugInGroup = "Options for Plug-Ins";
inline constexpr const char* Directory = "Directory:";
inline constexpr const char* Browse = "...";
inline constexpr const char* BrowseTitle = "Plug-In Directory";
inline constexpr const char* SaveGroup = "Options for save";
inline constexpr const char* AutoSave = "Automatic save document on changes";
inline constexpr const char* AutoBackup = "Automatic create daily backup on enter";
inline constexpr const char* OpenGroup = "Option for open";
inline constexpr const char* AutoOpenLastDocument = "Automatic open last document";
inline constexpr const char* ReportGroup = "Month report";
inline constexpr const char* ReportName = "Name:";
inline constexpr const char* ReportNumber = "Personnel number:";
inline constexpr const char* ReportDepartment = "Department:";
inline constexpr const char* PresenceGroup = "Presence detection";
inline constexpr const char* PresenceRecord = "Record the day from the session:";
inline constexpr const char* PresenceModes[] = {"off", "suggest (ask before recording)",
                                                "auto (record without asking)"};
inline constexpr const char* PresenceAway = "A lock is a departure after:";
inline constexpr const char* PresenceAwayUnit = " minutes";
inline constexpr const char* PresenceUnavailable = "unavailable: ";
} // namespace OptionsText

// A duration as the dialog's pickers hold it: 1 January 1999 00:00:00 local plus the duration.
Instant durationPickerValue(const Duration& duration);
// The picker's local time of day as hour, minute and second; whole days are dropped.
Duration pickerDuration(Instant value);

// The options dialog as data plus its rules. The caller sets every value except ok and hands it
// over with atwork computed. The dialog takes the controls' values into these fields before it
// calls a handler, and shows them again afterwards. Its OK button calls OnOK.
struct OptionsDialog {
    explicit OptionsDialog(TraceLog& trace);

    void OnDatetimechangeWorktime();
    void OnDatetimechangeBreakfast();
    void OnDatetimechangeLunch();
    void OnDatetimechangeCoffee();
    void OnAutosave();
    void OnAutobackup();
    void OnRememberme();
    // A folder was chosen in the browser (not called when it was cancelled); an empty path
    // stands for a folder without a file-system path.
    void OnPlugindir(const std::string& chosenPath);
    void OnOK();

    // atwork = worktime + breakfast + coffee + lunch; only its time of day counts.
    void computeAtWork();

    Instant atwork = 0;
    int AutoSave = 0;
    Instant breakfast = 0;
    Instant coffee = 0;
    Instant lunch = 0;
    Instant worktime = 0;
    int AutoBackup = 0;
    std::string plugInDir;
    int AutoOpenLastDocument = 0;
    int RememberMe = 0;
    // The month report's header, UTF-8.
    std::string reportName;
    std::string reportNumber;
    std::string reportDepartment;
    PresenceMode presence = PresenceMode::Off;
    int presenceAwayMinutes = kDefaultPresenceAwayMinutes;
    // Shown, not edited: why the running desktop cannot watch the session; empty when it can.
    std::string presenceUnavailable;
    bool ok = false;

private:
    void durationChanged(Instant value);
    void trace(std::string_view text) { m_trace.write(TraceModule::OptionDlg, text); }

    TraceLog& m_trace;
};

} // namespace tallimo
