#include "app/BalanceChart.h"

#include "document/CellLook.h"
#include "document/TimeSheet.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

namespace tallimo {
namespace {

constexpr double kHour = 3600.0;
constexpr double kSteps[] = {0.25, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};
constexpr int kMostTicks = 6;
const QColor kLineColour(0x30, 0x30, 0x30);
const QColor kGridColour(0xDD, 0xDD, 0xDD);

QColor qColour(Colour colour) {
    const Rgb rgb = rgbOf(colour);
    return {rgb.red, rgb.green, rgb.blue};
}

QString hoursText(double hours) {
    const QString number = QString::number(std::abs(hours), 'g', 6);
    return hours > 0 ? QStringLiteral("+%1 h").arg(number)
                     : (hours < 0 ? QStringLiteral("-%1 h").arg(number) : QStringLiteral("0"));
}

} // namespace

BalanceChart::BalanceChart(QString barName, QString lineName, QWidget* parent)
    : QWidget(parent), m_barName(std::move(barName)), m_lineName(std::move(lineName)) {
    setMinimumSize(320, 200);
}

void BalanceChart::setBars(std::vector<ChartBar> bars) {
    m_bars = std::move(bars);
    update();
}

void BalanceChart::setTitle(const QString& title) {
    m_title = title;
    update();
}

double BalanceChart::Scale::y(double seconds) const {
    return plot.bottom() - (seconds / kHour - low) / (high - low) * plot.height();
}

BalanceChart::Scale BalanceChart::scale() const {
    Scale s;
    double low = 0;
    double high = 0;
    for (const ChartBar& bar : m_bars) {
        low = std::min({low, bar.value / kHour, bar.running / kHour});
        high = std::max({high, bar.value / kHour, bar.running / kHour});
    }
    s.step = kSteps[std::size(kSteps) - 1];
    for (const double step : kSteps) {
        if ((high - low) / step <= kMostTicks) {
            s.step = step;
            break;
        }
    }
    s.low = std::floor(low / s.step) * s.step;
    s.high = std::max(std::ceil(high / s.step) * s.step, s.low + s.step);
    const QFontMetrics metrics = fontMetrics();
    const double labels = std::max(metrics.horizontalAdvance(hoursText(s.low)),
                                   metrics.horizontalAdvance(hoursText(s.high)));
    const double line = metrics.height();
    s.plot = QRectF(labels + 12, line * 2, width() - labels - 24, height() - line * 3.5);
    return s;
}

double BalanceChart::slot(const Scale& scale) const {
    return scale.plot.width() / static_cast<double>(std::max<std::size_t>(m_bars.size(), 1));
}

QRectF BalanceChart::barRect(int index) const {
    if (index < 0 || index >= static_cast<int>(m_bars.size())) {
        return {};
    }
    const Scale s = scale();
    const double width = slot(s);
    const double barWidth = std::min(width * 0.7, 48.0);
    const double centre = s.plot.left() + width * (index + 0.5);
    const double zero = s.y(0);
    const double top = s.y(static_cast<double>(m_bars[static_cast<std::size_t>(index)].value));
    return QRectF(centre - barWidth / 2, std::min(zero, top), barWidth, std::abs(top - zero));
}

void BalanceChart::drawAxis(QPainter& painter, const Scale& s) const {
    const QFontMetrics metrics = fontMetrics();
    for (double hours = s.low; hours <= s.high + s.step / 2; hours += s.step) {
        const double y = s.y(hours * kHour);
        painter.setPen(QPen(kGridColour, 1));
        painter.drawLine(QPointF(s.plot.left(), y), QPointF(s.plot.right(), y));
        painter.setPen(palette().color(QPalette::Text));
        const QString text = hoursText(hours);
        painter.drawText(QPointF(s.plot.left() - 6 - metrics.horizontalAdvance(text),
                                 y + metrics.ascent() / 2.0),
                         text);
    }
    painter.drawLine(QPointF(s.plot.left(), s.y(0)), QPointF(s.plot.right(), s.y(0)));
    // As many labels under the bars as fit side by side.
    double widest = 0;
    for (const ChartBar& bar : m_bars) {
        widest = std::max<double>(widest, metrics.horizontalAdvance(bar.label));
    }
    const int every = std::max(1, static_cast<int>(std::ceil((widest + 8) / slot(s))));
    for (std::size_t i = 0; i < m_bars.size(); i += static_cast<std::size_t>(every)) {
        const double centre = s.plot.left() + slot(s) * (static_cast<double>(i) + 0.5);
        const QString& label = m_bars[i].label;
        painter.drawText(QPointF(centre - metrics.horizontalAdvance(label) / 2.0,
                                 s.plot.bottom() + metrics.height() * 1.2),
                         label);
    }
}

void BalanceChart::drawBars(QPainter& painter, const Scale& s) const {
    QPolygonF line;
    for (std::size_t i = 0; i < m_bars.size(); ++i) {
        const ChartBar& bar = m_bars[i];
        const QColor colour =
            qColour(bar.value >= 0 ? kPositiveOvertimeColour : kNegativeOvertimeColour);
        painter.fillRect(barRect(static_cast<int>(i)), colour);
        line << QPointF(s.plot.left() + slot(s) * (static_cast<double>(i) + 0.5),
                        s.y(static_cast<double>(bar.running)));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kLineColour, 2));
    painter.drawPolyline(line);
    painter.setBrush(kLineColour);
    for (const QPointF& point : line) {
        painter.drawEllipse(point, 2.5, 2.5);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void BalanceChart::drawLegend(QPainter& painter) const {
    const QFontMetrics metrics = fontMetrics();
    const double box = metrics.height() * 0.7;
    double x = width() - 12.0;
    const double y = metrics.height() * 0.5;
    const auto entry = [&](const QString& text, const std::function<void(QRectF)>& mark) {
        x -= metrics.horizontalAdvance(text);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QPointF(x, y + metrics.ascent() * 0.85), text);
        x -= box * 2.4 + 6;
        mark(QRectF(x, y + (metrics.height() - box) / 2, box * 2.4, box));
        x -= 18;
    };
    entry(m_lineName, [&painter](QRectF area) {
        painter.setPen(QPen(kLineColour, 2));
        painter.drawLine(QPointF(area.left(), area.center().y()),
                         QPointF(area.right(), area.center().y()));
    });
    entry(m_barName, [&painter](QRectF area) {
        painter.fillRect(area.adjusted(0, 0, -area.width() / 2, 0),
                         qColour(kPositiveOvertimeColour));
        painter.fillRect(area.adjusted(area.width() / 2, 0, 0, 0),
                         qColour(kNegativeOvertimeColour));
    });
}

void BalanceChart::draw(QPainter& painter) const {
    painter.fillRect(QRectF(0, 0, width(), height()), palette().color(QPalette::Base));
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QPointF(6, fontMetrics().height() * 0.5 + fontMetrics().ascent() * 0.85),
                     m_title);
    if (m_bars.empty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRectF(0, 0, width(), height()), Qt::AlignCenter,
                         QStringLiteral("Nothing to show"));
        return;
    }
    const Scale s = scale();
    drawAxis(painter, s);
    drawBars(painter, s);
    drawLegend(painter);
}

void BalanceChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw(painter);
}

QImage BalanceChart::image(qreal scale) const {
    QImage picture((QSizeF(size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(scale);
    QPainter painter(&picture);
    draw(painter);
    return picture;
}

} // namespace tallimo
