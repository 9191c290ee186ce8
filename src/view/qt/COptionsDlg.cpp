#include "view/qt/COptionsDlg.h"

#include "view/OptionsDialog.h"
#include "view/qt/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QUrl>
#include <QVBoxLayout>

namespace tallimo {
namespace {

QString text(const char* programText) {
    return QString::fromLatin1(programText);
}

// The directory is a file-system path: bytes in the file names' encoding, not a cell text.
QString pathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string pathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The picker's time of day as the dialog keeps it, untouched while the picker still shows it.
Instant durationTaken(Instant value, const QTimeEdit* picker) {
    const QTime shown = picker->time();
    return localTime(value) == shown
               ? value
               : durationPickerValue(Duration{shown.hour(), shown.minute(), shown.second()});
}

// A grid of caption and field rows in the group.
QGridLayout* addLabelledRows(QGroupBox& group,
                             std::initializer_list<std::pair<const char*, QWidget*>> rows) {
    auto* grid = new QGridLayout(&group);
    for (const auto& [label, field] : rows) {
        auto* caption = new QLabel(text(label), &group);
        caption->setBuddy(field);
        grid->addWidget(caption, grid->rowCount(), 0);
        grid->addWidget(field, grid->rowCount() - 1, 1);
    }
    return grid;
}

} // namespace

std::optional<QString> chooseFolder(QWidget* parent, const QString& title, const QString& start) {
    const QUrl chosen = QFileDialog::getExistingDirectoryUrl(
        parent, title, QUrl::fromLocalFile(start), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.isLocalFile() ? chosen.toLocalFile() : QString();
}

COptionsDlg::COptionsDlg(QWidget* parent, OptionsDialog& dialog, FolderChooser chooser)
    : QDialog(parent), m_data(dialog), m_chooser(std::move(chooser)),
      m_worktime(makeTimePicker(this)), m_breakfast(makeTimePicker(this)),
      m_lunch(makeTimePicker(this)), m_coffee(makeTimePicker(this)), m_atwork(makeTimePicker(this)),
      m_rememberMe(new QCheckBox(text(OptionsText::RememberMe), this)),
      m_directory(new QLineEdit(this)),
      m_autoSave(new QCheckBox(text(OptionsText::AutoSave), this)),
      m_autoBackup(new QCheckBox(text(OptionsText::AutoBackup), this)),
      m_autoOpen(new QCheckBox(text(OptionsText::AutoOpenLastDocument), this)),
      m_reportName(new QLineEdit(this)), m_reportNumber(new QLineEdit(this)),
      m_reportDepartment(new QLineEdit(this)) {
    setWindowTitle(text(OptionsText::Title));
    m_worktime->setObjectName(QStringLiteral("worktime"));
    m_breakfast->setObjectName(QStringLiteral("breakfast"));
    m_lunch->setObjectName(QStringLiteral("lunch"));
    m_coffee->setObjectName(QStringLiteral("coffee"));
    m_atwork->setObjectName(QStringLiteral("atwork"));
    m_rememberMe->setObjectName(QStringLiteral("RememberMe"));
    m_directory->setObjectName(QStringLiteral("directory"));
    m_autoSave->setObjectName(QStringLiteral("AutoSave"));
    m_autoBackup->setObjectName(QStringLiteral("AutoBackup"));
    m_autoOpen->setObjectName(QStringLiteral("AutoOpenLastDocument"));
    m_reportName->setObjectName(QStringLiteral("ReportName"));
    m_reportNumber->setObjectName(QStringLiteral("ReportNumber"));
    m_reportDepartment->setObjectName(QStringLiteral("ReportDepartment"));
    // The sum is shown, never edited; read-only keeps it readable where disabled would grey it.
    m_atwork->setReadOnly(true);
    m_atwork->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_atwork->setFocusPolicy(Qt::NoFocus);

    auto* defaults = new QGroupBox(text(OptionsText::DefaultsGroup), this);
    auto* sum = new QGridLayout(defaults);
    const std::pair<const char*, QTimeEdit*> terms[] = {{OptionsText::Worktime, m_worktime},
                                                        {OptionsText::Breakfast, m_breakfast},
                                                        {OptionsText::Lunch, m_lunch},
                                                        {OptionsText::Coffee, m_coffee},
                                                        {OptionsText::AtWork, m_atwork}};
    int column = 0;
    for (const auto& [label, picker] : terms) {
        if (column > 0) {
            sum->addWidget(
                new QLabel(picker == m_atwork ? QStringLiteral("=") : QStringLiteral("+"),
                           defaults),
                1, column++);
        }
        auto* caption = new QLabel(text(label), defaults);
        caption->setBuddy(picker);
        sum->addWidget(caption, 0, column);
        sum->addWidget(picker, 1, column++);
    }
    sum->addWidget(m_rememberMe, 2, 0, 1, column);

    auto* plugIns = new QGroupBox(text(OptionsText::PlugInGroup), this);
    auto* browse = new QPushButton(text(OptionsText::Browse), plugIns);
    browse->setObjectName(QStringLiteral("browse"));
    browse->setAutoDefault(false);
    auto* directoryRow = new QHBoxLayout(plugIns);
    auto* directoryLabel = new QLabel(text(OptionsText::Directory), plugIns);
    directoryLabel->setBuddy(m_directory);
    directoryRow->addWidget(directoryLabel);
    directoryRow->addWidget(m_directory, 1);
    directoryRow->addWidget(browse);

    auto* save = new QGroupBox(text(OptionsText::SaveGroup), this);
    auto* saveBoxes = new QVBoxLayout(save);
    saveBoxes->addWidget(m_autoSave);
    saveBoxes->addWidget(m_autoBackup);
    auto* open = new QGroupBox(text(OptionsText::OpenGroup), this);
    (new QVBoxLayout(open))->addWidget(m_autoOpen);
    auto* report = new QGroupBox(text(OptionsText::ReportGroup), this);
    addLabelledRows(*report, {{OptionsText::ReportName, m_reportName},
                              {OptionsText::ReportNumber, m_reportNumber},
                              {OptionsText::ReportDepartment, m_reportDepartment}});

    QGroupBox* presence = makePresenceGroup();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const DialogButtons ok = addOkCancel(this, buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (QWidget* part : {static_cast<QWidget*>(defaults), static_cast<QWidget*>(plugIns),
                          static_cast<QWidget*>(save), static_cast<QWidget*>(open),
                          static_cast<QWidget*>(report), static_cast<QWidget*>(presence)}) {
        layout->addWidget(part);
    }
    layout->addLayout(buttons);
    // Tab follows the reading order, not the order the widgets were made in.
    QWidget* const chain[] = {m_worktime,         m_breakfast, m_lunch,       m_coffee,
                              m_rememberMe,       m_directory, browse,        m_autoSave,
                              m_autoBackup,       m_autoOpen,  m_reportName,  m_reportNumber,
                              m_reportDepartment, m_presence,  m_awayMinutes, ok.ok,
                              ok.cancel};
    for (std::size_t i = 1; i < std::size(chain); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }

    showValues();

    const std::pair<QTimeEdit*, void (OptionsDialog::*)()> handlers[] = {
        {m_worktime, &OptionsDialog::OnDatetimechangeWorktime},
        {m_breakfast, &OptionsDialog::OnDatetimechangeBreakfast},
        {m_lunch, &OptionsDialog::OnDatetimechangeLunch},
        {m_coffee, &OptionsDialog::OnDatetimechangeCoffee}};
    for (const auto& [picker, handler] : handlers) {
        connect(picker, &QTimeEdit::timeChanged, this, [this, handler = handler] {
            if (!m_showing) {
                durationChanged(handler);
            }
        });
    }
    connect(m_autoSave, &QCheckBox::clicked, this, [this] { m_data.OnAutosave(); });
    connect(m_autoBackup, &QCheckBox::clicked, this, [this] { m_data.OnAutobackup(); });
    connect(m_rememberMe, &QCheckBox::clicked, this, [this] { m_data.OnRememberme(); });
    connect(browse, &QPushButton::clicked, this, [this] { this->browse(); });
}

void COptionsDlg::takeValues() {
    m_data.worktime = durationTaken(m_data.worktime, m_worktime);
    m_data.breakfast = durationTaken(m_data.breakfast, m_breakfast);
    m_data.lunch = durationTaken(m_data.lunch, m_lunch);
    m_data.coffee = durationTaken(m_data.coffee, m_coffee);
    m_data.RememberMe = m_rememberMe->isChecked() ? 1 : 0;
    // A path whose bytes are no UTF-8 cannot come back from its shown text unchanged.
    if (m_directory->text() != pathText(m_data.plugInDir)) {
        m_data.plugInDir = pathBytes(m_directory->text());
    }
    m_data.AutoSave = m_autoSave->isChecked() ? 1 : 0;
    m_data.AutoBackup = m_autoBackup->isChecked() ? 1 : 0;
    m_data.AutoOpenLastDocument = m_autoOpen->isChecked() ? 1 : 0;
    m_data.reportName = m_reportName->text().toStdString();
    m_data.reportNumber = m_reportNumber->text().toStdString();
    m_data.reportDepartment = m_reportDepartment->text().toStdString();
    m_data.presence = static_cast<PresenceMode>(m_presence->currentIndex());
    m_data.presenceAwayMinutes = m_awayMinutes->value();
}

// A control is only set when its value changed, so a picker the user is typing in keeps its
// cursor.
void COptionsDlg::showValues() {
    m_showing = true;
    for (const auto& [picker, value] :
         {std::pair{m_worktime, m_data.worktime}, std::pair{m_breakfast, m_data.breakfast},
          std::pair{m_lunch, m_data.lunch}, std::pair{m_coffee, m_data.coffee},
          std::pair{m_atwork, m_data.atwork}}) {
        if (picker->time() != localTime(value)) {
            picker->setTime(localTime(value));
        }
    }
    m_rememberMe->setChecked(m_data.RememberMe != 0);
    if (m_directory->text() != pathText(m_data.plugInDir)) {
        m_directory->setText(pathText(m_data.plugInDir));
    }
    m_autoSave->setChecked(m_data.AutoSave != 0);
    m_autoBackup->setChecked(m_data.AutoBackup != 0);
    m_autoOpen->setChecked(m_data.AutoOpenLastDocument != 0);
    for (const auto& [field, value] : {std::pair{m_reportName, &m_data.reportName},
                                       std::pair{m_reportNumber, &m_data.reportNumber},
                                       std::pair{m_reportDepartment, &m_data.reportDepartment}}) {
        if (field->text() != QString::fromStdString(*value)) {
            field->setText(QString::fromStdString(*value));
        }
    }
    m_presence->setCurrentIndex(static_cast<int>(m_data.presence));
    m_awayMinutes->setValue(m_data.presenceAwayMinutes);
    m_showing = false;
}

QGroupBox* COptionsDlg::makePresenceGroup() {
    auto* group = new QGroupBox(text(OptionsText::PresenceGroup), this);
    m_presence = new QComboBox(group);
    m_presence->setObjectName(QStringLiteral("Presence"));
    for (const char* mode : OptionsText::PresenceModes) {
        m_presence->addItem(text(mode));
    }
    m_awayMinutes = new QSpinBox(group);
    m_awayMinutes->setObjectName(QStringLiteral("PresenceAwayMinutes"));
    m_awayMinutes->setRange(0, kMaxPresenceAwayMinutes);
    m_awayMinutes->setSuffix(text(OptionsText::PresenceAwayUnit));
    QGridLayout* fields = addLabelledRows(*group, {{OptionsText::PresenceRecord, m_presence},
                                                   {OptionsText::PresenceAway, m_awayMinutes}});
    if (!m_data.presenceUnavailable.empty()) {
        m_unavailable = new QLabel(text(OptionsText::PresenceUnavailable) +
                                       QString::fromStdString(m_data.presenceUnavailable),
                                   group);
        m_unavailable->setObjectName(QStringLiteral("PresenceUnavailable"));
        m_unavailable->setWordWrap(true);
        fields->addWidget(m_unavailable, fields->rowCount(), 0, 1, 2);
    }
    return group;
}

void COptionsDlg::durationChanged(void (OptionsDialog::*handler)()) {
    takeValues();
    (m_data.*handler)();
    showValues();
}

// Only the directory takes the chosen folder; every other control keeps what the user set.
void COptionsDlg::browse() {
    const auto chosen = m_chooser(this, text(OptionsText::BrowseTitle), m_directory->text());
    if (!chosen) {
        return;
    }
    m_data.OnPlugindir(pathBytes(*chosen));
    m_directory->setText(pathText(m_data.plugInDir));
}

void COptionsDlg::accept() {
    takeValues();
    m_data.OnOK();
    QDialog::accept();
}

} // namespace tallimo
