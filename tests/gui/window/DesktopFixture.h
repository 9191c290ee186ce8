#pragma once

#include "app/CMainFrame.h"
#include "app/CTagrolApp.h"
#include "app/ListsWidget.h"
#include "controls/CCellListCtrl.h"
#include "platform/fake/FakePlatform.h"
#include "support/TempDir.h"
#include "view/Settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

namespace tallimo::test {

// Lets the program run until the condition holds or five seconds passed.
inline bool eventually(const std::function<bool()>& condition) {
    for (int waited = 0; !condition() && waited < 5000; waited += 10) {
        QTest::qWait(10);
    }
    return condition();
}

// Answers every message box that opens with one button, as a user clicking it would, and keeps
// the texts that were shown.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok) {
        QObject::connect(&m_timer, &QTimer::timeout, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            texts.push_back(box->text());
            (box->button(answer) != nullptr ? box->button(answer) : box->buttons().front())
                ->click();
        });
        m_timer.start(20);
    }
    std::vector<QString> texts;

private:
    QTimer m_timer;
};

// The desktop as a user starts it, on a settings store and a trace of its own, with its own
// folder for month files.
class DesktopFixture {
public:
    explicit DesktopFixture(bool trayAvailable = true) {
        start.trayAvailable = [trayAvailable] { return trayAvailable; };
    }

    // A copy of the sample month in the fixture's folder.
    std::string month(const std::string& name = "March.time") {
        const std::string path = dir.file(name);
        std::filesystem::copy_file(std::string(TALLIMO_TEST_DATA) + "/march2006-entries.time",
                                   path);
        return path;
    }

    bool launch() {
        app = std::make_unique<CTagrolApp>(settings, trace, start);
        return app->InitInstance();
    }
    // Starts on a copy of the sample month, as "tallimo March.time" does.
    bool launchOnMonth() {
        start.file = month();
        return launch();
    }

    CMainFrame& frame() { return app->frame(); }
    CTagrolView& view() { return app->view(); }
    CCellListCtrl& list(bool work = true) { return frame().lists().list(work); }
    std::string cell(int row, int column) { return view().sheet().work.GetItemText(row, column); }
    // Clicks a row as a user does, selecting it alone.
    void clickRow(int row) {
        CCellListCtrl& target = list();
        const QRect cell = target.visualRect(target.model()->index(row, 0));
        QTest::mouseClick(target.viewport(), Qt::LeftButton, {}, cell.center());
    }

    TempDir dir;
    fake::FakeSettingsStore settings;
    fake::RecordingTraceSink trace;
    DesktopStart start;
    std::unique_ptr<CTagrolApp> app;
};

} // namespace tallimo::test
