#pragma once
// TFcLEDDisplay: the caption as a row of 5 by 7 dot-matrix characters, lit
// and unlit dots on a background, optionally scrolling across on a timer.
// The timer runs exactly while Scrolling is set and ScrollType is not stNone,
// so a stopped display neither moves nor reports a finished pass.
#include "controls/display/fcledfont.h"
#include "controls/panels/fcborder.h"
#include <QTimer>
#include <functional>
namespace tw::controls {
class TFcLEDDisplay : public TFcBorder {
    Q_OBJECT
public:
    explicit TFcLEDDisplay(QWidget* parent = nullptr);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value);
    TColor SegOnColor() const { return segOnColor_; }
    void SetSegOnColor(TColor value);
    TColor SegOffColor() const { return segOffColor_; }
    void SetSegOffColor(TColor value);
    TFcScrollType ScrollType() const { return scrollType_; }
    void SetScrollType(TFcScrollType value);
    bool Scrolling() const { return scrolling_; }
    void SetScrolling(bool value);
    int ScrollDelay() const { return scrollDelay_; }
    void SetScrollDelay(int ms);
    bool TimerRunning() const { return timer_.isActive(); }
    TFcLedDots Dots() const { return dots_; }
    int ScrollExtent() const { return extent_; }
    int ScrollPosition() const { return position_; }
    // One timer tick (the timer calls it; tests drive it directly).
    void Tick();
    std::function<void(TFcControl*)> OnScrollComplete;
protected:
    virtual void ScrollComplete();
    void Paint(TFcCanvas& canvas) override;
    void resizeEvent(QResizeEvent* event) override;
    void TextChanged() override;
    void Loaded() override;
private:
    void Recompute();
    void UpdateTimer();
    TColor backColor_ = clBlack;
    TColor segOnColor_ = 0x00FF00;
    TColor segOffColor_ = 0x003300;
    TFcScrollType scrollType_ = stRightToLeft;
    bool scrolling_ = false;
    int scrollDelay_ = 100;
    TFcLedDots dots_;
    int extent_ = 100;
    int position_ = 0;
    QTimer timer_;
};
// Draws one character cell at (x, y) of the canvas.
void DrawLedCell(TFcCanvas& canvas, int x, int y, const TFcLedDots& dots, unsigned char code, TColor on,
                 TColor off);
}  // namespace tw::controls
