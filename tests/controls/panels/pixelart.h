#pragma once
// Pixel and behaviour tests of the panels, choices and labels: classic
// colours and visual styles off (the draw fixture), the pictures and counts
// of the button tests, and a shown, active form with the library's key
// routing for focus, mouse and accelerators.

#include "controls/buttons/buttonfixture.h"
#include "controls/foundation/drawfixture.h"

#include "controls/base/fcformkeys.h"

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <type_traits>

namespace tw::controls::testing {

inline TColor PixelOf(const QImage& image, int x, int y)
{
    return FromRgb32(image.pixel(x, y));
}

// Widgets in classic colours with visual styles off.
struct WidgetFixture : DrawFixture {};

// Controls stacked in a window that routes the form's keys.
struct FormFixture : WidgetFixture {
    FormFixture()
    {
        layout = new QVBoxLayout(&window);
        TFcFormKeys::Install(&window);
    }
    // A control of the form; library controls get the caption.
    template <typename T>
    T* Add(const QString& caption = QString())
    {
        auto* w = new T(&window);
        if constexpr (std::is_base_of_v<TFcControl, T>)
            w->SetCaption(caption);
        layout->addWidget(w);
        return w;
    }
    // Shows the form as the active window, for focus and the mouse.
    void Show()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget window;
    QVBoxLayout* layout = nullptr;
};

}  // namespace tw::controls::testing
