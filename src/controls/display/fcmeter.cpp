#include "controls/display/fcmeter.h"
#include "controls/foundation/fccommon.h"
#include "controls/display/fcdisplayaccessible.h"
#include "controls/panels/fcframes.h"
#include <algorithm>
namespace tw::controls {
TFcMeter::TFcMeter(QWidget* parent) : TFcBorder(parent)
{
    RegisterDisplayAccessibility();
    SetTransparent(false);
    SetBorderOuter(fsStatus);
    resize(150, 30);
}

template <typename T>
void TFcMeter::Store(T& member, const T& value)
{
    if (StoreChanged(member, value))
        repaint();
}

void TFcMeter::SetDirection(TDirection value) { Store(direction_, value); }
void TFcMeter::SetBitmap(const QImage& value)
{
    bitmap_ = value;
    repaint();
}
void TFcMeter::SetBrushStyle(TBrushStyle value) { Store(brushStyle_, value); }
void TFcMeter::SetMin(int value) { Store(min_, value); }
void TFcMeter::SetMax(int value) { Store(max_, value); }
void TFcMeter::SetValue(int value)
{
    if (value == value_)
        return;
    Store(value_, std::clamp(value, std::min(min_, max_), std::max(min_, max_)));
}
void TFcMeter::SetBackColor(TColor value) { Store(backColor_, value); }
void TFcMeter::SetBarColor(TColor value) { Store(barColor_, value); }
void TFcMeter::SetMeterType(TFcMeterType value) { Store(meterType_, value); }
void TFcMeter::SetMeterShape(TFcMeterShape value) { Store(meterShape_, value); }
void TFcMeter::SetShowPercent(bool value) { Store(showPercent_, value); }
void TFcMeter::SetSegSpacing(int value) { Store(segSpacing_, value); }
void TFcMeter::SetSegOffColor(TColor value) { Store(segments_.OffColor, value); }
void TFcMeter::SetSegCount(int group, int count)
{
    Store(segments_.Counts[group], std::clamp(count, 1, 255));
}
void TFcMeter::SetSegColor(int group, TColor color) { Store(segments_.Colors[group], color); }
void TFcMeter::SetTrapezoidDir(TTrapDirect value) { Store(trapDir_, value); }
void TFcMeter::SetTrapezoidMin(int value) { Store(trapMin_, value); }
void TFcMeter::SetTrapezoidShape(TTrapShape value) { Store(trapShape_, value); }

namespace {
std::vector<TPoint> Points(const TTrap& t)
{
    return {t[0], t[1], t[2], t[3]};
}
}  // namespace

void TFcMeter::Paint(TFcCanvas& canvas)
{
    if (height() < 4 || width() < 4)
        return;
    const TRect cr = ClientRect();
    if (!Trapezoidal())
        TFcBorder::Paint(canvas);
    TRect r = Trapezoidal() ? TRect{0, 0, width(), height()} : cr;
    if (r.IsEmpty())
        return;
    QImage bitmap = MakeBitmap(r.Width(), r.Height(), Trapezoidal() ? clBtnFace : backColor_);
    TFcCanvas off(bitmap);
    off.Font = font();
    off.FontColor = FontColor();
    if (BorderOuter() == fsLowered || BorderOuter() == fsRaised) {
        if (Trapezoidal()) {
            TTrap t;
            SetTrapezoid(t, r, trapMin_, trapShape_, direction_, trapDir_);
            if (backColor_ != clBtnFace) {
                TTrap in = t;
                for (auto& p : in) {
                    p.x = std::min(p.x, r.Right - 1);
                    p.y = std::min(p.y, r.Bottom - 1);
                }
                off.Brush.Color = backColor_;
                off.Brush.Style = TBrushStyle::Solid;
                off.Pen.Style = TPenStyle::Clear;
                off.Polygon(Points(in));
                off.Pen = TFcPen{};
            }
            DrawTrapezoidBorder(off, t, bsLowered, BevelWidth());
        }
        bevelInset_ = BevelWidth();
        r = r.Inflated(-BevelWidth(), -BevelWidth());
    } else {
        bevelInset_ = 0;
    }
    if (!Trapezoidal()) {
        r = r.Moved(-cr.Left, -cr.Top);
        r.Left -= 1;
        r.Top -= 1;
    }
    if (meterType_ == mtLED)
        DrawLEDBar(off, r);
    else
        DrawStandardBar(off, r);
    if (Trapezoidal())
        canvas.Draw(0, 0, bitmap);
    else
        canvas.Draw(cr.Left, cr.Top, bitmap);
}

void TFcMeter::DrawStandardBar(TFcCanvas& canvas, const TRect& r)
{
    const TRect b = MeterBarRect(r, direction_, value_, min_, max_);
    TTrap outer{};
    TTrap bar{};
    if (Trapezoidal()) {
        SetTrapezoid(outer, r, trapMin_ - 2 * bevelInset_, trapShape_, direction_, trapDir_);
        AdjustTrapezoid(outer, b, direction_, bar);
    }
    const bool empty = b.IsEmpty() || max_ == min_;
    if (!bitmap_.isNull() && bitmap_.width() > 0) {
        if (!empty) {
            if (Trapezoidal()) {
                if (value_ > 0) {
                    canvas.SaveState();
                    canvas.SetClipRegion(QRegion(QPolygon({QPoint(bar[0].x, bar[0].y), QPoint(bar[1].x, bar[1].y),
                                                           QPoint(bar[2].x, bar[2].y), QPoint(bar[3].x, bar[3].y)})));
                    TileBitmap(canvas, bitmap_, b);
                    canvas.RestoreState();
                }
            } else {
                TileBitmap(canvas, bitmap_, b);
            }
        }
    } else if (!empty) {
        canvas.Brush.Style = brushStyle_ == TBrushStyle::Clear ? TBrushStyle::Clear : TBrushStyle::Solid;
        canvas.Brush.Color = barColor_;
        canvas.Pen.Color = barColor_;
        canvas.Pen.Style = TPenStyle::Solid;
        if (Trapezoidal()) {
            if (value_ > 0)
                canvas.Polygon(Points(bar));
        } else if (brushStyle_ == TBrushStyle::Solid) {
            canvas.FillRect(b);
        } else {
            canvas.Rectangle(b);
        }
    }
    if (meterType_ == mtBar3D && !empty && 2 * BevelWidth() < b.Width() && 2 * BevelWidth() < b.Height()) {
        if (Trapezoidal())
            DrawTrapezoidBorder(canvas, bar, bsRaised, BevelWidth());
        else
            DrawBevel(canvas, b, clBtnHighlight, clBtnShadow, BevelWidth(), kAllSides);
    }
    if (showPercent_) {
        const QString text = QString::number(Percent()) + QLatin1Char('%');
        canvas.BkMode = TBkMode::Transparent;
        const TRect cr = ClientRect();
        canvas.TextOut((cr.Width() - canvas.TextWidth(text)) / 2, (cr.Height() - canvas.TextHeight(text)) / 2,
                       text);
    }
}

void TFcMeter::DrawLEDBar(TFcCanvas& canvas, const TRect& r0)
{
    const int n = segments_.Total();
    const std::vector<TColor> colors = MeterSegmentColors(segments_, value_, min_, max_);
    TTrap t{};
    if (Trapezoidal()) {
        SetTrapezoid(t, r0, trapMin_ - 2 * bevelInset_, trapShape_, direction_, trapDir_);
        InflateTrapezoid(t, -segSpacing_);
    }
    const TRect r = r0.Inflated(-segSpacing_, -segSpacing_);
    const std::vector<TRect> cells = MeterSegmentCells(r, direction_, n, segSpacing_);
    canvas.Pen = TFcPen{};
    canvas.Brush.Style = TBrushStyle::Solid;
    for (int i = 0; i < n; ++i) {
        const TRect& c = cells[static_cast<size_t>(i)];
        canvas.Brush.Color = colors[static_cast<size_t>(i)];
        if (Trapezoidal()) {
            TTrap part;
            AdjustTrapezoid(t, c, direction_, part);
            canvas.Polygon(Points(part));
        } else {
            canvas.FillRect({c.Left + 1, c.Top + 1, c.Right - 1, c.Bottom - 1});
        }
    }
}
}  // namespace tw::controls
