#include "controls/status/fcstatuspane.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/foundation/fctextmetrics.h"
#include "controls/status/fcstatusaccessible.h"
#include "controls/status/fcstatusbar.h"
#include "controls/status/fcstatusdraw.h"
#include "controls/status/fcstatusgeometry.h"

#include <QMouseEvent>

namespace tw::controls {

TFcCustomStatusPane::TFcCustomStatusPane(QWidget* parent) : TFcControl(parent)
{
    RegisterStatusAccessible();
    setFont(DefaultControlFont());
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    resize(100, 20);
    EnsureBlinkingControls().Add(this);
}

TFcCustomStatusPane::~TFcCustomStatusPane()
{
    if (frameController_)
        frameController_->RemoveControl(this);
    if (TFcBlinkingControlsList* list = BlinkingControls())
        list->Remove(this);
    FreeBlinkingControlsListIfEmpty();
}

void TFcCustomStatusPane::SetAlignment(TAlignment value)
{
    if (StoreChanged(alignment_, value))
        update();
}
void TFcCustomStatusPane::SetCaptionOffset(int value)
{
    if (!StoreChanged(captionOffset_, value))
        return;
    update();
    AdjustBounds();
}
void TFcCustomStatusPane::SetAutoSize(bool value)
{
    if (StoreChanged(autoSize_, value))
        AdjustBounds();
}
void TFcCustomStatusPane::SetDefaultWidth(int value)
{
    if (StoreChanged(defaultWidth_, value))
        AdjustBounds();
}
void TFcCustomStatusPane::SetBorderWidth(int value)
{
    if (StoreChanged(borderWidth_, std::max(0, value)))
        update();
}
void TFcCustomStatusPane::SetFrameStyle(TFrameStyle value)
{
    if (StoreChanged(frameStyle_, value))
        update();
}
void TFcCustomStatusPane::SetFlatColor(TColor value)
{
    if (StoreChanged(flatColor_, value))
        update();
}
void TFcCustomStatusPane::SetFlatColorAdjustment(int value)
{
    if (StoreChanged(flatColorAdjustment_, value))
        update();
}
void TFcCustomStatusPane::SetFillColor(TColor value)
{
    if (StoreChanged(fillColor_, value))
        update();
}
void TFcCustomStatusPane::SetParentColor(bool value)
{
    if (StoreChanged(parentColor_, value))
        update();
}

void TFcCustomStatusPane::SetFrameController(TFcFrameController* controller)
{
    if (frameController_ == controller)
        return;
    if (frameController_)
        frameController_->RemoveControl(this);
    frameController_ = controller;
    if (frameController_)
        frameController_->AddControl(this);
}

void TFcCustomStatusPane::CustomFramingChanged()
{
    if (!frameController_ || !frameController_->FrameVisible())
        return;
    frameStyle_ = frameController_->FrameStyle();
    flatColor_ = frameController_->FrameColor();
    flatColorAdjustment_ = 0;
    fillColor_ = frameController_->Color();
    parentColor_ = frameController_->ParentColor();
    update();
}

void TFcCustomStatusPane::SetBlinking(bool value)
{
    if (!StoreChanged(blinking_, value))
        return;
    if (!blinking_) {
        // Whatever phase it stopped in, the caption goes back to its own colour.
        blinkOff_ = false;
        Repaint();
    }
}

void TFcCustomStatusPane::SetBlinkColor(TColor value)
{
    if (StoreChanged(blinkColor_, value))
        update();
}

std::uint16_t TFcCustomStatusPane::BlinkIntervalOn()
{
    return EnsureBlinkingControls().IntervalOn();
}
void TFcCustomStatusPane::SetBlinkIntervalOn(std::uint16_t ms)
{
    EnsureBlinkingControls().SetIntervalOn(ms);
}
std::uint16_t TFcCustomStatusPane::BlinkIntervalOff()
{
    return EnsureBlinkingControls().IntervalOff();
}
void TFcCustomStatusPane::SetBlinkIntervalOff(std::uint16_t ms)
{
    EnsureBlinkingControls().SetIntervalOff(ms);
}

void TFcCustomStatusPane::Blink(TBlinkState state)
{
    blinkOff_ = state == bsOff;
    Repaint();
}

int TFcCustomStatusPane::GetMinWidth() const
{
    const QString text = Caption();
    const int w = text.isEmpty() ? 0 : TextMeasure().TextWidth(font(), text);
    return PaneMinWidth(w, !text.isEmpty(), borderWidth_, captionOffset_, defaultWidth_);
}

TRect TFcCustomStatusPane::GetCaptionRect() const
{
    return PaneCaptionRect({0, 0, width(), height()}, borderWidth_, frameStyle_);
}

bool TFcCustomStatusPane::CaptionCut() const
{
    const QString text = Caption();
    if (text.isEmpty())
        return false;
    const int room = GetCaptionRect().Width() - captionOffset_ - 1;
    return TextMeasure().TextWidth(font(), text) > room;
}

void TFcCustomStatusPane::UpdateCutHint()
{
    if (toolTip() != cutHint_)
        return;  // the window's own hint stays
    cutHint_ = CaptionCut() ? Caption() : QString();
    setToolTip(cutHint_);
}

void TFcCustomStatusPane::resizeEvent(QResizeEvent* event)
{
    TFcControl::resizeEvent(event);
    UpdateCutHint();
}

TFcStatusBar* TFcCustomStatusPane::StatusBar() const
{
    return qobject_cast<TFcStatusBar*>(parentWidget());
}

bool TFcCustomStatusPane::UnderSizeGrip(const TRect& r) const
{
    const TFcStatusBar* bar = StatusBar();
    if (!bar)
        return false;
    const int rightInBar = mapTo(bar, QPoint(r.Right, 0)).x();
    return rightInBar >= bar->ClientAreaForChildren().Right;
}

bool TFcCustomStatusPane::InGripStrip(const QPoint& p) const
{
    const TFcStatusBar* bar = StatusBar();
    if (!bar || !UnderSizeGrip({0, 0, width(), height()}))
        return false;
    const int right = mapFrom(bar, QPoint(bar->ClientAreaForChildren().Right, 0)).x();
    return p.x() >= right - kGripStrip && p.x() < right && p.y() >= 0 && p.y() < height();
}

void TFcCustomStatusPane::AdjustBounds()
{
    if (autoSize_)
        resize(GetMinWidth(), height());
}

bool TFcCustomStatusPane::UseThemes() const
{
    const TFcStatusBar* bar = StatusBar();
    return bar && bar->ThemeAware() && ThemeServices()->GetThemesEnabled();
}

TColor TFcCustomStatusPane::MarginColor() const
{
    if (parentColor_) {
        if (const auto* parent = qobject_cast<const TFcControl*>(parentWidget()))
            return parent->Color();
    }
    return Color();
}

void TFcCustomStatusPane::Paint(TFcCanvas& canvas)
{
    DrawStatusBorder(canvas);
    DrawCaption(canvas, Caption());
}

void TFcCustomStatusPane::DrawStatusBorder(TFcCanvas& canvas)
{
    const TRect whole{0, 0, width(), height()};
    if (UseThemes()) {
        ThemeServices()->DrawElement(canvas, GetElementDetails(tsPane), whole);
        return;
    }
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = MarginColor();
    canvas.FillRect(whole);
    canvas.Pen.Width = 1;
    canvas.Pen.Style = TPenStyle::Solid;
    const TRect r = whole.Inflated(-borderWidth_, -borderWidth_);
    if (frameStyle_ == fsFlat) {
        // The corner pixels stay out, which rounds the frame off.
        DrawOpenCornerFrame(canvas, r, AdjustColor(flatColor_, flatColorAdjustment_));
    } else {
        DrawBorder(canvas, r, frameStyle_);
    }
}

void TFcCustomStatusPane::DrawCaption(TFcCanvas& canvas, const QString& text)
{
    canvas.Font = font();
    canvas.FontColor = CaptionColor();
    const TRect r = GetCaptionRect();
    int x = 0;
    switch (alignment_) {
    case taLeftJustify:
        canvas.TextAlign = TA_LEFT;
        x = r.Left + captionOffset_ + 1;
        break;
    case taRightJustify:
        canvas.TextAlign = TA_RIGHT;
        x = r.Right - captionOffset_ - 1;
        break;
    case taCenter:
        canvas.TextAlign = TA_CENTER;
        x = r.Left + r.Width() / 2;
        break;
    }
    const int y = r.Top + (r.Height() - canvas.TextHeight(QStringLiteral("Pp"))) / 2;
    canvas.BkMode = TBkMode::Opaque;
    canvas.Brush.Style = TBrushStyle::Solid;
    if (UseThemes()) {
        // The bar's own background behind the caption, so that the text sits
        // on the style's gradient rather than on a flat fill.
        const TFcStatusBar* bar = StatusBar();
        QImage back = MakeBitmap(bar->width(), bar->height(), Color());
        {
            TFcCanvas backCanvas(back);
            ThemeServices()->DrawElement(backCanvas, GetElementDetails(tsStatusRoot),
                                         {0, 0, bar->width(), bar->height()});
        }
        const QPoint at = mapTo(bar, QPoint(0, 0));
        canvas.CopyRect(r, back, r.Moved(at.x(), at.y()));
        canvas.BkMode = TBkMode::Transparent;
        canvas.Brush.Style = TBrushStyle::Clear;
    } else {
        canvas.Brush.Color = fillColor_;
    }
    if (!isEnabled()) {
        canvas.FontColor = clBtnHighlight;
        canvas.TextRect(r, x + 1, y + 1, text);
        canvas.FontColor = clBtnShadow;
        canvas.BkMode = TBkMode::Transparent;
        canvas.Brush.Style = TBrushStyle::Clear;
    }
    canvas.TextRect(r, x, y, text);
}

void TFcCustomStatusPane::TextChanged()
{
    Repaint();
    AdjustBounds();
    UpdateCutHint();
}

void TFcCustomStatusPane::FontChanged()
{
    update();
    AdjustBounds();
    UpdateCutHint();
}

void TFcCustomStatusPane::Loaded()
{
    AdjustBounds();
}

void TFcCustomStatusPane::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && InGripStrip(event->position().toPoint())) {
        // The bar's grip works through the pane that covers it.
        if (TFcStatusBar* bar = StatusBar(); bar && bar->GripUsable()) {
            bar->StartGripResize();
            event->accept();
            return;
        }
    }
    TFcControl::mousePressEvent(event);
}

void TFcCustomStatusPane::mouseMoveEvent(QMouseEvent* event)
{
    const TFcStatusBar* bar = StatusBar();
    if (bar && bar->GripUsable() && InGripStrip(event->position().toPoint()))
        setCursor(Qt::SizeFDiagCursor);
    else
        unsetCursor();
    TFcControl::mouseMoveEvent(event);
}

}  // namespace tw::controls
