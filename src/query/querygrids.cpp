// The Add / Edit / Query tab's grids: rows typed into the jobs and
// resources grids, the Enter key, the current resource, and the grids'
// focus, click and title handlers.
#include "query/querypagelogic.h"
#include "query/querypagelogic_p.h"

#include "data/nametexts.h"
#include "data/records/scheduleitemrecord.h"
#include "data/services/recordservices.h"
#include "data/textroutines.h"

namespace tw::query {

using namespace detail;

bool QueryPageLogic::PostTypedRow(Navigator grid, std::uint32_t recNo, const std::vector<TypedField>& typed)
{
    if (grid != Navigator::Jobs && grid != Navigator::Crews)
        return false;
    const bool crews = grid == Navigator::Crews;
    struct Checked {
        std::string Field;
        std::string Text;
        double Number = 0;
    };
    std::vector<Checked> values;
    for (const auto& [field, text] : typed) {
        std::string refusal;
        if (field == "DESC") {
            std::string name = data::CutToQuickBooksName(data::TrimBlanks(text));
            if (name.empty())
                refusal = crews ? "Enter resource description" : "Enter job description";
            values.push_back({field, name});
        } else if (field == "RATE" && crews) {
            const std::optional<double> rate = data::ParseNumber(text);
            if (!rate || *rate < 0)
                refusal = "Enter resource hourly rate";
            else
                values.push_back({field, {}, *rate});
        }
        if (!refusal.empty()) {
            ui_.ShowMessage(refusal, kTarnwick, data::MessageIcon::Stop);
            return false;
        }
    }
    if (values.empty())
        return true;
    if (state_.ReadOnlyCopy) {
        ui_.ShowMessage("This copy may only view the schedule", kTarnwick, data::MessageIcon::Stop);
        return false;
    }
    db::Table& view = ViewOf(grid);
    if (!view.active() || view.state() != db::Table::State::Browse)
        return false;
    // The view goes to the typed row and back without its scroll handlers:
    // the current record stays what the grids and the chart show.
    const std::uint32_t saved = view.recNo();
    const bool atEnd = view.eof();
    const bool current = saved == recNo && !atEnd;
    view.goTo(recNo);
    try {
        view.edit();
        for (const Checked& value : values) {
            if (value.Field == "RATE")
                view.fieldByName(value.Field).setAsCurrency(value.Number);
            else
                view.fieldByName(value.Field).setAsString(value.Text);
        }
        view.post();
    } catch (...) {
        if (view.state() != db::Table::State::Browse)
            view.cancel();
        if (saved != 0 && !atEnd)
            view.goTo(saved);
        throw;
    }
    if (crews && current) {
        currentResourceName_ = Trimmed(view.fieldByName("DESC").asString());
        currentResourceRate_ = view.fieldByName("RATE").asCurrency();
    }
    if (saved != 0 && !atEnd)
        view.goTo(saved);
    view.refresh();
    // The titles and labels name the job and the resource.
    ApplyQueryFilters();
    return true;
}

bool QueryPageLogic::EnterKey()
{
    db::Table* view = customerGridFocused_ ? &d_.CustomersTable
        : crewsGridFocused_                ? &d_.CrewsTable
        : tasksGridFocused_                ? &d_.ChartsTable
                                           : nullptr;
    if (!view)
        return false;
    if (view->active() && view->state() == db::Table::State::Browse)
        view->refresh();
    return true;
}

std::int32_t QueryPageLogic::GetCurrentResource()
{
    db::Table& crews = d_.CrewsTable;
    std::int32_t id = 0;
    if (HasRecord(crews)) {
        id = crews.fieldByName("CREWID").asInteger();
        currentResourceRate_ = crews.fieldByName("RATE").asCurrency();
        currentResourceName_ = Trimmed(crews.fieldByName("DESC").asString());
    } else {
        id = data::UniqueKeyValue(state_.Keys, d_.CrewsTable4, "CREWID");
        crews.append();
        crews.fieldByName("RATE").setAsCurrency(0);
        crews.fieldByName("CREWID").setAsInteger(id);
        crews.fieldByName("DESC").setAsString("New resource");
        crews.post();
        crews.refresh();
        if (state_.WorkCalendarMode != 0)
            host_.FillCalendarResourceList(false);
        host_.ShowWorkCalendar(state_.WorkCalendarMode == 0 ? 0 : id);
    }
    state_.CurrentResourceId = id;
    return id;
}

// ---- Grids ---------------------------------------------------------------

void QueryPageLogic::CrewsGridCellClick()
{
    if (state_.TablesOpen && HasRecord(d_.CrewsTable))
        currentResourceRate_ = d_.CrewsTable.fieldByName("RATE").asCurrency();
}

void QueryPageLogic::TasksGridDblClick()
{
    if (state_.DependencySetupMode || state_.ReadOnlyCopy || !HasRecord(d_.ChartsTable))
        return;
    if (data::ScheduleItemField(d_.ChartsTable, &Item::JOB).asBoolean()) {
        Status(0, "Cannot edit job");
        return;
    }
    Status(0, "");
    TaskEditorRequest request;
    request.Edit = true;
    request.HelpLevel = state_.HelpLevel;
    request.Status = data::ScheduleItemField(d_.ChartsTable, &Item::BIDID).asInteger();
    host_.OpenTaskEditor(request);
}

void QueryPageLogic::CustomerGridExit()
{
    if (customerQueryStale_) {
        customerQueryStale_ = false;
        ApplyCustomerQuery();
    }
    customerGridFocused_ = false;
}

void QueryPageLogic::TasksGridExit()
{
    tasksGridFocused_ = false;
    if (d_.ChartsTable.active() && d_.ChartsTable.state() == db::Table::State::Browse)
        d_.ChartsTable.refresh();
}

void QueryPageLogic::CrewsGridExit()
{
    if (d_.CrewsTable.active() && d_.CrewsTable.state() == db::Table::State::Browse)
        d_.CrewsTable.refresh();
    crewsGridFocused_ = false;
}

void QueryPageLogic::TasksGridTitleClick(const std::array<int, 4>& widths)
{
    if (host_.SaveTasksGridWidths(widths))
        tasksGridColumnsUserSized_ = true;
}

void QueryPageLogic::ChartSortBy2Click(int choice)
{
    host_.SetChartSortBy(choice);
}

void QueryPageLogic::SelectExit()
{
    query_.LastSelectedItem = KeyOf(d_.ChartsTable, ItemField(&Item::CHARTSID));
}

}  // namespace tw::query
