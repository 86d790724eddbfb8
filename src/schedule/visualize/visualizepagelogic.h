#pragma once
// The Visualize page's logic put together once over the chart model and the
// data module's cursors: the page widget owns one and connects the chart's
// events and its buttons to it, and answers for its window; tests and
// benchmarks make their own. Without links the logic stands detached.

#include "schedule/visualize/chartadjust.h"
#include "schedule/visualize/chartbuilder.h"
#include "schedule/visualize/chartdates.h"
#include "schedule/visualize/charthandlers.h"
#include "schedule/visualize/dependencysetup.h"
#include "schedule/visualize/detachedpage.h"
#include "schedule/visualize/taskstatusbar.h"
#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

class VisualizePageLogic {
public:
    VisualizePageLogic(TChart& rac, const ChartTables& tables, data::MainScreenState& state,
                       data::ChartDisplay& display, data::UserInterface& ui,
                       const data::JobStatusTexts& statusTexts, const schedule::WorkCalendar& loadedCalendar,
                       const PageLinks& links)
        : Tables(tables),
          Detached(loadedCalendar),
          Context{rac,        Tables,      state,    display, ui,          links.View,    links.Schedule,
                  links.Time, links.Pages, Controls, Chart,   statusTexts, loadedCalendar}
    {}
    // Detached, with a display of its own (the members are made in order, so
    // Detached is whole when the context takes it).
    VisualizePageLogic(TChart& rac, const ChartTables& tables, data::MainScreenState& state,
                       data::UserInterface& ui, const data::JobStatusTexts& statusTexts,
                       const schedule::WorkCalendar& loadedCalendar)
        : Tables(tables),
          Detached(loadedCalendar),
          Context{rac,      Tables, state,       Detached.Display, ui, Detached, Detached, Detached, Detached,
                  Controls, Chart,  statusTexts, loadedCalendar}
    {}
    VisualizePageLogic(const VisualizePageLogic&) = delete;
    VisualizePageLogic& operator=(const VisualizePageLogic&) = delete;

    ChartTables Tables;
    DetachedPage Detached;
    PageControls Controls;
    ChartState Chart;
    VisualizeContext Context;
    ChartDates Dates{Context};
    ChartBuilder Builder{Context, Dates};
    TaskStatusBar Status{Context};
    DependencySetup Dependencies{Context};
    ChartAdjuster Adjuster{Context, Dates, Builder, Status};
    ChartHandlers Handlers{Context, Dates, Builder, Status, Dependencies};
};

}  // namespace tw::visualize
