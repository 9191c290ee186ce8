#include "app/BalanceWindow.h"

#include "app/BalanceChart.h"
#include "app/BalanceField.h"
#include "controls/CellLook.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace tallimo {
namespace {

QString text(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

QString workText(Span span) {
    return text(totalSpanText(span, TotalList::Work));
}

} // namespace

BalanceWindow::BalanceWindow(const BalanceField& field, QWidget* parent)
    : QDialog(parent), m_field(field), m_summary(new QLabel(this)), m_tabs(new QTabWidget(this)),
      m_months(
          new BalanceChart(QStringLiteral("Overtime of the month"), QStringLiteral("Balance"))),
      m_days(
          new BalanceChart(QStringLiteral("Overtime of the day"), QStringLiteral("Month so far"))),
      m_table(new QTableWidget(0, 7)) {
    setWindowTitle(QStringLiteral("Overtime balance"));
    QSize wanted(760, 640);
    if (const QScreen* shown = screen()) {
        wanted = wanted.boundedTo(shown->availableGeometry().size() * 9 / 10);
    }
    resize(wanted);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Month"), QStringLiteral("Overtime"),
                                        QStringLiteral("Stand-by"), QStringLiteral("Balance"),
                                        QStringLiteral("File"),
                                        // Under a work model: the month's target and worktime.
                                        QStringLiteral("Target"), QStringLiteral("Worked")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    auto* months = new QSplitter(Qt::Vertical);
    months->addWidget(m_months);
    months->addWidget(m_table);
    m_tabs->addTab(months, QStringLiteral("Months"));
    m_tabs->addTab(m_days, QStringLiteral("Open month"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* exportButton =
        buttons->addButton(QStringLiteral("Export PNG..."), QDialogButtonBox::ActionRole);
    connect(exportButton, &QPushButton::clicked, this, &BalanceWindow::exportChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);
    connect(&field, &BalanceField::changed, this, &BalanceWindow::follow);
    follow();
}

void BalanceWindow::follow() {
    const Balance& balance = m_field.balance();
    m_summary->setText(m_field.label().text());
    m_summary->setToolTip(m_field.label().toolTip());
    std::vector<ChartBar> months;
    for (const BalanceLine& line : balance.lines) {
        if (line.counted) {
            months.push_back(
                {text(yearMonthText(*line.month)), line.file.totals.overtime, line.balance});
        }
    }
    m_months->setTitle(months.empty() ? QString()
                                      : QStringLiteral("Up to %1").arg(months.back().label));
    m_months->setBars(std::move(months));
    std::vector<ChartBar> days;
    Span soFar = 0;
    for (const DayOvertime& day : m_field.days()) {
        soFar += day.overtime;
        days.push_back({text(formatInstant(day.date, "%d")), day.overtime, soFar});
    }
    m_days->setBars(std::move(days));
    m_days->setTitle(m_field.days().empty()
                         ? QString()
                         : text(formatInstant(m_field.days().front().date, "%B %Y")));
    fillTable();
}

void BalanceWindow::fillTable() {
    const Balance& balance = m_field.balance();
    // The starting balance first, as tallimo-cli balance shows it.
    m_table->setRowCount(static_cast<int>(balance.lines.size()) + 1);
    m_table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Start")));
    m_table->setItem(0, 3, new QTableWidgetItem(workText(balance.start)));
    for (int row = 1; row < m_table->rowCount(); ++row) {
        const BalanceLine& line = balance.lines[static_cast<std::size_t>(row - 1)];
        const MonthTotals& totals = line.file.totals;
        const bool readable = line.file.readable();
        const QString cells[] = {
            line.month ? text(yearMonthText(*line.month)) : QStringLiteral("?"),
            readable ? workText(totals.overtime) : QStringLiteral("-"),
            readable ? text(totalSpanText(totals.standby, TotalList::Squad)) : QStringLiteral("-"),
            !readable ? QStringLiteral("unreadable")
                      : (line.counted ? workText(line.balance) : QStringLiteral("duplicate")),
            QFile::decodeName(QByteArray::fromStdString(line.file.path)),
            line.model ? workText(line.model->target) : QString(),
            line.model ? workText(line.model->worked) : QString()};
        for (int column = 0; column < 7; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == 1 && readable && totals.overtime != 0) {
                const Rgb rgb =
                    rgbOf(totals.overtime > 0 ? kPositiveOvertimeColour : kNegativeOvertimeColour);
                item->setForeground(QColor(rgb.red, rgb.green, rgb.blue));
            }
            if (!readable) {
                item->setToolTip(text(line.file.error));
            }
            m_table->setItem(row, column, item);
        }
    }
    const bool modelled = std::any_of(balance.lines.begin(), balance.lines.end(),
                                      [](const BalanceLine& line) { return line.model; });
    m_table->setColumnHidden(5, !modelled);
    m_table->setColumnHidden(6, !modelled);
    m_table->resizeColumnsToContents();
}

bool BalanceWindow::exportPng(const QString& path) {
    const BalanceChart& chart = m_tabs->currentIndex() == 0 ? *m_months : *m_days;
    if (chart.image(2).save(path, "PNG")) {
        return true;
    }
    QMessageBox::warning(this, QStringLiteral("Tallimo"),
                         QStringLiteral("The chart could not be written to \"%1\".").arg(path));
    return false;
}

void BalanceWindow::exportChosen() {
    const QString name = m_tabs->currentIndex() == 0 ? QStringLiteral("tallimo-balance.png")
                                                     : QStringLiteral("tallimo-month.png");
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export chart"),
                                                      QDir::home().filePath(name),
                                                      QStringLiteral("PNG image (*.png)"));
    if (!path.isEmpty()) {
        exportPng(path);
    }
}

} // namespace tallimo
