#include "controls/buttons/fcshapebutton.h"

#include "controls/buttons/fcbuttonaccessible.h"
#include "controls/foundation/fcgrafx.h"

#include <QApplication>
#include <QBitmap>
#include <QHelpEvent>
#include <QMouseEvent>

namespace tw::controls {

namespace {

// The hourglass while the pictures are made, given back however that ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

TFcShapeButton::TFcShapeButton(QWidget* parent) : TFcControl(parent)
{
    resize(80, 80);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    RegisterButtonAccessibility();
    // The parent shows wherever the pictures leave the transparent colour.
    SetTransparent(true);
}

void TFcShapeButton::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustBounds();
}

void TFcShapeButton::SetBevelWidth(int value)
{
    value = std::clamp(value, 0, 2);
    if (value == bevel_.BevelWidth)
        return;
    bevel_.BevelWidth = value;
    Rebuild();
}

void TFcShapeButton::SetBevelHighlightColor(TColor value)
{
    if (value == bevel_.HighlightColor)
        return;
    bevel_.HighlightColor = value;
    Rebuild();
}

void TFcShapeButton::SetBevelShadowColor(TColor value)
{
    if (value == bevel_.ShadowColor)
        return;
    bevel_.ShadowColor = value;
    Rebuild();
}

void TFcShapeButton::SetBorderSingle(bool value)
{
    if (value == bevel_.SingleBorder)
        return;
    bevel_.SingleBorder = value;
    Rebuild();
}

void TFcShapeButton::SetBorderColor(TColor value)
{
    if (value == bevel_.BorderColor)
        return;
    bevel_.BorderColor = value;
    Rebuild();
}

void TFcShapeButton::SetBitmap(const QImage& bitmap)
{
    bitmap_ = bitmap.isNull() ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32);
    Rebuild();
}

void TFcShapeButton::SetBitmapUp(const QImage& bitmap)
{
    bitmapUp_ = bitmap;
    UpdateWidgetMask();
    update();
}

void TFcShapeButton::SetBitmapDown(const QImage& bitmap)
{
    bitmapDown_ = bitmap;
    UpdateWidgetMask();
    update();
}

void TFcShapeButton::SetPreciseClick(bool value)
{
    if (value == preciseClick_)
        return;
    preciseClick_ = value;
    UpdateWidgetMask();
}

void TFcShapeButton::SetCaptionPosition(TFcCaptionPosition value)
{
    if (value == captionPosition_)
        return;
    captionPosition_ = value;
    update();
}

void TFcShapeButton::SetCaptionXY(int x, int y)
{
    if (x == captionX_ && y == captionY_)
        return;
    captionX_ = x;
    captionY_ = y;
    update();
}

void TFcShapeButton::Loaded()
{
    loading_ = false;
    Rebuild();
}

QSize TFcShapeButton::sizeHint() const
{
    if (autoSize_ && !bitmap_.isNull())
        return bitmap_.size() + QSize(4, 4);
    return size();
}

void TFcShapeButton::AdjustBounds()
{
    if (autoSize_ && !bitmap_.isNull() && !loading_)
        resize(bitmap_.width() + 4, bitmap_.height() + 4);
}

void TFcShapeButton::Rebuild()
{
    AdjustBounds();
    if (loading_) {
        update();
        return;
    }
    if (bitmap_.isNull()) {
        bitmapUp_ = {};
        bitmapDown_ = {};
        mask_ = {};
    } else {
        const WaitCursor wait;
        bitmapUp_ = Create3DBitmap(bitmap_, false, bevel_);
        bitmapDown_ = Create3DBitmap(bitmap_, true, bevel_);
        mask_ = CreateShapeMask(bitmap_);
    }
    UpdateWidgetMask();
    update();
}

