#include "app/QtDialogs.h"

#include "app/CAboutDlg.h"
#include "plugins/ExportDialog.h"
#include "plugins/qt/CExportDlg.h"
#include "view/EntryDialog.h"
#include "view/NewMonthDialog.h"
#include "view/OptionsDialog.h"
#include "view/WorkModelDialog.h"
#include "view/qt/CEntryDlg.h"
#include "view/qt/CNewMonthDlg.h"
#include "view/qt/COptionsDlg.h"
#include "view/qt/CWorkModelDlg.h"

namespace tallimo {

bool execNewMonthDialog(QWidget* parent, NewMonthDialog& dialog) {
    CNewMonthDlg window(parent, dialog);
    window.exec();
    return dialog.accepted;
}

bool execEntryDialog(QWidget* parent, Ui& ui, EntryDialog& dialog) {
    CEntryDlg window(parent, ui, dialog);
    window.exec();
    return dialog.ok;
}

bool execOptionsDialog(QWidget* parent, OptionsDialog& dialog) {
    COptionsDlg window(parent, dialog);
    window.exec();
    return dialog.ok;
}

bool execExportDialog(QWidget* parent, ExportDialog& dialog) {
    CExportDlg window(parent, dialog);
    return window.exec() == QDialog::Accepted;
}

void execAboutBox(QWidget* parent) {
    CAboutDlg window(parent);
    window.exec();
}

bool execWorkModelDialog(QWidget* parent, Ui& ui, WorkModelDialog& dialog) {
    CWorkModelDlg window(parent, ui, dialog);
    window.exec();
    return dialog.ok;
}

} // namespace tallimo
