#pragma once

#include "report/MonthReport.h"

#include <string>

// What libtallimo-report exports for tallimo-cli, which loads it only for its report command so
// that every other command starts without Qt. Both are built together, so C++ types may cross.
namespace tallimo {

inline constexpr const char* kReportPdfSymbol = "tallimoReportPdf1";
// Puts the report as a PDF in `pdf`; false with the reason in `error`.
using ReportPdfFunction = bool (*)(const MonthReport& report, Paper paper, std::string& pdf,
                                   std::string& error);

} // namespace tallimo
