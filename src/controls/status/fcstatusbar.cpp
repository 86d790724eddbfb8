#include "controls/status/fcstatusbar.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/status/fcstatusaccessible.h"
#include "controls/status/fcstatusdraw.h"
#include "controls/status/fcstatusgeometry.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>
#include <QWindow>

namespace tw::controls {

namespace {

constexpr const char* kPaneWidth = "fcPaneWidth";

// The grip squares over whatever pane reaches the corner: a sibling above the
// panes that lets the mouse through and paints nothing else.
class TFcGripOverlay : public QWidget {
public:
    explicit TFcGripOverlay(TFcStatusBar* bar) : QWidget(bar), bar_(bar)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!bar_->ShowSizeGrip() || !bar_->GripUsable())
            return;
        QPainter p(this);
        TRect r = bar_->ClientAreaForChildren();
        r.Bottom -= 1;
        p.translate(-x(), -y());
        if (bar_->ThemeAware() && ThemeServices()->GetThemesEnabled()) {
            ThemeServices()->DrawElement(p, GetElementDetails(tsGripper),
                                         {r.Right - 20, r.Top, r.Right, r.Bottom}, this);
            return;
        }
        const TGripSquares squares = GripSquares(r);
        const auto fill = [&p](const std::vector<TPoint>& points, TColor c) {
            const QColor colour = QColor::fromRgb(ToRgb32(c));
            for (const TPoint& pt : points)
                p.fillRect(pt.x, pt.y, 2, 2, colour);
        };
        fill(squares.Light, clBtnHighlight);
        fill(squares.Dark, clBtnShadow);
    }

private:
    TFcStatusBar* bar_;
};

}  // namespace

TFcStatusBar::TFcStatusBar(QWidget* parent) : TFcCustomPanel(parent)
{
    RegisterStatusAccessible();
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    resize(width(), 19);
    StartSystemResize = [](QWindow* window) {
        return window && window->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
    };
    gripOverlay_ = new TFcGripOverlay(this);
    SetAlign(this, alBottom);
}

void TFcStatusBar::SetShowSizeGrip(bool value)
{
    if (showSizeGrip_ == value)
        return;
    showSizeGrip_ = value;
    update();
    gripOverlay_->update();
}

void TFcStatusBar::SetSimpleStatus(bool value)
{
    if (simpleStatus_ == value)
        return;
    simpleStatus_ = value;
    // Every child, including one hidden before, follows the mode.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != gripOverlay_ && !child->isWindow())
            child->setVisible(!value);
    }
    Realign();
    update();
}

void TFcStatusBar::SetSimpleCaption(const QString& value)
{
    if (simpleCaption_ == value)
        return;
    simpleCaption_ = value;
    Repaint();
}

void TFcStatusBar::SetSimpleFrameStyle(TFrameStyle value)
{
    if (simpleFrameStyle_ == value)
        return;
    simpleFrameStyle_ = value;
    update();
}

void TFcStatusBar::SetBorderInner(TFrameStyle value)
{
    if (value == BorderInner())
        return;
    TFcCustomPanel::SetBorderInner(value);
    autoStyle_ = false;
}

void TFcStatusBar::SetBorderOuter(TFrameStyle value)
{
    if (value == BorderOuter())
        return;
    TFcCustomPanel::SetBorderOuter(value);
    autoStyle_ = false;
}

void TFcStatusBar::SetBorderSides(TSides value)
{
    if ((value & kAllSides) == BorderSides())
        return;
    TFcCustomPanel::SetBorderSides(value);
    autoStyle_ = false;
}

void TFcStatusBar::AdjustStyle()
{
    const bool keep = autoStyle_;
    TFcCustomPanel::SetBorderInner(fsNone);
    TFcCustomPanel::SetBorderOuter(fsNone);
    TFcCustomPanel::SetBorderSides(kAllSides);
    SetBorderWidth(0);
    setFixedHeight(19);
    autoStyle_ = keep;
}

