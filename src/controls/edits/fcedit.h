#pragma once
// TFcCustomEdit: the single-line framed edit every framed edit of the library
// derives from (numeric, masked, date-time and data-aware edits build on it),
// and TFcEdit, the plain one the program's windows use.
//
// Besides the framing (fcframing.h: frame, hot tracking, focus and disabled
// colours, the frame controller) it adds Enter-as-Tab, the validation-error
// hook and an optional drop-down button inside the right edge (the left one
// for right-to-left text) that descendants use to drop something down:
//
//   class DateEdit : public TFcCustomEdit {
//   protected:
//       void DropDown() override { TFcCustomEdit::DropDown(); showCalendar(); }
//   };
//   edit->SetDropButtonVisible(true);   // a click or Alt+Down runs DoDropDown
//
// DoDropDown keeps a fixed order: the dropping flag, the button down,
// DropDown (OnDropDown), CloseUp (OnCloseUp), the button up. The flag clears
// even when a drop-down throws; the button then comes up at the next release
// or focus loss (MouseCancel).

#include "controls/buttons/fcbuttonkinds.h"
#include "controls/buttons/fccontrolbutton.h"
#include "controls/edits/fcframing.h"
#include "controls/foundation/fcreginifile.h"

#include <QLineEdit>

#include <functional>

namespace tw::controls {

class TFcCustomEdit;

// What ValidateError raises: the message the validation hook supplied.
class EFcEditError : public EFcError {
public:
    using EFcError::EFcError;
};

// The drop-down button of a framed edit: a control button that paints in the
// edit's looks and hands its presses to the edit.
class TFcEditButton : public TFcControlButton {
    Q_OBJECT
public:
    explicit TFcEditButton(TFcCustomEdit* edit);

protected:
    void DrawDropDownButton(TFcCanvas& canvas, const TRect& r) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TFcCustomEdit* edit_;
};

class TFcCustomEdit : public QLineEdit, public TFcFramed {
    Q_OBJECT
    Q_PROPERTY(uint Color READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(uint DisabledColor READ DisabledColorValue WRITE SetDisabledColorValue)
    Q_PROPERTY(uint FocusColor READ FocusColorValue WRITE SetFocusColorValue)
    Q_PROPERTY(uint FrameColor READ FrameColorValue WRITE SetFrameColorValue)
    Q_PROPERTY(uint FrameHotColor READ FrameHotColorValue WRITE SetFrameHotColorValue)
    Q_PROPERTY(bool FrameHotTrack READ FrameHotTrack WRITE SetFrameHotTrack)
    Q_PROPERTY(int FrameHotStyle READ FrameHotStyleValue WRITE SetFrameHotStyleValue)
    Q_PROPERTY(tw::controls::framing::Sides FrameSides READ FrameSidesValue WRITE SetFrameSidesValue)
    Q_PROPERTY(int FrameStyle READ FrameStyleValue WRITE SetFrameStyleValue)
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE SetFrameVisible)
    Q_PROPERTY(int FramingPreference READ FramingPreferenceValue WRITE SetFramingPreferenceValue)
    Q_PROPERTY(bool TabOnEnter READ TabOnEnter WRITE SetTabOnEnter)
public:
    explicit TFcCustomEdit(QWidget* parent = nullptr);
    ~TFcCustomEdit() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

    bool DropButtonVisible() const { return dropButtonVisible_; }
    void SetDropButtonVisible(bool value);
    bool FlatButtons() const { return flatButtons_; }
    void SetFlatButtons(bool value);
    TColor FlatButtonColor() const { return flatButtonColor_; }
    void SetFlatButtonColor(TColor value) { flatButtonColor_ = value; }
    // The button (nullptr while DropButtonVisible is off).
    TFcEditButton* DropButton() const { return button_; }
    TButtonState ButtonState() const { return buttonState_; }
    bool DroppingDown() const { return droppingDown_; }

    void DoDropDown();
    void MouseCancel();
    void RepaintButton();
    // The control's own end of building a window.
    void Loaded() { Framing().Loaded(); }

    // Called with an empty message; a message it leaves makes the edit beep
    // and raise EFcEditError with it.
    std::function<void(TFcCustomEdit*, QString& errorMessage)> OnValidateError;
    std::function<void(TFcCustomEdit*)> OnDropDown;
    std::function<void(TFcCustomEdit*)> OnCloseUp;

protected:
    friend class TFcEditButton;

    virtual void ValidateError();
    virtual void DropDown();
    virtual void CloseUp();
    void SetButtonState(TButtonState value);
    // The width the button takes from the text: the style's scroll-bar
    // extent, one pixel less under a visual style.
    int ButtonWidth() const;

    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // For the descendants that publish the button's looks.
    uint FlatButtonColorValue() const { return flatButtonColor_; }
    void SetFlatButtonColorValue(uint value) { SetFlatButtonColor(value); }

private:
    void LayoutFrame();
    void ButtonPressed(Qt::MouseButton button);

    TAlignment alignment_ = taLeftJustify;
    bool tabOnEnter_ = false;
    bool dropButtonVisible_ = false;
    bool flatButtons_ = false;
    TColor flatButtonColor_ = clBtnFace;
    bool droppingDown_ = false;
    TButtonState buttonState_ = bsUp;
    TFcEditButton* button_ = nullptr;
};

// The plain framed edit; the program reads and writes its text through
// GetText / SetText.
class TFcEdit : public TFcCustomEdit {
    Q_OBJECT
public:
    explicit TFcEdit(QWidget* parent = nullptr) : TFcCustomEdit(parent) {}

    QString GetText() const { return text(); }
    void SetText(const QString& value) { setText(value); }
};

}  // namespace tw::controls
