#pragma once
// TFcButton: the push button of the library, in three looks (classic frame,
// flat hot-track, visual style), with the default and cancel keys, a modal
// result for its dialog and latching groups.
//
//   auto* ok = new TFcButton(dialog);
//   ok->SetCaption("OK");
//   ok->SetDefault(true);            // answers Enter (TFcFormKeys on the dialog)
//   ok->SetModalResult(mrOk);        // ends the dialog with accept()
//
// Grouped buttons (same non-zero GroupIndex, same parent) latch: a click
// toggles Down, one down button releases the other; only with AllowAllUp
// can the down one come up. Setting Down from code raises no click.
//
// The default mark follows the focus: a push button that takes the focus
// answers Enter, and when the focus goes to another kind of control the
// buttons whose Default is set answer it again.

#include "controls/buttons/fcbuttonkinds.h"
#include "controls/buttons/fccustombutton.h"

namespace tw::controls {

class TFcButton : public TFcCustomButton {
    Q_OBJECT
public:
    explicit TFcButton(QWidget* parent = nullptr);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool ShowDownPattern() const { return showDownPattern_; }
    void SetShowDownPattern(bool value);
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool value);
    void SetHotTrack(bool value) override;

    // The button acts as its window's default button now.
    bool Active() const { return active_; }
    TButtonState State() const { return state_; }
    // A click raised by Enter or Escape is running.
    bool KeyClick() const { return keyClick_; }
    // A click raised by the mouse or Space is running.
    bool ClickInProgress() const { return clickInProgress_; }

    // Gives the window the modal result, runs OnClick (or the action) and
    // clicked(), then ends a dialog when a result is still pending.
    void Click() override;

    bool DialogKey(int key, Qt::KeyboardModifiers modifiers) override;
    bool DialogChar(QChar character, Qt::KeyboardModifiers modifiers) override;
    void FocusChanged(QWidget* focused) override;
    void GroupNotice(int group, TFcControl* sender) override;

    // The pressed look: latched down, or the pressed mark.
    bool PressedLook() const { return (groupIndex_ != 0 && down_) || Pressed(); }

protected:
    void Paint(TFcCanvas& canvas) override;
    void UpdateDisplay() override { update(); }
    void ChangeState() override;
    virtual TRect GetCaptionRect() const;
    virtual void DrawButtonFace(TFcCanvas& canvas);
    // Fills the 8 by 8 down pattern of a latched button into the brush.
    void CreateBrushPattern(TFcBrush& brush) const;

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void PaintStyled(TFcCanvas& canvas, const TRect& r, bool focusedOrDefault);
    TRect PaintHotTrack(TFcCanvas& canvas, TRect r, bool focusedOrDefault);
    TRect PaintClassic(TFcCanvas& canvas, TRect r, bool focusedOrDefault);

    TAlignment alignment_ = taCenter;
    bool clickInProgress_ = false;
    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    int modalResult_ = 0;
    bool spacePressed_ = false;
    bool allowAllUp_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool showDownPattern_ = true;
    bool showFocusRect_ = true;
    TButtonState state_ = bsUp;
    bool keyClick_ = false;
};

}  // namespace tw::controls
