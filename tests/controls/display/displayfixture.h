#pragma once
// Shared by the display tests: classic colours, visual styles off, and a
// mouse event sent straight to a widget (with buttons held, which QTest's
// mouse moves cannot carry).
#include "controls/panels/pixelart.h"
#include <QApplication>
#include <QMouseEvent>
namespace tw::controls::testing {
inline void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
}  // namespace tw::controls::testing
