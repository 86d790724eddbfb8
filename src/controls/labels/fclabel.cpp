#include "controls/labels/fclabel.h"

#include "controls/base/fcaccessible.h"

#include "controls/foundation/fccommon.h"
#include "controls/labels/fclabelaccessible.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fctextmetrics.h"

#include <QDesktopServices>
#include <QMouseEvent>

#include <cmath>

namespace tw::controls {

namespace {

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
    NameField(focusControl_, Caption());
}

void TFcLabel::SetAlignment(TAlignment value)
{
    if (StoreChanged(alignment_, value))
        update();
}
void TFcLabel::SetAutoSize(bool value)
{
    if (StoreChanged(autoSize_, value))
        AdjustBounds();
}
void TFcLabel::SetLayout(TTextLayout value)
{
    if (StoreChanged(layout_, value))
        update();
}
void TFcLabel::SetWordWrap(bool value)
{
    if (!StoreChanged(wordWrap_, value))
        return;
    AdjustBounds();
    update();
}
void TFcLabel::SetShowAccelChar(bool value)
{
    if (!StoreChanged(showAccelChar_, value))
        return;
    AdjustBounds();
    update();
}
void TFcLabel::SetFocusControl(QWidget* control)
{
    focusControl_ = control;
    // As a buddy label does, the label names the field it leads to.
    NameField(control, Caption());
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

void TFcLabel::EnsureTrueTypeFont()
{
    // Only outline fonts turn.
    if (IsTrueTypeFont(font()))
        return;
    QFont f = font();
    f.setFamily(MapFontFamily(QStringLiteral("Verdana")));
    setFont(f);
}

void TFcLabel::SetAngle(int value)
{
    const int angle = NormalizeAngle(value);
    if (angle == angle_)
        return;
    angle_ = angle;
    if (angle_ != 0)
        EnsureTrueTypeFont();
    if (angle_ != 0 && rotation_ == roNone)
        rotation_ = roFlat;
    AdjustBounds();
    repaint();
}

void TFcLabel::SetRotation(TRotation value)
{
    if (rotation_ == value)
        return;
    if (value != roNone)
        EnsureTrueTypeFont();
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
    if (StoreChanged(centerPoint_, value))
        update();
}

void TFcLabel::SetBlinking(bool value)
{
    if (!StoreChanged(blinking_, value))
        return;
    if (!blinking_) {
        normalPhase_ = true;
        textColor_ = normalColor_;
        repaint();
    }
}

void TFcLabel::SetBlinkColor(TColor value)
{
    if (StoreChanged(blinkColor_, value))
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
    if (StoreChanged(frames_.BevelWidth, value))
        update();
}
void TFcLabel::SetBorderInner(TFrameStyle value)
{
    if (StoreChanged(frames_.Inner, value))
        update();
}
void TFcLabel::SetBorderOuter(TFrameStyle value)
{
    if (StoreChanged(frames_.Outer, value))
        update();
}
void TFcLabel::SetBorderSides(TSides value)
{
    if (StoreChanged(frames_.Sides, static_cast<TSides>(value & kAllSides)))
        update();
}
void TFcLabel::SetBorderWidth(int value)
{
    if (StoreChanged(frames_.BorderWidth, value))
        update();
}
void TFcLabel::SetBorderColor(TColor value)
{
    if (StoreChanged(borderColor_, value))
        update();
}
void TFcLabel::SetBorderHighlight(TColor value)
{
    if (StoreChanged(borderHighlight_, value))
        update();
}
void TFcLabel::SetBorderShadow(TColor value)
{
    if (StoreChanged(borderShadow_, value))
        update();
}
void TFcLabel::SetFlatColor(TColor value)
{
    if (StoreChanged(flatColor_, value))
        update();
}
void TFcLabel::SetFlyByColor(TColor value)
{
    if (StoreChanged(flyByColor_, value))
        update();
}
void TFcLabel::SetFlyByEnabled(bool value)
{
    if (!StoreChanged(flyByEnabled_, value))
        return;
    if (!flyByEnabled_ && MouseInControl())
        SetFontColor(savedFontColor_);
    update();
}
void TFcLabel::SetLightTextStyle(bool value)
{
    if (StoreChanged(lightTextStyle_, value))
        update();
}
void TFcLabel::SetTextStyle(TTextStyle value)
{
    if (StoreChanged(textStyle_, value))
        update();
}
void TFcLabel::SetHighlightColor(TColor value)
{
    if (StoreChanged(highlightColor_, value))
        update();
}
void TFcLabel::SetShadowColor(TColor value)
{
    if (StoreChanged(shadowColor_, value))
        update();
}
void TFcLabel::SetShadowDepth(int value)
{
    if (StoreChanged(shadowDepth_, value))
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
    const QSize extent = AutoSizeExtent();
    int x = this->x();
    const bool right = (TextFlags() & DT_RIGHT) != 0 && (TextFlags() & DT_CENTER) == 0;
    if (right)
        x += width() - extent.width();
    setGeometry(x, y(), extent.width(), extent.height());
    updateGeometry();
}

QSize TFcLabel::sizeHint() const
{
    return autoSize_ ? AutoSizeExtent() : TFcControl::sizeHint();
}

QSize TFcLabel::minimumSizeHint() const
{
    return autoSize_ ? AutoSizeExtent() : TFcControl::minimumSizeHint();
}

QSize TFcLabel::AutoSizeExtent() const
{
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
    return {r.Right, r.Bottom};
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
    // The plain flat colour: a label does not adjust it.
    const TRect r = DrawFrames(canvas, {0, 0, width(), height()}, frames_,
                               {flatColor_, borderColor_, borderHighlight_, borderShadow_, false});
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
    click_.Press(event);
}

void TFcLabel::mouseReleaseEvent(QMouseEvent* event)
{
    TFcControl::mouseReleaseEvent(event);
    if (click_.Release(event, this))
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

void TFcLabel::Loaded()
{
    if (rotation_ == roNone && angle_ != 0)
        rotation_ = roFlat;
    if (rotation_ != roNone)
        EnsureTrueTypeFont();
    normalColor_ = FontColor();
    textColor_ = FontColor();
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
    if (!StoreChanged(visited_, value))
        return;
    UpdateFontColor();
    update();
}

void TFcURLLabel::SetUnvisitedColor(TColor value)
{
    if (!StoreChanged(unvisitedColor_, value))
        return;
    UpdateFontColor();
    update();
}

void TFcURLLabel::SetVisitedColor(TColor value)
{
    if (!StoreChanged(visitedColor_, value))
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
