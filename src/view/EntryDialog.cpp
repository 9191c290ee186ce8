#include "view/EntryDialog.h"

#include "platform/Ui.h"

namespace tallimo {

std::string EntryDialog::title() const {
    if (workMode) {
        return modifyMode ? "Tallimo - Modify" : "Tallimo - Create";
    }
    return modifyMode ? "Tallimo Squadtime - Modify" : "Tallimo Squadtime - Create";
}

void EntryDialog::startDateCalendarClosed(Ui& ui) {
    if (startDate < minDate) {
        ui.showMessage("Datum zu klein.");
    }
    endDate = startDate;
}

void EntryDialog::endDateCalendarClosed(Ui& ui) {
    if (endDate > maxDate) {
        ui.showMessage("Datum zu gro\xDF.");
    }
}

void EntryDialog::startTimeChanged() {
    if (!modifyMode) {
        endTime = startTime + kProposedDayLength;
    }
}

} // namespace tallimo
