#pragma once

#include <QDialog>

class QLabel;
class QTabWidget;
class QTableWidget;

namespace tallimo {

class BalanceChart;
class BalanceField;
class Ui;

// "Overtime balance": the months of the status bar's balance as a table and a chart, and the
// open month day by day; each chart can be saved as a PNG image. It follows the field while open
// and asks every question through the Ui.
class BalanceWindow final : public QDialog {
    Q_OBJECT

public:
    BalanceWindow(const BalanceField& field, Ui& ui, QWidget* parent = nullptr);

    BalanceChart& monthChart() { return *m_months; }
    BalanceChart& dayChart() { return *m_days; }
    QTableWidget& table() { return *m_table; }
    // Writes the shown tab's chart at twice its size (sharp on any screen); false after telling
    // the user why it could not be written.
    bool exportPng(const QString& path);

private:
    void follow();
    void fillTable();
    void exportChosen();

    const BalanceField& m_field;
    Ui& m_ui;
    QLabel* m_summary;
    QTabWidget* m_tabs;
    BalanceChart* m_months;
    BalanceChart* m_days;
    QTableWidget* m_table;
};

} // namespace tallimo
