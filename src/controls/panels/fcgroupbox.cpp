#include "controls/panels/fcgroupbox.h"

#include "controls/base/fcaccessible.h"

#include <QFontMetrics>

#include "controls/foundation/fccommon.h"
#include "controls/panels/fcpanelaccessible.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fctextmetrics.h"
#include "controls/foundation/fcthemesrv.h"


namespace tw::controls {

TFcCustomGroupBox::TFcCustomGroupBox(QWidget* parent) : TFcCustomPanel(parent)
{
    RegisterGroupBoxAccessible();
    SetBorderOuter(fsNone);
    SetBorderInner(fsNone);
    SetAlignment(taLeftJustify);
    SetAlignmentVertical(avTop);
    resize(width(), 105);
}

TFcCustomGroupBox::~TFcCustomGroupBox() = default;

void TFcCustomGroupBox::SetGroupBoxStyle(TFcGroupBoxStyle style)
{
    if (groupStyle_ == style)
        return;
    groupStyle_ = style;
    if (style != gsStandard && style != gsFlat)
        SetThemeAware(false);
    update();
}

TRect TFcCustomGroupBox::ClientAreaForChildren() const
{
    const int th = TextMeasure().TextHeight(font());
    return GroupBoxClientRect(TFcCustomPanel::ClientAreaForChildren(), groupStyle_, th, BorderWidth());
}

TRect TFcCustomGroupBox::CaptionRect(TFcCanvas& canvas) const
{
    if (Caption().isEmpty() || groupStyle_ == gsCustom)
        return {};
    const QString shown = StripAccelerator(Caption());
    const int cx = canvas.TextWidth(shown);
    const int cy = canvas.TextHeight(shown);
    const int margin = groupStyle_ == gsTopLine ? 0 : 8;
    if (layoutDirection() == Qt::RightToLeft)
        return {width() - margin - cx, 0, width() - margin, cy};
    return {margin, 0, margin + cx, cy};
}

QSize TFcCustomGroupBox::minimumSizeHint() const
{
    QSize size = TFcCustomPanel::minimumSizeHint();
    if (Caption().isEmpty() || groupStyle_ == gsCustom)
        return size;
    const int margin = groupStyle_ == gsTopLine ? 0 : 8;
    const int caption = QFontMetrics(font()).horizontalAdvance(StripAccelerator(Caption())) + 2 * margin;
    return {std::max(size.width(), caption), std::max(size.height(), 0)};
}

QSize TFcCustomGroupBox::sizeHint() const
{
    const QSize size = TFcCustomPanel::sizeHint();
    if (!size.isValid())
        return size;
    return size.expandedTo(minimumSizeHint());
}

void TFcCustomGroupBox::Paint(TFcCanvas& canvas)
{
    canvas.Font = font();
    const int h = canvas.TextHeight(QStringLiteral("Pp"));
    const TRect c = CaptionRect(canvas);
    const TRect f{0, h / 2 - 1, width(), height()};
    const unsigned captionFlags = DT_SINGLELINE;

    if (ThemeAware() && ThemeServices()->GetThemesEnabled()) {
        if (!Transparent())
            PaintParentImage(canvas);
        const std::optional<QRegion> clip = canvas.ClipRegion();
        if (!c.IsEmpty())
            canvas.ExcludeClipRect(c);
        const TThemedElementDetails details =
            GetElementDetails(isEnabled() ? tbGroupBoxNormal : tbGroupBoxDisabled);
        ThemeServices()->DrawElement(canvas, details, f);
        canvas.SetClipRegion(clip);
        if (!c.IsEmpty())
            ThemeServices()->DrawText(canvas, details, Caption(), c, 0);
        return;
    }
    if (groupStyle_ == gsCustom) {
        TFcCustomPanel::Paint(canvas);
        return;
    }

    const std::optional<QRegion> clip = canvas.ClipRegion();
    if (Transparent()) {
        // The parent's image is already the background.
        if (!c.IsEmpty())
            canvas.ExcludeClipRect(c);
    } else {
        canvas.Brush.Color = Color();
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.FillRect(GetControlRect());
    }
    const TColor k = AdjustColor(FlatColor(), FlatColorAdjustment());
    canvas.Pen.Color = k;
    canvas.Pen.Style = TPenStyle::Solid;
    switch (groupStyle_) {
    case gsStandard:
        if (BorderOuter() == fsNone)
            DrawBorderSides(canvas, f, fsGroove, kAllSides);
        else if (BorderOuter() == fsFlat || BorderOuter() == fsFlatBold)
            DrawBevel(canvas, f, k, k, BorderOuter() == fsFlat ? 1 : 2, kAllSides);
        else
            DrawBorderSides(canvas, f, BorderOuter(), kAllSides);
        break;
    case gsTopLine:
        if (BorderOuter() == fsNone) {
            DrawBorderSides(canvas, f, fsGroove, SideBit(sdTop));
        } else if (BorderOuter() == fsFlat || BorderOuter() == fsFlatBold) {
            canvas.MoveTo(f.Left + 2, f.Top);
            canvas.LineTo(f.Right - 2, f.Top);
            if (BorderOuter() == fsFlatBold) {
                canvas.MoveTo(f.Left + 2, f.Top + 1);
                canvas.LineTo(f.Right - 2, f.Top + 1);
            }
        } else {
            DrawBorderSides(canvas, f, BorderOuter(), SideBit(sdTop));
        }
        break;
    default:
        canvas.MoveTo(f.Left, f.Top + 2);
        canvas.LineTo(f.Left, f.Bottom - 2);
        canvas.MoveTo(f.Left + 2, f.Top);
        canvas.LineTo(f.Right - 2, f.Top);
        canvas.MoveTo(f.Right - 1, f.Top + 2);
        canvas.LineTo(f.Right - 1, f.Bottom - 2);
        canvas.MoveTo(f.Left + 2, f.Bottom - 1);
        canvas.LineTo(f.Right - 2, f.Bottom - 1);
        canvas.SetPixel(f.Left + 1, f.Top + 1, k);
        canvas.SetPixel(f.Right - 2, f.Top + 1, k);
        canvas.SetPixel(f.Right - 2, f.Bottom - 2, k);
        canvas.SetPixel(f.Left + 1, f.Bottom - 2, k);
        break;
    }
    if (c.IsEmpty()) {
        canvas.SetClipRegion(clip);
        return;
    }
    if (!Transparent()) {
        canvas.Brush.Color = Color();
        canvas.FillRect(c);
    }
    canvas.BkMode = TBkMode::Transparent;
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.FontColor = FontColor();
    if (!isEnabled()) {
        canvas.FontColor = clBtnHighlight;
        TRect shifted = c.Moved(1, 1);
        canvas.DrawText(Caption(), shifted, captionFlags);
        canvas.FontColor = clBtnShadow;
    }
    canvas.SetClipRegion(clip);
    TRect text = c;
    canvas.DrawText(Caption(), text, captionFlags);
    canvas.Brush.Style = TBrushStyle::Solid;
}

QWidget* TFcCustomGroupBox::FirstChildInTabOrder() const
{
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this))
            return w;
    }
    return nullptr;
}

