#include "view/qt/CWorkModelDlg.h"

#include "view/WorkModelDialog.h"
#include "view/qt/DialogParts.h"

#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallimo {
namespace {

QString text(const char* programText) {
    return QString::fromLatin1(programText);
}

// The model's texts are UTF-8.
QString shown(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QLineEdit* field(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QPushButton* button(QWidget* parent, const char* label, const char* name) {
    auto* made = new QPushButton(text(label), parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setAutoDefault(false);
    return made;
}

} // namespace

CWorkModelDlg::CWorkModelDlg(QWidget* parent, Ui& ui, WorkModelDialog& dialog)
    : QDialog(parent), m_ui(ui), m_data(dialog), m_periods(new QListWidget(this)),
      m_remove(button(this, WorkModelText::RemovePeriod, "removePeriod")),
      m_from(field(this, QStringLiteral("from"))), m_break(field(this, QStringLiteral("break"))),
      m_breakAfter(field(this, QStringLiteral("breakAfter"))), m_region(new QComboBox(this)),
      m_vacation(field(this, QStringLiteral("vacation"))),
      m_carryUntil(field(this, QStringLiteral("carryUntil"))),
      m_companyDays(new QPlainTextEdit(this)), m_holidays(new QPlainTextEdit(this)) {
    setWindowTitle(text(WorkModelText::Title));
    m_periods->setObjectName(QStringLiteral("periods"));
    m_region->setObjectName(QStringLiteral("region"));
    m_companyDays->setObjectName(QStringLiteral("companyDays"));
    m_holidays->setObjectName(QStringLiteral("holidays"));
    for (const std::string& code : WorkModelDialog::regionChoices()) {
        m_region->addItem(shown(code));
    }

    auto* folder = new QLabel(text(WorkModelText::Folder) + QLatin1Char(' ') +
                                  QFile::decodeName(QByteArray::fromStdString(m_data.folder)),
                              this);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* periods = new QGroupBox(text(WorkModelText::Periods), this);
    auto* add = button(periods, WorkModelText::AddPeriod, "addPeriod");
    auto* periodColumn = new QVBoxLayout(periods);
    periodColumn->addWidget(m_periods, 1);
    auto* periodButtons = new QHBoxLayout;
    periodButtons->addWidget(add);
    periodButtons->addWidget(m_remove);
    periodColumn->addLayout(periodButtons);

    auto* period = new QGroupBox(text(WorkModelText::PeriodGroup), this);
    auto* form = new QFormLayout(period);
    form->addRow(text(WorkModelText::From), m_from);
    auto* week = new QGridLayout;
    for (int day = 0; day < 7; ++day) {
        const QString name = QString::fromLatin1(kWeekdayNames[day]);
        QLineEdit* target = field(period, name);
        target->setMaxLength(5);
        auto* caption = new QLabel(name, period);
        caption->setBuddy(target);
        week->addWidget(caption, 0, day, Qt::AlignHCenter);
        week->addWidget(target, 1, day);
        m_targets[static_cast<std::size_t>(day)] = target;
    }
    form->addRow(text(WorkModelText::Targets), week);
    auto* breakRow = new QHBoxLayout;
    breakRow->addWidget(m_break);
    auto* breakAfter = new QLabel(text(WorkModelText::BreakAfter), period);
    breakAfter->setBuddy(m_breakAfter);
    breakRow->addWidget(breakAfter);
    breakRow->addWidget(m_breakAfter);
    form->addRow(text(WorkModelText::Break), breakRow);
    form->addRow(text(WorkModelText::Region), m_region);
    form->addRow(text(WorkModelText::Vacation), m_vacation);
    form->addRow(text(WorkModelText::CarryUntil), m_carryUntil);

    auto* days = new QGroupBox(this);
    auto* dayColumn = new QVBoxLayout(days);
    auto* companyCaption = new QLabel(text(WorkModelText::CompanyDays), days);
    companyCaption->setBuddy(m_companyDays);
    dayColumn->addWidget(companyCaption);
    dayColumn->addWidget(m_companyDays);
    auto* holidayCaption = new QLabel(text(WorkModelText::Holidays), days);
    holidayCaption->setBuddy(m_holidays);
    auto* holidayRow = new QHBoxLayout;
    holidayRow->addWidget(holidayCaption, 1);
    auto* import = button(days, WorkModelText::ImportIcs, "importIcs");
    holidayRow->addWidget(import);
    dayColumn->addLayout(holidayRow);
    dayColumn->addWidget(m_holidays);

    auto* upper = new QHBoxLayout;
    upper->addWidget(periods);
    upper->addWidget(period, 1);
    auto* buttons = new QHBoxLayout;
    auto* switchOff = button(this, WorkModelText::SwitchOff, "switchOff");
    switchOff->setEnabled(m_data.hasModel);
    buttons->addWidget(switchOff);
    buttons->addStretch();
    addOkCancel(this, buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folder);
    layout->addLayout(upper);
    layout->addWidget(days, 1);
    layout->addLayout(buttons);

    showPeriods();
    showValues();

    for (QLineEdit* edit : {m_from, m_break, m_breakAfter, m_vacation, m_carryUntil}) {
        connect(edit, &QLineEdit::textEdited, this, [this] { takeValues(); });
    }
    for (QLineEdit* edit : m_targets) {
        connect(edit, &QLineEdit::textEdited, this, [this] { takeValues(); });
    }
    connect(m_region, &QComboBox::currentTextChanged, this, [this] { takeValues(); });
    for (QPlainTextEdit* edit : {m_companyDays, m_holidays}) {
        connect(edit, &QPlainTextEdit::textChanged, this, [this] { takeValues(); });
    }
    connect(m_periods, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_showing && row >= 0) {
            m_data.selected = row;
            showValues();
        }
    });
    connect(add, &QPushButton::clicked, this, [this] {
        m_data.OnAddPeriod();
        showPeriods();
        showValues();
        m_from->setFocus(Qt::OtherFocusReason);
        m_from->selectAll();
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        m_data.OnRemovePeriod();
        showPeriods();
        showValues();
    });
    connect(import, &QPushButton::clicked, this, [this] {
        m_data.OnImportIcs(m_ui);
        showValues();
    });
    connect(switchOff, &QPushButton::clicked, this, [this] {
        if (m_data.OnSwitchOff(m_ui)) {
            QDialog::accept();
        }
    });
}

void CWorkModelDlg::takeValues() {
    if (m_showing || m_data.periods.empty()) {
        return;
    }
    PeriodFields& period = m_data.periods[static_cast<std::size_t>(m_data.selected)];
    period.from = m_from->text().toStdString();
    for (std::size_t day = 0; day < 7; ++day) {
        period.targets[day] = m_targets[day]->text().toStdString();
    }
    period.breakSpan = m_break->text().toStdString();
    period.breakAfter = m_breakAfter->text().toStdString();
    period.region = m_region->currentText().toStdString();
    period.vacation = m_vacation->text().toStdString();
    period.carryUntil = m_carryUntil->text().toStdString();
    m_data.companyDays = m_companyDays->toPlainText().toStdString();
    m_data.holidays = m_holidays->toPlainText().toStdString();
    if (QListWidgetItem* item = m_periods->item(m_data.selected)) {
        item->setText(shown(period.from));
    }
}

void CWorkModelDlg::showPeriods() {
    m_showing = true;
    m_periods->clear();
    for (const PeriodFields& period : m_data.periods) {
        m_periods->addItem(shown(period.from));
    }
    m_showing = false;
}

// A field is only set when its text changed, so one the user is typing in keeps its cursor.
void CWorkModelDlg::showValues() {
    m_showing = true;
    const auto set = [](QLineEdit* edit, const std::string& value) {
        if (edit->text() != shown(value)) {
            edit->setText(shown(value));
        }
    };
    m_periods->setCurrentRow(m_data.selected);
    m_remove->setEnabled(m_data.canRemovePeriod());
    const PeriodFields& period = m_data.periods[static_cast<std::size_t>(m_data.selected)];
    set(m_from, period.from);
    for (std::size_t day = 0; day < 7; ++day) {
        set(m_targets[day], period.targets[day]);
    }
    set(m_break, period.breakSpan);
    set(m_breakAfter, period.breakAfter);
    // A region the shipped rules do not know stays shown, so that OK can name it.
    if (m_region->findText(shown(period.region)) < 0) {
        m_region->addItem(shown(period.region));
    }
    m_region->setCurrentText(shown(period.region));
    set(m_vacation, period.vacation);
    set(m_carryUntil, period.carryUntil);
    for (const auto& [edit, value] :
         {std::pair{m_companyDays, &m_data.companyDays}, std::pair{m_holidays, &m_data.holidays}}) {
        if (edit->toPlainText() != shown(*value)) {
            edit->setPlainText(shown(*value));
        }
    }
    m_showing = false;
}

void CWorkModelDlg::accept() {
    takeValues();
    if (m_data.OnOK(m_ui)) {
        QDialog::accept();
    } else {
        showValues();
    }
}

} // namespace tallimo
