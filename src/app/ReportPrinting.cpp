#include "app/ReportPrinting.h"

#include "document/AtomicFile.h"
#include "platform/Encoding.h"
#include "platform/posix/LocalePaper.h"
#include "report/qt/ReportRenderer.h"
#include "view/CTagrolView.h"
#include "view/CommandTable.h"

#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <filesystem>

namespace tallimo {
namespace {

Paper localePaper() {
    const auto [width, height] = localePaperSizeMm();
    return paperOfSize(width, height);
}

// A printer on the locale's paper; the report keeps its own margins.
void setUp(QPrinter& printer, const MonthReport& report) {
    printer.setPageSize(pageSizeOf(localePaper()));
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Time sheet %1").arg(QString::fromStdString(report.month)));
    printer.setCreator(QStringLiteral("Tallimo"));
}

} // namespace

MonthReport ReportPrinting::report() const {
    // A start that is no span is told in the balance window; the report then starts at 0.
    const Span start = readBalanceStart(m_platform.settings).value_or(0);
    const Balance balance = folderBalance(m_view, start);
    return buildMonthReport(m_view, balance, m_platform.clock.now(),
                            workModelFigures(m_view, balance));
}

void ReportPrinting::run(int commandId) {
    if (commandId == CommandId::FilePrint) {
        print();
    } else if (commandId == CommandId::FilePrintPreview) {
        preview();
    } else if (commandId == CommandId::ExportPdf) {
        exportPdf();
    }
}

void ReportPrinting::print() {
    const MonthReport shown = report();
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, shown);
    QPrintDialog dialog(&printer, m_window);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QString error;
    if (!paintReport(shown, printer, error)) {
        m_platform.ui.showMessage("The report could not be printed: " +
                                  utf8ToWindows1252(error.toStdString()));
    }
}

void ReportPrinting::preview() {
    const MonthReport shown = report();
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, shown);
    QPrintPreviewDialog dialog(&printer, m_window);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&shown](QPrinter* target) {
                         QString error;
                         paintReport(shown, *target, error);
                     });
    dialog.exec();
}

void ReportPrinting::exportPdf() {
    const MonthReport shown = report();
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A file dialog cannot open in a folder that is not there.
    if (!QDir(documents).exists()) {
        documents = QDir::homePath();
    }
    FileDialogRequest request;
    request.title = "Export PDF";
    request.filters = {{"PDF File (*.pdf)", "*.pdf"}};
    request.defaultExtension = "pdf";
    request.fileName =
        (std::filesystem::path(QFile::encodeName(documents).toStdString()) / reportFileName(m_view))
            .string();
    request.forSaving = true;
    request.overwritePrompt = true;
    const auto chosen = m_platform.ui.chooseFile(request);
    if (!chosen) {
        return;
    }
    const std::string shownPath = utf8ToWindows1252(*chosen);
    std::error_code error;
    if (std::filesystem::exists(*chosen, error) &&
        m_platform.ui.ask(shownPath + " already exists.\nDo you want to replace it?") !=
            Answer::Ok) {
        return;
    }
    QByteArray pdf;
    QString reason;
    if (!reportPdf(shown, localePaper(), pdf, reason)) {
        m_platform.ui.showMessage("The report could not be made: " +
                                  utf8ToWindows1252(reason.toStdString()));
        return;
    }
    const Result written =
        writeFileAtomically(*chosen, {reinterpret_cast<const std::uint8_t*>(pdf.constData()),
                                      static_cast<std::size_t>(pdf.size())});
    if (!written) {
        m_platform.ui.showMessage(shownPath + " cannot be written: " + written.message);
    }
}

} // namespace tallimo
