#pragma once
// The glyph-drawn radio button and check box. The mark (13 by 13 unless a
// custom strip says otherwise) comes from the first source that applies: the
// user's glyph strip, the style's indicator when visual styles are on, the
// recoloured hot-track template when HotTrack is set, or the classic sunken
// mark. It is composited over the background with the caption beside it
// (3-D text styles) and a focus border round the caption.
//
// Setting Checked or State from code raises Click, as the user's click does;
// InitState sets a check box's state without one.

#include "controls/buttons/fccustombutton.h"
#include "controls/choices/fcglyphtemplates.h"
#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fcframecontroller.h"
#include "controls/foundation/fcreginifile.h"
#include "controls/foundation/fctypes.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace tw::controls {

class TFcCustomGlyphButton : public TFcCustomButton, public IFcCustomFramingNotification {
    Q_OBJECT
    // For .ui files (set as dynamic properties).
    Q_PROPERTY(bool checked READ Checked WRITE SetChecked)
public:
    explicit TFcCustomGlyphButton(QWidget* parent = nullptr);
    ~TFcCustomGlyphButton() override;

    // Caption right of the glyph (taRightJustify) or left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor value);
    const QImage& CustomGlyphs() const { return customGlyphs_; }
    void SetCustomGlyphs(const QImage& strip);
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    void SetUseCustomGlyphs(bool value);
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor value);
    TColor WinMaskColor() const { return winMaskColor_; }
    void SetWinMaskColor(TColor value);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    TFcFrameController* FrameController() const { return frameController_; }
    void SetFrameController(TFcFrameController* controller);
    void CustomFramingChanged() override;

    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool) {}

    int GlyphCount() const { return glyphCount_; }
    int GlyphWidth() const { return glyphWidth_; }
    int GlyphHeight() const { return glyphHeight_; }
    bool MouseOverMark() const { return MouseInControl(); }

    // The caption's side as drawn: mirrored for right-to-left controls.
    TAlignment GetControlsAlignment() const;
    // Where the glyph sits, the hot area of hot tracking.
    TRect GlyphRect() const;
    // c moved off the key colours this control's glyph still looks for.
    TColor CheckColor(TColor c) const;

    // The mark for the present state, before compositing.
    virtual QImage SelectGlyph() = 0;
    // A click by the mouse, Space or an accelerator.
    void ChangeState() override = 0;
    // Room for the glyph, the gap and the caption with its focus border, so
    // that a layout never cuts the caption.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // Raises OnClick, or triggers the action; not while the action itself
    // hands its checked state on (that would trigger it again).
    void Click() override;

    // A typed character; setting key to 0 swallows it.
    std::function<void(TFcControl* sender, int& key)> OnKeyPress;

protected:
    void Paint(TFcCanvas& canvas) override;
    void TextChanged() override;
    void FontChanged() override;
    // Painted at once, as the state changes.
    void UpdateDisplay() override { Repaint(); }
    TRect GetHotTrackRect() const override { return GlyphRect(); }
    // A checkable action also hands its checked state on.
    void ActionChange(QAction* action) override;
    // The cell index'th of the custom strip.
    QImage ExtractGlyph(int index) const;
    // The template recoloured for the present state.
    QImage HotTrackGlyph(TFcGlyphTemplate which, bool radio) const;
    TFcGlyphLook Look() const;
    void DrawGlyph(TFcCanvas& canvas);
    void SetGlyphCount(int count) { glyphCount_ = count; }

    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TAlignment alignment_ = taRightJustify;
    TColor frameColor_ = clBtnShadow;
    TColor disabledColor_ = clBtnFace;
    QImage customGlyphs_;
    bool useCustomGlyphs_ = false;
    TColor transparentColor_ = 0x008080;
    TColor winMaskColor_ = 0x00FF00;
    bool tabOnEnter_ = false;
    QPointer<TFcFrameController> frameController_;
    int glyphCount_ = 2;
    int glyphWidth_ = 13;
    int glyphHeight_ = 13;
    bool takingActionState_ = false;
};

class TFcRadioButton : public TFcCustomGlyphButton {
    Q_OBJECT
public:
    explicit TFcRadioButton(QWidget* parent = nullptr);

    bool Checked() const override { return checked_; }
    // Checking unchecks the other radio buttons of the parent and raises Click.
    void SetChecked(bool value) override;
    QImage SelectGlyph() override;
    void ChangeState() override;
    // The caption's accelerator focuses the button, which checks it.
    bool DialogChar(QChar character, Qt::KeyboardModifiers modifiers) override;

protected:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool checked_ = false;
    bool radioMouseDown_ = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TFcCustomCheckBox : public TFcCustomGlyphButton {
    Q_OBJECT
    Q_PROPERTY(bool allowGrayed READ AllowGrayed WRITE SetAllowGrayed)
public:
    explicit TFcCustomCheckBox(QWidget* parent = nullptr);

    TCheckBoxState State() const { return state_; }
    // Raises Click when the state changes.
    virtual void SetState(TCheckBoxState value);
    // The same without Click.
    void InitState(TCheckBoxState value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    bool Checked() const override { return state_ == cbChecked; }
    void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }
    QImage SelectGlyph() override;
    void ChangeState() override;
    // The caption's accelerator focuses the box and clicks it.
    bool DialogChar(QChar character, Qt::KeyboardModifiers modifiers) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    bool spaceDown_ = false;
};

class TFcCheckBox : public TFcCustomCheckBox {
    Q_OBJECT
public:
    explicit TFcCheckBox(QWidget* parent = nullptr) : TFcCustomCheckBox(parent) {}
};

// The classic sunken mark, for when neither visual styles nor hot tracking
// draw it: 13 by 13, transparentColor outside a radio button's circle.
QImage ClassicMark(bool radio, TCheckBoxState state, bool pressed, bool enabled, TColor transparentColor);

}  // namespace tw::controls
