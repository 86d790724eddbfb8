#include "controls/choices/fcglyphbutton.h"

#include "controls/choices/fcchoiceaccessible.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fctextmetrics.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/panels/fcframes.h"

#include <QAction>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tw::controls {

namespace {

constexpr TColor kGreenKey = 0x008000;

void ReplaceColor(QImage& image, TColor from, TColor to)
{
    const std::uint32_t f = ToRgb32(from) | 0xFF000000u;
    const std::uint32_t t = ToRgb32(to) | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xFF000000u) == f)
                line[x] = t;
        }
    }
}

// The classic marks: S shadow, D dark shadow, H highlight, L light, W the
// interior, X the dot or tick, o outside.
const char* const kClassicRadio[13] = {
    "oooooooooooo.", "ooooSSSSoooo.", "ooSSDDDDSSoo.", "oSDDWWWWDDHo.", "oSDWWWWWWLHo.",
    "SDWWWWWWWWLH.", "SDWWWWWWWWLH.", "SDWWWWWWWWLH.", "SDWWWWWWWWLH.", "oSDWWWWWWLHo.",
    "oSLLWWWWLLHo.", "ooHHLLLLHHoo.", "ooooHHHHoooo."};
const char* const kClassicTick[7] = {"......X", ".....XX", "X...XXX", "XX.XXX.", "XXXXX..", ".XXX...",
                                     "..X...."};

}  // namespace

QImage ClassicMark(bool radio, TCheckBoxState state, bool pressed, bool enabled, TColor transparentColor)
{
    const TColor interior = (pressed || !enabled || state == cbGrayed) ? clBtnFace : clWindow;
    const TColor mark = (!enabled || state == cbGrayed) ? clBtnShadow : clWindowText;
    QImage image = MakeBitmap(13, 13, radio ? transparentColor : clBtnFace);
    TFcCanvas canvas(image);
    if (radio) {
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 13; ++x) {
                switch (kClassicRadio[y][x]) {
                case 'S': canvas.SetPixel(x, y, clBtnShadow); break;
                case 'D': canvas.SetPixel(x, y, cl3DDkShadow); break;
                case 'H': canvas.SetPixel(x, y, clBtnHighlight); break;
                case 'L': canvas.SetPixel(x, y, cl3DLight); break;
                case 'W': canvas.SetPixel(x, y, interior); break;
                default: break;
                }
            }
        }
        if (state == cbChecked) {
            canvas.Brush.Color = mark;
            canvas.FillRect({5, 5, 7, 9});
            canvas.FillRect({4, 6, 8, 8});
        }
        return image;
    }
    TRect r = DrawBorderSides(canvas, {0, 0, 13, 13}, fsLowered, kAllSides);
    canvas.Brush.Color = interior;
    canvas.FillRect(r);
    if (state != cbUnchecked) {
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 7; ++x) {
                if (kClassicTick[y][x] == 'X')
                    canvas.SetPixel(3 + x, 3 + y, mark);
            }
        }
    }
    return image;
}

