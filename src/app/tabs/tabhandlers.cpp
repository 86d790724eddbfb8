#include "app/tabs/tabhandlers.h"

#include <optional>
#include <string>
#include <unordered_map>

#include "data/records/scheduleitemrecord.h"
#include "data/services/busyscopes.h"

namespace tw::app {

namespace {

using data::BusyScope;
using data::BusyScope;

}  // namespace

void TabHandlers::RefreshChartClick()
{
    if (state_.DependencySetupMode)
        return;
    BusyScope busy(ui_);
    std::optional<double> customer;
    db::Table& customers = tables_.CustomersTable;
    if (customers.active() && !customers.eof() && !customers.isEmpty())
        customer = customers.fieldByName("CID").asFloat();

    chart_.ZoomStep = 1;
    {
        BusyScope tablesBusy(state_);
        view_.SaveAndClearAllocations(true);
    }
    view_.ReopenAllTables();

    if (!state_.TablesBusy) {
        const bool oneCalendar = state_.WorkCalendarMode == 0;
        view_.ShowCalendarOf(oneCalendar, oneCalendar ? 0 : state_.CurrentResourceId);
        view_.LoadHolidays();
    }

    RewriteCustomerNames();
    view_.PushChartUpdates();

    if (view_.ActivePage() == SchedulePage) {
        view_.SetResetDependenciesEnabled(false);
        view_.BuildChart(false);
    }
    view_.KeepChartPeriod();
    if (tables_.ChartsTable.active())
        tables_.ChartsTable.refresh();

    state_.InsertTimePending = false;
    view_.EndPendingInsert();

    if (customer && customers.active())
        customers.locate("CID", db::Value(*customer));
}

void TabHandlers::RewriteCustomerNames()
{
    db::Table& customers = tables_.CustomersTable2;
    db::Table& charts = tables_.ChartsTable2;
    if (!customers.active() || !charts.active())
        return;
    // One pass over each table: a walk of the working copy per customer would
    // read it hundreds of times. Of two customers with one key the later one
    // names the items, as it would in a walk per customer.
    std::unordered_map<double, std::string> names;
    db::Field cid = customers.fieldByName("CID"), name = customers.fieldByName("NAME");
    for (customers.first(); !customers.eof(); customers.next())
        names.insert_or_assign(cid.asFloat(), name.asString());

    db::Field itemCustomer = data::ScheduleItemField(charts, &data::ScheduleItemRecord::CID),
              custName = data::ScheduleItemField(charts, &data::ScheduleItemRecord::CUSTNAME);
    for (charts.first(); !charts.eof(); charts.next()) {
        const auto found = names.find(itemCustomer.asFloat());
        // An item that already carries the name stays as it is: rewriting it
        // would only make the next push compare the whole working copy again.
        if (found == names.end() || custName.asString() == found->second)
            continue;
        charts.edit();
        custName.setAsString(found->second);
        charts.post();
    }
}

void TabHandlers::ChartSortByClick()
{
    if (!state_.StartupDone)
        return;
    view_.SetChartSortBy2(view_.ChartSortBy());
    if (state_.DependencySetupMode)
        return;
    view_.SetResetDependenciesEnabled(false);
    if (view_.SortChoiceRestored())
        view_.BuildChart(true);
}

void TabHandlers::TabControlChange(int page)
{
    if (!state_.StartupDone || !state_.TablesOpen || !state_.SelectionReady)
        return;
    BusyScope busy(ui_);
    view_.ApplyCustomerQuery();
    switch (page) {
    case CustomerTabPage: break;
    case SelectPage:
        view_.SaveAndClearAllocations(true);
        if (tables_.ChartsTable.active())
            data::LocateScheduleItem(tables_.ChartsTable, query_.LastSelectedItem);
        break;
    case SchedulePage:
        state_.ScheduleTabVisited = true;
        if (state_.ChartRefreshNeeded) {
            // The refresh builds the chart itself; a build before it would be thrown away.
            view_.SaveAndClearAllocations(true);
            RefreshChartClick();
            state_.ChartRefreshNeeded = false;
        } else {
            view_.BuildChart(true);
        }
        view_.ShowTaskStatusBar();
        // A damaged or read-only shared table was reported once, at the time;
        // the chart that shows only this workstation's copy says why here.
        if (!state_.SharedTablesUsable)
            ui_.SetStatusText(
                0, "The shared schedule tables are not in use: the chart shows this workstation's copy");
        break;
    case CalendarPage:
        view_.SaveAndClearAllocations(true);
        // Any mode but 0 gives each resource its own calendar.
        if (state_.WorkCalendarMode != 0)
            view_.ShowCalendarOf(false, state_.CurrentResourceId);
        break;
    // The Utilities page shows its backup folder itself when it is shown.
    case MyCompanyPage:
    case UtilitiesPage: view_.SaveAndClearAllocations(true); break;
    default: break;
    }
}

}  // namespace tw::app
