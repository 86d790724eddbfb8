#pragma once
// The Gantt image report: the schedule chart painted onto page-sized images
// at 254 dpi (one pixel per tenth of a millimetre), kept as one printer.dbf
// record per page, and printed one record per page between a header (title
// and the customer's address) and the footer.

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

    // With buildImages the page images are painted and printer.dbf is
    // written anew; without, only the texts are set. Always true.
    bool PrepareChartImageReport(int paperCode, const QString& company, int totalPages, bool buildImages);

    // The frame's first preparation builds the images, the second only sets
    // the page total.
    bool Prepare(int totalPages) override
    {
        return PrepareChartImageReport(PaperCode, Company, totalPages, totalPages == 0);
    }
    void Print(BandWriter& writer) override;

    // The size of a page image in pixels of 1/254 inch.
    QSize ImageSize() const;

private:
    Band Header() const;
    void BuildImages();
    void ReclaimImageSpace();

    ChartPages* chart_;
    double imageHeight_ = 0;  // design units
};

}  // namespace tw::reports
