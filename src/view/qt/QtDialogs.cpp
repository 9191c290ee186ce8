#include "view/qt/QtDialogs.h"

// Placeholder until the dialogs exist: every dialog is cancelled at once.
namespace tallimo {

bool execNewMonthDialog(QWidget*, NewMonthDialog&) {
    return false;
}
bool execEntryDialog(QWidget*, Ui&, EntryDialog&) {
    return false;
}
bool execOptionsDialog(QWidget*, OptionsDialog&) {
    return false;
}
bool execExportDialog(QWidget*, ExportDialog&) {
    return false;
}
void execAboutBox(QWidget*) {}

} // namespace tallimo
