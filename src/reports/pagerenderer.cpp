#include "reports/pagerenderer.h"

#include <QPagedPaintDevice>

namespace tw::reports {

void PaintPage(QPainter& painter, const ReportPage& page, int deviceDpi)
{
    painter.save();
    const double scale = deviceDpi / kDesignDpi;
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const PageItem& item : page.Items) {
        switch (item.Kind) {
        case ItemKind::Text: {
            if (item.Text.isEmpty())
                break;
            if (item.Opaque)
                painter.fillRect(item.Rect, Qt::white);
            painter.setFont(TextMeasure::FontFor(item.Style, deviceDpi));
            painter.setPen(Qt::black);
            int flags = item.Align;
            if (item.Wrap)
                flags |= Qt::TextWordWrap;
            painter.drawText(item.Rect, flags, item.Text);
            break;
        }
        case ItemKind::Line:
            painter.setPen(QPen(item.Pen, item.PenWidth));
            painter.drawLine(item.Rect.topLeft(), item.Rect.topRight());
            break;
        case ItemKind::Rect:
            painter.setPen(QPen(item.Pen, item.PenWidth));
            painter.setBrush(item.Fill);
            painter.drawRect(item.Rect);
            painter.setBrush(Qt::NoBrush);
            break;
        case ItemKind::Image: painter.drawImage(item.Rect, item.Image); break;
        case ItemKind::Drawing: {
            if (!item.Draw || item.Canvas.isEmpty())
                break;
            painter.save();
            painter.setClipRect(item.Rect, Qt::IntersectClip);
            painter.translate(item.Rect.topLeft());
            painter.scale(item.Rect.width() / item.Canvas.width(), item.Rect.height() / item.Canvas.height());
            item.Draw(painter);
            painter.restore();
            break;
        }
        }
    }
    painter.restore();
}

PaintingSink::PaintingSink(QPagedPaintDevice& device) : device_(device) {}

PaintingSink::~PaintingSink()
{
    End();
}

void PaintingSink::PageDone(const ReportPage& page)
{
    if (failed_)
        return;
    if (!started_) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&device_)) {
            failed_ = true;
            return;
        }
        started_ = true;
    } else if (!device_.newPage()) {
        failed_ = true;
        return;
    }
    PaintPage(*painter_, page, device_.logicalDpiY());
}

bool PaintingSink::End()
{
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
    return started_ && !failed_;
}

}  // namespace tw::reports
