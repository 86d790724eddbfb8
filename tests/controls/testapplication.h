#pragma once
// One QApplication for the control tests, made before the first widget.

#include <QApplication>

namespace tw::controls::testing {

inline QApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "tw_controls_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may be gone by the time it would be.
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// The first member of a fixture that holds widgets.
struct ApplicationInUse {
    ApplicationInUse() { TestApplication(); }
};

}  // namespace tw::controls::testing
