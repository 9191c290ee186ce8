// The yardstick of the start-up measurement: a bare Qt 6 main window with a 31 x 10 table.
#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    auto* table = new QTableWidget(31, 10, &window);
    for (int row = 0; row < 31; ++row) {
        table->setItem(row, 0, new QTableWidgetItem(QStringLiteral("%1.03.2006").arg(row + 1)));
    }
    window.setCentralWidget(table);
    window.resize(1000, 640);
    window.show();
    return QApplication::exec();
}
