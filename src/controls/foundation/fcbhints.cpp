#include "controls/foundation/fcbhints.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fctextmetrics.h"

#include <QApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QPainter>
#include <QScreen>

namespace tw::controls {

void TFcBalloonBitmaps::SetBitmap(TFcHintCorner corner, const QImage& image)
{
    switch (corner) {
    case hcLowerRight: LowerRight = image; break;
    case hcLowerLeft: LowerLeft = image; break;
    case hcUpperLeft: UpperLeft = image; break;
    case hcUpperRight: UpperRight = image; break;
    }
    emit OnChange();
}

const QImage& TFcBalloonBitmaps::Bitmap(TFcHintCorner corner) const
{
    switch (corner) {
    case hcLowerRight: return LowerRight;
    case hcLowerLeft: return LowerLeft;
    case hcUpperLeft: return UpperLeft;
    default: return UpperRight;
    }
}

bool TFcBalloonBitmaps::AnyImage() const
{
    return !LowerRight.isNull() || !LowerLeft.isNull() || !UpperLeft.isNull() || !UpperRight.isNull();
}

// ---------------------------------------------------------------------------

TFcBalloonHints::TFcBalloonHints(QObject* owner) : QObject(owner), font_(DefaultControlFont())
{
    // Every tool tip of the application passes through us from now on.
    if (qApp)
        qApp->installEventFilter(this);
    pauseTimer_.setSingleShot(true);
    connect(&pauseTimer_, &QTimer::timeout, this, &TFcBalloonHints::ShowPendingHint);
    auto* window = new TFcCustomHintWindow;
    MakeConnection(window);
}

TFcBalloonHints::~TFcBalloonHints()
{
    if (qApp)
        qApp->removeEventFilter(this);
    delete window_.data();
}

void TFcBalloonHints::MakeConnection(TFcCustomHintWindow* window)
{
    if (!window)
        return;
    window_ = window;
    window->connection_ = this;
    window->CaptionWidth = captionWidth_;
    window->Color = color_;
    window->Corner = corner_;
    window->Alignment = alignment_;
    window->OnSetHintWinSize = OnSetHintWinSize;
    window->OnSetHintRect = OnSetHintRect;
    window->Font = font_;
    connect(&bitmaps_, &TFcBalloonBitmaps::OnChange, window, qOverload<>(&QWidget::update));
}

void TFcBalloonHints::BreakConnection(TFcCustomHintWindow* window)
{
    if (window && window_ == window) {
        disconnect(&bitmaps_, nullptr, window, nullptr);
        window->connection_ = nullptr;
        window_ = nullptr;
    }
}

void TFcBalloonHints::SetAlignment(TAlignment value)
{
    alignment_ = value;
    if (window_)
        window_->Alignment = value;
}

void TFcBalloonHints::SetCaptionWidth(int value)
{
    captionWidth_ = value;
    if (window_)
        window_->CaptionWidth = value;
}

void TFcBalloonHints::SetColor(TColor value)
{
    color_ = value;
    if (window_)
        window_->Color = value;
}

void TFcBalloonHints::SetCorner(TFcHintCorner value)
{
    corner_ = value;
    if (window_)
        window_->Corner = value;
}

void TFcBalloonHints::SetFont(const QFont& font)
{
    font_ = font;
    if (window_)
        window_->Font = font;
}

void TFcBalloonHints::SetShadow(bool value)
{
    shadow_ = value;
    if (window_)
        window_->update();
}

void TFcBalloonHints::SetShowBalloon(bool value)
{
    showBalloon_ = value;
    if (window_)
        window_->update();
}

bool TFcBalloonHints::eventFilter(QObject* watched, QEvent* event)
{
    if (pauseTimer_.isActive() && CancelsPendingHint(watched, *event)) {
        pauseTimer_.stop();
        pendingControl_ = nullptr;
    }
    if (event->type() != QEvent::ToolTip || !window_ || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->toolTip().isEmpty())
        return false;  // let it go up to the parent, as standard tips do
    const QPoint at = static_cast<QHelpEvent*>(event)->pos();
    pendingControl_ = widget;
    pendingPos_ = {at.x(), at.y()};
    const int pause = window_->ShownWithin(hintPause_) ? hintShortPause_ : hintPause_;
    if (pause > 0)
        pauseTimer_.start(pause);
    else
        ShowPendingHint();
    return true;  // the standard tool tip stays away
}

// What the user does before the pause is over means the hint is not wanted:
// a key, a click, the wheel, or the mouse leaving the control.
bool TFcBalloonHints::CancelsPendingHint(QObject* watched, const QEvent& event) const
{
    if (TFcCustomHintWindow::IsHintMsg(event))
        return true;
    return watched == pendingControl_ && (event.type() == QEvent::Leave || event.type() == QEvent::Hide);
}

void TFcBalloonHints::ShowPendingHint()
{
    QWidget* widget = pendingControl_;
    pendingControl_ = nullptr;
    if (!widget || !window_)
        return;
    QString hint = widget->toolTip();
    if (hint.isEmpty())
        return;
    THintInfo info;
    info.HintControl = widget;
    info.CursorPos = pendingPos_;
    bool canShow = true;
    window_->DoShowHint(hint, canShow, info);
    if (canShow && !hint.isEmpty()) {
        window_->info_ = info;
        window_->ActivateHint(window_->CalcHintRect(info.HintMaxWidth, hint), hint);
    }
}

// ---------------------------------------------------------------------------

TFcCustomHintWindow::TFcCustomHintWindow(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint),
      Font(DefaultControlFont())
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &TFcCustomHintWindow::ReleaseHint);
}

