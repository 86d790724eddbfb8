#pragma once
// TFcMeter: a value between Min and Max as a filled bar, a raised 3-D bar or
// a row of LED segments in up to three colour groups, growing in one of four
// directions, in a rectangle or a trapezoid, with an optional percentage.
// Max equal to Min shows 0 % and nothing lit.
#include "controls/display/fcmetergeometry.h"
#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/panels/fcborder.h"
#include <QImage>
namespace tw::controls {
enum TFcMeterType { mtNormal, mtBar3D, mtLED };
enum TFcMeterShape { msRectangular, msTrapezoidal };
class TFcMeter : public TFcBorder {
    Q_OBJECT
public:
    explicit TFcMeter(QWidget* parent = nullptr);
    TDirection Direction() const { return direction_; }
    void SetDirection(TDirection value);
    const QImage& Bitmap() const { return bitmap_; }
    void SetBitmap(const QImage& value);
    TBrushStyle BrushStyle() const { return brushStyle_; }
    void SetBrushStyle(TBrushStyle value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Value() const { return value_; }
    void SetValue(int value);
    void AddValue(int delta) { SetValue(value_ + delta); }
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value);
    TColor BarColor() const { return barColor_; }
    void SetBarColor(TColor value);
    TFcMeterType MeterType() const { return meterType_; }
    void SetMeterType(TFcMeterType value);
    TFcMeterShape MeterShape() const { return meterShape_; }
    void SetMeterShape(TFcMeterShape value);
    bool ShowPercent() const { return showPercent_; }
    void SetShowPercent(bool value);
    int SegSpacing() const { return segSpacing_; }
    void SetSegSpacing(int value);
    TColor SegOffColor() const { return segments_.OffColor; }
    void SetSegOffColor(TColor value);
    // Groups 0 to 2.
    int SegCount(int group) const { return segments_.Counts[group]; }
    void SetSegCount(int group, int count);
    TColor SegColor(int group) const { return segments_.Colors[group]; }
    void SetSegColor(int group, TColor color);
    TTrapDirect TrapezoidDir() const { return trapDir_; }
    void SetTrapezoidDir(TTrapDirect value);
    int TrapezoidMin() const { return trapMin_; }
    void SetTrapezoidMin(int value);
    TTrapShape TrapezoidShape() const { return trapShape_; }
    void SetTrapezoidShape(TTrapShape value);
    int Percent() const { return MeterPercent(value_, min_, max_); }
protected:
    void Paint(TFcCanvas& canvas) override;
    void DrawStandardBar(TFcCanvas& canvas, const TRect& r);
    void DrawLEDBar(TFcCanvas& canvas, const TRect& r);
private:
    template <typename T>
    void Store(T& member, const T& value);
    bool Trapezoidal() const { return meterShape_ == msTrapezoidal; }
    TDirection direction_ = dirRight;
    QImage bitmap_;
    TBrushStyle brushStyle_ = TBrushStyle::Solid;
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    TColor backColor_ = clBlack;
    TColor barColor_ = 0x0000FF;
    TFcMeterType meterType_ = mtLED;
    TFcMeterShape meterShape_ = msRectangular;
    bool showPercent_ = true;
    int segSpacing_ = 2;
    TFcMeterSegments segments_;
    TTrapDirect trapDir_ = tdLargeToSmall;
    int trapMin_ = 6;
    TTrapShape trapShape_ = tsCenter;
    int bevelInset_ = 0;
};
}  // namespace tw::controls
