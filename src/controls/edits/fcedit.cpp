#include "controls/edits/fcedit.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcthemesrv.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

namespace tw::controls {

TFcEditButton::TFcEditButton(TFcCustomEdit* edit) : TFcControlButton(edit), edit_(edit)
{
    SetStyle(cbsDropDown);
    setCursor(Qt::ArrowCursor);
    setAccessibleName(QStringLiteral("Open"));
    // The accessible press, as a click on the button does.
    OnClick = [this](TFcControl*) { edit_->ButtonPressed(Qt::LeftButton); };
}

void TFcEditButton::DrawDropDownButton(TFcCanvas& canvas, const TRect& r)
{
    const TFcFraming& framing = edit_->Framing();
    const bool hot = framing.Focused() || framing.MouseOver();
    const bool down = edit_->ButtonState() == bsDown;
    const bool enabled = edit_->isEnabled();
    const auto fill = [&](const TRect& area, TColor colour) {
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.Brush.Color = colour;
        canvas.FillRect(area);
    };
    if (ThemeServices()->GetThemesEnabled()) {
        if (edit_->FlatButtons() && !hot) {
            fill(r, framing.Color());
            DrawDropDownArrow(canvas, r, uiWindowsXP, /*down=*/false, /*enabled=*/enabled);
            return;
        }
        TThemedComboBox state = tcDropDownButtonNormal;
        if (!enabled)
            state = tcDropDownButtonDisabled;
        else if (down)
            state = tcDropDownButtonPressed;
        else if (hot)
            state = tcDropDownButtonHot;
        ThemeServices()->DrawElement(canvas, GetElementDetails(state), r);
        return;
    }
    if (edit_->FlatButtons() && !hot) {
        fill(r, edit_->hasFocus() ? framing.FocusColor() : framing.NormalColor());
        DrawDropDownArrow(canvas, r, uiWindows95, /*down=*/false, /*enabled=*/enabled);
        return;
    }
    if (edit_->FlatButtons()) {
        const TColor face = edit_->FlatButtonColor();
        TRect inner;
        if (face == clBtnFace) {
            inner = down ? DrawBevel(canvas, r, clBtnShadow, clBtnHighlight, 1, kAllSides)
                         : DrawBevel(canvas, r, clBtnHighlight, clBtnShadow, 1, kAllSides);
        } else {
            inner = DrawColorBorder(canvas, r, face, down ? fsStatus : fsPopup);
        }
        fill(inner, face);
        DrawDropDownArrow(canvas, inner, uiWindows95, /*down=*/down, /*enabled=*/enabled);
        return;
    }
    // The classic combo-box button: raised, or flat and pushed while down.
    const TRect inner = down ? DrawBevel(canvas, r, clBtnShadow, clBtnShadow, 1, kAllSides)
                             : DrawBorder(canvas, r, fsButtonUp);
    fill(inner, clBtnFace);
    DrawDropDownArrow(canvas, inner, uiWindows95, /*down=*/down, /*enabled=*/enabled);
}

void TFcEditButton::mousePressEvent(QMouseEvent* event)
{
    // A right press on the button does nothing; the edit's menu stays away.
    event->accept();
    if (event->button() == Qt::LeftButton)
        edit_->ButtonPressed(Qt::LeftButton);
}

void TFcEditButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void TFcEditButton::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

void TFcEditButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    edit_->MouseCancel();
}

TFcCustomEdit::TFcCustomEdit(QWidget* parent) : QLineEdit(parent), TFcFramed(this)
{
    TFcFraming& framing = Framing();
    framing.ApplyFrameMode = [this](bool) { LayoutFrame(); };
    framing.Resized = [this] { LayoutFrame(); };
    framing.EnabledChanged = [this] { RepaintButton(); };
    framing.FrameUpdated = [this] {
        TFcFraming& f = Framing();
        if (dropButtonVisible_) {
            if ((flatButtons_ || f.FrameHotTrack() || ThemeServices()->GetThemesEnabled()) && buttonState_ != bsDown) {
                RepaintButton();
                if (f.FrameHotTrack())
                    f.RepaintFrame();
            }
        } else if (f.FrameHotTrack()) {
            f.RepaintFrame();
        }
    };
    framing.ApplyFraming();
}

TFcCustomEdit::~TFcCustomEdit() = default;

int TFcCustomEdit::ButtonWidth() const
{
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return ThemeServices()->GetThemesEnabled() ? extent - 1 : extent;
}

void TFcCustomEdit::LayoutFrame()
{
    const bool custom = Framing().CustomFrame();
    setFrame(!custom);
    const int inset = custom ? 2 : 0;
    QMargins margins(inset, inset, inset, inset);
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    if (dropButtonVisible_) {
        const int w = ButtonWidth();
        if (rightToLeft)
            margins.setLeft(margins.left() + w);
        else
            margins.setRight(margins.right() + w);
        // The button sits inside the border: two pixels, one under a style.
        const int border = ThemeServices()->GetThemesEnabled() ? 1 : 2;
        const int h = std::max(0, height() - 2 * border);
        button_->setGeometry(rightToLeft ? border : width() - border - w, border, w, h);
    }
    setTextMargins(margins);
}

void TFcCustomEdit::SetAlignment(TAlignment value)
{
    if (value == taCenter || value == alignment_)
        return;
    alignment_ = value;
    setAlignment((value == taRightJustify ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void TFcCustomEdit::SetDropButtonVisible(bool value)
{
    if (value == dropButtonVisible_)
        return;
    dropButtonVisible_ = value;
    if (value) {
        button_ = new TFcEditButton(this);
        button_->show();
    } else {
        delete button_;
        button_ = nullptr;
        buttonState_ = bsUp;
    }
    LayoutFrame();
    Framing().RepaintFrame();
}

void TFcCustomEdit::SetFlatButtons(bool value)
{
    if (value == flatButtons_)
        return;
    flatButtons_ = value;
    RepaintButton();
}

void TFcCustomEdit::RepaintButton()
{
    if (button_)
        button_->update();
}

void TFcCustomEdit::SetButtonState(TButtonState value)
{
    if (!dropButtonVisible_ || value == buttonState_)
        return;
    buttonState_ = value;
    RepaintButton();
}

void TFcCustomEdit::ButtonPressed(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    DoDropDown();
}

void TFcCustomEdit::DoDropDown()
{
    if (!dropButtonVisible_)
        return;
    droppingDown_ = true;
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{droppingDown_};
    SetButtonState(bsDown);
    DropDown();
    CloseUp();
    SetButtonState(bsUp);
}

void TFcCustomEdit::MouseCancel()
{
    if (!droppingDown_)
        SetButtonState(bsUp);
    if (button_ && QWidget::mouseGrabber() == button_)
        button_->releaseMouse();
}

void TFcCustomEdit::DropDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

void TFcCustomEdit::CloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
}

void TFcCustomEdit::ValidateError()
{
    QString message;
    if (OnValidateError)
        OnValidateError(this, message);
    if (message.isEmpty())
        message = QStringLiteral("Invalid input value");
    QApplication::beep();
    throw EFcEditError(message.toStdString());
}

void TFcCustomEdit::keyPressEvent(QKeyEvent* event)
{
    if (tabOnEnter_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // As Tab: the key itself goes nowhere.
        event->accept();
        QWidget::focusNextPrevChild(true);
        return;
    }
    QLineEdit::keyPressEvent(event);
    if (dropButtonVisible_ && event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier) {
        DoDropDown();
        event->accept();
    }
}

void TFcCustomEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    MouseCancel();
}

}  // namespace tw::controls
