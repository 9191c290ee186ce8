// tallimo: the desktop time sheet.
#include "app/CTagrolApp.h"
#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "app/TraceToStderr.h"
#include "platform/qt/QtSettingsStore.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <cstdlib>
#include <filesystem>
#include <iostream>

using namespace tallimo;

namespace {

bool answersAlone(const CommandLine& line) {
    if (line.action == CommandLine::Action::Help || line.action == CommandLine::Action::Version) {
        std::cout << (line.action == CommandLine::Action::Help ? usageText() : versionText());
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version answer before Qt looks for a display.
    if (answersAlone(parseCommandLine({argv + 1, argv + argc}, nullptr))) {
        return 0;
    }
    QApplication application(argc, argv);
    // Qt has taken its own options (-platform, ...) out of argv by now.
    const CommandLine line =
        parseCommandLine({argv + 1, argv + argc}, std::getenv("TALLIMO_TRACE"));
    if (answersAlone(line)) {
        return 0;
    }
    if (line.action == CommandLine::Action::UsageError) {
        std::cerr << "tallimo: " << line.error << "\n\n" << usageText();
        return 2;
    }
    // A message box closed while the window hides in the tray must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // Wayland shells find the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.morvane.Tallimo"));

    SingleInstance instance(SingleInstance::defaultFolder());
    if (!instance.claim()) {
        // The name's own bytes: the running window opens exactly this file.
        std::error_code ignored;
        const std::string file =
            line.file ? std::filesystem::absolute(*line.file, ignored).string() : std::string();
        if (instance.handOver(QByteArray::fromStdString(file))) {
            return 0;
        }
        std::cerr << "tallimo: another Tallimo is running but does not answer\n";
        return 1;
    }
    QtSettingsStore settings;
    TraceToStderr trace(line.trace);
    CTagrolApp tallimo(settings, trace,
                       {line.file, line.hidden, &QSystemTrayIcon::isSystemTrayAvailable});
    if (!tallimo.InitInstance()) {
        return 1;
    }
    // What another program writes into the settings reaches the window; a settings file that
    // cannot be used is said once, on the terminal and in a message.
    settings.setChangeHandler([&tallimo] { tallimo.settingsChanged(); });
    settings.setWarningHandler([&tallimo](const std::string& text) {
        std::cerr << "tallimo: warning: " << text << "\n";
        tallimo.warn(text);
    });
    tallimo.listenTo(instance);
    // Qt 6's quit() would ask the windows to close, and the window asks about unsaved changes:
    // once the program is done (closed, or its changes kept at a signal) it ends as it is.
    QObject::connect(&tallimo, &CTagrolApp::finished, &application,
                     [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
