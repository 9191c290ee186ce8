#pragma once

#include "report/MonthReport.h"

class QWidget;

namespace tallimo {

class CTagrolView;
struct Platform;

// File > Print, Print Preview and Export PDF: the open month's report through the one renderer.
class ReportPrinting {
public:
    ReportPrinting(CTagrolView& view, Platform& platform, QWidget* window)
        : m_view(view), m_platform(platform), m_window(window) {}

    void run(int commandId);
    void print();
    void preview();
    // Asks for the file (tallimo-report-YYYY-MM.pdf in the documents folder by default) and
    // whether an existing one may be replaced.
    void exportPdf();

    // The report as it is printed now: the month in memory, the balance of its folder.
    MonthReport report() const;

private:
    CTagrolView& m_view;
    Platform& m_platform;
    QWidget* m_window;
};

} // namespace tallimo
