#include "controls/buttons/fcbitbtn.h"

#include "controls/base/fcaction.h"
#include "controls/buttons/fcbuttonglyph.h"
#include "controls/foundation/fcimagelist.h"
#include "controls/foundation/fcthemesrv.h"

namespace tw::controls {

TFcBitBtn::TFcBitBtn(QWidget* parent)
    : TFcButton(parent)
{
}

void TFcBitBtn::SetGlyph(const QImage& glyph)
{
    glyph_ = glyph.isNull() ? QImage() : glyph.convertToFormat(QImage::Format_RGB32);
    glyphModified_ = true;
    GlyphChanged();
}

void TFcBitBtn::GlyphChanged()
{
    numGlyphs_ = GlyphCellCount(glyph_, numGlyphs_);
    update();
}

TBitBtnKind TFcBitBtn::Kind()
{
    if (kind_ != bkCustom
        && (Default() != KindDefault(kind_) || Cancel() != KindCancel(kind_)
            || ModalResult() != KindModalResult(kind_) || glyphModified_))
        kind_ = bkCustom;
    return kind_;
}

void TFcBitBtn::SetKind(TBitBtnKind kind)
{
    if (kind != kind_ && kind != bkCustom) {
        SetDefault(KindDefault(kind));
        SetCancel(KindCancel(kind));
        if (!(loading_ && !Caption().isEmpty()))
            SetCaption(StockCaption(kind));
        SetModalResult(KindModalResult(kind));
        glyph_ = GetBitBtnGlyph(kind);
        numGlyphs_ = 2;
        glyphModified_ = false;
    }
    kind_ = kind;
    update();
}

void TFcBitBtn::SetLayout(TButtonLayout value)
{
    Store(layout_, value);
}

void TFcBitBtn::SetMargin(int value)
{
    if (value < -1)
        return;
    Store(margin_, value);
}

void TFcBitBtn::SetNumGlyphs(int value)
{
    Store(numGlyphs_, std::clamp(value, 1, 4));
}

void TFcBitBtn::SetSpacing(int value)
{
    Store(spacing_, value);
}

void TFcBitBtn::SetImageIndex(int value)
{
    Store(imageIndex_, value);
}

void TFcBitBtn::SetDisabledIndex(int value)
{
    Store(disabledIndex_, value);
}

void TFcBitBtn::SetImages(const TFcImageList* images)
{
    images_ = images;
    update();
}

void TFcBitBtn::ImagesChanged()
{
    Repaint();
}

void TFcBitBtn::ActionChange(QAction* action)
{
    TFcButton::ActionChange(action);
    if (auto* fcAction = qobject_cast<TFcAction*>(action))
        SetImageIndex(fcAction->ImageIndex());
}

QSize TFcBitBtn::GetImageSize() const
{
    if (images_ && imageIndex_ != -1)
        return {images_->Width(), images_->Height()};
    if (!glyph_.isNull())
        return {glyph_.width() / numGlyphs_, glyph_.height()};
    return {0, 0};
}

bool TFcBitBtn::HasImage() const
{
    return (images_ && imageIndex_ != -1) || !glyph_.isNull();
}

int TFcBitBtn::CaptionHeight(const TRect& r) const
{
    if (margin_ != -1)
        return 0;
    QImage scratch = MakeBitmap(1, 1);
    TFcCanvas canvas(scratch);
    canvas.Font = font();
    TRect measured = r;
    return canvas.DrawText(Caption(), measured, 0x455);
}

TButtonFaceLayout TFcBitBtn::Face(bool pressedOffsets) const
{
    TRect r = TFcButton::GetCaptionRect();
    const QSize size = GetImageSize();
    const int h = CaptionHeight(r);
    if (!pressedOffsets || !Pressed())
        return LayoutButtonFace(r, layout_, margin_, spacing_, size.width(), size.height(), HasImage(), h,
                                height());
    const bool themed = VisualStylesEnabled();
    TButtonFaceLayout face = LayoutButtonFace(themed ? r.Moved(-1, 0) : r.Moved(-1, -1), layout_, margin_,
                                              spacing_, size.width(), size.height(), HasImage(), h, height());
    face.Image = themed ? face.Image.Moved(2, 0) : face.Image.Moved(1, 1);
    return face;
}

TRect TFcBitBtn::GetCaptionRect() const
{
    return Face(false).Caption;
}

TRect TFcBitBtn::GetGlyphRect()
{
    return Face(true).Image;
}

void TFcBitBtn::DrawButtonFace(TFcCanvas& canvas)
{
    Draw3DText(canvas, GetCaptionRect(), DrawTextAlignments[Alignment()] | DT_EXPANDTABS | DT_WORDBREAK);
    const TRect image = GetGlyphRect();
    if (Kind() == bkCustom && images_ && imageIndex_ != -1)
        DrawImage(canvas, image);
    else if (!glyph_.isNull())
        DrawGlyph(canvas, image);
}

void TFcBitBtn::DrawGlyph(TFcCanvas& canvas, const TRect& rect)
{
    DrawButtonGlyph(canvas, glyph_, numGlyphs_, isEnabled(), rect, Color());
}

void TFcBitBtn::DrawImage(TFcCanvas& canvas, const TRect& rect)
{
    if (!images_)
        return;
    int index = imageIndex_;
    bool greyed = false;
    if (disabledIndex_ == -1) {
        greyed = !isEnabled();
    } else if (!isEnabled()) {
        index = disabledIndex_;
    }
    if (index < 0 || index >= images_->Count())
        return;
    QImage picture = images_->Image(index);
    if (greyed) {
        // The list's own disabled rendering: grey, lighter, its see-through kept.
        QImage grey = picture.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < grey.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
            for (int x = 0; x < grey.width(); ++x) {
                const int g = 128 + qGray(line[x]) / 2;
                line[x] = qRgba(g, g, g, qAlpha(line[x]));
            }
        }
        picture = grey;
    }
    QPainter& p = canvas.BeginPainter();
    p.drawImage(rect.Left, rect.Top, picture);
    canvas.EndPainter();
}

}  // namespace tw::controls