void TFcShapeButton::UpdateWidgetMask()
{
    if (!preciseClick_ || bitmapUp_.isNull()) {
        clearMask();
        return;
    }
    // Everything either picture draws (the down one a pixel lower right), so
    // that the bevel shows; presses on the bevel itself still count as outside.
    QImage shown(size(), QImage::Format_Mono);
    shown.setColor(0, qRgb(255, 255, 255));
    shown.setColor(1, qRgb(0, 0, 0));
    shown.fill(0);
    const auto add = [&](const QImage& picture, int dx) {
        if (picture.isNull())
            return;
        const QRgb transparent = picture.pixel(0, picture.height() - 1);
        for (int y = 0; y < picture.height() && y + dx < shown.height(); ++y)
            for (int x = 0; x < picture.width() && x + dx < shown.width(); ++x)
                if (picture.pixel(x, y) != transparent)
                    shown.setPixel(x + dx, y + dx, 1);
    };
    add(bitmapUp_, 0);
    add(bitmapDown_, 1);
    setMask(QBitmap::fromImage(shown));
}

bool TFcShapeButton::PtInMask(int x, int y) const
{
    if (mask_.isNull())
        return true;
    if (x < 0 || y < 0 || x >= mask_.width() || y >= mask_.height())
        return false;
    return mask_.pixelIndex(x, y) == 1;
}

bool TFcShapeButton::InsideForState(QPoint p) const
{
    if (preciseClick_)
        return PtInMask(p.x(), p.y());
    return p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
}

void TFcShapeButton::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    if (preciseClick_ && !PtInMask(p.x(), p.y())) {
        // Beside the shape: the press belongs to what lies behind.
        event->ignore();
        return;
    }
    state_ = bsDown;
    Repaint();
    mouseDown_ = true;
}

void TFcShapeButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (preciseClick_) {
        const bool inShape = PtInMask(p.x(), p.y());
        if (!inShape && !cursorChanged_) {
            savedCursor_ = cursor();
            cursorChanged_ = true;
            setCursor(Qt::ArrowCursor);
        } else if (inShape && cursorChanged_) {
            cursorChanged_ = false;
            setCursor(savedCursor_);
        }
    }
    if (!mouseDown_)
        return;
    const TButtonState state = InsideForState(p) ? bsDown : bsUp;
    if (state != state_) {
        state_ = state;
        Repaint();
    }
}

void TFcShapeButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!mouseDown_)
        return;
    mouseDown_ = false;
    if (state_ == bsDown) {
        state_ = bsUp;
        Repaint();
    }
    if (InsideForState(event->position().toPoint()))
        Click();
}

bool TFcShapeButton::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && preciseShowHint_) {
        const QPoint p = static_cast<QHelpEvent*>(event)->pos();
        if (!PtInMask(p.x(), p.y())) {
            event->ignore();
            return true;
        }
    }
    return TFcControl::event(event);
}

void TFcShapeButton::changeEvent(QEvent* event)
{
    TFcControl::changeEvent(event);
    // The pictures take system colours at build time.
    if (event->type() == QEvent::PaletteChange && !bitmap_.isNull())
        Rebuild();
}

bool TFcShapeButton::DialogChar(QChar character, Qt::KeyboardModifiers)
{
    if (!IsAccel(character, Caption()) || !isEnabled() || !isVisibleTo(window()))
        return false;
    Click();
    return true;
}

TRect TFcShapeButton::GetCaptionRect(TFcCanvas& canvas) const
{
    TRect r{0, 0, width(), height()};
    if (captionPosition_ == cpXY) {
        canvas.DrawText(Caption(), r, DT_CALCRECT);
        r = r.Moved(captionX_, captionY_);
    }
    return r;
}

void TFcShapeButton::DrawButtonText(TFcCanvas& canvas, const TRect& rect)
{
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.BkMode = TBkMode::Transparent;
    TRect r = state_ == bsDown ? rect.Moved(1, 1) : rect;
    canvas.DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.BkMode = TBkMode::Opaque;
}

void TFcShapeButton::Paint(TFcCanvas& canvas)
{
    const bool down = state_ == bsDown;
    const QImage& picture = down ? bitmapDown_ : bitmapUp_;
    if (picture.isNull())
        return;
    const int offset = down ? 1 : 0;
    const TColor transparent = FromRgb32(picture.pixel(0, picture.height() - 1));
    DrawFullTransparentBitmap(canvas, picture,
                              {offset, offset, offset + picture.width(), offset + picture.height()},
                              {0, 0, picture.width(), picture.height()}, transparent);
    if (!Caption().isEmpty())
        DrawButtonText(canvas, GetCaptionRect(canvas));
}

}  // namespace tw::controls