void TFcStatusBar::Loaded()
{
    if (autoStyle_)
        AdjustStyle();
}

TFcStatusPane* TFcStatusBar::AddPane(int width)
{
    auto* pane = new TFcStatusPane(this);
    AddPane(pane, width);
    return pane;
}

TFcCustomStatusPane* TFcStatusBar::AddPane(TFcCustomStatusPane* pane, int width)
{
    if (pane->parentWidget() != this)
        pane->setParent(this);
    // Placed after every pane there is, at the left edge of what is left.
    int right = 0;
    for (TFcCustomStatusPane* p : Panes()) {
        if (p != pane)
            right = std::max(right, p->geometry().right() + 1);
    }
    pane->setGeometry(right, 0, width, height());
    pane->setProperty(kPaneWidth, width);
    if (stretchPane_ && stretchPane_ != pane) {
        // Back to the width it was added with; stretching had taken the rest.
        stretchPane_->resize(stretchPane_->property(kPaneWidth).toInt(), stretchPane_->height());
        SetAlign(stretchPane_, alLeft);
    }
    stretchPane_ = pane;
    SetAlign(pane, alClient);
    pane->setVisible(!simpleStatus_);
    gripOverlay_->raise();
    Realign();
    return pane;
}

QList<TFcCustomStatusPane*> TFcStatusBar::Panes() const
{
    return findChildren<TFcCustomStatusPane*>(Qt::FindDirectChildrenOnly);
}

int TFcStatusBar::PanelCount() const
{
    return static_cast<int>(Panes().size());
}

TFcCustomStatusPane* TFcStatusBar::Pane(int index) const
{
    const QList<TFcCustomStatusPane*> panes = Panes();
    return index >= 0 && index < panes.size() ? panes[index] : nullptr;
}

QString TFcStatusBar::PanelText(int index) const
{
    const TFcCustomStatusPane* pane = Pane(index);
    return pane ? pane->Caption() : QString();
}

void TFcStatusBar::SetPanelText(int index, const QString& text)
{
    if (TFcCustomStatusPane* pane = Pane(index))
        pane->SetCaption(text);  // repaints at once
}

