#pragma once
// Presses a bitmap button with the mouse as a user does. The button takes a
// press only when it can take the focus, and an offscreen window gets the
// focus only once it is active, so the window is made active first. A button
// of a window that is not shown or cannot become active (a dialog driven
// without opening it) can take no press at all and is clicked directly.

#include "controls/buttons/fcbitbtn.h"

#include <QTest>

namespace tw::app::testing {

inline void PressButton(controls::TFcBitBtn* button)
{
    QWidget* window = button->window();
    if (window->isVisible() && !window->isActiveWindow()) {
        window->activateWindow();
        QTest::qWaitForWindowActive(window, 200);
    }
    if (window->isActiveWindow())
        QTest::mouseClick(button, Qt::LeftButton);
    else
        button->Click();
}

}  // namespace tw::app::testing
