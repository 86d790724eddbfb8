#include "controls/foundation/fcplacement.h"

#include "controls/foundation/fctextmetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tw::controls {

TRect ToTRect(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

TRect GetDesktopClientRect()
{
    // The window system already leaves its panels out of the available area.
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? ToTRect(screen->availableVirtualGeometry()) : TRect{0, 0, 1024, 768};
}

namespace {

const QScreen* NearestScreen(const QWidget* control)
{
    if (control) {
        const QWidget* window = control->window();
        const QPoint centre = window->mapToGlobal(window->rect().center());
        if (QScreen* s = QGuiApplication::screenAt(centre))
            return s;
        if (window->screen())
            return window->screen();
    }
    return QGuiApplication::primaryScreen();
}

TRect ScreenBounds(const QWidget* w)
{
    if (w->isWindow())
        return ToTRect(w->frameGeometry());
    const QPoint topLeft = w->mapToGlobal(QPoint(0, 0));
    return {topLeft.x(), topLeft.y(), topLeft.x() + w->width(), topLeft.y() + w->height()};
}

void Centre(const QWidget* control, const TRect& reference, const TRect& work, int& left, int& top)
{
    const TPlacement p = CenterInWorkArea(reference, control->width(), control->height(), work);
    left = p.Left;
    top = p.Top;
}

}  // namespace

TRect GetMonitorWorkArea(const QScreen* monitor)
{
    return monitor ? ToTRect(monitor->availableGeometry()) : GetDesktopClientRect();
}

TRect GetMonitorBoundsRect(const QScreen* monitor)
{
    return monitor ? ToTRect(monitor->geometry()) : GetDesktopClientRect();
}

TRect GetActiveWorkArea(const QWidget* control)
{
    return GetMonitorWorkArea(NearestScreen(control));
}
int GetActiveWorkAreaWidth(const QWidget* control)
{
    return GetActiveWorkArea(control).Width();
}
int GetActiveWorkAreaHeight(const QWidget* control)
{
    return GetActiveWorkArea(control).Height();
}

void CenterToWindow(const QWidget* control, const QWidget* window, int& left, int& top)
{
    Centre(control, ScreenBounds(window), GetActiveWorkArea(window), left, top);
}

void CenterToForm(const QWidget* control, const QWidget* form, int& left, int& top)
{
    Centre(control, ToTRect(form->frameGeometry()), GetActiveWorkArea(form), left, top);
}

void CenterToMDIChild(const QWidget* control, const QWidget* mdiChild, int& left, int& top)
{
    Centre(control, ScreenBounds(mdiChild), GetDesktopClientRect(), left, top);
}

TFcDialogComponent::TFcDialogComponent(QObject* owner) : QObject(owner)
{
    auto* form = qobject_cast<QWidget*>(owner);
    Font = form ? form->font() : DefaultControlFont();
}

void TFcDialogComponent::SetCenterToParent(bool value)
{
    if (value == centerToParent_)
        return;
    centerToParent_ = value;
    Position = value ? poOwnerFormCenter : poScreenCenter;
}

void TFcDialogComponent::CenterForm(QWidget* form) const
{
    if (!form)
        return;
    int left = form->x(), top = form->y();
    switch (Position) {
    case poDesigned:
        left = OriginLeft;
        top = OriginTop;
        break;
    case poOwnerFormCenter:
    case poMainFormCenter:
        if (const QWidget* owner = form->parentWidget() ? form->parentWidget()->window() : nullptr) {
            CenterToForm(form, owner, left, top);
            break;
        }
        [[fallthrough]];
    case poScreenCenter:
    case poDesktopCenter: {
        const TRect work = GetActiveWorkArea(form);
        const TPlacement p = CenterInWorkArea(work, form->width(), form->height(), work);
        left = p.Left;
        top = p.Top;
        break;
    }
    default: return;
    }
    form->move(left, top);
}

}  // namespace tw::controls
