#pragma once
// TFcCustomProgressBar: progress as a percentage, as a continuous bar with the
// percentage written on it or as a row of LED segments, lying or standing
// (it follows its own shape), with the library's frames or the style's
// progress bar; on a TFcStatusBar it takes the bar's look and lets the bar's
// size grip work through its right end. Progress is set as a percentage or
// as parts done of a total (rounded half to even). TFcProgressBar adds the
// increments.
//
//   auto* progress = new TFcProgressBar(statusBar);
//   progress->SetTotalParts(records);
//   for (...) { ...; progress->IncPartsByOne(); }   // repaints at once

#include "controls/base/fccontrol.h"
#include "controls/foundation/fctypes.h"

#include <cstdint>
#include <functional>

namespace tw::controls {

class TFcStatusBar;

class TFcCustomProgressBar : public TFcControl {
    Q_OBJECT
public:
    explicit TFcCustomProgressBar(QWidget* parent = nullptr);

    TColor BackColor() const { return backColor_; }
    virtual void SetBackColor(TColor value);
    // Also the colour of the percentage text.
    TColor BarColor() const { return barColor_; }
    virtual void SetBarColor(TColor value);
    // bsLED turns the percentage off and sets an interior offset of 1.
    TBarStyle BarStyle() const { return barStyle_; }
    virtual void SetBarStyle(TBarStyle value);
    int BevelWidth() const { return bevelWidth_; }
    virtual void SetBevelWidth(int value);
    TColor BorderColor() const { return borderColor_; }
    virtual void SetBorderColor(TColor value);
    TFrameStyle BorderInner() const { return borderInner_; }
    virtual void SetBorderInner(TFrameStyle value);
    TFrameStyle BorderOuter() const { return borderOuter_; }
    virtual void SetBorderOuter(TFrameStyle value);
    int BorderWidth() const { return borderWidth_; }
    virtual void SetBorderWidth(int value);
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int value);
    int InteriorOffset() const { return interiorOffset_; }
    virtual void SetInteriorOffset(int value);
    // Kept within 1..100 (the LED drawing divides by it).
    int NumSegments() const { return numSegments_; }
    virtual void SetNumSegments(int value);
    // Follows the shape: lying when the height is at most the width.
    TOrientation Orientation() const { return orientation_; }
    virtual void SetOrientation(TOrientation value);
    std::uint32_t PartsComplete() const { return partsComplete_; }
    virtual void SetPartsComplete(std::uint32_t value);
    // A value above 100 is kept as it is; the bar then draws full.
    std::uint16_t Percent() const { return percent_; }
    virtual void SetPercent(std::uint16_t value);
    bool ShowPercent() const { return showPercent_; }
    virtual void SetShowPercent(bool value);
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value);
    std::uint32_t TotalParts() const { return totalParts_; }
    virtual void SetTotalParts(std::uint32_t value);
    // Moves and sizes the bar; it lies when its height is at most its width.
    void SetBounds(int left, int top, int width, int height);
    // While set, parts and totals are only stored (as a window reading its
    // settings does).
    void SetLoading(bool loading) { loading_ = loading; }

    // Raised with the new percentage whenever Percent is set.
    std::function<void(TFcCustomProgressBar*, int)> OnChange;

    TFcStatusBar* StatusBar() const;
    bool UseThemes() const;

protected:
    void Paint(TFcCanvas& canvas) override;
    void EraseBackground(TFcCanvas& canvas) override;
    virtual void PercentChanged();
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool InGripStrip(const QPoint& p) const;
    void PaintThemedFrame(TFcCanvas& canvas, TRect& r);

    TColor backColor_ = clWhite;
    TColor barColor_ = clHighlight;
    TBarStyle barStyle_ = bsTraditional;
    int bevelWidth_ = 1;
    TColor borderColor_ = clBtnFace;
    TFrameStyle borderInner_ = fsNone;
    TFrameStyle borderOuter_ = fsLowered;
    int borderWidth_ = 0;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    int interiorOffset_ = 0;
    int numSegments_ = 20;
    TOrientation orientation_ = orHorizontal;
    std::uint32_t partsComplete_ = 0;
    std::uint16_t percent_ = 0;
    bool showPercent_ = true;
    bool themeAware_ = true;
    std::uint32_t totalParts_ = 0;
    bool loading_ = false;
};

class TFcProgressBar : public TFcCustomProgressBar {
    Q_OBJECT
public:
    explicit TFcProgressBar(QWidget* parent = nullptr) : TFcCustomProgressBar(parent) {}
    void IncPartsByOne() { IncParts(1); }
    void IncParts(std::uint32_t n) { SetPartsComplete(PartsComplete() + n); }
};

}  // namespace tw::controls
