#include "DesktopFixture.h"
#include "app/BalanceChart.h"
#include "app/BalanceField.h"
#include "app/BalanceWindow.h"
#include "support/SheetBytes.h"
#include "view/CommandTable.h"

#include <QLabel>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// A month of the fixture's folder with one day from 08:00 to `leave`.
std::string writeMonth(DesktopFixture& f, const char* name, int month, const char* leave) {
    const auto first = static_cast<std::uint32_t>(*makeLocalInstant(2006, month, 1, 0, 0, 0));
    char date[16];
    std::snprintf(date, sizeof date, "01.%02d.2006", month);
    writeBytes(f.dir.file(name),
               SheetBytes().header(1, {}, first, first).workRow(date, "08:00:00", leave).bytes);
    return f.dir.file(name);
}

std::vector<qint64> values(const BalanceChart& chart, bool running) {
    std::vector<qint64> result;
    for (const ChartBar& bar : chart.bars()) {
        result.push_back(running ? bar.running : bar.value);
    }
    return result;
}

TEST(Balance, TheStatusFieldAndTheWindowFollowTheOpenMonth) {
    DesktopFixture f;
    writeMonth(f, "z-jan.time", 1, "19:00:00");
    writeMonth(f, "a-feb.time", 2, "16:00:00");
    writeMonth(f, "apr.time", 4, "22:00:00"); // after the open month: not yet in the balance
    f.start.file = writeMonth(f, "m-mar.time", 3, "18:00:00");
    ASSERT_TRUE(f.launch());
    const QLabel& field = f.app->balanceField()->label();
    EXPECT_TRUE(eventually([&] { return field.text() == "Balance: +02:00:00"; }))
        << field.text().toStdString();

    f.app->runner().guarded(
        [&] { f.view().sheet().work.SetItemText(0, WorkColumn::Leave, "20:00:00"); });
    EXPECT_EQ(field.text(), "Balance: +04:00:00");

    f.app->runner().run(CommandId::OvertimeBalance);
    BalanceWindow* window = f.app->balanceWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(values(window->monthChart(), false), (std::vector<qint64>{7200, -3600, 10800}));
    EXPECT_EQ(values(window->monthChart(), true), (std::vector<qint64>{7200, 3600, 14400}));
    EXPECT_EQ(window->table().rowCount(), 4); // the start, then the months
    EXPECT_EQ(window->table().item(3, 3)->text(), "04:00:00");
    f.app->runner().guarded(
        [&] { f.view().sheet().work.SetItemText(0, WorkColumn::Leave, "16:00:00"); });
    EXPECT_EQ(values(window->dayChart(), false), (std::vector<qint64>{-3600}));
    EXPECT_EQ(window->table().item(3, 3)->text(), "00:00:00");
}

TEST(Balance, ChartBarsAreBlueAboveZeroAndRedBelowAlsoInTheExportedImage) {
    DesktopFixture f;
    f.start.file = writeMonth(f, "m-mar.time", 3, "18:00:00");
    ASSERT_TRUE(f.launch());
    f.app->runner().run(CommandId::OvertimeBalance);
    BalanceWindow& window = *f.app->balanceWindow();
    BalanceChart& chart = window.monthChart();
    ASSERT_TRUE(eventually([&] { return chart.isVisible() && chart.width() > 300; }));
    chart.setBars({{"2006-01", 7200, 7200}, {"2006-02", -3600, 3600}});
    const std::string png = f.dir.file("chart.png");
    ASSERT_TRUE(window.exportPng(QString::fromStdString(png)));
    const QImage exported(QString::fromStdString(png));
    EXPECT_EQ(exported.size(), chart.size() * 2);
    const QImage shown = chart.grab().toImage();
    const struct {
        int bar;
        QColor colour;
    } cases[] = {{0, QColor(0, 0, 255)}, {1, QColor(255, 0, 0)}};
    for (const auto& c : cases) {
        // Left of the bar's middle, clear of the line through the bars' centres.
        const QRectF bar = chart.barRect(c.bar);
        const QPointF inside(bar.left() + bar.width() / 4, bar.center().y());
        EXPECT_EQ(shown.pixelColor(inside.toPoint()), c.colour) << c.bar;
        EXPECT_EQ(exported.pixelColor((inside * 2).toPoint()), c.colour) << c.bar;
    }
}

} // namespace
} // namespace tallimo::test
