#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tallimo {

class Ui;
struct WorkModelDialog;

// "Work model": the list of periods, the selected period's fields, the company days and the
// imported holidays of the months' folder. Every edit goes straight into the dialog's texts; the
// rules check them on OK.
class CWorkModelDlg final : public QDialog {
public:
    CWorkModelDlg(QWidget* parent, Ui& ui, WorkModelDialog& dialog);

    void accept() override;

private:
    void takeValues();
    void showValues();
    void showPeriods();

    Ui& m_ui;
    WorkModelDialog& m_data;
    QListWidget* m_periods;
    QPushButton* m_remove;
    QLineEdit* m_from;
    std::array<QLineEdit*, 7> m_targets{};
    QLineEdit* m_break;
    QLineEdit* m_breakAfter;
    QComboBox* m_region;
    QLineEdit* m_vacation;
    QLineEdit* m_carryUntil;
    QPlainTextEdit* m_companyDays;
    QPlainTextEdit* m_holidays;
    bool m_showing = false;
};

} // namespace tallimo