bool TFcCustomGroupBox::DialogChar(QChar character, Qt::KeyboardModifiers)
{
    if (!IsAccel(character, Caption()) || !isEnabled() || !isVisible())
        return false;
    QWidget* first = FirstChildInTabOrder();
    if (!first)
        return false;
    first->setFocus(Qt::ShortcutFocusReason);
    return true;
}

namespace {

bool IsField(QObject* child)
{
    auto* w = qobject_cast<QWidget*>(child);
    return w && !w->isWindow() && w->focusPolicy() != Qt::NoFocus;
}

}  // namespace

bool TFcCustomGroupBox::event(QEvent* event)
{
    // Polished: the window has set up the field, its own name among the rest.
    if (event->type() == QEvent::ChildPolished && IsField(static_cast<QChildEvent*>(event)->child()))
        NameLoneField();
    return TFcCustomPanel::event(event);
}

void TFcCustomGroupBox::TextChanged()
{
    TFcCustomPanel::TextChanged();
    NameLoneField();
}

// The caption names the one field inside that has no name of its own; for
// several such fields it would name them all alike, which tells a reader
// nothing (those have labels or names of their own).
void TFcCustomGroupBox::NameLoneField()
{
    QWidget* lone = nullptr;
    for (QObject* child : children()) {
        if (!IsField(child) || !NeedsName(static_cast<QWidget*>(child)))
            continue;
        if (lone)
            return;
        lone = static_cast<QWidget*>(child);
    }
    NameField(lone, Caption());
}

void TFcCustomGroupBox::FontChanged()
{
    Realign();
    update();
}

}  // namespace tw::controls
