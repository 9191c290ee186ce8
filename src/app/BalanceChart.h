#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

namespace tallimo {

// One bar of a chart, and where the line stands after it; both in seconds.
struct ChartBar {
    QString label;
    qint64 value = 0;
    qint64 running = 0;
};

// Bars in hours, blue above zero and red below as the Overtime column shows them, with a line
// through the running values. Painted in the widget's own coordinates, so it stays sharp at any
// scale of the screen and in an exported image.
class BalanceChart final : public QWidget {
    Q_OBJECT

public:
    BalanceChart(QString barName, QString lineName, QWidget* parent = nullptr);

    void setBars(std::vector<ChartBar> bars);
    // Shown at the top left, so that an exported image says what it shows.
    void setTitle(const QString& title);
    const std::vector<ChartBar>& bars() const { return m_bars; }
    // Where a bar is drawn at the widget's present size.
    QRectF barRect(int index) const;
    // The chart at `scale` times the widget's size.
    QImage image(qreal scale) const;
    QSize sizeHint() const override { return {640, 320}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The plot area and its scale in hours.
    struct Scale {
        QRectF plot;
        double low = 0;
        double high = 1;
        double step = 1;
        double y(double seconds) const;
    };
    Scale scale() const;
    double slot(const Scale& scale) const;
    void draw(QPainter& painter) const;
    void drawAxis(QPainter& painter, const Scale& scale) const;
    void drawBars(QPainter& painter, const Scale& scale) const;
    void drawLegend(QPainter& painter) const;

    QString m_barName;
    QString m_lineName;
    QString m_title;
    std::vector<ChartBar> m_bars;
};

} // namespace tallimo
