#pragma once
// The Gantt report: the schedule chart, one block of chart rows per page, at
// 254 dpi (one canvas unit per tenth of a millimetre), printed between a
// header (title and the customer's address) and the footer. printer.dbf keeps
// one record per page with the row that starts the next page (INDEX); the
// pages themselves are painted as vectors straight from the chart when they
// are printed. Why not page bitmaps: see chartimagereport.cpp.

#include <cstdint>

#include <QPainter>
#include <QRect>

#include "reports/reportbase.h"

namespace tw::reports {

// The chart as the report paints it: its row count, and painting from a row
// into a rectangle with the print appearance; the last row painted comes
// back (-1 when none).
class ChartPages {
public:
    virtual ~ChartPages() = default;
    virtual int GetCount() = 0;
    virtual int PaintTo(QPainter& painter, const QRect& rect, int firstRow) = 0;
};

class TPrintChartReport : public ReportBase {
public:
    TPrintChartReport(ReportTables& tables, const ReportServices& services, const SelectionState& selection,
                      const ReportOptions& options, ChartPages* chart);

    // With buildImages the chart is laid out into pages and printer.dbf is
    // written anew, one record per page; without, only the texts are set.
    // Always true.
    bool PrepareChartImageReport(int paperCode, const QString& company, int totalPages, bool buildImages);

    // The frame's first preparation lays the pages out, the second only sets
    // the page total.
    bool Prepare(int totalPages) override
    {
        return PrepareChartImageReport(PaperCode, Company, totalPages, totalPages == 0);
    }
    void Print(BandWriter& writer) override;

    // The size of a page's chart canvas in units of 1/254 inch.
    QSize ImageSize() const;

private:
    Band Header() const;
    void BuildImages();
    void EmptyPrinterTable();
    void ReclaimImageSpace();

    ChartPages* chart_;
    double imageHeight_ = 0;  // design units
};

}  // namespace tw::reports
