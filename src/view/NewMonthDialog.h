#pragma once

#include "calc/TimeValue.h"

namespace tallimo {

// The "Create new month" dialog as data: the picker opens on the moment the dialog is made, and
// any day of the wanted month may be chosen. The dialog's OK button calls OnOK.
struct NewMonthDialog {
    explicit NewMonthDialog(Instant now) : chosen(now) {}

    void OnOK() { accepted = true; }

    Instant chosen;
    bool accepted = false;
};

inline constexpr const char* kNewMonthDialogTitle = "Create new month";

} // namespace tallimo
