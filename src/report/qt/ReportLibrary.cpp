#include "report/qt/ReportLibrary.h"

#include "report/qt/ReportRenderer.h"

#include <QGuiApplication>
#include <cstdio>
#include <dlfcn.h>
#include <memory>

namespace {

// Qt's notes about the surroundings (no runtime folder, ...) are no concern of a command line
// user; only its criticals reach standard error.
void criticalsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "tallimo-cli: %s\n", message.toLocal8Bit().constData());
    }
}

// Qt is not made to be unloaded (its global objects would be left behind half torn down), so
// once used the renderer stays loaded, and with it Qt, until the process ends.
void stayLoaded() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&stayLoaded), &info) != 0 && info.dli_fname != nullptr) {
        dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

} // namespace

extern "C" __attribute__((visibility("default"))) bool
tallimoReportPdf1(const tallimo::MonthReport& report, tallimo::Paper paper, std::string& pdf,
                  std::string& error) {
    stayLoaded();
    // Fonts need an application; a command line has no display, so it draws offscreen.
    std::unique_ptr<QGuiApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        static char program[] = "tallimo-cli";
        static char platform[] = "-platform";
        static char offscreen[] = "offscreen";
        static char* argv[] = {program, platform, offscreen, nullptr};
        static int argc = 3;
        qInstallMessageHandler(criticalsOnly);
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    QByteArray bytes;
    QString reason;
    if (!tallimo::reportPdf(report, paper, bytes, reason)) {
        error = reason.toStdString();
        return false;
    }
    pdf = bytes.toStdString();
    return true;
}

// The function's type is checked against the one the program calls through.
[[maybe_unused]] static constexpr tallimo::ReportPdfFunction kChecked = &tallimoReportPdf1;
