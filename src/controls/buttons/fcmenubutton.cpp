#include "controls/buttons/fcmenubutton.h"

#include "controls/foundation/fcplacement.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>

namespace tw::controls {

namespace {

constexpr int kArrowWidth = 14;
constexpr qint64 kReopenGuardMs = 100;

qint64 SteadyMilliseconds()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    // Never 0: 0 means "no menu has closed yet".
    return timer.elapsed() + 1;
}

}  // namespace

TFcMenuButton::TFcMenuButton(QWidget* parent)
    : TFcBitBtn(parent)
{
    resize(110, height());
    Popup = [](QMenu* menu, QPoint at) { menu->exec(at); };
    Clock = &SteadyMilliseconds;
}

void TFcMenuButton::SetDropDownMenu(QMenu* menu)
{
    menu_ = menu;
}

void TFcMenuButton::SetShowArrow(bool value)
{
    Store(showArrow_, value);
}

void TFcMenuButton::DropDown()
{
    if (OnDropDown)
        OnDropDown(menu_);
    emit dropDown();
}

QPoint TFcMenuButton::DropDownPoint() const
{
    QPoint p = mapToGlobal(QPoint(0, height()));
    const int w = MenuWidthEstimate(menu_);
    int limit = 0;
    if (QScreen* screen = MonitorAt(p))
        limit = GetMonitorWorkArea(screen).Right;
    else
        limit = GetActiveWorkAreaWidth(parentWidget());
    if (p.x() + w > limit)
        p.rx() -= w - width();
    return p;
}

void TFcMenuButton::DoDropDown()
{
    if (!menu_)
        return;
    DropDown();
    if (!menu_)
        return;
    const QPoint at = DropDownPoint();
    Popup(menu_, at);
}

void TFcMenuButton::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    TFcBitBtn::MouseDown(button, modifiers, pos);
    if (!menu_ || button != Qt::LeftButton || modifiers != Qt::NoModifier)
        return;
    const qint64 now = Clock();
    if (lastDropTime_ != 0 && now < lastDropTime_ + kReopenGuardMs) {
        // The press that closed the menu by clicking on the button.
        swallowClick_ = true;
        lastDropTime_ = 0;
    } else {
        DoDropDown();
        swallowClick_ = true;
        lastDropTime_ = Clock();
    }
    // The pressed look ends now; a release inside makes the click that the
    // swallow mark then takes.
    TFcBitBtn::MouseUp(button, modifiers, pos);
}

void TFcMenuButton::Click()
{
    if (swallowClick_) {
        swallowClick_ = false;
        return;
    }
    if (menu_ && !KeyClick()) {
        MouseDown(Qt::LeftButton, Qt::NoModifier, QPoint(0, 0));
        return;
    }
    TFcBitBtn::Click();
}

void TFcMenuButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier) {
        DoDropDown();
        swallowClick_ = true;
        event->accept();
        return;
    }
    TFcBitBtn::keyPressEvent(event);
}

TRect TFcMenuButton::GetCaptionRect() const
{
    TRect r = TFcBitBtn::GetCaptionRect();
    if (showArrow_)
        r.Right -= kArrowWidth;
    return r;
}

TRect TFcMenuButton::GetGlyphRect()
{
    TRect r = TFcBitBtn::GetGlyphRect();
    if (showArrow_) {
        if (Layout() == blGlyphRight)
            r = r.Moved(-kArrowWidth, 0);
        else if (Layout() == blGlyphTop || Layout() == blGlyphBottom)
            r = r.Moved(-kArrowWidth / 2, 0);
    }
    return r;
}

void TFcMenuButton::Paint(TFcCanvas& canvas)
{
    TFcBitBtn::Paint(canvas);
    if (!showArrow_)
        return;
    const TColor colour = isEnabled() ? clWindowText : clBtnShadow;
    int x = width() - 12;
    int y = height() / 2 + 2;
    if (Pressed()) {
        ++x;
        ++y;
    }
    canvas.Pen = TFcPen{colour};
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = colour;
    canvas.Polygon({{x, y}, {x - 3, y - 3}, {x + 3, y - 3}});
}

int MenuWidthEstimate(const QMenu* menu)
{
    if (!menu)
        return 56;
    const QFontMetrics metrics(QApplication::font("QMenu"));
    int widest = 0;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        widest = std::max(widest, metrics.horizontalAdvance(StripAccelerator(action->text())));
    }
    return widest + 56;
}

QScreen* MonitorAt(QPoint point)
{
    const auto screens = QGuiApplication::screens();
    for (QScreen* screen : screens) {
        const TRect bounds = GetMonitorBoundsRect(screen);
        if (point.x() >= bounds.Left && point.x() < bounds.Right && point.y() >= bounds.Top
            && point.y() < bounds.Bottom)
            return screen;
    }
    return nullptr;
}

}  // namespace tw::controls
