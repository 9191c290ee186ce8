#include "view/qt/CNewMonthDlg.h"

#include "view/NewMonthDialog.h"
#include "view/qt/DialogParts.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tallimo {

CNewMonthDlg::CNewMonthDlg(QWidget* parent, NewMonthDialog& dialog)
    : QDialog(parent), m_data(dialog), m_picker(makeDatePicker(this)) {
    setWindowTitle(QString::fromLatin1(kNewMonthDialogTitle));
    m_picker->setObjectName(QStringLiteral("month"));
    m_picker->setDate(localDate(m_data.chosen));
    alignCalendarRight(m_picker);

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_picker, 0, Qt::AlignTop);
    auto* buttons = new QVBoxLayout;
    addOkCancel(this, buttons);
    buttons->addStretch();
    layout->addLayout(buttons);
}

void CNewMonthDlg::accept() {
    m_data.OnOK();
    m_data.chosen = withLocalDate(m_data.chosen, m_picker->date());
    QDialog::accept();
}

} // namespace tallimo
