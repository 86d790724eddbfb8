#include "reports/chartimagereport.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QImage>

namespace tw::reports {

namespace {
constexpr double kHeaderHeight = 100;
constexpr double kFooterHeight = 28;
constexpr double kPixelsPerDesignUnit = 254.0 / kDesignDpi;
}  // namespace

TPrintChartReport::TPrintChartReport(ReportTables& tables, const ReportServices& services,
                                     const SelectionState& selection, const ReportOptions& options,
                                     ChartPages* chart)
    : tables_(tables), services_(services), selection_(selection), options_(options), chart_(chart)
{
}

QSize TPrintChartReport::ImageSize() const
{
    return QSize(static_cast<int>(width_ * kPixelsPerDesignUnit),
                 static_cast<int>(imageHeight_ * kPixelsPerDesignUnit));
}

bool TPrintChartReport::PrepareChartImageReport(int paperCode, const QString& company, int totalPages,
                                                bool buildImages)
{
    PaperCode = paperCode;
    Company = company.trimmed();
    pageOf_ = QStringLiteral("of  ") + QString::number(totalPages);
    Page.ApplyPageFormatCode(paperCode);
    width_ = Page.PrintableWidth();
    imageHeight_ = Page.Height() - 2 * Page.Margin - kHeaderHeight - kFooterHeight;
    if (buildImages)
        BuildImages();
    address_ = CustomerAddress(tables_.CustomersTable, selection_);
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
        QByteArray bytes;
        {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "BMP");
        }
        image = QImage();
        const std::int32_t key =
            services_.UniqueKeyValue && tables_.PrinterTable2 ? services_.UniqueKeyValue(*tables_.PrinterTable2, "ID")
                                                              : firstRow;
        printer->append();
        printer->fieldByName("ID").setAsInteger(key);
        printer->fieldByName("INDEX").setAsInteger(firstRow);
        printer->fieldByName("IMAGE").setAsBytes(db::Bytes(bytes.begin(), bytes.end()));
        printer->post();
    }
    printer->refresh();
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
    const TextMeasure& m = *Measure;
    PageCounter = 1;
    writer.PageHeader = [this](int) { return Header(); };
    writer.PageFooter = [this, &m](int) { return PageFooterBand(m, width_, Company, PageCounter, pageOf_); };
    writer.OnEndPage = [this] { ++PageCounter; };
    db::Table* printer = tables_.PrinterTable;
    if (printer && printer->active()) {
        db::Field image = printer->fieldByName("IMAGE");
        for (printer->first(); !printer->eof(); printer->next()) {
            QImage picture;
            if (!DryRun) {
                const db::Bytes bytes = image.asBytes();
                picture = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                           static_cast<int>(bytes.size()), "BMP");
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
