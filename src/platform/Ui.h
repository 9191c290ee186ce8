#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tallimo {

// Dialog data, defined with the commands that use them.
struct NewMonthDialog;
struct EntryDialog;
struct OptionsDialog;
class ExportDialog;
struct WorkModelDialog;

enum class Answer { Ok, Cancel };

struct FileFilter {
    std::string name;    // "Tallimo File (*.time)"
    std::string pattern; // "*.time"
};

struct FileDialogRequest {
    std::string title;
    std::vector<FileFilter> filters;
    std::string defaultExtension;
    std::string fileName;
    bool forSaving = false;
    bool overwritePrompt = false;
};

// Everything the user sees or answers. Texts are the program's bytes (Windows-1252); the adapter
// converts at its edge. Message boxes and questions carry the caption "Tallimo".
class Ui {
public:
    virtual ~Ui() = default;

    // A message box with the OK button only.
    virtual void showMessage(const std::string& text) = 0;
    // A question with OK (yes) and Cancel.
    virtual Answer ask(const std::string& text) = 0;
    // The open/save file dialog; empty when the user cancelled.
    virtual std::optional<std::string> chooseFile(const FileDialogRequest& request) = 0;

    // Modal dialogs as data in and out; each returns true when the user closed it with OK. The
    // dialog's rules (in the data type) run on the dialog's events and may call back into Ui.
    virtual bool runNewMonthDialog(NewMonthDialog& dialog) = 0;
    virtual bool runEntryDialog(EntryDialog& dialog) = 0;
    virtual bool runOptionsDialog(OptionsDialog& dialog) = 0;
    virtual bool runExportDialog(ExportDialog& dialog) = 0;

    // Plain text on the clipboard; false when the clipboard cannot be opened.
    virtual bool setClipboardText(const std::string& text) = 0;

    virtual void setMainWindowVisible(bool visible) = 0;

    // Opens the in-place editor on a cell of the work list or the squad list; an accepted edit
    // writes the cell and runs Refresh.
    virtual void editCell(bool workList, int row, int column) = 0;

    // Restoring unsaved changes, and rows on the clipboard. The defaults serve adapters that
    // have no more than the plain calls above.
    enum class Restore { Restore, Discard };
    // A question with Restore (the default button) and Discard.
    virtual Restore askRestore(const std::string& text) {
        return ask(text) == Answer::Ok ? Restore::Restore : Restore::Discard;
    }
    // Rows as tab-separated text and as an HTML table; false when the clipboard cannot be opened.
    virtual bool setClipboardRows(const std::string& text, const std::string& html) {
        (void)html;
        return setClipboardText(text);
    }
    // The clipboard's plain text; nothing where it holds none.
    virtual std::optional<std::string> clipboardText() { return std::nullopt; }

    // The work model dialog; a terminal has none (it has `tallimo-cli model set`).
    virtual bool runWorkModelDialog(WorkModelDialog& dialog) {
        (void)dialog;
        return false;
    }
};

} // namespace tallimo
