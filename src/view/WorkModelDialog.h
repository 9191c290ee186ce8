#pragma once

#include "calc/WorkModel.h"

#include <array>
#include <string>
#include <vector>

namespace tallimo {

class Ui;

// Texts of the work model dialog.
namespace WorkModelText {
inline constexpr const char* Title = "Work model";
inline constexpr const char* Folder = "Months in:";
inline constexpr const char* Periods = "Periods";
inline constexpr const char* AddPeriod = "Add";
inline constexpr const char* RemovePeriod = "Remove";
inline constexpr const char* PeriodGroup = "Selected period";
inline constexpr const char* From = "From (YYYY-MM-DD):";
inline constexpr const char* Targets = "Target worktime:";
inline constexpr const char* Break = "Break:";
inline constexpr const char* BreakAfter = "when presence is above:";
inline constexpr const char* Region = "Public holidays of:";
inline constexpr const char* Vacation = "Vacation days per year:";
inline constexpr const char* CarryUntil = "Days not taken expire after (MM-DD):";
inline constexpr const char* CompanyDays = "Company days (2026-12-24 = half Christmas Eve, "
                                           "2026-06-05 = free Outing):";
inline constexpr const char* Holidays = "Imported holidays (2026-06-24 = Midsummer):";
inline constexpr const char* ImportIcs = "Import .ics...";
inline constexpr const char* ImportTitle = "Import holidays";
inline constexpr const char* SwitchOff = "Switch off";
inline constexpr const char* SwitchOffQuestion =
    "Switch the work model off? Every day then counts its presence less 9 hours again; the "
    "model's file is kept as tallimo-model.txt.bak.";
inline constexpr const char* NoRegion = "none";
} // namespace WorkModelText

// One period as the dialog's fields show it: the texts of the model file.
struct PeriodFields {
    std::string from;
    std::array<std::string, 7> targets; // Monday first
    std::string breakSpan;
    std::string breakAfter;
    std::string region; // "none" or a shipped region's code
    std::string vacation;
    std::string carryUntil;
    bool operator==(const PeriodFields&) const = default;
};
PeriodFields fieldsOf(const WorkPeriod& period);

// The work model dialog as data plus rules. The view fills it from the folder's model (or a
// proposed one), the dialog edits the texts, and OnOK checks them all: on OK `model` holds what
// the file is to say, or `switchOff` asks for the file to be put aside.
struct WorkModelDialog {
    // The shipped regions, "none" first.
    static std::vector<std::string> regionChoices();
    // Fills the fields; `hasModel` says whether the folder has a model file to switch off.
    void show(const WorkModel& shown, bool modelFileExists);

    bool canRemovePeriod() const { return periods.size() > 1; }
    // A copy of the selected period from the later of today and the day after the last start;
    // it becomes the selected one.
    void OnAddPeriod();
    void OnRemovePeriod();
    // Asks for an .ics file and adds its all-day events to the imported holidays.
    void OnImportIcs(Ui& ui);
    // Asks, and on yes closes the dialog with `switchOff` set.
    bool OnSwitchOff(Ui& ui);
    // Checks every field; a problem is shown (its period selected) and the dialog stays open.
    bool OnOK(Ui& ui);

    std::string folder;
    CivilDate today;
    std::vector<PeriodFields> periods;
    int selected = 0;
    std::string companyDays; // one date a line, as in the file
    std::string holidays;
    bool hasModel = false;

    WorkModel model;
    bool switchOff = false;
    bool ok = false;
};

} // namespace tallimo
