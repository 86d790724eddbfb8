#include "controls/status/fcprogressbar.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/foundation/fctextmetrics.h"
#include "controls/status/fcstatusaccessible.h"
#include "controls/status/fcstatusbar.h"
#include "controls/status/fcstatusdraw.h"
#include "controls/status/fcstatusgeometry.h"

#include <QMouseEvent>

#include <algorithm>

namespace tw::controls {

TFcCustomProgressBar::TFcCustomProgressBar(QWidget* parent) : TFcControl(parent)
{
    RegisterStatusAccessible();
    setFont(DefaultControlFont());
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    SetFontColor(barColor_);
    resize(200, 24);
}

void TFcCustomProgressBar::SetBackColor(TColor value)
{
    if (StoreChanged(backColor_, value))
        Repaint();
}
void TFcCustomProgressBar::SetBarColor(TColor value)
{
    if (!StoreChanged(barColor_, value))
        return;
    SetFontColor(value);
    Repaint();
}
void TFcCustomProgressBar::SetBarStyle(TBarStyle value)
{
    if (!StoreChanged(barStyle_, value))
        return;
    showPercent_ = value == bsTraditional;
    interiorOffset_ = value == bsLED ? 1 : 0;
    Repaint();
}
void TFcCustomProgressBar::SetBevelWidth(int value)
{
    if (StoreChanged(bevelWidth_, std::max(1, value)))
        Repaint();
}
void TFcCustomProgressBar::SetBorderColor(TColor value)
{
    if (StoreChanged(borderColor_, value))
        Repaint();
}
void TFcCustomProgressBar::SetBorderInner(TFrameStyle value)
{
    if (StoreChanged(borderInner_, value))
        Repaint();
}
void TFcCustomProgressBar::SetBorderOuter(TFrameStyle value)
{
    if (StoreChanged(borderOuter_, value))
        Repaint();
}
void TFcCustomProgressBar::SetBorderWidth(int value)
{
    if (StoreChanged(borderWidth_, std::max(0, value)))
        Repaint();
}
void TFcCustomProgressBar::SetFlatColor(TColor value)
{
    if (StoreChanged(flatColor_, value))
        update();
}
void TFcCustomProgressBar::SetFlatColorAdjustment(int value)
{
    if (StoreChanged(flatColorAdjustment_, value))
        update();
}
void TFcCustomProgressBar::SetInteriorOffset(int value)
{
    if (StoreChanged(interiorOffset_, std::clamp(value, 0, 255)))
        Repaint();
}
void TFcCustomProgressBar::SetNumSegments(int value)
{
    if (StoreChanged(numSegments_, ClampSegments(value)))
        Repaint();
}
void TFcCustomProgressBar::SetOrientation(TOrientation value)
{
    if (StoreChanged(orientation_, value))
        Repaint();
}
void TFcCustomProgressBar::SetShowPercent(bool value)
{
    if (StoreChanged(showPercent_, value))
        Repaint();
}
void TFcCustomProgressBar::SetThemeAware(bool value)
{
    if (StoreChanged(themeAware_, value))
        update();
}

void TFcCustomProgressBar::SetPercent(std::uint16_t value)
{
    if (percent_ == value)
        return;
    percent_ = value;
    PercentChanged();
    Repaint();
}

void TFcCustomProgressBar::PercentChanged()
{
    if (OnChange)
        OnChange(this, percent_);
}

void TFcCustomProgressBar::SetPartsComplete(std::uint32_t value)
{
    constexpr std::uint32_t kMax = 2147483647u;
    value = std::min({value, totalParts_, kMax});
    if (partsComplete_ == value)
        return;
    partsComplete_ = value;
    if (!loading_ && totalParts_ != 0)
        SetPercent(static_cast<std::uint16_t>(PartsPercent(partsComplete_, totalParts_)));
}

void TFcCustomProgressBar::SetTotalParts(std::uint32_t value)
{
    value = std::min<std::uint32_t>(value, 2147483647u);
    if (totalParts_ == value)
        return;
    totalParts_ = value;
    if (!loading_) {
        partsComplete_ = 0;
        SetPercent(0);
    }
}

TFcStatusBar* TFcCustomProgressBar::StatusBar() const
{
    return qobject_cast<TFcStatusBar*>(parentWidget());
}

bool TFcCustomProgressBar::UseThemes() const
{
    if (!ThemeServices()->GetThemesEnabled())
        return false;
    const TFcStatusBar* bar = StatusBar();
    return !bar || bar->ThemeAware();
}

void TFcCustomProgressBar::EraseBackground(TFcCanvas&)
{
    // Paint covers every pixel.
}

void TFcCustomProgressBar::PaintThemedFrame(TFcCanvas& canvas, TRect& r)
{
    const int io = interiorOffset_;
    const auto track = GetElementDetails(orientation_ == orHorizontal ? tpBar : tpBarVert);
    if (const TFcStatusBar* bar = StatusBar()) {
        QImage back = MakeBitmap(bar->width(), bar->height(), bar->Color());
        {
            TFcCanvas backCanvas(back);
            ThemeServices()->DrawElement(backCanvas, GetElementDetails(tsStatusRoot),
                                         {0, 0, bar->width(), bar->height()});
        }
        canvas.CopyRect(r, back, r.Moved(x(), y()));
        ThemeServices()->DrawElement(canvas, GetElementDetails(tsPane), r);
        r = io == 0 ? r.Inflated(-3, -2) : r.Inflated(-(io + 2), -(io + 1));
        if (themeAware_) {
            ThemeServices()->DrawElement(canvas, track, r);
            const int d = barStyle_ == bsTraditional ? io + 3 : io + 1;
            r = r.Inflated(-d, -d);
        } else {
            r = r.Inflated(-(io + 1), -(io + 1));
        }
        return;
    }
    canvas.Brush.Color = backColor_;
    canvas.FillRect(r);
    ThemeServices()->DrawElement(canvas, track, r);
    int d = io + 3;
    if (barStyle_ == bsLED)
        d = themeAware_ ? io + 1 : io + 2;
    r = r.Inflated(-d, -d);
}

void TFcCustomProgressBar::Paint(TFcCanvas& canvas)
{
    // Drawn on the canvas in one pass: the control's own buffer is the
    // off-screen bitmap, so nothing flickers.
    TRect r{0, 0, width(), height()};
    canvas.Brush.Style = TBrushStyle::Solid;
    if (UseThemes()) {
        PaintThemedFrame(canvas, r);
    } else {
        canvas.Brush.Color = borderColor_;
        canvas.FillRect(r);
        const TColor flat = AdjustColor(flatColor_, flatColorAdjustment_);
        if (borderOuter_ == fsFlat)
            r = DrawBevel(canvas, r, flat, flat, 1, kAllSides);
        else
            r = DrawBorder(canvas, r, borderOuter_);
        if (borderWidth_ > 0)
            r = DrawBevel(canvas, r, borderColor_, borderColor_, borderWidth_, kAllSides);
        if (borderInner_ == fsFlat) {
            DrawOpenCornerFrame(canvas, r, flat);
            r = r.Inflated(-1, -1);
        } else {
            r = DrawBorder(canvas, r, borderInner_);
        }
        if (interiorOffset_ > 0) {
            // A ring of the back colour inside the frame.
            canvas.Brush.Color = backColor_;
            const int io = interiorOffset_;
            canvas.FillRect({r.Left, r.Top, r.Right, r.Top + io});
            canvas.FillRect({r.Left, r.Bottom - io, r.Right, r.Bottom});
            canvas.FillRect({r.Left, r.Top, r.Left + io, r.Bottom});
            canvas.FillRect({r.Right - io, r.Top, r.Right, r.Bottom});
            r = r.Inflated(-io, -io);
        }
    }
    if (r.IsEmpty())
        return;
    canvas.Font = font();
    if (barStyle_ == bsTraditional)
        DrawPercentBar(canvas, r, orientation_, barColor_, backColor_, percent_, showPercent_);
    else
        DrawLEDBar(canvas, r, orientation_, barColor_, backColor_, numSegments_, percent_, themeAware_);
}

void TFcCustomProgressBar::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    SetOrientation(height <= width ? orHorizontal : orVertical);
}

void TFcCustomProgressBar::resizeEvent(QResizeEvent* event)
{
    TFcControl::resizeEvent(event);
    SetOrientation(height() <= width() ? orHorizontal : orVertical);
}

bool TFcCustomProgressBar::InGripStrip(const QPoint& p) const
{
    const TFcStatusBar* bar = StatusBar();
    return bar && bar->GripUsable() && p.x() >= width() - kGripStrip && p.x() < width();
}

void TFcCustomProgressBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && InGripStrip(event->position().toPoint())) {
        StatusBar()->StartGripResize();
        event->accept();
        return;
    }
    TFcControl::mousePressEvent(event);
}

void TFcCustomProgressBar::mouseMoveEvent(QMouseEvent* event)
{
    if (InGripStrip(event->position().toPoint()))
        setCursor(Qt::SizeFDiagCursor);
    else
        unsetCursor();
    TFcControl::mouseMoveEvent(event);
}

}  // namespace tw::controls
