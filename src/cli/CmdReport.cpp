#include "cli/CapturingUi.h"
#include "cli/CliArguments.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "document/AtomicFile.h"
#include "platform/posix/LocalePaper.h"
#include "platform/posix/PluginFolder.h"
#include "report/MonthReport.h"
#include "report/qt/ReportLibrary.h"

namespace tallimo::cli {
namespace {

int runReport(CliContext& context) {
    const ParsedArguments parsed = parseArguments(context.args, {"--output", "--paper"}, {});
    if (!parsed.error.empty()) {
        return context.fail("report: " + parsed.error, kExitUsage);
    }
    std::optional<Paper> paper;
    if (const auto text = parsed.option("--paper")) {
        paper = parsePaper(*text);
        if (!paper) {
            return context.fail("report: --paper wants a4 or letter, not '" + *text + "'",
                                kExitUsage);
        }
    } else {
        const auto [width, height] = localePaperSizeMm();
        paper = paperOfSize(width, height);
    }
    const auto start = readBalanceStart(context.settings);
    if (!start) {
        return context.fail("report: the setting BalanceStart is no span such as +12:30; set it "
                            "again with 'tallimo-cli options BalanceStart=SPAN'");
    }
    CapturingUi ui(context.ui);
    ReadingView reading(context, ui);
    if (const int opened = reading.openFileOf(context, "report", parsed); opened != kExitDone) {
        return opened;
    }
    CTagrolView& view = reading.view();
    const std::string output = parsed.option("--output").value_or(reportFileName(view));
    if (!context.switches.force && pathExists(output)) {
        return context.fail("report: " + output + " exists; give --force to replace it");
    }
    const Balance balance = folderBalance(view, *start);
    for (const BalanceLine& line : balance.lines) {
        if (!line.file.readable()) {
            context.fail("report: " + line.file.path + " cannot be read (" + line.file.error +
                         "); it is left out of the balance");
        }
    }
    const MonthReport report =
        buildMonthReport(view, balance, context.clock.now(), workModelFigures(view, balance));

    const std::string libraryPath = bundledReportLibrary();
    std::string error;
    const auto library = context.libraries.load(libraryPath, error);
    const auto render =
        library ? reinterpret_cast<ReportPdfFunction>(library->symbol(kReportPdfSymbol)) : nullptr;
    if (render == nullptr) {
        return context.fail("report: the renderer " + libraryPath + " cannot be used" +
                            (error.empty() ? "" : ": " + error));
    }
    std::string pdf;
    if (!render(report, *paper, pdf, error)) {
        return context.fail("report: " + error);
    }
    // Still never half a file under the name, but without waiting for the disk: a report is
    // made again in a moment, unlike a month.
    SaveCalls noFlush;
    noFlush.sync = [](int) { return 0; };
    const Result written = writeFileAtomically(
        output, {reinterpret_cast<const std::uint8_t*>(pdf.data()), pdf.size()}, noFlush);
    if (!written) {
        return context.fail("report: " + output + " cannot be written: " + written.message);
    }
    context.out << output << '\n';
    return kExitDone;
}

} // namespace

const CliCommand kReportCommand{
    "report", "report [FILE] [--output OUT.pdf] [--paper a4|letter]",
    "Writes the month report of FILE (default: the last document) as a PDF for the employer:\n"
    "the settings ReportName, ReportNumber and ReportDepartment, the month and the file; every\n"
    "day with its times, overtime, stand-by, Time and Labor and comment; the stand-by periods;\n"
    "the month's totals as 'total' prints them and the balance brought and carried forward as\n"
    "'balance' adds it up over the file's folder; two signature lines; page numbers and the\n"
    "print date. Prints the path of the PDF. An existing file is never replaced without\n"
    "--force.\n"
    "  --output OUT.pdf      where to write (default: tallimo-report-YYYY-MM.pdf in the\n"
    "                        current folder)\n"
    "  --paper a4|letter     the paper (default: the one of the locale's LC_PAPER)\n",
    runReport};

} // namespace tallimo::cli
