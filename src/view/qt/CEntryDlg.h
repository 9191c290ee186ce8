#pragma once

#include <QDate>
#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QTimeEdit;

namespace tallimo {

class Ui;
struct EntryDialog;

// The entry dialog: a day's arrival and departure or a stand-by period, with its comment. The
// rules of the data run on the pickers' events; their messages reach the user through ui.
class CEntryDlg final : public QDialog {
public:
    CEntryDlg(QWidget* parent, Ui& ui, EntryDialog& dialog);
    ~CEntryDlg() override;

    void accept() override;

private:
    void takeValues();
    void showValues();
    void startDateClosed();
    void endDateClosed();
    void startTimeChanged();
    // A date typed into a picker counts as picked once it is confirmed and differs from the last
    // date the rule saw.
    void startDateTyped();
    void endDateTyped();

    Ui& m_ui;
    EntryDialog& m_data;
    QDateEdit* m_startDate;
    QTimeEdit* m_startTime;
    QDateEdit* m_endDate;
    QTimeEdit* m_endTime;
    QLineEdit* m_comment;
    QCheckBox* m_standBy;
    QDate m_startSeen;
    QDate m_endSeen;
    bool m_showing = false;
};

} // namespace tallimo
