#pragma once
// Checks that no caption of a window's library controls is cut: every shown
// button, choice, group and pane is at least as wide as its caption needs.

#include "controls/base/fccontrol.h"
#include "controls/choices/fcglyphbutton.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace tw::app::testing {

inline void ExpectCaptionsWhole(QWidget* root)
{
    for (auto* control : root->findChildren<controls::TFcControl*>()) {
        if (!control->isVisibleTo(root) || control->Caption().isEmpty())
            continue;
        const QSize hint = control->sizeHint();
        if (!hint.isValid())
            continue;
        // A choice needs its glyph and text; the room for its focus border
        // beyond the text may be given up.
        const int slack = qobject_cast<controls::TFcCustomGlyphButton*>(control) ? 4 : 0;
        EXPECT_GE(control->width(), hint.width() - slack)
            << control->objectName().toStdString() << " \"" << control->Caption().toStdString() << "\"";
    }
}

}  // namespace tw::app::testing
