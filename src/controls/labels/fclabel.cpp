#include "controls/labels/fclabel.h"

#include "controls/foundation/fccommon.h"
#include "controls/labels/fclabelaccessible.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fctextmetrics.h"

#include <QDesktopServices>
#include <QMouseEvent>

#include <cmath>

namespace tw::controls {

namespace {

template <typename T>
bool Store(T& member, const T& value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

TUrlOpener& Opener()
{
    static TUrlOpener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

}  // namespace

TFcLabel::TFcLabel(QWidget* parent) : TFcControl(parent)
{
    RegisterLabelAccessible();
    setFont(DefaultControlFont());
    setFocusPolicy(Qt::NoFocus);
    TFcControl::SetFontColor(clWindowText);
    FontColorChanged();
    EnsureBlinkingControls().Add(this);
    resize(65, 17);
}

TFcLabel::~TFcLabel()
{
    if (TFcBlinkingControlsList* list = BlinkingControls())
        list->Remove(this);
    FreeBlinkingControlsListIfEmpty();
}

void TFcLabel::TextChanged()
{
    AdjustBounds();
    Repaint();
}

void TFcLabel::SetAlignment(TAlignment value)
{
    if (Store(alignment_, value))
        update();
}
void TFcLabel::SetAutoSize(bool value)
{
    if (Store(autoSize_, value))
        AdjustBounds();
}
void TFcLabel::SetLayout(TTextLayout value)
{
    if (Store(layout_, value))
        update();
}
void TFcLabel::SetWordWrap(bool value)
{
    if (!Store(wordWrap_, value))
        return;
    AdjustBounds();
    update();
}
void TFcLabel::SetShowAccelChar(bool value)
{
    if (!Store(showAccelChar_, value))
        return;
    AdjustBounds();
    update();
}
void TFcLabel::SetFocusControl(QWidget* control)
{
    focusControl_ = control;
}
void TFcLabel::SetFontColor(TColor value)
{
    if (value == FontColor())
        return;
    TFcControl::SetFontColor(value);
    FontColorChanged();
}

void TFcLabel::FontColorChanged()
{
    if (!blinking_) {
        normalColor_ = FontColor();
        textColor_ = FontColor();
    }
}

void TFcLabel::SetAngle(int value)
{
    const int angle = NormalizeAngle(value);
    if (angle == angle_)
        return;
    angle_ = angle;
    if (angle_ != 0 && !IsTrueTypeFont(font())) {
        QFont f = font();
        f.setFamily(MapFontFamily(QStringLiteral("Verdana")));
        setFont(f);
    }
    if (angle_ != 0 && rotation_ == roNone)
        rotation_ = roFlat;
    AdjustBounds();
    repaint();
}

void TFcLabel::SetRotation(TRotation value)
{
    if (rotation_ == value)
        return;
    if (value != roNone && !IsTrueTypeFont(font())) {
        QFont f = font();
        f.setFamily(MapFontFamily(QStringLiteral("Verdana")));
        setFont(f);
    }
    rotation_ = value;
    if (value == roNone) {
        angle_ = 0;
    } else if (value == roFlat) {
        angle_ = 0;
        centerPoint_ = cpCenter;
    }
    update();
}

void TFcLabel::SetCenterPoint(TCenterPoint value)
{
    if (Store(centerPoint_, value))
        update();
}

void TFcLabel::SetBlinking(bool value)
{
    if (!Store(blinking_, value))
        return;
    if (!blinking_) {
        normalPhase_ = true;
        textColor_ = normalColor_;
        repaint();
    }
}

void TFcLabel::SetBlinkColor(TColor value)
{
    if (Store(blinkColor_, value))
        update();
}

std::uint16_t TFcLabel::BlinkIntervalOn()
{
    return EnsureBlinkingControls().IntervalOn();
}
void TFcLabel::SetBlinkIntervalOn(std::uint16_t ms)
{
    EnsureBlinkingControls().SetIntervalOn(ms);
}
std::uint16_t TFcLabel::BlinkIntervalOff()
{
    return EnsureBlinkingControls().IntervalOff();
}
void TFcLabel::SetBlinkIntervalOff(std::uint16_t ms)
{
    EnsureBlinkingControls().SetIntervalOff(ms);
}

void TFcLabel::Blink(TBlinkState state)
{
    if (state == bsOff) {
        normalPhase_ = false;
        textColor_ = blinkColor_;
    } else {
        normalPhase_ = true;
        textColor_ = normalColor_;
    }
    repaint();
}

// The frame settings only repaint; auto-size is not re-run for them.
void TFcLabel::SetBevelWidth(int value)
{
    if (Store(frames_.BevelWidth, value))
        update();
}
void TFcLabel::SetBorderInner(TFrameStyle value)
{
    if (Store(frames_.Inner, value))
        update();
}
void TFcLabel::SetBorderOuter(TFrameStyle value)
{
    if (Store(frames_.Outer, value))
        update();
}
void TFcLabel::SetBorderSides(TSides value)
{
    if (Store(frames_.Sides, static_cast<TSides>(value & kAllSides)))
        update();
}
void TFcLabel::SetBorderWidth(int value)
{
    if (Store(frames_.BorderWidth, value))
        update();
}
void TFcLabel::SetBorderColor(TColor value)
{
    if (Store(borderColor_, value))
        update();
}
void TFcLabel::SetBorderHighlight(TColor value)
{
    if (Store(borderHighlight_, value))
        update();
}
void TFcLabel::SetBorderShadow(TColor value)
{
    if (Store(borderShadow_, value))
        update();
}
void TFcLabel::SetFlatColor(TColor value)
{
    if (Store(flatColor_, value))
        update();
}
void TFcLabel::SetFlyByColor(TColor value)
{
    if (Store(flyByColor_, value))
        update();
}
void TFcLabel::SetFlyByEnabled(bool value)
{
    if (!Store(flyByEnabled_, value))
        return;
    if (!flyByEnabled_ && MouseInControl())
        SetFontColor(savedFontColor_);
    update();
}
void TFcLabel::SetLightTextStyle(bool value)
{
    if (Store(lightTextStyle_, value))
        update();
}
void TFcLabel::SetTextStyle(TTextStyle value)
{
    if (Store(textStyle_, value))
        update();
}
void TFcLabel::SetHighlightColor(TColor value)
{
    if (Store(highlightColor_, value))
        update();
}
void TFcLabel::SetShadowColor(TColor value)
{
    if (Store(shadowColor_, value))
        update();
}
void TFcLabel::SetShadowDepth(int value)
{
    if (Store(shadowDepth_, value))
        update();
}

unsigned TFcLabel::TextFlags() const
{
    unsigned flags = DrawTextAlignments[alignment_] | DT_EXPANDTABS;
    if (layoutDirection() == Qt::RightToLeft)
        flags = (flags & ~(DT_CENTER | DT_RIGHT)) | DT_RIGHT;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    return flags;
}

void TFcLabel::AdjustBounds()
{
    if (!autoSize_)
        return;
    QImage scratch = MakeBitmap(1, 1);
    TFcCanvas canvas(scratch);
    canvas.Font = font();
    TRect r{0, 0, wordWrap_ ? width() : 100000, height()};
    unsigned flags = DT_CALCRECT | DT_EXPANDTABS;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    const QString text = Caption().isEmpty() ? QStringLiteral(" ") : Caption();
    canvas.DrawText(text, r, flags);
    r = AdjustForBorders({0, 0, r.Width(), r.Height()}, frames_, {rotation_, angle_, textStyle_, shadowDepth_});
    int x = this->x();
    const bool right = (TextFlags() & DT_RIGHT) != 0 && (TextFlags() & DT_CENTER) == 0;
    if (right)
        x += width() - r.Right;
    setGeometry(x, y(), r.Right, r.Bottom);
}

TRect TFcLabel::DrawFrame(TFcCanvas& canvas, const TRect& r, TFrameStyle style)
{
    switch (style) {
    case fsFlat: return DrawBevel(canvas, r, flatColor_, flatColor_, 1, frames_.Sides);
    case fsPopup:
        return DrawBevel(canvas, r, borderHighlight_, borderShadow_, frames_.BevelWidth, frames_.Sides);
    case fsStatus:
        return DrawBevel(canvas, r, borderShadow_, borderHighlight_, frames_.BevelWidth, frames_.Sides);
    default: return DrawBorderSides(canvas, r, style, frames_.Sides);
    }
}

TRect TFcLabel::AdjustForLayout(TFcCanvas& canvas, const QString& text, unsigned flags, TRect r) const
{
    if (layout_ != tlTop) {
        TRect measured = r;
        canvas.DrawText(text, measured, flags | DT_CALCRECT);
        const int room = height() - frames_.BorderWidth - measured.Bottom;
        r = r.Moved(0, layout_ == tlCenter ? room / 2 : room);
    }
    if (textStyle_ == tsShadow) {
        if ((flags & DT_RIGHT) && !(flags & DT_CENTER))
            r = r.Moved(-shadowDepth_, 0);
        if (layout_ == tlBottom)
            r = r.Moved(0, -shadowDepth_);
    }
    return r;
}

void TFcLabel::Draw3DText(TFcCanvas& canvas)
{
    const TRect r = LabelTextRect({0, 0, width(), height()}, frames_, true);
    const unsigned flags = TextFlags();
    canvas.Font = font();
    canvas.BkMode = TBkMode::Transparent;
    TPoint p = LabelCenterPoint(centerPoint_, rotation_, width(), height(), frames_.BorderWidth);
    const bool flat = rotation_ == roFlat;
    const int s = textStyle_ == tsShadow ? shadowDepth_ / 2 : 0;
    const QString caption = Caption();
    const QString text = showAccelChar_ ? StripAccelerator(caption) : caption;
    if (flat) {
        const TFcTextAnchor anchor = FlatTextAnchor(angle_, flags, r, p, canvas.TextWidth(text),
                                                    canvas.TextHeight(QStringLiteral("Pp")), s);
        p = anchor.Point;
        if (anchor.AlignChanged)
            canvas.TextAlign = anchor.TextAlign;
        const TRotatedFont rotated = RotateFont(font(), angle_);
        canvas.Font = rotated.font;
        canvas.FontAngle = rotated.angle;
    }
    const auto pass = [&](TColor colour, int dx, int dy) {
        canvas.FontColor = colour;
        if (flat) {
            canvas.TextRect(r, p.x + dx, p.y + dy, text);
        } else {
            TRect moved = AdjustForLayout(canvas, caption, flags, r).Moved(dx, dy);
            canvas.DrawText(caption, moved, flags);
        }
    };
    if (!isEnabled()) {
        pass(clBtnHighlight, 1, 1);
        pass(clBtnShadow, 0, 0);
        return;
    }
    if (textStyle_ == tsRaised || textStyle_ == tsRecessed) {
        const bool raised = textStyle_ == tsRaised;
        const TColor first = raised ? shadowColor_ : highlightColor_;
        const TColor second = raised ? highlightColor_ : shadowColor_;
        if (!raised || !lightTextStyle_)
            pass(first, 1, 1);
        if (raised || !lightTextStyle_)
            pass(second, -1, -1);
    } else if (textStyle_ == tsShadow) {
        const int d = flat ? s : shadowDepth_;
        pass(shadowColor_, d, d);
    }
    if (flat && textStyle_ == tsShadow)
        pass(textColor_, -s, -s);
    else
        pass(textColor_, 0, 0);
}

void TFcLabel::DrawArcText(TFcCanvas& canvas)
{
    const QString caption = Caption();
    if (caption.isEmpty())
        return;
    canvas.Font = font();
    canvas.BkMode = TBkMode::Transparent;
    canvas.TextAlign = TA_CENTER | TA_BASELINE;
    const TPoint c = LabelCenterPoint(centerPoint_, rotation_, width(), height(), frames_.BorderWidth);
    const TPoint radius = LabelArcRadius(centerPoint_, width(), height(), frames_.BorderWidth);
    const std::vector<TFcArcGlyph> glyphs =
        ArcGlyphs(static_cast<int>(caption.size()), angle_, c, radius, canvas.TextHeight(QStringLiteral("Yy")),
                  canvas.TextWidth(QStringLiteral("w")) + 2);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const TFcArcGlyph& g = glyphs[i];
        const QString ch(caption[static_cast<qsizetype>(i)]);
        canvas.FontAngle = static_cast<int>(std::lround(g.Escapement / 10.0));
        const auto pass = [&](TColor colour, int dx, int dy) {
            canvas.FontColor = colour;
            canvas.TextOut(g.X + dx, g.Y + dy, ch);
        };
        if (textStyle_ == tsRaised || textStyle_ == tsRecessed) {
            const bool raised = textStyle_ == tsRaised;
            if (!raised || !lightTextStyle_)
                pass(raised ? shadowColor_ : highlightColor_, 1, 1);
            if (raised || !lightTextStyle_)
                pass(raised ? highlightColor_ : shadowColor_, -1, -1);
        } else if (textStyle_ == tsShadow) {
            pass(shadowColor_, shadowDepth_, shadowDepth_);
        }
        if (!isEnabled()) {
            pass(clBtnHighlight, 1, 1);
            pass(clBtnShadow, 0, 0);
        } else {
            pass(textColor_, 0, 0);
        }
    }
    canvas.FontAngle = 0;
}

void TFcLabel::Paint(TFcCanvas& canvas)
{
    // The background (the colour, or the parent's image) is already there.
    TRect r{0, 0, width(), height()};
    r = DrawFrame(canvas, r, frames_.Outer);
    if (frames_.BorderWidth > 0)
        r = DrawBevel(canvas, r, borderColor_, borderColor_, frames_.BorderWidth, frames_.Sides);
    r = DrawFrame(canvas, r, frames_.Inner);
    canvas.Brush.Color = Color();
    canvas.Brush.Style = TBrushStyle::Solid;
    if (!Transparent())
        canvas.FillRect(r);
    canvas.Brush.Style = TBrushStyle::Clear;
    if (rotation_ == roCurve)
        DrawArcText(canvas);
    else
        Draw3DText(canvas);
    canvas.Brush.Style = TBrushStyle::Solid;
}

void TFcLabel::MouseEnter()
{
    if (flyByEnabled_) {
        savedFontColor_ = FontColor();
        SetFontColor(flyByColor_);
    }
    TFcControl::MouseEnter();
}

void TFcLabel::MouseLeave()
{
    if (flyByEnabled_)
        SetFontColor(savedFontColor_);
    TFcControl::MouseLeave();
}

void TFcLabel::mousePressEvent(QMouseEvent* event)
{
    TFcControl::mousePressEvent(event);
    pressed_ = event->button() == Qt::LeftButton;
}

void TFcLabel::mouseReleaseEvent(QMouseEvent* event)
{
    TFcControl::mouseReleaseEvent(event);
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        Click();
}

void TFcLabel::FontChanged()
{
    FontColorChanged();
    if (angle_ != 0 && !IsTrueTypeFont(font()))
        angle_ = 0;
    AdjustBounds();
    update();
}

bool TFcLabel::DialogChar(QChar character, Qt::KeyboardModifiers)
{
    if (!showAccelChar_ || !IsAccel(character, Caption()) || !focusControl_ || !focusControl_->isEnabled())
        return false;
    focusControl_->setFocus(Qt::ShortcutFocusReason);
    return true;
}

// ---- URL label ----

void SetUrlOpener(TUrlOpener opener)
{
    Opener() = opener ? std::move(opener) : [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

const TUrlOpener& UrlOpener()
{
    return Opener();
}

TFcURLLabel::TFcURLLabel(QWidget* parent) : TFcLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    SetFontColor(clHighlight);
}

void TFcURLLabel::UpdateFontColor()
{
    SetFontColor(visited_ ? visitedColor_ : unvisitedColor_);
}

void TFcURLLabel::SetVisited(bool value)
{
    if (!Store(visited_, value))
        return;
    UpdateFontColor();
    update();
}

void TFcURLLabel::SetUnvisitedColor(TColor value)
{
    if (!Store(unvisitedColor_, value))
        return;
    UpdateFontColor();
    update();
}

void TFcURLLabel::SetVisitedColor(TColor value)
{
    if (!Store(visitedColor_, value))
        return;
    UpdateFontColor();
    update();
}

void TFcURLLabel::Click()
{
    TFcLabel::Click();
    const QString target = url_.trimmed().isEmpty() ? Caption().trimmed() : url_.trimmed();
    if (target.isEmpty())
        return;
    // Handed to the desktop as a URL, never run as a command.
    if (UrlOpener()(QUrl::fromUserInput(target)))
        SetVisited(true);
}

}  // namespace tw::controls