bool TFcStatusBar::GripUsable() const
{
    if (!showSizeGrip_ || !parentWidget())
        return false;
    const QWidget* form = window();
    if (!form || form == this)
        return false;
    if (form->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return false;
    if (form->windowFlags() & Qt::MSWindowsFixedSizeDialogHint)
        return false;
    return form->minimumSize() != form->maximumSize();
}

TRect TFcStatusBar::GripRect() const
{
    return StatusGripRect(width(), height());
}

void TFcStatusBar::StartGripResize()
{
    QWidget* form = window();
    if (!form || !StartSystemResize)
        return;
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    StartSystemResize(form->windowHandle());
}

TRect TFcStatusBar::ClientAreaForChildren() const
{
    return StatusBarClientRect(TFcCustomPanel::ClientAreaForChildren(), ThemeServices()->GetThemesEnabled(),
                               simpleStatus_);
}

void TFcStatusBar::Paint(TFcCanvas& canvas)
{
    const bool themed = ThemeAware() && ThemeServices()->GetThemesEnabled();
    if (themed) {
        ThemeServices()->DrawElement(canvas, GetElementDetails(tsStatusRoot), {0, 0, width(), height()});
        if (simpleStatus_ && !simpleCaption_.isEmpty()) {
            canvas.Font = font();
            ThemeServices()->DrawText(canvas, GetElementDetails(tsStatusRoot), simpleCaption_,
                                      ClientAreaForChildren(), DT_VCENTER | DT_SINGLELINE);
        }
    } else {
        TFcCustomPanel::Paint(canvas);
        TRect r = ClientAreaForChildren();
        r.Bottom -= 1;
        if (simpleStatus_) {
            DrawSimpleStatusBorder(canvas, r);
            r = r.Inflated(-1, -1);
            if (!simpleCaption_.isEmpty()) {
                canvas.Font = font();
                canvas.FontColor = FontColor();
                canvas.Brush.Style = TBrushStyle::Solid;
                canvas.Brush.Color = Color();
                canvas.BkMode = TBkMode::Opaque;
                canvas.TextAlign = TA_LEFT;
                const int y = r.Top + (r.Height() - canvas.TextHeight(QStringLiteral("Pp"))) / 2;
                canvas.TextRect(r, r.Left + 2, y, simpleCaption_);
            }
        }
    }
    DrawSizeGrip(canvas);
}

void TFcStatusBar::DrawSimpleStatusBorder(TFcCanvas& canvas, TRect r)
{
    if (ThemeAware() && ThemeServices()->GetThemesEnabled()) {
        ThemeServices()->DrawElement(canvas, GetElementDetails(tsPane), r);
        return;
    }
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
    canvas.Pen.Width = 1;
    canvas.Pen.Style = TPenStyle::Solid;
    if (simpleFrameStyle_ == fsFlat) {
        DrawOpenCornerFrame(canvas, r, AdjustColor(FlatColor(), FlatColorAdjustment()));
    } else {
        DrawBorder(canvas, r, simpleFrameStyle_);
    }
}

void TFcStatusBar::DrawSizeGrip(TFcCanvas& canvas)
{
    if (!GripUsable())
        return;
    TRect r = ClientAreaForChildren();
    r.Bottom -= 1;
    if (ThemeAware() && ThemeServices()->GetThemesEnabled()) {
        ThemeServices()->DrawElement(canvas, GetElementDetails(tsGripper), {r.Right - 20, r.Top, r.Right, r.Bottom});
        return;
    }
    const TGripSquares squares = GripSquares(r);
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = clBtnHighlight;
    for (const TPoint& p : squares.Light)
        canvas.FillRect({p.x, p.y, p.x + 2, p.y + 2});
    canvas.Brush.Color = clBtnShadow;
    for (const TPoint& p : squares.Dark)
        canvas.FillRect({p.x, p.y, p.x + 2, p.y + 2});
}

void TFcStatusBar::resizeEvent(QResizeEvent* event)
{
    TFcCustomPanel::resizeEvent(event);
    const TRect grip = GripRect();
    gripOverlay_->setGeometry(grip.Left, grip.Top, grip.Width(), grip.Height());
    gripOverlay_->raise();
    const int w = width();
    if (firstResize_) {
        firstResize_ = false;
        lastWidthChange_ = 0;
        lastWidth_ = w;
        return;
    }
    lastWidthChange_ = w - lastWidth_;
    QList<QWidget*> children;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != gripOverlay_ && !child->isWindow())
            children.append(child);
    }
    if (autoScalePanes_ && !children.isEmpty() && lastWidthChange_ != 0) {
        std::vector<int> widths;
        for (QWidget* child : children)
            widths.push_back(child->width());
        const std::vector<int> scaled = ScalePaneWidths(widths, lastWidth_, w);
        for (qsizetype i = 0; i < children.size(); ++i)
            children[i]->resize(scaled[static_cast<size_t>(i)], children[i]->height());
        Realign();
    }
    lastWidth_ = w;
}

bool TFcStatusBar::event(QEvent* event)
{
    const bool handled = TFcCustomPanel::event(event);
    if (event->type() == QEvent::ChildAdded && gripOverlay_)
        gripOverlay_->raise();
    return handled;
}

void TFcStatusBar::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && GripUsable() && RectContains(GripRect(), p.x(), p.y())) {
        StartGripResize();
        event->accept();
        return;
    }
    TFcCustomPanel::mousePressEvent(event);
}

void TFcStatusBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (GripUsable() && RectContains(GripRect(), p.x(), p.y()))
        setCursor(Qt::SizeFDiagCursor);
    else
        unsetCursor();
    TFcCustomPanel::mouseMoveEvent(event);
}

}  // namespace tw::controls
