#include "reports/chartimagereport.h"

#include <algorithm>
#include <cmath>

#include <QImage>

#include "platform/db/tableops.h"

// Why the pages are vectors and printer.dbf keeps no page bitmap.
//
// A page of this report is a 1905 x 2201 canvas (Letter portrait at 254 dpi).
// Kept as a bitmap in printer.dbf's memo, every page was painted into 16 MB of
// pixels, written to the memo, read back, decoded and compressed again by the
// PDF writer as a picture: 5,000 tasks (134 pages) took a minute, gave a
// 156 MB PDF and left gigabytes in the memo. PNG bytes in the memo, streamed
// page by page, keep the memory down, but every page is still painted into
// pixels, encoded, decoded and placed in the PDF as a picture: 17.5 s and a
// 38 MB PDF for the same 5,000 tasks (GanttPngPages in bench/reports), with
// names that blur when zoomed and cannot be searched or copied.
//
// Painted as vectors, a page costs the chart's own drawing calls on the
// device: the same report takes 0.35 s and 270 KB, sharp at any zoom.
// Nothing in the program needs the pixels: the preview, the printer and the
// e-mailed PDF all paint the same pages, and nothing else reads the page
// images. So printer.dbf keeps what the pages are made of, one record per
// page with INDEX (the first row of the next page), and its memo stays
// empty. The first pass decides each page's rows by painting it onto a
// one-pixel canvas: the chart lays the page out exactly as on paper, because
// its fonts are sized in canvas units, which every device measures alike
// (see RacChartPages).

namespace tw::reports {

namespace {
constexpr double kHeaderHeight = 100;
constexpr double kFooterHeight = 28;
constexpr double kPixelsPerDesignUnit = 254.0 / kDesignDpi;
}  // namespace

TPrintChartReport::TPrintChartReport(ReportTables& tables, const ReportServices& services,
                                     const SelectionState& selection, const ReportOptions& options,
                                     ChartPages* chart)
    : ReportBase(tables, services, selection, options),
      chart_(chart)
{}

QSize TPrintChartReport::ImageSize() const
{
    return QSize(static_cast<int>(width_ * kPixelsPerDesignUnit),
                 static_cast<int>(imageHeight_ * kPixelsPerDesignUnit));
}

bool TPrintChartReport::PrepareChartImageReport(int paperCode, const QString& company, int totalPages,
                                                bool buildImages)
{
    PreparePage(paperCode, company, totalPages);
    imageHeight_ = Page.Height() - 2 * Page.Margin - kHeaderHeight - kFooterHeight;
    if (buildImages)
        BuildImages();
    return true;
}

void TPrintChartReport::BuildImages()
{
    db::Table* printer = tables_.PrinterTable;
    if (!printer || !printer->active())
        return;
    EmptyPrinterTable();
    ReclaimImageSpace();
    if (!chart_)
        return;
    const QSize size = ImageSize();
    const int count = chart_->GetCount();
    // Painting outside a one-pixel canvas costs the layout and next to no
    // pixels.
    QImage layoutCanvas(1, 1, QImage::Format_RGB32);
    // The page records reach the file together, with one flush.
    db::WriteBatch batch;
    int firstRow = 0;
    while (count > firstRow) {
        int last = -1;
        {
            QPainter painter(&layoutCanvas);
            last = chart_->PaintTo(painter, QRect(QPoint(0, 0), size), firstRow);
        }
        // Every page takes at least one row, even when a row is taller than
        // the page and nothing was painted: the loop always ends.
        firstRow = std::max(last + 1, firstRow + 1);
        const std::int32_t key = services_.UniqueKeyValue && tables_.PrinterTable2
            ? services_.UniqueKeyValue(*tables_.PrinterTable2, "ID")
            : firstRow;
        printer->append();
        printer->fieldByName("ID").setAsInteger(key);
        printer->fieldByName("INDEX").setAsInteger(firstRow);
        printer->post();
    }
    batch.commit();
    printer->refresh();
}

void TPrintChartReport::EmptyPrinterTable()
{
    db::Table* printer = tables_.PrinterTable;
    db::WriteBatch batch;
    printer->refresh();
    for (printer->first(); !printer->eof();)
        printer->deleteRecord();
    batch.commit();
    printer->refresh();
}

void TPrintChartReport::ReclaimImageSpace()
{
    // Deleted records keep their bytes in the files until a pack, and the
    // page images of earlier releases filled the memo file with gigabytes.
    // The pack needs the table to itself: both cursors close for it, and a
    // table in use elsewhere stays as it is.
    db::Table* printer = tables_.PrinterTable;
    db::Table* lookup = tables_.PrinterTable2;
    const std::string path = printer->path();
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return;
    const bool lookupOpen = lookup && lookup->active();
    printer->close();
    if (lookupOpen)
        lookup->close();
    try {
        db::PackTable(path.substr(0, slash), path.substr(slash + 1));
    } catch (const std::exception&) {
    }
    printer->open();
    if (lookupOpen)
        lookup->open();
}

Band TPrintChartReport::Header() const
{
    Band band;
    AddTitleBlock(band, *Measure, width_, options_.Title, address_);
    band.Height = kHeaderHeight;
    return band;
}

void TPrintChartReport::Print(BandWriter& writer)
{
    StartRun(writer, [this] { return Header(); });
    db::Table* printer = tables_.PrinterTable;
    if (printer && printer->active()) {
        const QSize canvas = ImageSize();
        ChartPages* chart = chart_;
        int firstRow = 0;
        for (printer->first(); !printer->eof(); printer->next()) {
            Band band;
            if (chart)
                band.Drawing(QStringLiteral("Image1"), 0, 0, width_, imageHeight_, canvas,
                             [chart, canvas, firstRow](QPainter& painter) {
                                 chart->PaintTo(painter, QRect(QPoint(0, 0), canvas), firstRow);
                             });
            band.Height = imageHeight_;
            writer.Print(band);
            firstRow = printer->fieldByName("INDEX").asInteger();
        }
    }
    writer.Finish();
}

}  // namespace tw::reports