TFcCustomGlyphButton::TFcCustomGlyphButton(QWidget* parent) : TFcCustomButton(parent)
{
    RegisterChoiceAccessible();
    setFont(DefaultControlFont());
    SetAlignmentVertical(avTop);
    // In a layout a choice keeps the height of its caption.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

TFcCustomGlyphButton::~TFcCustomGlyphButton()
{
    if (frameController_)
        frameController_->RemoveControl(this);
}

void TFcCustomGlyphButton::SetAlignment(TAlignment value)
{
    Store(alignment_, value);
}
void TFcCustomGlyphButton::SetFrameColor(TColor value)
{
    Store(frameColor_, value);
}
void TFcCustomGlyphButton::SetDisabledColor(TColor value)
{
    Store(disabledColor_, value);
}
void TFcCustomGlyphButton::SetTransparentColor(TColor value)
{
    Store(transparentColor_, value);
}
void TFcCustomGlyphButton::SetWinMaskColor(TColor value)
{
    Store(winMaskColor_, value);
}

void TFcCustomGlyphButton::SetCustomGlyphs(const QImage& strip)
{
    customGlyphs_ = strip.isNull() ? QImage() : strip.convertToFormat(QImage::Format_RGB32);
    SetUseCustomGlyphs(!customGlyphs_.isNull());
}

void TFcCustomGlyphButton::SetUseCustomGlyphs(bool value)
{
    useCustomGlyphs_ = value && !customGlyphs_.isNull();
    if (useCustomGlyphs_) {
        glyphWidth_ = customGlyphs_.width() / glyphCount_;
        glyphHeight_ = customGlyphs_.height();
    } else {
        glyphWidth_ = glyphHeight_ = 13;
    }
    update();
}

void TFcCustomGlyphButton::SetFrameController(TFcFrameController* controller)
{
    SwitchFrameController(frameController_, controller, this);
}

void TFcCustomGlyphButton::ActionChange(QAction* action)
{
    TFcCustomButton::ActionChange(action);
    if (!action->isCheckable())
        return;
    takingActionState_ = true;
    SetChecked(action->isChecked());
    takingActionState_ = false;
}

void TFcCustomGlyphButton::Click()
{
    if (!takingActionState_)
        TFcCustomButton::Click();
}

void TFcCustomGlyphButton::CustomFramingChanged()
{
    if (!frameController_ || !frameController_->FrameVisible())
        return;
    frameColor_ = frameController_->FrameColor();
    disabledColor_ = frameController_->DisabledColor();
    update();
}

TAlignment TFcCustomGlyphButton::GetControlsAlignment() const
{
    if (layoutDirection() != Qt::RightToLeft)
        return taRightJustify;
    return alignment_ == taRightJustify ? taLeftJustify : taRightJustify;
}

TRect TFcCustomGlyphButton::GlyphRect() const
{
    const int x = alignment_ == taRightJustify ? 0 : width() - glyphWidth_;
    int y = 2;
    if (AlignmentVertical() == avCenter)
        y = (height() - glyphHeight_) / 2;
    else if (AlignmentVertical() == avBottom)
        y = height() - glyphHeight_ - 2;
    return {x, y, x + glyphWidth_, y + glyphHeight_};
}

TColor TFcCustomGlyphButton::CheckColor(TColor c) const
{
    return tw::controls::CheckColor(c, transparentColor_, winMaskColor_);
}

TFcGlyphLook TFcCustomGlyphButton::Look() const
{
    TFcGlyphLook look;
    look.FrameColor = frameColor_;
    look.HighlightColor = HighlightColor();
    look.DisabledColor = disabledColor_;
    look.HotTrackColor = HotTrackColor();
    look.HotTrackColorType = HotTrackColorType();
    look.TransparentColor = transparentColor_;
    look.WinMaskColor = winMaskColor_;
    look.Enabled = isEnabled();
    look.Pressed = Pressed();
    look.MouseOver = MouseInControl();
    look.FullColor = FullColorSupport();
    return look;
}

QImage TFcCustomGlyphButton::ExtractGlyph(int index) const
{
    return customGlyphs_.copy(index * glyphWidth_, 0, glyphWidth_, glyphHeight_);
}

QImage TFcCustomGlyphButton::HotTrackGlyph(TFcGlyphTemplate which, bool radio) const
{
    const TFcGlyphLook look = Look();
    return MapKeyColors(GlyphTemplateImage(which), radio ? RadioKeyColors(look) : CheckKeyColors(look));
}

void TFcCustomGlyphButton::DrawGlyph(TFcCanvas& canvas)
{
    const QImage g = SelectGlyph();
    const TRect gr = GlyphRect();
    QImage t3;
    if (Transparent()) {
        const TColor key = ThemeServices()->GetThemesEnabled() ? clBtnFace : transparentColor_;
        t3 = canvas.Image().copy(gr.Left, gr.Top, glyphWidth_, glyphHeight_).convertToFormat(QImage::Format_RGB32);
        const std::uint32_t k = ToRgb32(key) | 0xFF000000u;
        for (int y = 0; y < std::min(g.height(), t3.height()); ++y) {
            const auto* src = reinterpret_cast<const std::uint32_t*>(g.constScanLine(y));
            auto* dst = reinterpret_cast<std::uint32_t*>(t3.scanLine(y));
            for (int x = 0; x < std::min(g.width(), t3.width()); ++x) {
                if ((src[x] | 0xFF000000u) != k)
                    dst[x] = src[x];
            }
        }
    } else {
        t3 = g.convertToFormat(QImage::Format_RGB32);
        ReplaceColor(t3, transparentColor_, Color());
    }
    ReplaceColor(t3, winMaskColor_, clWindow);
    const TColor p = canvas.Pixel(0, 0);
    ReplaceColor(t3, kGreenKey, BlendColors(frameColor_, p == clNone ? Color() : p, 128));
    canvas.Draw(gr.Left, gr.Top, t3);
}

void TFcCustomGlyphButton::Paint(TFcCanvas& canvas)
{
    // The background (the colour, or the parent's image) is already there.
    canvas.Font = font();
    DrawGlyph(canvas);
    TRect r = TRect{0, 0, width(), height()}.Inflated(-1, -1);
    if (alignment_ == taRightJustify)
        r.Left += glyphWidth_ + 4;
    else
        r.Right -= glyphWidth_ + 4;
    Draw3DText(canvas, r, DT_EXPANDTABS | DT_WORDBREAK);
    r = r.Inflated(1, 1);
    if (hasFocus() && !Caption().isEmpty()) {
        const int w = std::min(canvas.TextWidth(StripAccelerator(Caption()).trimmed()) + 3, r.Width());
        if (layoutDirection() == Qt::RightToLeft)
            r.Left = r.Right - w;
        else
            r.Right = r.Left + w;
        DrawFocusBorder(canvas, r);
    }
}

QSize TFcCustomGlyphButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QString text = StripAccelerator(Caption());
    int textWidth = 0;
    int lines = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line.trimmed()));
        ++lines;
    }
    // Paint's insets: one pixel round, the glyph and its gap of four, three
    // for the focus border beyond the text.
    const int w = 1 + glyphWidth_ + 4 + textWidth + 3 + 1;
    const int h = std::max(glyphHeight_ + 4, lines * metrics.height() + 4);
    return {w, h};
}