TFcCustomHintWindow::~TFcCustomHintWindow()
{
    if (qApp)
        qApp->removeEventFilter(this);
    if (connection_)
        connection_->BreakConnection(this);
}

bool TFcCustomHintWindow::Balloon() const
{
    return connection_ && connection_->ShowBalloon();
}
bool TFcCustomHintWindow::HasShadow() const
{
    return connection_ && connection_->Shadow();
}

void TFcCustomHintWindow::DoShowHint(QString& hint, bool& canShow, THintInfo& info)
{
    if (!connection_)
        return;
    info.HintColor = connection_->Color();
    canShow = true;
    info.HintMaxWidth = connection_->CaptionWidth();
    if (connection_->OnShowHint)
        connection_->OnShowHint(hint, canShow, info);
    info_ = info;
}

TRect TFcCustomHintWindow::CalcHintRect(int maxWidth, const QString& hint)
{
    QImage scratch = MakeBitmap(1, 1);
    TFcCanvas canvas(scratch);
    canvas.Font = Font;
    TRect r{0, 0, maxWidth > 0 ? maxWidth : CaptionWidth, 0};
    canvas.DrawText(hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6;
    r.Bottom += 2;
    if (OnSetHintRect)
        OnSetHintRect(this, canvas, r, hint, cornerInUse_);
    return r;
}

void TFcCustomHintWindow::ActivateHint(TRect rect, const QString& hint)
{
    Caption = hint;
    QImage scratch = MakeBitmap(1, 1);
    TFcCanvas canvas(scratch);
    canvas.Font = Font;
    if (OnSetHintRect)
        OnSetHintRect(this, canvas, rect, hint, Corner);
    const bool balloon = Balloon();
    if (!balloon)
        Corner = hcLowerRight;
    rect = BalloonWindowRect(rect, Corner, balloon, HasShadow());

    TPoint p{0, 0};
    if (info_.HintControl) {
        const QPoint global = info_.HintControl->mapToGlobal(QPoint(info_.CursorPos.x, info_.CursorPos.y));
        p = {global.x(), global.y()};
    } else {
        p = {x(), y()};
    }
    int w = std::max(rect.Width(), kMinHintWidth);
    int h = rect.Height();
    if (OnSetHintWinSize) {
        OnSetHintWinSize(this, canvas, w, h, hint, Corner);
        w = std::max(w, kMinHintWidth);
    }
    QScreen* screen = QGuiApplication::screenAt(QPoint(p.x, p.y));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect g = screen ? screen->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
    const THintPlacement place =
        PlaceHint(p, w, h, Corner, {g.left(), g.top(), g.right() + 1, g.bottom() + 1});
    cornerInUse_ = place.corner;
    active_ = true;
    setGeometry(place.x, place.y, w, h);
    qApp->installEventFilter(this);
    show();
    raise();
    update();
    if (connection_)
        hideTimer_.start(connection_->HintHidePause());
}

bool TFcCustomHintWindow::ShownWithin(int ms) const
{
    return active_ || (released_.isValid() && released_.elapsed() < ms);
}

void TFcCustomHintWindow::ReleaseHint()
{
    if (active_)
        released_.start();
    active_ = false;
    hideTimer_.stop();
    if (qApp)
        qApp->removeEventFilter(this);
    hide();
}

bool TFcCustomHintWindow::IsHintMsg(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ApplicationActivate:
    case QEvent::ApplicationDeactivate:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: return true;
    default: return false;  // mouse moves keep the hint open
    }
}

