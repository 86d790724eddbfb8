#pragma once
// TFcControlButton: the small button composite controls place inside
// themselves: a spin half (Style cbsUp, cbsDown, cbsLeft, cbsRight), the
// drop-down button of an edit (cbsDropDown) or a plain face with a glyph
// (cbsNone). It takes no focus; with Flat its face shows only while hot or
// pressed; with RepeatClicks a held button clicks after InitialDelay and then
// every Delay milliseconds, and once more on a release inside.
//
//   auto* up = new TFcControlButton(spinEdit);
//   up->SetStyle(cbsUp);
//   up->SetRepeatClicks(true);
//   up->OnClick = [&](TFcControl*) { stepUp(); };
//
// TimerFactory is the seam for tests (fcrepeattimer.h).

#include "controls/base/fccontrol.h"
#include "controls/buttons/fcrepeattimer.h"

#include <QImage>

#include <memory>

namespace tw::controls {

enum TFcControlButtonStyle { cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown };

class TFcControlButton : public TFcControl {
    Q_OBJECT
public:
    explicit TFcControlButton(QWidget* parent = nullptr);
    ~TFcControlButton() override;

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    bool RepeatClicks() const { return repeatClicks_; }
    void SetRepeatClicks(bool value) { repeatClicks_ = value; }
    int InitialDelay() const { return initialDelay_; }
    void SetInitialDelay(int value) { initialDelay_ = static_cast<quint16>(value); }
    int Delay() const { return delay_; }
    void SetDelay(int value) { delay_ = static_cast<quint16>(value); }
    TFcControlButtonStyle Style() const { return style_; }
    void SetStyle(TFcControlButtonStyle value);

    bool DownMark() const { return down_; }
    // Hot: held down, or the mouse over an enabled button.
    bool Hot() const { return down_ || (MouseInControl() && isEnabled()); }
    QSize GetImageSize() const;
    // The timer in use (nullptr before the first press with RepeatClicks).
    TFcRepeatTimer* RepeatTimer() const { return timer_.get(); }

    TFcRepeatTimerFactory TimerFactory;
    // Raised on every press, before the button's own handling.
    std::function<void(TFcControlButton*, Qt::MouseButton)> OnMouseDown;

protected:
    void Paint(TFcCanvas& canvas) override;
    virtual TRect DrawBtnFace(TFcCanvas& canvas, TRect r);
    virtual void DrawSpinButton(TFcCanvas& canvas, const TRect& r);
    virtual void DrawDropDownButton(TFcCanvas& canvas, const TRect& r);
    virtual void DrawGlyph(TFcCanvas& canvas, const TRect& r);
    void MouseEnter() override;
    void MouseLeave() override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Press(Qt::MouseButton button);
    void TimerTick();
    // The frame and fill of the classic look; the rectangle inside.
    TRect ClassicFace(TFcCanvas& canvas, TRect r, TColor fill);
    void DrawArrowButton(TFcCanvas& canvas, const TRect& r, bool dropDown);

    bool down_ = false;
    bool mouseDown_ = false;
    bool flat_ = false;
    QImage glyph_;
    int numGlyphs_ = 1;
    bool repeatClicks_ = false;
    std::unique_ptr<TFcRepeatTimer> timer_;
    quint16 initialDelay_ = 400;
    quint16 delay_ = 100;
    TFcControlButtonStyle style_ = cbsNone;
};

}  // namespace tw::controls
