#pragma once

#include <QDialog>

class QDateEdit;

namespace tallimo {

struct NewMonthDialog;

// "Create new month": a day of the wanted month, picked from a calendar that opens on today.
class CNewMonthDlg final : public QDialog {
public:
    CNewMonthDlg(QWidget* parent, NewMonthDialog& dialog);

    void accept() override;

private:
    NewMonthDialog& m_data;
    QDateEdit* m_picker;
};

} // namespace tallimo
