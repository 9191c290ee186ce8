#pragma once

class QWidget;

namespace tallimo {

class Ui;
struct NewMonthDialog;
struct EntryDialog;
struct OptionsDialog;
class ExportDialog;
struct WorkModelDialog;

// The modal Qt dialogs over the core's dialog data, gathered where the windows of every layer
// meet. Each shows the data, runs the data's rules on its events and writes the values back; it
// returns true when the user closed it with OK.
bool execNewMonthDialog(QWidget* parent, NewMonthDialog& dialog);
// The entry rules may speak to the user ("Datum zu klein."), through ui.
bool execEntryDialog(QWidget* parent, Ui& ui, EntryDialog& dialog);
bool execOptionsDialog(QWidget* parent, OptionsDialog& dialog);
bool execExportDialog(QWidget* parent, ExportDialog& dialog);
void execAboutBox(QWidget* parent);
// The model's rules tell the user of bad values and ask before switching off, through ui.
bool execWorkModelDialog(QWidget* parent, Ui& ui, WorkModelDialog& dialog);

} // namespace tallimo
