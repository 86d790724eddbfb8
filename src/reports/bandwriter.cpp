#include "reports/bandwriter.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QTextLayout>

namespace tw::reports {

namespace {
constexpr int kIdealDpi = 1200;
}

TextMeasure::TextMeasure(QPaintDevice* device) : device_(device)
{
    if (!device_) {
        ideal_ = QImage(1, 1, QImage::Format_RGB32);
        ideal_.setDotsPerMeterX(qRound(kIdealDpi / 0.0254));
        ideal_.setDotsPerMeterY(qRound(kIdealDpi / 0.0254));
        device_ = &ideal_;
    }
    dpi_ = device_->logicalDpiY();
}

QFont TextMeasure::FontFor(const TextStyle& style, int deviceDpi)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    // Unhinted outlines scale linearly, so a text measures the same at every
    // resolution and a page breaks alike on screen, paper and PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    // Drawn under a painter scaled from design units to device pixels, a
    // font of p * 96 / dpi points comes out at p points on the paper.
    font.setPointSizeF(style.PointSize * kDesignDpi / deviceDpi);
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    return font;
}

double TextMeasure::Width(const QString& text, const TextStyle& style) const
{
    const QFont font = FontFor(style, dpi_);
    // Metrics of the font at the device's resolution, read in design units.
    const QFontMetricsF metrics(font, device_);
    return metrics.horizontalAdvance(text);
}

double TextMeasure::LineHeight(const TextStyle& style) const
{
    const QFontMetricsF metrics(FontFor(style, dpi_), device_);
    return metrics.height();
}

double TextMeasure::WrappedHeight(const QString& text, const TextStyle& style, double width) const
{
    if (text.isEmpty())
        return 0;
    const QFontMetricsF metrics(FontFor(style, dpi_), device_);
    const QRectF r = metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text);
    return std::ceil(r.height());
}

PageItem& Band::Add(PageItem item)
{
    if (item.Kind != ItemKind::Line)
        Height = std::max(Height, item.Rect.bottom());
    Items.push_back(std::move(item));
    return Items.back();
}

PageItem& Band::Label(const TextMeasure& measure, const QString& name, double left, double top, double width,
                      double height, const QString& text, TextStyle style, int align, bool wrap)
{
    if (wrap)
        height = std::max(height, measure.WrappedHeight(text, style, width));
    PageItem item{ItemKind::Text, name, QRectF(left, top, width, height), text, style, align, wrap};
    return Add(std::move(item));
}

PageItem& Band::AutoLabel(const TextMeasure& measure, const QString& name, double left, double top,
                          const QString& text, TextStyle style)
{
    return Label(measure, name, left, top, std::ceil(measure.Width(text, style)), measure.LineHeight(style),
                 text, style);
}

PageItem& Band::Line(const QString& name, double left, double top, double width, double penWidth)
{
    PageItem item{ItemKind::Line, name, QRectF(left, top, width, 0)};
    item.PenWidth = penWidth;
    return Add(std::move(item));
}

PageItem& Band::Rect(const QString& name, double left, double top, double width, double height, QColor fill)
{
    PageItem item{ItemKind::Rect, name, QRectF(left, top, width, height)};
    item.Fill = fill;
    return Add(std::move(item));
}

PageItem& Band::Image(const QString& name, double left, double top, double width, double height, QImage image)
{
    PageItem item{ItemKind::Image, name, QRectF(left, top, width, height)};
    item.Image = std::move(image);
    return Add(std::move(item));
}

PageItem& Band::Drawing(const QString& name, double left, double top, double width, double height,
                        QSize canvas, std::function<void(QPainter&)> draw)
{
    PageItem item{ItemKind::Drawing, name, QRectF(left, top, width, height)};
    item.Canvas = canvas;
    item.Draw = std::move(draw);
    return Add(std::move(item));
}

BandWriter::BandWriter(const PageSetup& setup, const TextMeasure& measure, PageSink& sink)
    : setup_(setup),
      measure_(measure),
      sink_(sink)
{}

void BandWriter::StartPage()
{
    page_ = ReportPage();
    page_.Number = pagesDone_ + 1;
    pageOpen_ = true;
    y_ = setup_.Margin;
    footerHeight_ = PageFooter ? PageFooter(page_.Number).Height : 0;
    bottom_ = setup_.Height() - setup_.Margin - footerHeight_;
    if (PageHeader) {
        const Band header = PageHeader(page_.Number);
        Place(header, y_);
        y_ += header.Height;
    }
    contentTop_ = y_;
}

void BandWriter::EndPage()
{
    if (PageFooter) {
        const Band footer = PageFooter(page_.Number);
        Place(footer, setup_.Height() - setup_.Margin - footer.Height);
    }
    pageOpen_ = false;
    ++pagesDone_;
    sink_.PageDone(page_);
    page_ = ReportPage();
    if (OnEndPage)
        OnEndPage();
}

void BandWriter::Place(const Band& band, double top)
{
    for (PageItem item : band.Items) {
        item.Rect.translate(setup_.Margin, top);
        page_.Items.push_back(std::move(item));
    }
}

void BandWriter::Print(const Band& band)
{
    if (!pageOpen_)
        StartPage();
    // A band that does not fit goes to the next page, unless the page holds
    // nothing but its header: then no page would take it, and it is cut.
    if (y_ + band.Height > bottom_ + 0.01 && y_ > contentTop_ + 0.01) {
        EndPage();
        StartPage();
    }
    Place(band, y_);
    y_ += band.Height;
}

void BandWriter::Finish()
{
    if (!pageOpen_ && pagesDone_ == 0)
        StartPage();
    if (pageOpen_)
        EndPage();
}

}  // namespace tw::reports
