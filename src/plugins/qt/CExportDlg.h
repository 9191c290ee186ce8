#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace tallimo {

class ExportDialog;

// "Export": lists the plug-in libraries of the plug-in directory, probes the one the user selects
// and shows its description; OK is allowed only after a probe that loaded the library.
class CExportDlg final : public QDialog {
public:
    CExportDlg(QWidget* parent, ExportDialog& dialog);

    void accept() override;

private:
    void comboBoxChanged(int index);
    void showState();

    ExportDialog& m_data;
    QComboBox* m_plugins;
    QLabel* m_description;
    QPushButton* m_ok;
};

} // namespace tallimo
