#include "report/qt/ReportRenderer.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <functional>
#include <numeric>

namespace tallimo {
namespace {

// Sizes in points; the painter is scaled so that one unit is one point on every device.
constexpr double kMargin = 36;
constexpr double kFooter = 16;
constexpr double kRow = 10.5;
constexpr double kHeaderRow = 12;
constexpr double kLine = 12;
constexpr double kGap = 10;
constexpr double kCellPad = 2;
constexpr double kCellFont = 6.5;
constexpr double kSmallestFont = 4.5;
constexpr double kTextFont = 8.5;
constexpr double kTitleFont = 14;
const QColor kRule(0xB0, 0xB0, 0xB0);
const QColor kHeaderBack(0xE4, 0xE4, 0xE4);

// Relative widths of the columns; the last one takes what is left.
const std::vector<double> kDayWidths = {52, 50, 40, 40, 40, 40, 44, 36, 130, 80};
const std::vector<double> kSquadWidths = {80, 80, 40, 90, 90, 120};

QString utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QColor colourOf(Colour colour) {
    const Rgb rgb = rgbOf(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// One piece of the flow of pages: its height and how it is painted at a top edge.
struct Item {
    double height = 0;
    std::function<void(QPainter&, double top)> paint;
    // Kept on one page with the item after it (titles, table headers).
    bool keepWithNext = false;
    // For a table row: the table's header, painted again above it on a new page.
    const Item* header = nullptr;
};

class Renderer {
public:
    Renderer(const MonthReport& report, QPagedPaintDevice& device)
        : m_report(report), m_device(device),
          m_page(device.pageLayout().fullRect(QPageLayout::Point)),
          m_content(m_page.adjusted(kMargin, kMargin, -kMargin, -kMargin - kFooter)) {}

    bool paint(QString& error);

private:
    // A font of `points` points in the painter's units.
    QFont font(double points, bool bold = false) const {
        QFont made(QStringLiteral("DejaVu Sans"));
        made.setPointSizeF(points * 72.0 / m_device.logicalDpiY());
        made.setBold(bold);
        // Ligatures would be copied out of the PDF as one character ("ﬁle"), not as the text.
        made.setStyleStrategy(QFont::PreferNoShaping);
        return made;
    }
    // Text in a box, made smaller down to a limit where it is too wide, then cut.
    void text(QPainter& painter, const QRectF& box, const QString& shown, QFont used,
              Qt::Alignment align = Qt::AlignLeft) const;
    std::vector<double> columns(const std::vector<double>& weights) const;
    void addTable(const std::vector<std::string>& headers, const std::vector<ReportRow>& rows,
                  const std::vector<double>& weights);
    void addTitle(const QString& title);
    void addLines(const std::vector<ReportLine>& left, const std::vector<ReportLine>& right);
    void addSignatures();
    void addHeader();
    void paintFooter(QPainter& painter, int page, int pages) const;

    const MonthReport& m_report;
    QPagedPaintDevice& m_device;
    QRectF m_page;
    QRectF m_content;
    std::vector<std::unique_ptr<Item>> m_items;
};

void Renderer::text(QPainter& painter, const QRectF& box, const QString& shown, QFont used,
                    Qt::Alignment align) const {
    QFontMetricsF metrics(used, &m_device);
    while (metrics.horizontalAdvance(shown) > box.width() &&
           used.pointSizeF() * 0.9 * m_device.logicalDpiY() / 72.0 >= kSmallestFont) {
        used.setPointSizeF(used.pointSizeF() * 0.9);
        metrics = QFontMetricsF(used, &m_device);
    }
    painter.setFont(used);
    painter.drawText(box, align | Qt::AlignVCenter | Qt::TextSingleLine,
                     metrics.elidedText(shown, Qt::ElideRight, box.width()));
}

std::vector<double> Renderer::columns(const std::vector<double>& weights) const {
    const double sum = std::accumulate(weights.begin(), weights.end(), 0.0);
    std::vector<double> widths;
    for (const double weight : weights) {
        widths.push_back(weight * m_content.width() / sum);
    }
    return widths;
}

void Renderer::addTable(const std::vector<std::string>& headers, const std::vector<ReportRow>& rows,
                        const std::vector<double>& weights) {
    const std::vector<double> widths = columns(weights);
    auto header = std::make_unique<Item>();
    header->height = kHeaderRow;
    header->keepWithNext = true;
    header->paint = [this, headers, widths](QPainter& painter, double top) {
        const QRectF band(m_content.left(), top, m_content.width(), kHeaderRow);
        painter.fillRect(band, kHeaderBack);
        double left = m_content.left();
        for (std::size_t i = 0; i < headers.size() && i < widths.size(); ++i) {
            text(painter, QRectF(left + kCellPad, top, widths[i] - 2 * kCellPad, kHeaderRow),
                 utf8(headers[i]), font(kCellFont, true));
            left += widths[i];
        }
    };
    const Item* headerItem = header.get();
    m_items.push_back(std::move(header));
    for (const ReportRow& row : rows) {
        auto item = std::make_unique<Item>();
        item->height = kRow;
        item->header = headerItem;
        item->paint = [this, &row, widths](QPainter& painter, double top) {
            double left = m_content.left();
            for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
                const CellLook& look = row[i].look;
                const QRectF cell(left, top, widths[i], kRow);
                if (look.back) {
                    painter.fillRect(cell, colourOf(*look.back));
                }
                QFont used = font(kCellFont);
                if (look.font) {
                    used.setWeight(QFont::Weight(look.font->weight));
                    used.setItalic(look.font->italic);
                    used.setUnderline(look.font->underline);
                    used.setStrikeOut(look.font->strikeOut);
                }
                painter.setPen(look.text ? colourOf(*look.text) : QColor(Qt::black));
                text(painter, cell.adjusted(kCellPad, 0, -kCellPad, 0), utf8(row[i].text), used);
                left += widths[i];
            }
            painter.setPen(QPen(kRule, 0.3));
            painter.drawLine(QPointF(m_content.left(), top + kRow),
                             QPointF(m_content.right(), top + kRow));
            painter.setPen(Qt::black);
        };
        m_items.push_back(std::move(item));
    }
}

void Renderer::addTitle(const QString& title) {
    auto item = std::make_unique<Item>();
    item->height = kGap + kLine + 2;
    item->keepWithNext = true;
    item->paint = [this, title](QPainter& painter, double top) {
        text(painter, QRectF(m_content.left(), top + kGap, m_content.width(), kLine), title,
             font(kTextFont + 1, true));
    };
    m_items.push_back(std::move(item));
}

// Label and value lines in two halves of the width; both lists are kept by reference.
void Renderer::addLines(const std::vector<ReportLine>& left, const std::vector<ReportLine>& right) {
    auto item = std::make_unique<Item>();
    item->height = kLine * static_cast<double>(std::max(left.size(), right.size()));
    item->paint = [this, &left, &right](QPainter& painter, double top) {
        const double half = m_content.width() / 2;
        for (const auto& [lines, x] :
             {std::pair{&left, m_content.left()}, std::pair{&right, m_content.left() + half}}) {
            double y = top;
            for (const ReportLine& line : *lines) {
                text(painter, QRectF(x, y, half * 0.5, kLine), utf8(line.label), font(kTextFont));
                text(painter, QRectF(x + half * 0.5, y, half * 0.45, kLine), utf8(line.value),
                     font(kTextFont, true), Qt::AlignRight);
                y += kLine;
            }
        }
    };
    m_items.push_back(std::move(item));
}

void Renderer::addSignatures() {
    auto item = std::make_unique<Item>();
    item->height = kGap + 30 + kLine;
    item->paint = [this](QPainter& painter, double top) {
        const double half = m_content.width() / 2;
        const QString labels[] = {QStringLiteral("Date, signature of the employee"),
                                  QStringLiteral("Date, signature of the supervisor")};
        for (int i = 0; i < 2; ++i) {
            const double left = m_content.left() + i * half;
            const double line = top + kGap + 30;
            painter.setPen(QPen(Qt::black, 0.6));
            painter.drawLine(QPointF(left, line), QPointF(left + half - 24, line));
            text(painter, QRectF(left, line, half - 24, kLine), labels[i], font(kTextFont - 1));
        }
    };
    m_items.push_back(std::move(item));
}

void Renderer::addHeader() {
    auto item = std::make_unique<Item>();
    item->height = 20 + 2 * kLine;
    item->paint = [this](QPainter& painter, double top) {
        const double width = m_content.width();
        const double left = m_content.left();
        text(painter, QRectF(left, top, width, 18),
             QStringLiteral("Time sheet %1").arg(utf8(m_report.month)), font(kTitleFont, true));
        const ReportPerson& person = m_report.person;
        const std::pair<QString, std::string> fields[] = {
            {QStringLiteral("Name:"), person.name},
            {QStringLiteral("Personnel number:"), person.number},
            {QStringLiteral("Department:"), person.department}};
        const double third = width / 3;
        for (int i = 0; i < 3; ++i) {
            const QFont label = font(kTextFont);
            const double labelWidth =
                QFontMetricsF(label, &m_device).horizontalAdvance(fields[i].first) + 4;
            text(painter, QRectF(left + i * third, top + 20, labelWidth, kLine), fields[i].first,
                 label);
            text(painter,
                 QRectF(left + i * third + labelWidth, top + 20, third - labelWidth - 6, kLine),
                 utf8(fields[i].second), font(kTextFont, true));
        }
        text(painter, QRectF(left, top + 20 + kLine, width, kLine),
             QStringLiteral("File: %1").arg(utf8(m_report.file)), font(kTextFont - 1));
    };
    m_items.push_back(std::move(item));
}

void Renderer::paintFooter(QPainter& painter, int page, int pages) const {
    const QRectF band(m_content.left(), m_page.bottom() - kMargin - kLine, m_content.width(),
                      kLine);
    painter.setPen(QPen(kRule, 0.3));
    painter.drawLine(band.topLeft(), band.topRight());
    painter.setPen(Qt::black);
    const QFont small = font(kTextFont - 1.5);
    text(painter, band, QStringLiteral("Printed %1").arg(utf8(m_report.printDate)), small);
    QString middle = utf8(m_report.month);
    if (!m_report.person.name.empty()) {
        middle = utf8(m_report.person.name) + QStringLiteral(" \u00B7 ") + middle;
    }
    text(painter, band, middle, small, Qt::AlignHCenter);
    text(painter, band, QStringLiteral("Page %1 of %2").arg(page).arg(pages), small,
         Qt::AlignRight);
}

bool Renderer::paint(QString& error) {
    addHeader();
    addTitle(QStringLiteral("Days"));
    addTable(m_report.dayColumns, m_report.days, kDayWidths);
    addTitle(QStringLiteral("Stand-by periods"));
    // The lines are painted later: they must outlive this call.
    static const std::vector<ReportLine> none = {{"none", ""}};
    static const std::vector<ReportLine> nothing;
    if (m_report.squad.empty()) {
        addLines(none, nothing);
    } else {
        addTable(m_report.squadColumns, m_report.squad, kSquadWidths);
    }
    addTitle(QStringLiteral("Totals"));
    addLines(m_report.totals, m_report.workModel);
    addSignatures();

    // Each page's items with their top edges; a row that opens a page gets its header again.
    std::vector<std::vector<std::pair<const Item*, double>>> pages(1);
    double y = m_content.top();
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const Item& item = *m_items[i];
        double needed = item.height;
        for (std::size_t next = i; next + 1 < m_items.size() && m_items[next]->keepWithNext;
             ++next) {
            needed += m_items[next + 1]->height;
        }
        if (y + needed > m_content.bottom() && y > m_content.top()) {
            pages.emplace_back();
            y = m_content.top();
            if (item.header != nullptr) {
                pages.back().emplace_back(item.header, y);
                y += item.header->height;
            }
        }
        pages.back().emplace_back(&item, y);
        y += item.height;
    }

    QPainter painter;
    if (!painter.begin(&m_device)) {
        error = QStringLiteral("the report cannot be painted on this device");
        return false;
    }
    painter.scale(m_device.logicalDpiX() / 72.0, m_device.logicalDpiY() / 72.0);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0 && !m_device.newPage()) {
            error = QStringLiteral("no new page could be started");
            return false;
        }
        for (const auto& [item, top] : pages[page]) {
            item->paint(painter, top);
        }
        paintFooter(painter, static_cast<int>(page) + 1, static_cast<int>(pages.size()));
    }
    return painter.end();
}

} // namespace

QPageSize pageSizeOf(Paper paper) {
    return QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
}

bool paintReport(const MonthReport& report, QPagedPaintDevice& device, QString& error) {
    return Renderer(report, device).paint(error);
}

bool reportPdf(const MonthReport& report, Paper paper, QByteArray& pdf, QString& error) {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Tallimo"));
    writer.setTitle(QStringLiteral("Time sheet %1").arg(utf8(report.month)));
    writer.setPageLayout(QPageLayout(pageSizeOf(paper), QPageLayout::Portrait, QMarginsF()));
    writer.setResolution(1200);
    return paintReport(report, writer, error);
}

} // namespace tallimo
