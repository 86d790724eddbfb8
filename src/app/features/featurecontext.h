#pragma once
// What every feature unit of the main window is built on: the session it
// works on, the window's user interface (message boxes, status bar,
// hourglass), the window places the shutdown saves, and the window that owns
// its dialogs. A feature unit wires one page or dialog family to its
// window-free logic and to the session; the main window only lays the pages
// out and hands each to its unit.
//
//   FeatureContext context{session, ui, layout, *this};
//   WorkCalendarFeature calendar(context, features, area, areaLayout);

#include <exception>
#include <utility>

#include "app/session/appsession.h"
#include "app/windowlayout.h"
#include "data/services/userinterface.h"

class QWidget;

namespace tw::app {

class AppearanceFeature;
class CustomerFeature;
class EmailFeature;
class ExchangeFeature;
class PageControl;
class PrintingFeature;
class QueryFeature;
class StartupFeature;
class TQueryPage;
class TaskEditorFeature;
class TimeBlocksFeature;
class UtilitiesFeature;
class VisualizeFeature;
class WorkCalendarFeature;

struct FeatureContext {
    AppSession& Session;
    data::UserInterface& UI;
    WindowLayout& Layout;
    QWidget& Window;  // owner of the dialogs
};

// The feature units of one main window, for what one page asks of another
// (the task editor rebuilds the chart, the print dialog opens the e-mail).
// Filled once every unit exists; the units reach each other only from event
// handlers, never while being built.
struct MainFeatures {
    StartupFeature* Startup = nullptr;
    AppearanceFeature* Appearance = nullptr;
    PageControl* Pages = nullptr;
    WorkCalendarFeature* Calendar = nullptr;
    QueryFeature* Query = nullptr;
    VisualizeFeature* Visualize = nullptr;
    CustomerFeature* Customers = nullptr;
    TaskEditorFeature* Editor = nullptr;
    TimeBlocksFeature* TimeBlocks = nullptr;
    PrintingFeature* Printing = nullptr;
    EmailFeature* Email = nullptr;
    ExchangeFeature* Exchange = nullptr;
    UtilitiesFeature* Utilities = nullptr;
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
