#pragma once

#include "platform/Ui.h"

#include <functional>

class QWidget;

namespace tallimo {

// The desktop's Ui: Qt message boxes and file dialogs captioned "Tallimo", the dialogs of
// QtDialogs.h, the clipboard and the main window. Texts arrive as Windows-1252 bytes and paths
// as the system's bytes; both become QStrings here.
class QtUi final : public Ui {
public:
    void setMainWindow(QWidget* window) { m_window = window; }
    // Opens the in-place editor of the shown list.
    void setCellEditor(std::function<void(bool workList, int row, int column)> editor) {
        m_cellEditor = std::move(editor);
    }

    void showMessage(const std::string& text) override;
    Answer ask(const std::string& text) override;
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
    bool runNewMonthDialog(NewMonthDialog& dialog) override;
    bool runEntryDialog(EntryDialog& dialog) override;
    bool runOptionsDialog(OptionsDialog& dialog) override;
    bool runExportDialog(ExportDialog& dialog) override;
    bool runWorkModelDialog(WorkModelDialog& dialog) override;
    bool setClipboardText(const std::string& text) override;
    void setMainWindowVisible(bool visible) override;
    void editCell(bool workList, int row, int column) override;
    Restore askRestore(const std::string& text) override;
    bool setClipboardRows(const std::string& text, const std::string& html) override;
    std::optional<std::string> clipboardText() override;

private:
    // The main window while it is shown; a box over a hidden window would not be seen.
    QWidget* dialogParent() const;

    QWidget* m_window = nullptr;
    std::function<void(bool, int, int)> m_cellEditor;
};

} // namespace tallimo
