#include "app/BalanceWindow.h"

#include "app/BalanceChart.h"
#include "app/BalanceField.h"
#include "document/BalanceRows.h"
#include "document/CellLook.h"
#include "platform/Encoding.h"
#include "platform/Ui.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
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

} // namespace

BalanceWindow::BalanceWindow(const BalanceField& field, Ui& ui, QWidget* parent)
    : QDialog(parent), m_field(field), m_ui(ui), m_summary(new QLabel(this)),
      m_tabs(new QTabWidget(this)),
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
    QStringList headings;
    for (const char* heading : kBalanceHeadings) {
        headings << QString::fromLatin1(heading);
    }
    // Under a work model: the month's target and worktime.
    headings << QStringLiteral("Target") << QStringLiteral("Worked");
    m_table->setHorizontalHeaderLabels(headings);
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
    const std::vector<BalanceRow> rows = balanceRows(balance);
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const BalanceRow& shown = rows[static_cast<std::size_t>(row)];
        // The rows are Start, one per month, Total: only a month's row has model figures.
        const std::size_t month = static_cast<std::size_t>(row) - 1;
        const bool isMonth = row > 0 && month < balance.lines.size();
        const std::optional<ModelMonth>& model =
            isMonth ? balance.lines[month].model : std::optional<ModelMonth>();
        const std::string modelCells[] = {
            model ? totalSpanText(model->target, TotalList::Work) : "",
            model ? totalSpanText(model->worked, TotalList::Work) : ""};
        for (int column = 0; column < 7; ++column) {
            const std::string& cell =
                column < 5 ? shown.cells[static_cast<std::size_t>(column)] : modelCells[column - 5];
            auto* item = new QTableWidgetItem(
                column == 4 ? QFile::decodeName(QByteArray::fromStdString(cell)) : text(cell));
            if (column == 1 && shown.overtimeColour) {
                const Rgb rgb = rgbOf(*shown.overtimeColour);
                item->setForeground(QColor(rgb.red, rgb.green, rgb.blue));
            }
            if (!shown.error.empty()) {
                item->setToolTip(text(shown.error));
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
    m_ui.showMessage("The chart could not be written to \"" +
                     utf8ToWindows1252(QFile::encodeName(path).toStdString()) + "\".");
    return false;
}

void BalanceWindow::exportChosen() {
    FileDialogRequest request;
    request.title = "Export chart";
    request.filters = {{"PNG image (*.png)", "*.png"}};
    request.defaultExtension = "png";
    request.fileName =
        QFile::encodeName(QDir::home().filePath(m_tabs->currentIndex() == 0
                                                    ? QStringLiteral("tallimo-balance.png")
                                                    : QStringLiteral("tallimo-month.png")))
            .toStdString();
    request.forSaving = true;
    request.overwritePrompt = true;
    const auto chosen = m_ui.chooseFile(request);
    if (!chosen) {
        return;
    }
    const QString path = QFile::decodeName(QByteArray::fromStdString(*chosen));
    // The Ui's file dialog leaves the overwrite question to its caller.
    if (QFileInfo::exists(path) && m_ui.ask("The file \"" + utf8ToWindows1252(*chosen) +
                                            "\" exists. Would you replace it?") == Answer::Cancel) {
        return;
    }
    exportPng(path);
}

} // namespace tallimo