bool TFcCustomHintWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (active_) {
        if (IsHintMsg(*event)) {
            ReleaseHint();
        } else if (event->type() == QEvent::MouseMove && info_.HintControl) {
            // Leaving a 4 by 4 box round the point the hint refers to closes it.
            const QPoint anchor =
                info_.HintControl->mapToGlobal(QPoint(info_.CursorPos.x, info_.CursorPos.y));
            const QPoint now = QCursor::pos();
            if (std::abs(now.x() - anchor.x()) > 2 || std::abs(now.y() - anchor.y()) > 2)
                ReleaseHint();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFcCustomHintWindow::DrawBitmapBalloon(TFcCanvas& canvas)
{
    const TFcBalloonBitmaps& b = connection_->Bitmaps();
    QImage image = b.Bitmap(cornerInUse_);
    if (image.isNull()) {
        // The first picture there is, mirrored to the corner in use.
        static constexpr TFcHintCorner order[] = {hcLowerRight, hcLowerLeft, hcUpperLeft, hcUpperRight};
        for (TFcHintCorner c : order) {
            if (b.Bitmap(c).isNull())
                continue;
            const bool leftOf = [](TFcHintCorner k) { return k == hcLowerLeft || k == hcUpperLeft; }(c);
            const bool wantLeft = cornerInUse_ == hcLowerLeft || cornerInUse_ == hcUpperLeft;
            image = b.Bitmap(c).mirrored(leftOf != wantLeft, IsLowerCorner(c) != IsLowerCorner(cornerInUse_));
            break;
        }
    }
    DrawTransparentBitmap(canvas, image, {0, 0, width(), height()}, {0, 0, image.width(), image.height()},
                          b.TransparentColor);
}

void TFcCustomHintWindow::DrawBalloon(TFcCanvas& canvas, TRect r)
{
    if (OnSetHintRect)
        OnSetHintRect(this, canvas, r, Caption, cornerInUse_);
    if (connection_ && connection_->Bitmaps().AnyImage()) {
        DrawBitmapBalloon(canvas);
        return;
    }
    const TRect cr{0, 0, width(), height()};
    const bool shadow = HasShadow();
    if (Balloon()) {
        if (shadow) {
            canvas.Pen.Style = TPenStyle::Clear;
            canvas.Brush.Color = clBtnShadow;
            const TRect s2 = r.Moved(2, 2), s1 = r.Moved(1, 1);
            canvas.RoundRect(s2.Left, s2.Top, s2.Right, s2.Bottom, 10, 10);
            canvas.Brush.Color = cl3DDkShadow;
            canvas.RoundRect(s1.Left, s1.Top, s1.Right, s1.Bottom, 10, 10);
            canvas.Pen.Style = TPenStyle::Solid;
        }
        canvas.Pen.Color = clInfoText;
        canvas.Brush.Color = Color;
        canvas.RoundRect(r.Left, r.Top, r.Right, r.Bottom, 10, 10);

        std::vector<TPoint> tail;
        TRect join;
        switch (cornerInUse_) {
        case hcUpperRight:
            tail = {{r.Left + 10, r.Bottom - 2}, {r.Left + 10, cr.Bottom - 2}, {r.Left + 30, r.Bottom - 2}};
            join = {r.Left + 10, r.Bottom - 2, r.Left + 31, r.Bottom};
            break;
        case hcUpperLeft:
            tail = {
                {r.Right - 10, r.Bottom - 2}, {r.Right - 10, cr.Bottom - 2}, {r.Right - 30, r.Bottom - 2}};
            join = {r.Right - 30, r.Bottom - 2, r.Right - 9, r.Bottom};
            break;
        case hcLowerRight:
            tail = {{r.Left + 10, r.Top + 1}, {r.Left + 10, cr.Top + 1}, {r.Left + 30, r.Top + 1}};
            join = {r.Left + 10, r.Top, r.Left + 31, r.Top + 2};
            break;
        case hcLowerLeft:
            tail = {{r.Right - 10, r.Top + 1}, {r.Right - 10, cr.Top + 1}, {r.Right - 30, r.Top + 1}};
            join = {r.Right - 30, r.Top, r.Right - 9, r.Top + 2};
            break;
        }
        if (shadow) {
            canvas.Pen.Style = TPenStyle::Clear;
            for (int d : {2, 1}) {
                std::vector<TPoint> moved = tail;
                for (TPoint& pt : moved)
                    pt = {pt.x + d, pt.y + d};
                canvas.Brush.Color = d == 2 ? clBtnShadow : cl3DDkShadow;
                canvas.Polygon(moved);
            }
            canvas.Pen.Style = TPenStyle::Solid;
        }
        canvas.Pen.Color = clInfoText;
        canvas.Brush.Color = clInfoBk;
        canvas.Polygon(tail);
        canvas.FillRect(join);
    } else {
        canvas.Rectangle(r);
        if (connection_ && shadow) {
            const TRect inner = DrawSides(canvas, r, clBtnHighlight, clBlack, kAllSides);
            DrawSides(canvas, inner, Color, clBtnShadow, kAllSides);
        } else {
            DrawSides(canvas, r, clInfoText, clInfoText, kAllSides);
        }
    }

    TRect text = r;
    if (Balloon())
        text = r.Inflated(-4, -4);
    else if (Alignment == taLeftJustify)
        text = r.Moved(2, 2);
    else if (Alignment == taRightJustify)
        text = r.Moved(-2, 2);
    else
        text = r.Moved(0, 2);
    canvas.BkMode = TBkMode::Transparent;
    canvas.Font = Font;
    canvas.FontColor = clInfoText;
    canvas.DrawText(Caption, text, DrawTextAlignments[Alignment] | DT_NOPREFIX | DT_WORDBREAK);
}

QImage TFcCustomHintWindow::Render()
{
    QImage image(std::max(width(), 1), std::max(height(), 1), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    TFcCanvas canvas(image);
    const TRect r = BalloonBodyRect({0, 0, width(), height()}, cornerInUse_, Balloon(), HasShadow());
    canvas.Brush.Color = Color;
    canvas.Pen.Color = clBlack;
    canvas.Pen.Width = 1;
    canvas.Font = Font;
    DrawBalloon(canvas, r);
    return image;
}

void TFcCustomHintWindow::paintEvent(QPaintEvent*)
{
    const QImage image = Render();
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image);
}

}  // namespace tw::controls
