#include "view/qt/CEntryDlg.h"

#include "view/EntryDialog.h"
#include "view/qt/DialogParts.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace tallimo {
namespace {

QGroupBox* group(const char* title, QWidget* parent, std::initializer_list<QWidget*> widgets) {
    auto* box = new QGroupBox(QString::fromLatin1(title), parent);
    auto* layout = new QHBoxLayout(box);
    for (QWidget* widget : widgets) {
        layout->addWidget(widget);
    }
    return box;
}

} // namespace

CEntryDlg::CEntryDlg(QWidget* parent, Ui& ui, EntryDialog& dialog)
    : QDialog(parent), m_ui(ui), m_data(dialog), m_startDate(makeDatePicker(this)),
      m_startTime(makeTimePicker(this)), m_endDate(makeDatePicker(this)),
      m_endTime(makeTimePicker(this)), m_comment(new QLineEdit(this)),
      m_standBy(new QCheckBox(QStringLiteral("overtime as stand-by duty (squadtime)"), this)) {
    m_startDate->setObjectName(QStringLiteral("startDate"));
    m_startTime->setObjectName(QStringLiteral("startTime"));
    m_endDate->setObjectName(QStringLiteral("endDate"));
    m_endTime->setObjectName(QStringLiteral("endTime"));
    m_comment->setObjectName(QStringLiteral("comment"));
    m_standBy->setObjectName(QStringLiteral("standBy"));

    auto* fields = new QVBoxLayout;
    fields->addWidget(group("Start work at:", this, {m_startDate, m_startTime}));
    fields->addWidget(group("Finished work at:", this, {m_endDate, m_endTime}));
    fields->addWidget(group("Comment", this, {m_comment}));
    fields->addWidget(group("Overtime details", this, {m_standBy}));
    auto* buttons = new QVBoxLayout;
    addOkCancel(this, buttons);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    setWindowTitle(qtText(m_data.title()));
    m_standBy->setEnabled(m_data.standByEnabled());
    m_startDate->setEnabled(m_data.datePickersEnabled());
    m_endDate->setEnabled(m_data.datePickersEnabled());
    showValues();
    m_startSeen = m_startDate->date();
    m_endSeen = m_endDate->date();

    onCalendarClosed(m_startDate, [this] { startDateClosed(); });
    onCalendarClosed(m_endDate, [this] { endDateClosed(); });
    connect(m_startDate, &QDateEdit::editingFinished, this, [this] { startDateTyped(); });
    connect(m_endDate, &QDateEdit::editingFinished, this, [this] { endDateTyped(); });
    connect(m_startTime, &QTimeEdit::timeChanged, this, [this] {
        if (!m_showing) {
            startTimeChanged();
        }
    });
}

// A picker that loses the focus while the dialog goes away must not reach the dialog any more.
CEntryDlg::~CEntryDlg() {
    m_startDate->disconnect(this);
    m_endDate->disconnect(this);
}

void CEntryDlg::takeValues() {
    m_data.startDate = withLocalDate(m_data.startDate, m_startDate->date());
    m_data.endDate = withLocalDate(m_data.endDate, m_endDate->date());
    m_data.startTime = withLocalTime(m_data.startTime, m_startTime->time());
    m_data.endTime = withLocalTime(m_data.endTime, m_endTime->time());
    m_data.comment = programText(m_comment->text());
    m_data.standBy = m_standBy->isChecked();
}

// A control is only set when its value changed, so a picker the user is typing in keeps its
// cursor.
void CEntryDlg::showValues() {
    m_showing = true;
    const auto setDate = [](QDateEdit* picker, Instant value) {
        if (picker->date() != localDate(value)) {
            picker->setDate(localDate(value));
        }
    };
    const auto setTime = [](QTimeEdit* picker, Instant value) {
        if (picker->time() != localTime(value)) {
            picker->setTime(localTime(value));
        }
    };
    setDate(m_startDate, m_data.startDate);
    setDate(m_endDate, m_data.endDate);
    setTime(m_startTime, m_data.startTime);
    setTime(m_endTime, m_data.endTime);
    if (m_comment->text() != qtText(m_data.comment)) {
        m_comment->setText(qtText(m_data.comment));
    }
    m_standBy->setChecked(m_data.standBy);
    m_showing = false;
}

void CEntryDlg::startDateClosed() {
    takeValues();
    m_startSeen = m_startDate->date();
    m_data.startDateCalendarClosed(m_ui);
    showValues();
    m_endSeen = m_endDate->date();
}

void CEntryDlg::endDateClosed() {
    takeValues();
    m_endSeen = m_endDate->date();
    m_data.endDateCalendarClosed(m_ui);
    showValues();
}

void CEntryDlg::startDateTyped() {
    if (m_startDate->date() != m_startSeen) {
        startDateClosed();
    }
}

void CEntryDlg::endDateTyped() {
    if (m_endDate->date() != m_endSeen) {
        endDateClosed();
    }
}

void CEntryDlg::startTimeChanged() {
    takeValues();
    m_data.startTimeChanged();
    showValues();
}

void CEntryDlg::accept() {
    takeValues();
    m_data.ok = true;
    QDialog::accept();
}

} // namespace tallimo
