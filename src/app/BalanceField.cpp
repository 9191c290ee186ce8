#include "app/BalanceField.h"

#include "view/CTagrolView.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <filesystem>

namespace tallimo {
namespace {

QString fromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Every file that does not count, and why.
QString problemsOf(const Balance& balance) {
    QStringList lines;
    for (const BalanceLine& line : balance.lines) {
        if (!line.file.readable()) {
            lines << QStringLiteral("%1 cannot be read (%2); it is left out.")
                         .arg(fromPath(line.file.path), QString::fromStdString(line.file.error));
        } else if (!line.counted) {
            lines << QStringLiteral("%1 is a second file of its month; the newer %2 counts.")
                         .arg(fromPath(line.file.path), fromPath(line.countedCopy));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

BalanceField::BalanceField(CTagrolView& view, const SettingsStore& settings, QStatusBar& bar,
                           QObject* parent)
    : QObject(parent), m_view(view), m_settings(settings), m_label(new QLabel(&bar)),
      m_vacation(new QLabel(&bar)) {
    m_label->setObjectName(QStringLiteral("BalanceField"));
    bar.insertPermanentWidget(0, m_label);
    m_label->hide();
    m_vacation->setObjectName(QStringLiteral("VacationField"));
    bar.insertPermanentWidget(1, m_vacation);
    m_vacation->hide();
    // Coming back to the window after work in a terminal finds every changed month.
    if (QWidget* window = bar.window()) {
        window->installEventFilter(this);
    }
}

bool BalanceField::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        refresh(true);
    }
    return QObject::eventFilter(watched, event);
}

void BalanceField::showVacation(const Balance& balance, const ModelToday* model) {
    m_vacation->setVisible(model != nullptr);
    if (!model) {
        return;
    }
    std::vector<DayEntry> days;
    for (const BalanceLine& line : balance.lines) {
        if (line.counted) {
            days.insert(days.end(), line.file.days.begin(), line.file.days.end());
        }
    }
    m_vacation->setText(QString::fromStdString(
        vacationLeftText(vacationYear(model->calendar, days, model->today.year, model->today))));
}

void BalanceField::readFolder(const std::string& folder) {
    std::vector<std::string> paths;
    // A folder that cannot be listed leaves the open month alone in the balance.
    listMonthFiles(folder, paths);
    m_folderFiles = m_cache.read(paths);
}

void BalanceField::refresh(bool rereadFolder) {
    const std::string& path = m_view.document().path();
    const TimeSheet& sheet = m_view.sheet();
    const std::pair revisions{sheet.work.textRevision(), sheet.squad.textRevision()};
    const auto modelToday = m_view.modelToday();
    const ModelToday* model = modelToday ? &*modelToday : nullptr;
    // Under a model the days count by today's date, which moves without any change of the texts.
    if (revisions != m_revisions || model) {
        m_revisions = model ? decltype(m_revisions){~0ULL, ~0ULL} : revisions;
        m_openTotals = monthTotals(sheet, model);
        m_openDays = dayOvertimes(sheet, model);
    }
    Balance balance;
    QString problems;
    if (!path.empty()) {
        const std::string folder = std::filesystem::path(path).parent_path().string();
        // Every save replaces its file, which changes the folder's time stamp.
        const auto folderStamp = fileStampOf(folder);
        if (rereadFolder || folder != m_folder || folderStamp != m_folderStamp) {
            m_folder = folder;
            m_folderStamp = folderStamp;
            readFolder(folder);
        }
        const auto start = readBalanceStart(m_settings);
        balance = openMonthBalance(m_folderFiles, openMonthFile(sheet, path, m_openTotals),
                                   start.value_or(0), model);
        problems = problemsOf(balance);
        if (!start) {
            problems.prepend(QStringLiteral("The setting BalanceStart is no span such as +12:30; "
                                            "the balance starts at 0.\n"));
        }
    }
    showVacation(balance, model);
    m_label->setVisible(!path.empty());
    m_label->setText(QString::fromStdString(balanceFieldText(balance)));
    m_label->setToolTip(problems);
    const std::vector<DayOvertime>& days = path.empty() ? std::vector<DayOvertime>() : m_openDays;
    if (balance == m_balance && days == m_days) {
        return;
    }
    m_balance = std::move(balance);
    m_days = days;
    emit changed();
}

} // namespace tallimo
