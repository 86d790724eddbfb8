#pragma once
// A QApplication for the tests that make widgets; made before any report
// fixture, which would otherwise make a QGuiApplication.

#include <QApplication>

namespace tw::reports::testing {

struct WidgetsApplication {
    WidgetsApplication()
    {
        static int argc = 1;
        static char name[] = "reports_windows_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QApplication(argc, argv);
    }
};

}  // namespace tw::reports::testing
