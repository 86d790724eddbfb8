#pragma once
// The Visualize page's logic put together once over the chart model and the
// data module's cursors: the page widget owns one and connects the chart's
// events, its buttons and the hooks to it; tests and benchmarks make their own.

#include "schedule/visualize/chartadjust.h"
#include "schedule/visualize/chartbuilder.h"
#include "schedule/visualize/chartdates.h"
#include "schedule/visualize/charthandlers.h"
#include "schedule/visualize/dependencysetup.h"
#include "schedule/visualize/taskstatusbar.h"
#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

class VisualizePageLogic {
public:
    VisualizePageLogic(TChart& rac, const ChartTables& tables, data::MainScreenState& state,
                       data::UserInterface& ui, const data::JobStatusTexts& statusTexts,
                       const schedule::WorkCalendar& loadedCalendar)
        : Tables(tables),
          Context{rac, Tables, state, ui, Hooks, Controls, Chart, statusTexts, loadedCalendar}
    {}
    VisualizePageLogic(const VisualizePageLogic&) = delete;
    VisualizePageLogic& operator=(const VisualizePageLogic&) = delete;

    ChartTables Tables;
    VisualizeHooks Hooks;
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
