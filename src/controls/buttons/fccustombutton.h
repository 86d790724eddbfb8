#pragma once
// TFcCustomButton: the base of the library's push buttons and of the
// glyph-drawn radio button and check box. It draws captions in the 3-D text
// styles, tracks the mouse (over, held down, dragged out and back) and leaves
// what a click does to ChangeState.
//
// The mouse: a left press on an enabled button takes the focus and, once the
// button has it, shows the pressed look; dragging out (the bottom pixel row
// still counts as inside) lifts the look and dragging back restores it; a
// release inside (right and bottom edges outside) runs ChangeState.

#include "controls/base/fccontrol.h"
#include "controls/foundation/fctypes.h"

namespace tw::controls {

class TFcCustomButton : public TFcControl {
    Q_OBJECT
public:
    explicit TFcCustomButton(QWidget* parent = nullptr);

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    void SetAlignmentVertical(TAlignmentVertical value);
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor value);
    TFcHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TFcHotTrackColorType value);
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor value);
    bool LightTextStyle() const { return lightTextStyle_; }
    void SetLightTextStyle(bool value);
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle value);
    TColor TextHighlightColor() const { return textHighlightColor_; }
    void SetTextHighlightColor(TColor value);
    TColor TextShadowColor() const { return textShadowColor_; }
    void SetTextShadowColor(TColor value);
    int TextShadowDepth() const { return textShadowDepth_; }
    void SetTextShadowDepth(int value);
    bool HotTrack() const { return hotTrack_; }
    virtual void SetHotTrack(bool value);

    // The pressed look is on (mouse held inside, or Space held).
    bool Pressed() const { return pressed_; }
    // The left button went down here and has not come up yet.
    bool MouseDownMark() const { return mouseDown_; }

    // Draws the caption in the 3-D text style into rect with the text flags.
    virtual void Draw3DText(TFcCanvas& canvas, TRect rect, unsigned flags);

protected:
    virtual void UpdateDisplay() {}
    virtual void RepaintDisplay() { Repaint(); }
    virtual TRect GetHotTrackRect() const { return {0, 0, width(), height()}; }
    virtual void ChangeState() = 0;

    // The classic mouse handlers, called from Qt's events.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    virtual void MouseMove(Qt::KeyboardModifiers modifiers, QPoint pos);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override { update(); }

    void SetPressedMark(bool value) { pressed_ = value; }
    void SetMouseDownMark(bool value) { mouseDown_ = value; }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    template <typename T>
    void Store(T& member, T value)
    {
        if (member == value)
            return;
        member = value;
        update();
    }

private:
    TAlignmentVertical alignmentVertical_ = avCenter;
    TColor hotTrackColor_ = clHighlight;
    TFcHotTrackColorType hotTrackColorType_ = htctComplement;
    TColor highlightColor_ = clHighlight;
    bool lightTextStyle_ = false;
    TTextStyle textStyle_ = tsNormal;
    TColor textHighlightColor_ = clBtnHighlight;
    TColor textShadowColor_ = clBtnShadow;
    int textShadowDepth_ = 2;
    bool hotTrack_ = false;
    bool mouseDown_ = false;
    bool pressed_ = false;
};

}  // namespace tw::controls