void TFcCustomGlyphButton::TextChanged()
{
    updateGeometry();
    TFcCustomButton::TextChanged();
}

void TFcCustomGlyphButton::FontChanged()
{
    updateGeometry();
    TFcCustomButton::FontChanged();
}

void TFcCustomGlyphButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (tabOnEnter_ && enter) {
        event->accept();
        focusNextChild();
        return;
    }
    if (OnKeyPress && !event->text().isEmpty()) {
        int key = event->text().at(0).unicode();
        OnKeyPress(this, key);
        if (key == 0) {
            event->accept();
            return;
        }
    }
    TFcCustomButton::keyPressEvent(event);
}

void TFcCustomGlyphButton::focusOutEvent(QFocusEvent* event)
{
    SetPressedMark(false);
    TFcCustomButton::focusOutEvent(event);
}

void TFcCustomGlyphButton::changeEvent(QEvent* event)
{
    TFcCustomButton::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange)
        update();
}

// ---- radio button ----

TFcRadioButton::TFcRadioButton(QWidget* parent) : TFcCustomGlyphButton(parent)
{
    SetGlyphCount(6);
    // Only the checked button of a set is a tab stop.
    setFocusPolicy(Qt::ClickFocus);
}

void TFcRadioButton::SetChecked(bool value)
{
    if (checked_ == value)
        return;
    checked_ = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
    UpdateDisplay();
    if (!value)
        return;
    if (QWidget* parent = parentWidget()) {
        for (auto* sibling : parent->findChildren<TFcRadioButton*>(Qt::FindDirectChildrenOnly)) {
            if (sibling != this)
                sibling->SetChecked(false);
        }
    }
    Click();
}

void TFcRadioButton::ChangeState()
{
    if (!checked_)
        SetChecked(true);
}

QImage TFcRadioButton::SelectGlyph()
{
    const bool enabled = isEnabled();
    if (UseCustomGlyphs()) {
        const int cell = !enabled ? (checked_ ? 5 : 4) : (checked_ ? 1 : 0) + (Pressed() ? 2 : 0);
        return ExtractGlyph(cell);
    }
    if (ThemeServices()->GetThemesEnabled()) {
        TThemedButton element = checked_ ? tbRadioButtonCheckedNormal : tbRadioButtonUncheckedNormal;
        if (!enabled)
            element = checked_ ? tbRadioButtonCheckedDisabled : tbRadioButtonUncheckedDisabled;
        else if (Pressed())
            element = checked_ ? tbRadioButtonCheckedPressed : tbRadioButtonUncheckedPressed;
        else if (MouseOverMark())
            element = checked_ ? tbRadioButtonCheckedHot : tbRadioButtonUncheckedHot;
        QImage dest = MakeBitmap(GlyphWidth(), GlyphHeight(), Color());
        TFcCanvas canvas(dest);
        ThemeServices()->DrawElement(canvas, GetElementDetails(element), {0, 0, GlyphWidth(), GlyphHeight()});
        return dest;
    }
    if (HotTrack())
        return HotTrackGlyph(checked_ ? gtRadioChecked : gtRadioUnchecked, true);
    return ClassicMark(true, checked_ ? cbChecked : cbUnchecked, Pressed(), enabled, TransparentColor());
}

