#pragma once

#include "report/MonthReport.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>

class QPagedPaintDevice;

namespace tallimo {

QPageSize pageSizeOf(Paper paper);

// Paints the report on the device, starting a new page where the last is full; the device's page
// size is used as it is set, without margins of its own. False with the reason when the device
// cannot be painted on.
bool paintReport(const MonthReport& report, QPagedPaintDevice& device, QString& error);

// The report as a PDF, in memory: real text in embedded fonts.
bool reportPdf(const MonthReport& report, Paper paper, QByteArray& pdf, QString& error);

} // namespace tallimo
