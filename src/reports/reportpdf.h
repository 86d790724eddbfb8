#pragma once
// The finished PDF of the report chosen in the print dialog, made without a
// window: the e-mail window attaches it as "schedule.pdf". It runs the same
// two passes as preview and print and obeys the same page-format rule, so
// the attachment is what the user previewed.
//
//   ReportRequest request{TextReport, options, period, window.PaperCode};
//   PdfResult pdf = SchedulePdf(tables, services, selection, chart, request);
//   if (!pdf.Ok()) status->setText(pdf.Message);   // "Use Landscape page format"

#include <QByteArray>
#include <QString>

#include "reports/reportinputs.h"

namespace tw::reports {

class ChartPages;

struct ReportRequest {
    int Type = AnnotatedBarChart;  // ChartType
    ReportOptions Options;
    ChartPeriod Period;
    int PageFormatCode = 0;  // as the page format dialog stored it
};

struct PdfResult {
    QByteArray Pdf;   // empty when the report refused or failed
    QString Message;  // why, for the status bar
    bool Ok() const { return !Pdf.isEmpty(); }
};

// chart: the schedule chart painted by the Gantt report; may be null for the
// other reports.
PdfResult SchedulePdf(ReportTables& tables, const ReportServices& services, const SelectionState& selection,
                      ChartPages* chart, const ReportRequest& request);

}  // namespace tw::reports
