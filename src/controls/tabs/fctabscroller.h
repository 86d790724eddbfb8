#pragma once
// The two small children a tab strip makes on demand inside its tab band:
// TFcTabScroller, a pair of arrow halves that scroll a row that does not fit,
// and TFcTabCloseButton, the close box of the selected tab. Both act on
// release only when the press is still over the part pressed, so a press
// dragged off does nothing.

#include "controls/base/fccontrol.h"
#include "controls/foundation/fctypes.h"

#include <functional>

namespace tw::controls {

class TFcCustomTabControl;

class TFcTabScroller : public TFcControl {
    Q_OBJECT
public:
    explicit TFcTabScroller(TFcCustomTabControl* owner);

    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor color);
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation orientation);

    // The half pressed (0 down/left, 1 up/right) and whether it is held.
    int PressedButton() const { return pressedButton_; }
    bool Pressed() const { return pressed_; }
    // The half's rectangle and whether its scrolling direction can go on.
    TRect HalfRect(int half) const;
    bool HalfEnabled(int half) const;
    // Runs a half's click, as a release over it does.
    void ClickHalf(int half);

    std::function<void(TFcTabScroller*)> OnUpRightClick;
    std::function<void(TFcTabScroller*)> OnDownLeftClick;

protected:
    virtual void DownLeftClick();
    virtual void UpRightClick();
    void Paint(TFcCanvas& canvas) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int HalfAt(QPoint p) const;

    TFcCustomTabControl* owner_;
    TColor frameColor_ = clBtnShadow;
    TOrientation orientation_ = orHorizontal;
    bool tracking_ = false;
    bool pressed_ = false;
    int pressedButton_ = 0;
};

class TFcTabCloseButton : public TFcControl {
    Q_OBJECT
public:
    explicit TFcTabCloseButton(TFcCustomTabControl* owner);

    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor color);
    bool Pressed() const { return pressed_; }

    std::function<void(TFcTabCloseButton*)> OnClose;

protected:
    virtual void DoClose();
    void Paint(TFcCanvas& canvas) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TFcCustomTabControl* owner_;
    TColor frameColor_ = clBtnShadow;
    bool tracking_ = false;
    bool pressed_ = false;
};

}  // namespace tw::controls
