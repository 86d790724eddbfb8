#pragma once
// One offscreen QApplication for the component library's benchmarks, in the
// classic look so that every run paints the same pixels.

#include "controls/foundation/fcthemesrv.h"

#include <QApplication>

namespace tw::controls::bench {

inline QApplication& App()
{
    static int argc = 1;
    static char name[] = "tw_controls_bench";
    static char* argv[] = {name, nullptr};
    static auto* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QApplication(argc, argv);
        SetVisualStylesEnabled(false);
        return a;
    }();
    return *app;
}

}  // namespace tw::controls::bench
