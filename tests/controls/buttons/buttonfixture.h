#pragma once
// Shared set-up of the button tests: visual styles off, the classic colour
// table, one fixed bitmap font, a shown and active host window, and pictures
// of rendered pixels as text so that a failure shows what was drawn.

#include "../testapplication.h"

#include "controls/base/fcformkeys.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fccolor.h"
#include "controls/foundation/fcthemesrv.h"

#include <QEnterEvent>
#include <QFont>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tw::controls::testing {

using Rows = std::vector<std::string>;

// A font every machine with the project's packages draws the same way.
inline QFont FixedTestFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// One string per row; the legend maps colours to characters, anything else '?'.
inline Rows Art(const QImage& image, const std::map<char, TColor>& legend, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    Rows rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::string row;
        for (int x = area.left(); x <= area.right(); ++x) {
            const TColor c = FromRgb32(image.pixel(x, y));
            char ch = '?';
            for (const auto& [key, colour] : legend) {
                if (ColorToRGB(colour) == c) {
                    ch = key;
                    break;
                }
            }
            row += ch;
        }
        rows.push_back(row);
    }
    return rows;
}

// The bounding box of the pixels of one colour, empty when there are none.
inline QRect Extent(const QImage& image, TColor colour)
{
    const QRgb wanted = ToRgb32(colour);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == wanted)
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

inline int Count(const QImage& image, TColor colour, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    const QRgb wanted = ToRgb32(colour);
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == wanted;
    return n;
}

inline void Enter(QWidget* widget)
{
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(widget, &enter);
}

inline void Leave(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}

struct ButtonFixture : ::testing::Test {
    ButtonFixture()
    {
        TestApplication();
        SetSystemColors(ClassicSystemColors());
        SetVisualStylesEnabled(false);
        host.setFont(FixedTestFont());
        host.resize(400, 300);
    }
    ~ButtonFixture() override { SetSystemColors(ClassicSystemColors()); }

    // Shows the host and makes it the active window, for focus and the mouse.
    void ShowHost()
    {
        host.show();
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    }
    void FocusOn(QWidget* widget)
    {
        widget->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), widget);
    }

    QWidget host;
};

// The legend of the classic colours.
inline const std::map<char, TColor>& Classic()
{
    static const std::map<char, TColor> legend = {
        {'F', clBtnFace}, {'W', clBtnHighlight}, {'K', cl3DDkShadow}, {'L', cl3DLight},
        {'S', clBtnShadow}, {'T', clBtnText},
    };
    return legend;
}

}  // namespace tw::controls::testing
