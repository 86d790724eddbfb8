#pragma once
// What every feature unit of the main window is built on: the session it
// works on, the window's user interface (message boxes, status bar,
// hourglass), the window places the shutdown saves, and the window that owns
// its dialogs. A feature unit wires one page or dialog family to its
// window-free logic and to the session; the main window only lays the pages
// out and hands each to its unit, with the interfaces of the units it needs
// (the <unit>unit.h headers beside them).
//
//   FeatureContext context{session, ui, layout, *this};
//   WorkCalendarFeature calendar(context, area, areaLayout);
//   VisualizeFeature visualize(context, calendar, container, containerLayout);

#include <exception>
#include <utility>

#include "app/session/appsession.h"
#include "app/windowlayout.h"
#include "data/services/userinterface.h"

class QWidget;

namespace tw::app {

struct FeatureContext {
    AppSession& Session;
    data::UserInterface& UI;
    WindowLayout& Layout;
    QWidget& Window;  // owner of the dialogs
};

// Runs one piece of an event handler's work; a failure reaches the user as
// its own text in an "Error" box and goes no further up, so that no event
// handler of the program lets an exception out into the event loop.
template <typename Work>
void ShowingErrors(data::UserInterface& ui, Work&& work)
{
    try {
        std::forward<Work>(work)();
    } catch (const std::exception& e) {
        ui.ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
    }
}

}  // namespace tw::app
