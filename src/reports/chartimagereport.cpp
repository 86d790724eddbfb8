#include "reports/chartimagereport.h"

#include <algorithm>
#include <cmath>

#include <QImage>

#include "platform/db/tableops.h"
#include "reports/bitmapbytes.h"

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
    printer->refresh();
    for (printer->first(); !printer->eof();)
        printer->deleteRecord();
    printer->refresh();
    ReclaimImageSpace();
    if (!chart_)
        return;
    const QSize size = ImageSize();
    const int count = chart_->GetCount();
    int firstRow = 0;
    while (count > firstRow) {
        // One image at a time, released once its record is posted.
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        int last = -1;
        {
            QPainter painter(&image);
            last = chart_->PaintTo(painter, QRect(QPoint(0, 0), size), firstRow);
        }
        // Every page takes at least one row, even when a row is taller than
        // the page and nothing was painted: the loop always ends.
        firstRow = std::max(last + 1, firstRow + 1);
        db::Bytes bytes = BitmapFileBytes(image);
        image = QImage();
        const std::int32_t key = services_.UniqueKeyValue && tables_.PrinterTable2
            ? services_.UniqueKeyValue(*tables_.PrinterTable2, "ID")
            : firstRow;
        printer->append();
        printer->fieldByName("ID").setAsInteger(key);
        printer->fieldByName("INDEX").setAsInteger(firstRow);
        printer->fieldByName("IMAGE").setAsBytes(bytes);
        printer->post();
    }
    printer->refresh();
}

void TPrintChartReport::ReclaimImageSpace()
{
    // Deleted records keep their images in the memo file; without a pack it
    // would grow by every page of every print. The pack needs the table to
    // itself: both cursors close for it, and a table in use elsewhere stays
    // as it is.
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
        db::Field image = printer->fieldByName("IMAGE");
        for (printer->first(); !printer->eof(); printer->next()) {
            QImage picture;
            if (!DryRun) {
                picture = ImageFromBitmapBytes(image.asBytes());
            }
            Band band;
            band.Image(QStringLiteral("Image1"), 0, 0, width_, imageHeight_, picture);
            band.Height = imageHeight_;
            writer.Print(band);
        }
    }
    writer.Finish();
}

}  // namespace tw::reports
