#include "reports/reportpdf.h"

#include <QBuffer>
#include <QPdfWriter>

#include "reports/barchartreport.h"
#include "reports/pagerenderer.h"
#include "reports/reportcommon.h"
#include "reports/reportframe.h"
#include "reports/resourcereport.h"
#include "reports/schedulereport.h"

namespace tw::reports {

int EffectivePageFormatCode(int code, int chartType, bool includeOriginal)
{
    if (chartType == TextReport && includeOriginal && code >= 0 && code <= 5)
        return code | 1;
    return code;
}

IncludeBoxes IncludeBoxesEnabled(int chartType)
{
    switch (chartType) {
    case AnnotatedBarChart: return {false, false, false, true, true};
    case TextReport: return {true, true, true, true, true};
    case ResourceSummary: return {false, false, true, false, false};
    default: return {};
    }
}

std::unique_ptr<BandedReport> MakeReport(ReportTables& tables, const ReportServices& services,
                                         const SelectionState& selection, ChartPages* chart,
                                         const ReportRequest& request)
{
    const int code =
        EffectivePageFormatCode(request.PageFormatCode, request.Type, request.Options.IncludeOriginal);
    const QString company = CompanyLine(tables.MyCompanyTable).trimmed();
    switch (request.Type) {
    case GanttChart: {
        auto report =
            std::make_unique<TPrintChartReport>(tables, services, selection, request.Options, chart);
        report->PaperCode = code;
        report->Company = company;
        return report;
    }
    case TextReport: {
        auto report = std::make_unique<TPrintScheduleReport>(tables, services, selection, request.Options);
        report->PaperCode = code;
        report->Company = company;
        return report;
    }
    case ResourceSummary: {
        SetResourceCursor(tables.CrewsTable3,
                          ResourceSummaryFilter(tables.ChartsTable3, tables.ICrewsTable2, selection));
        auto report = std::make_unique<TPrintResourceReport>(tables, services, selection, request.Options);
        report->PaperCode = code;
        report->Company = company;
        return report;
    }
    default: {
        auto report = std::make_unique<TPrintAltChartReport>(tables, services, selection, request.Options);
        report->PaperCode = code;
        report->Company = company;
        report->Period = request.Period;
        return report;
    }
    }
}

PdfResult SchedulePdf(ReportTables& tables, const ReportServices& services, const SelectionState& selection,
                      ChartPages* chart, const ReportRequest& request)
{
    PdfResult result;
    std::unique_ptr<BandedReport> report = MakeReport(tables, services, selection, chart, request);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Tarnwick"));
    pdf.setTitle(request.Options.Title);
    const TextMeasure measure(&pdf);
    PaintingSink sink(pdf);
    const bool ready = RunReport(*report, measure, sink,
                                 [&pdf](const PageSetup& setup) { pdf.setPageLayout(setup.Layout()); });
    if (!ready) {
        result.Message = QString::fromLatin1(kUseLandscape);
        return result;
    }
    if (!sink.End()) {
        result.Message = QStringLiteral("The PDF file could not be written");
        return result;
    }
    buffer.close();
    result.Pdf = bytes;
    return result;
}

}  // namespace tw::reports
