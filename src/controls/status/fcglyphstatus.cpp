#include "controls/status/fcglyphstatus.h"

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fcimagelist.h"
#include "controls/status/fcstatusdraw.h"
#include "controls/status/fcstatusgeometry.h"

#include <algorithm>
#include <cstdlib>

namespace tw::controls {

namespace {

// The list's disabled look: the picture in grey, its transparent parts kept.
QImage Greyed(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int g = qGray(line[x]);
            line[x] = qRgba(g, g, g, qAlpha(line[x]));
        }
    }
    return out;
}

}  // namespace

TFcCustomGlyphStatus::TFcCustomGlyphStatus(QWidget* parent) : TFcCustomStatusPane(parent) {}

void TFcCustomGlyphStatus::SetGlyph(const QImage& glyph)
{
    glyph_ = glyph;
    if (glyph_.height() != 0 && glyph_.width() % glyph_.height() == 0) {
        const int cells = glyph_.width() / glyph_.height();
        numGlyphs_ = cells > 4 ? 1 : std::max(cells, 1);
    }
    update();
    AdjustBounds();
}

void TFcCustomGlyphStatus::SetNumGlyphs(int value)
{
    if (StoreChanged(numGlyphs_, std::clamp(value, 1, 4)))
        update();
}
void TFcCustomGlyphStatus::SetGlyphAlignment(TGlyphAlignment value)
{
    if (StoreChanged(glyphAlignment_, value))
        update();
}
void TFcCustomGlyphStatus::SetGlyphOffset(int value)
{
    if (!StoreChanged(glyphOffset_, value))
        return;
    update();
    AdjustBounds();
}
void TFcCustomGlyphStatus::SetShowGlyph(bool value)
{
    if (!StoreChanged(showGlyph_, value))
        return;
    update();
    AdjustBounds();
}
void TFcCustomGlyphStatus::SetImages(const TFcImageList* images)
{
    if (StoreChanged(images_, images))
        update();
}
void TFcCustomGlyphStatus::SetImageIndex(int value)
{
    if (StoreChanged(imageIndex_, value))
        update();
}
void TFcCustomGlyphStatus::SetDisabledIndex(int value)
{
    if (StoreChanged(disabledIndex_, value))
        update();
}

bool TFcCustomGlyphStatus::UsesImages() const
{
    return images_ && imageIndex_ != -1;
}

int TFcCustomGlyphStatus::PictureWidth() const
{
    if (UsesImages())
        return images_->Width();
    return glyph_.isNull() ? 0 : glyph_.width() / numGlyphs_;
}

QSize TFcCustomGlyphStatus::GetImageSize() const
{
    if (UsesImages())
        return {images_->Width(), images_->Height()};
    if (!glyph_.isNull())
        return {glyph_.width() / numGlyphs_, glyph_.height()};
    return {0, 0};
}

TRect TFcCustomGlyphStatus::GetCaptionRect() const
{
    TRect r = TFcCustomStatusPane::GetCaptionRect();
    if (showGlyph_) {
        const int d = PictureWidth() + glyphOffset_;
        if (glyphAlignment_ == gaLeft)
            r.Left += d;
        else
            r.Right -= d;
    }
    return r;
}

int TFcCustomGlyphStatus::GetMinWidth() const
{
    return TFcCustomStatusPane::GetMinWidth() + glyphOffset_ + (showGlyph_ ? PictureWidth() : 0);
}

void TFcCustomGlyphStatus::Paint(TFcCanvas& canvas)
{
    TFcCustomStatusPane::Paint(canvas);
    if (!showGlyph_)
        return;
    const TRect cr = GetCaptionRect();
    const QSize size = GetImageSize();
    const int w = size.width();
    const int h = std::min(size.height(), cr.Height());
    const TFrameStyle style = FrameStyle();
    int x = glyphAlignment_ == gaLeft ? glyphOffset_ + BorderWidth()
                                      : width() - (glyphOffset_ + w + BorderWidth() + 2);
    if (style >= fsGroove && style <= fsButtonUp)
        x += 2;
    else if (style == fsFlat || style == fsStatus || style == fsPopup)
        x += 1;
    const int dy = std::abs(height() - h - BorderWidth() - 1) / 2 + BorderWidth();
    const TRect picture{x, dy, x + w, dy + h};
    if (!UseThemes()) {
        // The strip between the frame and the caption takes the fill colour.
        const TRect base = TFcCustomStatusPane::GetCaptionRect();
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.Brush.Color = FillColor();
        if (glyphAlignment_ == gaLeft)
            canvas.FillRect({base.Left, base.Top, cr.Left, base.Bottom});
        else
            canvas.FillRect({cr.Right, base.Top, base.Right, base.Bottom});
    }
    if (UsesImages())
        DrawImage(canvas, picture);
    else if (!glyph_.isNull())
        DrawGlyph(canvas, picture);
}

void TFcCustomGlyphStatus::DrawImage(TFcCanvas& canvas, const TRect& r)
{
    const int index = !isEnabled() && disabledIndex_ != -1 ? disabledIndex_ : imageIndex_;
    if (index < 0 || index >= images_->Count())
        return;
    const QImage& image = images_->Image(index);
    const bool listLook = disabledIndex_ == -1 && !isEnabled();
    QPainter& p = canvas.BeginPainter();
    p.drawImage(r.Left, r.Top, listLook ? Greyed(image) : image);
    canvas.EndPainter();
}

void TFcCustomGlyphStatus::DrawGlyph(TFcCanvas& canvas, const TRect& r)
{
    const int w = r.Width();
    const int h = r.Height();
    if (w <= 0 || h <= 0)
        return;
    const int cellX = numGlyphs_ > 1 && !isEnabled() ? w : 0;
    const QImage source = glyph_.convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = source.pixel(0, h - 1);
    const QRgb fill = ToRgb32(FillColor());
    QImage cell = source.copy(cellX, 0, w, h);
    for (int y = 0; y < cell.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(cell.scanLine(y));
        for (int x = 0; x < cell.width(); ++x) {
            if ((line[x] & 0xFFFFFFu) == (transparent & 0xFFFFFFu))
                line[x] = fill;
        }
    }
    canvas.Draw(r.Left, r.Top, cell);
}

}  // namespace tw::controls
