#include "schedule/visualize/dependencysetup.h"

#include <algorithm>

#include "data/textroutines.h"
#include "data/updatecount.h"
#include "schedule/visualize/chartbuilder.h"
#include "schedule/visualize/pagesupport.h"

namespace tw::visualize {

void DependencySetup::SetDependenciesClick()
{
    ctx_.Controls.StopButtonEnabled = true;
    ctx_.Controls.SetDependenciesEnabled = false;
    ctx_.Controls.ResetDependenciesEnabled = false;
    ctx_.State.DependencySetupMode = true;
    ctx_.Display.DependencyClicks = 0;
    clickedBars_.clear();
    ctx_.UI.SetStatusText(0, "Click on the parent task");
    ctx_.UI.SetStatusText(1, "Setting task dependencies");
    ctx_.UI.RepaintStatus();
}

void DependencySetup::BarClicked(TResourceAllocation* bar)
{
    data::ChartDisplay& setup = ctx_.Display;
    ctx_.Chart.SelectedBar = bar;
    // A task clicked again would become its own predecessor.
    if (std::find(clickedBars_.begin(), clickedBars_.end(), bar) != clickedBars_.end())
        return;
    clickedBars_.push_back(bar);
    db::Table& charts = ctx_.Tables.ChartsTable2;

    if (setup.DependencyClicks == 0) {
        if (LocateBarRecord(ctx_, charts, bar)) {
            setup.DependencyGroup = charts.fieldByName("SD").asFloat();
            setup.DependencyFromStart = charts.fieldByName("USED").asBoolean();
            setup.PreviousDependencyTask = IntField(charts, "CHARTSID");
            setup.DependencyNumber = 1;
            const double update =
                data::NextUpdateCount(static_cast<float>(charts.fieldByName("UPDATE").asFloat()));
            ctx_.State.UpdateCounter = static_cast<float>(update);
            charts.edit();
            charts.fieldByName("DG").setAsFloat(setup.DependencyGroup);
            charts.fieldByName("DGN").setAsFloat(1);
            charts.fieldByName("PID").setAsFloat(0);
            charts.fieldByName("PARENT").setAsBoolean(true);
            charts.fieldByName("UPDATE").setAsFloat(update);
            charts.post();
            ctx_.Tables.ChartsTable.refresh();
        } else {
            setup.PreviousDependencyTask = 0;
        }
        bar->SetColor(kGroupFirstColour);
        ctx_.UI.SetStatusText(0, "Click on dependent tasks in desired order");
        ctx_.UI.RepaintStatus();
    } else {
        TResourceAllocation* previous = clickedBars_[static_cast<std::size_t>(setup.DependencyClicks) - 1];
        if (previous == nullptr) {
            bar->SetTag(0);
        } else if (const db::Value previousKey(static_cast<double>(setup.PreviousDependencyTask));
                   setup.PreviousDependencyTask != 0 && charts.locate("CHARTSID", previousKey)) {
            db::Table& current = ctx_.Tables.ChartsTable;
            const bool found = LocateBarRecord(ctx_, current, bar);
            const std::int32_t clickedKey = found ? IntField(current, "CHARTSID") : 0;
            const double update =
                data::NextUpdateCount(static_cast<float>(charts.fieldByName("UPDATE").asFloat()));
            ctx_.State.UpdateCounter = static_cast<float>(update);
            charts.edit();
            charts.fieldByName("CHILD").setAsFloat(clickedKey);
            charts.fieldByName("UPDATE").setAsFloat(update);
            charts.post();

            const double offset =
                bar->StartAt() - (setup.DependencyFromStart ? previous->StartAt() : previous->EndAt());
            SetCarriedOffset(ctx_.Chart, bar, offset);
            previous->SetAnyObject(bar);
            ++setup.DependencyNumber;
            if (found && LocateBarRecord(ctx_, current, bar)) {
                current.edit();
                current.fieldByName("DG").setAsFloat(setup.DependencyGroup);
                current.fieldByName("DGN").setAsFloat(setup.DependencyNumber);
                current.fieldByName("PID").setAsFloat(setup.PreviousDependencyTask);
                current.fieldByName("OFFSET").setAsFloat(offset);
                current.post();
                current.refresh();
            }
            setup.PreviousDependencyTask = clickedKey;
        }
        bar->SetColor(kGroupDependentColour);
        ctx_.UI.SetStatusText(1, "Click red button to end dependency setup");
        ctx_.UI.RepaintStatus();
    }
    ++setup.DependencyClicks;
}

void DependencySetup::StopButtonClick()
{
    ctx_.Schedule.PushChartUpdates();
    ctx_.State.DependencySetupMode = false;
    ctx_.Display.DependencyNumber = 0;
    ctx_.UI.SetStatusText(0, "");
    ctx_.UI.SetStatusText(1, "Completed dependency task setup");
    ctx_.UI.RepaintStatus();
    ctx_.Controls.StopButtonEnabled = false;
    ctx_.Controls.SetDependenciesEnabled = true;
    ctx_.Controls.ChartSortBy = kSortByDependentGroup;
    ctx_.Pages.ChartSortByClick();
}

void DependencySetup::ResetDependenciesClick()
{
    TResourceAllocation* selected = ctx_.Chart.SelectedBar;
    if (ctx_.State.DependencySetupMode || selected == nullptr)
        return;
    db::Table& charts = ctx_.Tables.ChartsTable2;
    const std::string name = LocateBarRecord(ctx_, charts, selected)
        ? data::TrimBlanks(charts.fieldByName("DESC").asString())
        : "";
    if (NextGroupBar(selected) == nullptr) {
        ctx_.UI.SetStatusText(0, name + " has no dependent tasks");
        ctx_.UI.SetStatusText(1, "");
        ctx_.UI.RepaintStatus();
        return;
    }
    std::string list;
    std::vector<const TResourceAllocation*> visited{selected};
    TResourceAllocation* previous = selected;
    for (TResourceAllocation* next = NextGroupBar(previous);
         next != nullptr && std::find(visited.begin(), visited.end(), next) == visited.end();
         next = NextGroupBar(previous)) {
        visited.push_back(next);
        if (LocateBarRecord(ctx_, charts, next)) {
            if (!list.empty())
                list += ", ";
            list += data::TrimBlanks(charts.fieldByName("DESC").asString());
            const bool fromStart = charts.fieldByName("USED").asBoolean();
            const double offset = next->StartAt() - (fromStart ? previous->StartAt() : previous->EndAt());
            if (CarriesOffset(next))
                reinterpret_cast<CarriedOffset*>(next->Tag())->Offset = offset;
            else
                SetCarriedOffset(ctx_.Chart, next, offset);
        }
        previous = next;
    }
    ctx_.Pages.RefreshChart();
    ctx_.UI.SetStatusText(0, "Dependencies reset for task: " + name);
    ctx_.UI.SetStatusText(1, "Dependent tasks: " + list);
    ctx_.UI.RepaintStatus();
}

}  // namespace tw::visualize
