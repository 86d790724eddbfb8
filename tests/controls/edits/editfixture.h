#pragma once
// Shared set-up of the edit tests: visual styles off, the classic colour
// table, the fixed test font, a shown and active host window, and pictures of
// grabbed pixels as text so that a failure shows what was drawn.

#include "../buttons/buttonfixture.h"

#include "controls/edits/fcedit.h"
#include "controls/edits/fcmemo.h"

#include <QApplication>
#include <QTest>

namespace tw::controls::testing {

// What the widget shows on screen, its children (frame, button) included.
inline QImage Grab(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct EditFixture : ButtonFixture {
    // An edit on the host, at (10, 10) in the size given.
    template <typename Edit = TFcEdit>
    Edit* Make(int w = 60, int h = 21)
    {
        auto* edit = new Edit(&host);
        edit->setGeometry(10, 10, w, h);
        edit->show();
        return edit;
    }
    // The edit under the mouse, as the window system says it.
    static void Hover(QWidget* w) { Enter(w); }
    static void Unhover(QWidget* w) { Leave(w); }
};

// The legend of the frame tests: the classic colours and the window colour.
inline const std::map<char, TColor>& Frames()
{
    static const std::map<char, TColor> legend = {
        {'F', clBtnFace}, {'W', clBtnHighlight}, {'K', cl3DDkShadow}, {'L', cl3DLight},
        {'S', clBtnShadow}, {'T', clBtnText}, {'.', clWindow},
    };
    return legend;
}

}  // namespace tw::controls::testing
