#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QLineEdit;
class QTimeEdit;

namespace tallimo {

struct OptionsDialog;

// A folder chooser: empty when cancelled, an empty text for a folder without a file-system path.
using FolderChooser = std::function<std::optional<QString>(QWidget* parent, const QString& title,
                                                           const QString& start)>;
// The desktop's folder chooser, showing folders only.
std::optional<QString> chooseFolder(QWidget* parent, const QString& title, const QString& start);

// "Tallimo Options": the default durations with the presence they add up to, the switches and the
// plug-in directory.
class COptionsDlg final : public QDialog {
public:
    COptionsDlg(QWidget* parent, OptionsDialog& dialog, FolderChooser chooser = chooseFolder);

    void accept() override;

private:
    void takeValues();
    void showValues();
    void durationChanged(void (OptionsDialog::*handler)());
    void browse();
    QGroupBox* makePresenceGroup();

    OptionsDialog& m_data;
    FolderChooser m_chooser;
    QTimeEdit* m_worktime;
    QTimeEdit* m_breakfast;
    QTimeEdit* m_lunch;
    QTimeEdit* m_coffee;
    QTimeEdit* m_atwork;
    QCheckBox* m_rememberMe;
    QLineEdit* m_directory;
    QCheckBox* m_autoSave;
    QCheckBox* m_autoBackup;
    QCheckBox* m_autoOpen;
    QLineEdit* m_reportName;
    QLineEdit* m_reportNumber;
    QLineEdit* m_reportDepartment;
    bool m_showing = false;
    // Presence detection.
    QComboBox* m_presence = nullptr;
    QSpinBox* m_awayMinutes = nullptr;
    QLabel* m_unavailable = nullptr;
};

} // namespace tallimo