bool TFcRadioButton::DialogChar(QChar character, Qt::KeyboardModifiers)
{
    if (!IsAccel(character, Caption()) || !CanFocus())
        return false;
    setFocus(Qt::ShortcutFocusReason);
    return true;
}

void TFcRadioButton::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    radioMouseDown_ = true;
    TFcCustomGlyphButton::MouseDown(button, modifiers, pos);
}

void TFcRadioButton::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    TFcCustomGlyphButton::MouseUp(button, modifiers, pos);
    radioMouseDown_ = false;
}

void TFcRadioButton::focusInEvent(QFocusEvent* event)
{
    TFcCustomGlyphButton::focusInEvent(event);
    // Focus that the keyboard brought checks the button; a mouse press leaves
    // that to its click (Qt gives the focus before the press arrives).
    if (!radioMouseDown_ && event->reason() != Qt::MouseFocusReason)
        SetChecked(true);
}

void TFcRadioButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier) {
        event->accept();
        Click();
        return;
    }
    TFcCustomGlyphButton::keyPressEvent(event);
}

// ---- check box ----

TFcCustomCheckBox::TFcCustomCheckBox(QWidget* parent) : TFcCustomGlyphButton(parent)
{
    SetGlyphCount(9);
}

void TFcCustomCheckBox::SetState(TCheckBoxState value)
{
    if (state_ == value)
        return;
    state_ = value;
    UpdateDisplay();
    Click();
}

void TFcCustomCheckBox::InitState(TCheckBoxState value)
{
    if (state_ == value)
        return;
    state_ = value;
    UpdateDisplay();
}

void TFcCustomCheckBox::ChangeState()
{
    switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

QImage TFcCustomCheckBox::SelectGlyph()
{
    const bool enabled = isEnabled();
    if (UseCustomGlyphs()) {
        const int cell = static_cast<int>(state_) + (!enabled ? 6 : Pressed() ? 3 : 0);
        return ExtractGlyph(cell);
    }
    if (ThemeServices()->GetThemesEnabled()) {
        // Rows: normal, hot, pressed, disabled; columns by state.
        static constexpr TThemedButton kElements[4][3] = {
            {tbCheckBoxUncheckedNormal, tbCheckBoxCheckedNormal, tbCheckBoxMixedNormal},
            {tbCheckBoxUncheckedHot, tbCheckBoxCheckedHot, tbCheckBoxMixedHot},
            {tbCheckBoxUncheckedPressed, tbCheckBoxCheckedPressed, tbCheckBoxMixedPressed},
            {tbCheckBoxUncheckedDisabled, tbCheckBoxCheckedDisabled, tbCheckBoxMixedDisabled}};
        const int row = !enabled ? 3 : Pressed() ? 2 : MouseOverMark() ? 1 : 0;
        const TThemedElementDetails details = GetElementDetails(kElements[row][state_]);
        QImage dest = MakeBitmap(GlyphWidth(), GlyphHeight(), Color());
        TFcCanvas canvas(dest);
        ThemeServices()->DrawParentBackground(this, canvas, &details, true);
        ThemeServices()->DrawElement(canvas, details, {0, 0, GlyphWidth(), GlyphHeight()});
        return dest;
    }
    if (HotTrack()) {
        const TFcGlyphTemplate which = state_ == cbChecked ? gtCheckChecked
                                       : state_ == cbGrayed ? gtCheckGrayed
                                                            : gtCheckUnchecked;
        return HotTrackGlyph(which, false);
    }
    return ClassicMark(false, state_, Pressed(), enabled, TransparentColor());
}

bool TFcCustomCheckBox::DialogChar(QChar character, Qt::KeyboardModifiers)
{
    if (!IsAccel(character, Caption()) || !CanFocus())
        return false;
    setFocus(Qt::ShortcutFocusReason);
    if (hasFocus()) {
        ChangeState();
        UpdateDisplay();
    }
    return true;
}

void TFcCustomCheckBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && !(event->modifiers() & Qt::AltModifier)) {
        spaceDown_ = true;
        SetPressedMark(true);
        UpdateDisplay();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && spaceDown_) {
        spaceDown_ = false;
        SetPressedMark(false);
        UpdateDisplay();
        event->accept();
        return;
    }
    TFcCustomGlyphButton::keyPressEvent(event);
}

void TFcCustomCheckBox::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        SetPressedMark(false);
        if (spaceDown_) {
            spaceDown_ = false;
            ChangeState();
        }
        UpdateDisplay();
        event->accept();
        return;
    }
    TFcCustomGlyphButton::keyReleaseEvent(event);
}

}  // namespace tw::controls
