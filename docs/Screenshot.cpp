// Shows the main window on a month file, as `tallimo FILE` does, and saves a picture of it.
// Usage: tallimo_screenshot FILE OUT.png; scripts/screenshot runs it on the offscreen platform.
#include "app/CMainFrame.h"
#include "app/CTagrolApp.h"
#include "app/ListsWidget.h"
#include "app/TraceToStderr.h"
#include "controls/CCellListCtrl.h"
#include "platform/qt/QtSettingsStore.h"

#include <QApplication>
#include <QEventLoop>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QTimer>
#include <iostream>

using namespace tallimo;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::cerr << "Usage: tallimo_screenshot FILE OUT.png\n";
        return 2;
    }
    QtSettingsStore settings;
    TraceToStderr trace(false);
    CTagrolApp tallimo(settings, trace, {std::string(argv[1]), false, [] { return false; }});
    if (!tallimo.InitInstance()) {
        return 1;
    }
    CMainFrame& frame = tallimo.frame();
    frame.resize(1240, 620);
    CCellListCtrl& work = frame.lists().list(true);
    // A day selected, as while working with the month.
    work.selectionModel()->select(work.model()->index(13, 0),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    work.setFocus();
    // Laid out and painted before the picture is taken.
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    if (!frame.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::cerr << "tallimo_screenshot: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
