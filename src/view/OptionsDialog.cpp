#include "view/OptionsDialog.h"

namespace tallimo {
namespace {

Span timeOfDaySeconds(Instant value) {
    const LocalFields fields = splitLocal(value);
    return Span{fields.hour} * 3600 + fields.minute * 60 + fields.second;
}

} // namespace

Instant durationPickerValue(const Duration& duration) {
    return makeLocalInstant(1999, 1, 1, 0, 0, 0).value_or(0) + duration.seconds();
}

Duration pickerDuration(Instant value) {
    const LocalFields fields = splitLocal(value);
    return Duration{fields.hour, fields.minute, fields.second};
}

OptionsDialog::OptionsDialog(TraceLog& trace) : m_trace(trace) {
    this->trace("Enter COptionsDlg");
    this->trace("Leave COptionsDlg");
}

void OptionsDialog::computeAtWork() {
    atwork =
        worktime + timeOfDaySeconds(breakfast) + timeOfDaySeconds(coffee) + timeOfDaySeconds(lunch);
}

void OptionsDialog::durationChanged(Instant value) {
    trace(formatInstant(value, "%H:%M:%S"));
    computeAtWork();
}

void OptionsDialog::OnDatetimechangeWorktime() {
    durationChanged(worktime);
}

void OptionsDialog::OnDatetimechangeBreakfast() {
    durationChanged(breakfast);
}

void OptionsDialog::OnDatetimechangeLunch() {
    durationChanged(lunch);
}

void OptionsDialog::OnDatetimechangeCoffee() {
    durationChanged(coffee);
}

// A click is only traced: the box's state reaches the values with the next take-over.
void OptionsDialog::OnAutosave() {
    trace("Enter OnAutosave");
    trace("Leave OnAutosave");
}

void OptionsDialog::OnAutobackup() {
    trace("Enter OnAutobackup");
    trace("Leave OnAutobackup");
}

void OptionsDialog::OnRememberme() {
    trace("Enter OnRememberme");
    trace("Leave OnRememberme");
}

void OptionsDialog::OnPlugindir(const std::string& chosenPath) {
    plugInDir = chosenPath;
    trace("Plug-In Directory selected: " + plugInDir);
}

void OptionsDialog::OnOK() {
    trace("Enter OnOK");
    ok = true;
    trace("Leave OnOK");
}

} // namespace tallimo
