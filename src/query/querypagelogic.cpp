#include "query/querypagelogic.h"
#include "query/querypagelogic_p.h"

#include <cmath>
#include <tuple>

#include "data/filtertexts.h"
#include "data/nametexts.h"
#include "data/textroutines.h"
#include "data/quartergrid.h"
#include "data/records/scheduleitemrecord.h"
#include "data/services/busyscopes.h"
#include "data/services/recordservices.h"
#include "schedule/sync/schedulesync.h"

namespace tw::query {

using namespace detail;

std::array<int, 3> CrewsGridWidths(int gridWidth)
{
    const int half = gridWidth / 2;
    return {half - 64, half - 32, 60};
}

QueryPageLogic::QueryPageLogic(const QueryTables& tables, data::DataModuleViews& module, QueryView& view,
                               QueryHost& host, QueryState& query, data::MainScreenState& state,
                               data::UserInterface& ui)
    : d_(tables),
      module_(module),
      view_(view),
      host_(host),
      query_(query),
      search_(query.Search),
      state_(state),
      ui_(ui),
      lock_(tables.AccessTable, state, ui)
{}

QueryPageLogic::~QueryPageLogic()
{
    if (module_.QueryPage == this)
        module_.QueryPage = nullptr;
}

void QueryPageLogic::ConnectDataModule()
{
    module_.QueryPage = this;
}

void QueryPageLogic::Status(int panel, const std::string& text)
{
    ui_.SetStatusText(panel, text);
    ui_.RepaintStatus();
}

bool QueryPageLogic::Ask(const std::string& text)
{
    return view_.Confirm(text, "Confirm delete");
}

bool QueryPageLogic::JobMode()
{
    return host_.ChartDisplayChoice() == 0;
}

void QueryPageLogic::SetViewFilter(db::Table& view, const std::string& filter)
{
    if (!view.active())
        return;
    if (view.state() != db::Table::State::Browse)
        view.cancel();
    view.refresh();
    view.setFilter(filter);
    view.setFiltered(!filter.empty());
    view.first();
}

// ---- The query -----------------------------------------------------------

void QueryPageLogic::ApplyCustomerQuery()
{
    db::Table& customers = d_.CustomersTable;
    db::Table& jobs = d_.JobsTable;
    if (!jobs.active() || !customers.active())
        return;
    customers.refresh();
    if (!HasRecord(customers)) {
        Status(0, "No customers");
        if (d_.JobsTable2.active() && !d_.JobsTable2.isEmpty()) {
            controls_.JobsLabel = "Jobs";
        } else {
            controls_.JobsLabel = "No jobs";
            controls_.TasksNavigatorEnabled = false;
        }
        return;
    }
    // The first customer of a database that started empty: the list is no
    // longer empty, whatever the start-up wrote over it.
    if (controls_.CustomersLabel == "No customers")
        controls_.CustomersLabel = "All customers";
    const std::int32_t cid = KeyOf(customers, "CID");
    const std::int32_t jid = KeyOf(jobs, "JID");
    const std::string jobFilter =
        search_.CustomerSearchActive ? search_.CustomerSearchFilter : "CID = " + std::to_string(cid);

    if (!state_.ReadOnlyCopy) {
        const std::string last = customers.fieldByName("LAST").asString();
        if (!Trimmed(last).empty()) {
            const std::string name = data::CustomerNameText(last, customers.fieldByName("FIRST").asString());
            // Rewriting an unchanged name would only wake the other workstations.
            if (name != customers.fieldByName("NAME").asString()) {
                customers.edit();
                customers.fieldByName("NAME").setAsString(name);
                customers.post();
            }
        }
    }
    {
        data::BusyScope busy(state_);
        jobs.setFiltered(false);
        jobs.setFilter(jobFilter);
        jobs.setFiltered(true);
    }
    if (jid != 0)
        jobs.locate("JID", Number(jid));
    ApplyQueryFilters();
    controls_.TasksNavigatorEnabled = true;
    // The first job of a database that started empty, however it was made
    // (typed, imported, added with a task), brings the navigator back.
    if (!controls_.TasksNavigatorShown && d_.JobsTable2.active()) {
        d_.JobsTable2.refresh();
        controls_.TasksNavigatorShown = !d_.JobsTable2.isEmpty();
    }
}

void QueryPageLogic::ApplyQueryFilters()
{
    if (!d_.CustomersTable.active() || !d_.ChartsTable.active() || !d_.JobsTable.active()
        || !d_.CrewsTable.active())
        return;
    QueryInputs in;
    in.CustomerName = TextOf(d_.CustomersTable, "NAME");
    in.CustomerId = KeyOf(d_.CustomersTable, "CID");
    in.JobDesc = TextOf(d_.JobsTable, "DESC");
    in.JobId = KeyOf(d_.JobsTable, "JID");
    controls_.JobsLabel = d_.JobsTable.isEmpty() ? "No jobs" : in.CustomerName + " jobs";

    const RestrictionBoxes& b = controls_.Boxes;
    in.RestrictTasksToCrew = b.RestrictTasksToCrew;
    in.RestrictByDate = b.RestrictByDate;
    in.RestrictToCustomer = b.RestrictToCustomer;
    in.RestrictToSelectedStatus = b.RestrictToSelectedStatus;
    in.RestrictToActive = b.RestrictToActive;
    in.JobMode = JobMode();
    in.ResourceDesc = TextOf(d_.CrewsTable, "DESC");
    if (b.RestrictTasksToCrew && !search_.ResourceSearchActive && d_.ICrewsTable2.active())
        in.ResourceTerm = TaskFilterForResource(d_.ICrewsTable2, KeyOf(d_.CrewsTable, "CREWID"));
    in.StartDate = controls_.Pickers.Start;
    in.EndDate = controls_.Pickers.End;
    std::tie(in.WorkingDayStart, in.WorkingDayEnd) = host_.WorkingDay();
    in.Status = controls_.TaskStatus;
    in.StatusName = statusTexts_.JobStatusName(controls_.TaskStatus);
    in.Search = search_;

    const QueryResult result = BuildQueryFilter(in);
    controls_.Title = result.Title;
    controls_.TasksLabel = result.TasksLabel;
    if (result.CustomersLabel)
        controls_.CustomersLabel = *result.CustomersLabel;
    if (result.JobsLabel)
        controls_.JobsLabel = *result.JobsLabel;
    if (result.CrewsLabel)
        controls_.CrewsLabel = *result.CrewsLabel;
    filterText_ = result.FilterText;

    {
        data::BusyScope filtering(query_.FilterInProgress);
        for (db::Table* view : {&d_.ChartsTable, &d_.ChartsTable3, &d_.ChartsTable6, &d_.ChartsTable9})
            SetViewFilter(*view, filterText_);
        if (d_.ChartsTable.isEmpty())
            controls_.TasksLabel = "No tasks";
    }
    host_.LoadCustomFieldValues(kTaskOwner);
    host_.ShowTaskStatusBar();
}

reports::SelectionState QueryPageLogic::ReportSelection(int chartSortBy) const
{
    return query::ReportSelection(controls_.Boxes, search_, host_.ChartDisplayChoice(), chartSortBy,
                                  state_.CurrentResourceId);
}

void QueryPageLogic::UpdateSelectControls()
{
    controls_.Select = query::UpdateSelectControls(controls_.Boxes, search_);
    if (controls_.Select.UncheckRestrictions) {
        SetBox(&RestrictionBoxes::RestrictTasksToCrew, false);
        SetBox(&RestrictionBoxes::RestrictByDate, false);
        SetBox(&RestrictionBoxes::RestrictToCustomer, false);
        SetBox(&RestrictionBoxes::RestrictToSelectedStatus, false);
        // The handlers ran with the boxes changing under them; what stands is
        // what "Show all" calls for.
        controls_.Select = query::UpdateSelectControls(controls_.Boxes, search_);
    }
    query_.QueryRestricted = controls_.Select.QueryActive;
}

// A box set from code runs its handler as a click does, and only when its
// state changes.
void QueryPageLogic::SetBox(bool RestrictionBoxes::*box, bool checked)
{
    if (controls_.Boxes.*box == checked)
        return;
    controls_.Boxes.*box = checked;
    RunBoxHandler(box);
}

void QueryPageLogic::ClickBox(bool RestrictionBoxes::*box, bool checked)
{
    controls_.Boxes.*box = checked;
    RunBoxHandler(box);
}

void QueryPageLogic::ShowEmptyDatabase()
{
    controls_.CustomersLabel = "No customers";
    controls_.JobsLabel = "No jobs";
    controls_.TasksLabel = "No tasks";
    controls_.TasksNavigatorEnabled = false;
    controls_.TasksNavigatorShown = false;
}

void QueryPageLogic::RunBoxHandler(bool RestrictionBoxes::*box)
{
    if (box == &RestrictionBoxes::RestrictTasksToCrew)
        RestrictTasksToCrewClick();
    else if (box == &RestrictionBoxes::RestrictByDate)
        RestrictByDateClick();
    else if (box == &RestrictionBoxes::RestrictToCustomer)
        RestrictToCustomerClick();
    else if (box == &RestrictionBoxes::RestrictToSelectedStatus)
        RestrictToSelectedStatusClick();
    else if (box == &RestrictionBoxes::RestrictToActive)
        RestrictToActiveClick();
}

// ---- Restriction controls ------------------------------------------------

void QueryPageLogic::RestrictTasksToCrewClick()
{
    db::Table& crews = d_.CrewsTable;
    const std::int32_t crewId = KeyOf(crews, "CREWID");
    const std::int32_t chartsId = KeyOf(d_.ChartsTable, ItemField(&Item::CHARTSID));
    if (controls_.Boxes.RestrictTasksToCrew) {
        if (search_.ResourceSearchActive) {
            controls_.CrewsLabel = "Selected resources from custom field search";
            SetViewFilter(crews, "S2");
        } else {
            controls_.CrewsLabel = "All resources";
        }
    } else {
        controls_.CrewsLabel = "All resources";
        search_.ResourceSearchActive = false;
        {
            data::BusyScope filtering(query_.FilterInProgress);
            SetViewFilter(crews, std::string());
        }
        ResourceDisplayClick();
    }
    UpdateSelectControls();
    if (crewId != 0)
        crews.locate("CREWID", Number(crewId));
    ApplyCustomerQuery();
    if (chartsId != 0)
        data::LocateScheduleItem(d_.ChartsTable, chartsId);
}

void QueryPageLogic::RestrictToCustomerClick()
{
    db::Table& customers = d_.CustomersTable;
    const std::int32_t cid = KeyOf(customers, "CID");
    if (controls_.Boxes.RestrictToCustomer) {
        if (search_.CustomerSearchActive)
            SetViewFilter(customers, "S2");
    } else {
        search_.CustomerSearchActive = false;
        {
            data::BusyScope filtering(query_.FilterInProgress);
            SetViewFilter(customers, std::string());
        }
        controls_.CustomersLabel = "All customers";
    }
    UpdateSelectControls();
    if (cid != 0)
        customers.locate("CID", Number(cid));
    ApplyCustomerQuery();
}

void QueryPageLogic::RestrictByDateClick()
{
    if (!controls_.Boxes.RestrictByDate)
        controls_.UpDownDay = controls_.UpDownWeek = controls_.UpDownMonth = false;
    UpdateSelectControls();
    ApplyCustomerQuery();
}

void QueryPageLogic::RestrictToSelectedStatusClick()
{
    UpdateSelectControls();
    ApplyCustomerQuery();
}

void QueryPageLogic::TaskStatusClick()
{
    if (controls_.Boxes.RestrictToSelectedStatus)
        ApplyCustomerQuery();
}

void QueryPageLogic::TaskStartDateChange()
{
    if (controls_.Boxes.RestrictByDate)
        ApplyCustomerQuery();
}

void QueryPageLogic::TaskEndDateChange()
{
    TaskStartDateChange();
}

void QueryPageLogic::RestrictToActiveClick()
{
    UpdateSelectControls();
    if (controls_.Boxes.RestrictToActive) {
        search_.CustomerSearchActive = search_.ResourceSearchActive = search_.TaskSearchActive = false;
        controls_.DateControlsEnabled = false;
        controls_.Select.TasksNavigatorInsert = false;
    } else {
        controls_.DateControlsEnabled = true;
        UpdateSelectControls();
    }
    ApplyCustomerQuery();
}

void QueryPageLogic::SearchCustomClick()
{
    host_.SearchCustomFields();
}

// ---- Date shortcuts ------------------------------------------------------

void QueryPageLogic::ShortcutClick(DateShortcut shortcut)
{
    const TDateTime now = host_.Now();
    const auto [dayStart, dayEnd] = host_.WorkingDay();
    controls_.Pickers =
        FillPickers(ShortcutPeriod(shortcut, now), controls_.SpecifyWorkingDay, dayStart, dayEnd);
    controls_.UpDownDay = shortcut == DateShortcut::Today;
    controls_.UpDownWeek = shortcut == DateShortcut::ThisWeek;
    controls_.UpDownMonth = shortcut == DateShortcut::ThisMonth;
    if (!controls_.Boxes.RestrictByDate)
        controls_.Boxes.RestrictByDate = true;
    RestrictByDateClick();
}

void QueryPageLogic::UpDownDayClick(bool up)
{
    controls_.Pickers = StepDay(controls_.Pickers, up);
    RestrictByDateClick();
}

void QueryPageLogic::UpDownWeekClick(bool up)
{
    controls_.Pickers = StepWeek(controls_.Pickers, up);
    RestrictByDateClick();
}

void QueryPageLogic::UpDownMonthClick(bool up)
{
    controls_.Pickers = StepMonth(controls_.Pickers, up);
    RestrictByDateClick();
}

// ---- Navigators ----------------------------------------------------------

db::Table& QueryPageLogic::ViewOf(Navigator navigator)
{
    switch (navigator) {
    case Navigator::Customers: return d_.CustomersTable;
    case Navigator::Jobs: return d_.JobsTable;
    case Navigator::Tasks: return d_.ChartsTable;
    case Navigator::Crews: return d_.CrewsTable;
    }
    return d_.ChartsTable;
}

void QueryPageLogic::BeforeScroll(Navigator navigator)
{
    switch (navigator) {
    case Navigator::Customers: d_.Scrolling.BeforeScroll(data::ScrolledView::Customers); break;
    case Navigator::Jobs: d_.Scrolling.BeforeScroll(data::ScrolledView::Jobs); break;
    case Navigator::Tasks: d_.Scrolling.BeforeScroll(data::ScrolledView::Charts); break;
    case Navigator::Crews: d_.Scrolling.BeforeScroll(data::ScrolledView::Crews); break;
    }
}

void QueryPageLogic::AfterScroll(Navigator navigator)
{
    switch (navigator) {
    case Navigator::Customers: d_.Scrolling.AfterScroll(data::ScrolledView::Customers); break;
    case Navigator::Jobs: d_.Scrolling.AfterScroll(data::ScrolledView::Jobs); break;
    case Navigator::Tasks: d_.Scrolling.AfterScroll(data::ScrolledView::Charts); break;
    case Navigator::Crews: d_.Scrolling.AfterScroll(data::ScrolledView::Crews); break;
    }
}

void QueryPageLogic::Move(Navigator navigator, NavigateButton button)
{
    db::Table& view = ViewOf(navigator);
    if (!view.active())
        return;
    BeforeScroll(navigator);
    switch (button) {
    case NavigateButton::First: view.first(); break;
    case NavigateButton::Prior: view.prior(); break;
    case NavigateButton::Next: view.next(); break;
    case NavigateButton::Last: view.last(); break;
    case NavigateButton::Insert: view.append(); break;
    case NavigateButton::Delete:
        if (HasRecord(view))
            view.deleteRecord();
        break;
    }
    AfterScroll(navigator);
}

void QueryPageLogic::MoveTo(Navigator grid, std::uint32_t recNo)
{
    db::Table& view = ViewOf(grid);
    if (!view.active() || view.recNo() == recNo)
        return;
    BeforeScroll(grid);
    view.goTo(recNo);
    AfterScroll(grid);
}

void QueryPageLogic::Press(Navigator navigator, NavigateButton button)
{
    switch (navigator) {
    case Navigator::Customers:
        if (CustomerNavigatorBeforeAction(button))
            CustomerNavigatorAction(button);
        CustomerNavigatorClick(button);
        break;
    case Navigator::Jobs:
        if (JobsNavigatorBeforeAction(button))
            JobsNavigatorAction(button);
        JobsNavigatorClick(button);
        break;
    case Navigator::Tasks:
        if (TasksNavigatorBeforeAction(button))
            TasksNavigatorAction(button);
        TasksNavigatorClick(button);
        break;
    case Navigator::Crews:
        if (CrewsNavigatorBeforeAction(button))
            CrewsNavigatorAction(button);
        CrewsNavigatorClick(button);
        break;
    }
}

// A refused delete is vetoed: the record stays as it is, where it is.
bool QueryPageLogic::TasksNavigatorBeforeAction(NavigateButton button)
{
    db::Table& tasks = d_.ChartsTable;
    if (button == NavigateButton::Insert) {
        if (JobMode()) {
            navActionRefused_ = true;
            return false;
        }
        const TDateTime end = HasRecord(tasks) ? data::ScheduleItemField(tasks, &Item::ED).asFloat() : 0;
        newTaskStart_ = end != 0 ? end : data::RoundUpToQuarterHour(host_.Now());
        insertBusy_.emplace(state_);
        return true;
    }
    if (button != NavigateButton::Delete)
        return true;
    deleteAllSelected_ = false;
    deletingJobRow_ = HasRecord(tasks) && data::ScheduleItemField(tasks, &Item::JOB).asBoolean();
    deletedTaskId_ = KeyOf(tasks, ItemField(&Item::CHARTSID));
    if (deletingJobRow_ || !HasRecord(tasks)) {
        navActionRefused_ = true;
        return false;
    }
    const bool restricted = search_.TaskSearchActive || controls_.Boxes.AnyRestriction();
    const std::string question = restricted
        ? "Are you sure you want to remove all " + std::to_string(tasks.recordCount()) + " selected tasks?"
        : "Are you sure you want to remove " + Trimmed(data::ScheduleItemField(tasks, &Item::DESC).asString())
            + " ?";
    if (!Ask(question)) {
        navActionRefused_ = true;
        return false;
    }
    deleteAllSelected_ = restricted;
    deletedTaskJobId_ = KeyOf(tasks, ItemField(&Item::JID));
    return true;
}

void QueryPageLogic::TasksNavigatorAction(NavigateButton button)
{
    // A new task is written by the task editor when it saves; no blank row.
    if (button != NavigateButton::Insert)
        Move(Navigator::Tasks, button);
}

void QueryPageLogic::TasksNavigatorClick(NavigateButton button)
{
    switch (button) {
    case NavigateButton::First:
    case NavigateButton::Prior:
    case NavigateButton::Next:
    case NavigateButton::Last: host_.ShowTaskStatusBar(); break;
    case NavigateButton::Insert: {
        if (navActionRefused_) {
            navActionRefused_ = false;
            Status(0, "Cannot insert in job display mode");
            break;
        }
        const std::int32_t jid = KeyOf(d_.JobsTable, "JID");
        const std::string jobDesc = Trimmed(TextOf(d_.JobsTable, "DESC"));
        int n = 0;
        db::Table& all = d_.ChartsTable2;
        all.refresh();
        db::Field itemJob = data::ScheduleItemField(all, &Item::JID);
        db::Field isJob = data::ScheduleItemField(all, &Item::JOB);
        for (all.first(); !all.eof(); all.next()) {
            if (itemJob.asInteger() == jid && !isJob.asBoolean())
                ++n;
        }
        TaskEditorRequest request;
        request.HelpLevel = state_.HelpLevel;
        request.Description = jobDesc + " task " + std::to_string(n + 1);
        request.Start = newTaskStart_;
        host_.OpenTaskEditor(request);
        // The editor is modeless: once it is shown the scroll handlers
        // may run again.
        insertBusy_.reset();
        break;
    }
    case NavigateButton::Delete:
        if (navActionRefused_) {
            navActionRefused_ = false;
            Status(0, deletingJobRow_ ? "Cannot delete a job" : "Delete cancelled");
            break;
        }
        DeleteTaskEverywhere();
        break;
    }
}

// The task's working record is gone; its shared copy, its assignment rows
// and its job's summary row in both copies follow, and with a restriction
// every other task the grid showed.
void QueryPageLogic::DeleteTaskEverywhere()
{
    data::BusyScope hourglass(ui_);
    db::Table& working = d_.ChartsTable2;
    working.refresh();
    const std::string jobRow = data::ScheduleItemFieldNames(&Item::JOB, &Item::JID);
    const bool jobRowFound = working.locate(jobRow, {db::Value(true), Number(deletedTaskJobId_)});
    auto deleteCrewRows = [this](std::int32_t key) { host_.DeleteCrewIndexRows(key); };
    lock_.WithSharedTables([&] {
        db::Table& shared = d_.IChartsTable;
        schedule::CursorForWork open(shared);
        shared.refresh();
        if (jobRowFound) {
            working.deleteRecord();
            if (shared.locate(jobRow, {db::Value(true), Number(deletedTaskJobId_)})) {
                deleteCrewRows(data::ScheduleItemField(shared, &Item::CHARTSID).asInteger());
                shared.deleteRecord();
            }
        }
        if (data::LocateScheduleItem(shared, deletedTaskId_))
            shared.deleteRecord();
        deleteCrewRows(deletedTaskId_);
        if (deleteAllSelected_) {
            db::Table& selected = d_.ChartsTable9;
            selected.refresh();
            selected.first();
            while (!selected.eof() && !selected.isEmpty()) {
                const std::int32_t key = data::ScheduleItemField(selected, &Item::CHARTSID).asInteger();
                if (data::LocateScheduleItem(shared, key))
                    shared.deleteRecord();
                deleteCrewRows(key);
                selected.deleteRecord();
            }
        }
        shared.refresh();
    });
    d_.ChartsTable.refresh();
    ApplyQueryFilters();
}

bool QueryPageLogic::SharedScheduleNames(const char* field, std::int32_t key)
{
    bool found = false;
    lock_.WithSharedTables([&] {
        db::Table& shared = d_.IChartsTable;
        schedule::CursorForWork open(shared);
        shared.refresh();
        found = shared.locate(field, Number(key));
    });
    return found;
}

bool QueryPageLogic::CrewsNavigatorBeforeAction(NavigateButton button)
{
    if (button == NavigateButton::Insert) {
        insertBusy_.emplace(state_);
        state_.KeepNewResource = true;
        return true;
    }
    if (button != NavigateButton::Delete)
        return true;
    if (!HasRecord(d_.CrewsTable))
        return false;
    const std::int32_t crewId = KeyOf(d_.CrewsTable, "CREWID");
    lock_.TakeWithWait();
    bool assigned = false;
    try {
        schedule::CursorForWork open(d_.ICrewsTable);
        d_.ICrewsTable.refresh();
        assigned = d_.ICrewsTable.locate("CREWID", Number(crewId));
    } catch (...) {
        lock_.UpdateAccessRecord(false);
        throw;
    }
    lock_.UpdateAccessRecord(false);
    if (assigned)
        navActionRefused_ = true;
    return !assigned;
}

void QueryPageLogic::CrewsNavigatorAction(NavigateButton button)
{
    Move(Navigator::Crews, button);
}

void QueryPageLogic::CrewsNavigatorClick(NavigateButton button)
{
    db::Table& crews = d_.CrewsTable;
    if (button == NavigateButton::Insert && crews.state() == db::Table::State::Insert) {
        state_.CurrentResourceId = data::UniqueKeyValue(state_.Keys, d_.CrewsTable4, "CREWID");
        crews.fieldByName("DESC").setAsString("New resource");
        crews.fieldByName("CREWID").setAsInteger(state_.CurrentResourceId);
        crews.post();
        insertBusy_.reset();
        host_.ShowWorkCalendar(state_.WorkCalendarMode == 0 ? 0 : state_.CurrentResourceId);
    } else if (button == NavigateButton::Delete && navActionRefused_) {
        navActionRefused_ = false;
        ui_.ShowMessage("You are not allowed to delete a resource that is assigned to an task", kTarnwick,
                        data::MessageIcon::Stop);
    }
    insertBusy_.reset();
    if (crews.active())
        crews.refresh();
}

bool QueryPageLogic::JobsNavigatorBeforeAction(NavigateButton button)
{
    if (button == NavigateButton::Insert) {
        insertBusy_.emplace(state_);
        state_.KeepNewJob = true;
        controls_.Title = "Enter new job description";
        return true;
    }
    if (button != NavigateButton::Delete)
        return true;
    if (!HasRecord(d_.JobsTable))
        return false;
    const std::int32_t jid = KeyOf(d_.JobsTable, "JID");
    d_.ChartsTable2.refresh();
    // The working copy may be behind the shared schedule while a restriction
    // keeps the poll idle: a task another workstation added counts too.
    const char* jobKey = ItemField(&Item::JID);
    if (d_.ChartsTable2.locate(jobKey, Number(jid)) || SharedScheduleNames(jobKey, jid)) {
        navActionRefused_ = true;
        return false;
    }
    return true;
}

void QueryPageLogic::JobsNavigatorAction(NavigateButton button)
{
    Move(Navigator::Jobs, button);
}

void QueryPageLogic::JobsNavigatorClick(NavigateButton button)
{
    db::Table& jobs = d_.JobsTable;
    if (button == NavigateButton::Insert && jobs.state() == db::Table::State::Insert) {
        d_.CustomersTable.refresh();
        const std::int32_t cid = KeyOf(d_.CustomersTable, "CID");
        const std::string name = Trimmed(TextOf(d_.CustomersTable, "NAME"));
        int n = 0;
        db::Table& all = d_.JobsTable2;
        all.refresh();
        for (all.first(); !all.eof(); all.next()) {
            if (all.fieldByName("CID").asInteger() == cid)
                ++n;
        }
        jobs.fieldByName("JID").setAsInteger(data::UniqueKeyValue(state_.Keys, d_.JobsTable3, "JID"));
        jobs.fieldByName("CID").setAsInteger(cid);
        jobs.fieldByName("CUSTNAME").setAsString(name);
        jobs.fieldByName("DESC").setAsString(name + " job " + std::to_string(n + 1));
        jobs.fieldByName("BIDID").setAsInteger(0);
        jobs.fieldByName("LISTID").setAsString("");
        jobs.post();
        insertBusy_.reset();
        ApplyCustomerQuery();
        controls_.Title = "Enter new job description";
        controls_.TasksLabel = "No tasks";
    } else if (button == NavigateButton::Delete && navActionRefused_) {
        navActionRefused_ = false;
        ui_.ShowMessage("Cannot delete a job with a related task", kTarnwick, data::MessageIcon::Stop);
    }
    insertBusy_.reset();
    if (jobs.active())
        jobs.refresh();
}

// The tab's customer navigator has no Insert; removing a customer takes its
// jobs with it and is refused while any schedule record names the customer.
bool QueryPageLogic::CustomerNavigatorBeforeAction(NavigateButton button)
{
    if (button != NavigateButton::Delete)
        return button != NavigateButton::Insert;
    if (!HasRecord(d_.CustomersTable))
        return false;
    const std::int32_t cid = KeyOf(d_.CustomersTable, "CID");
    d_.ChartsTable2.refresh();
    const char* customerKey = ItemField(&Item::CID);
    if (d_.ChartsTable2.locate(customerKey, Number(cid)) || SharedScheduleNames(customerKey, cid)) {
        navActionRefused_ = true;
        return false;
    }
    db::Table& jobs = d_.JobsTable2;
    jobs.refresh();
    while (jobs.locate("CID", Number(cid))) {
        jobs.deleteRecord();
        jobs.refresh();
    }
    return true;
}

void QueryPageLogic::CustomerNavigatorAction(NavigateButton button)
{
    Move(Navigator::Customers, button);
}

void QueryPageLogic::CustomerNavigatorClick(NavigateButton button)
{
    if (button == NavigateButton::Delete && navActionRefused_) {
        navActionRefused_ = false;
        ui_.ShowMessage("Cannot delete a customer with a scheduled task", kTarnwick, data::MessageIcon::Stop);
    }
    if (d_.CustomersTable.active())
        d_.CustomersTable.refresh();
}

// ---- Resources of a task -------------------------------------------------

void QueryPageLogic::ResourceDisplayClick()
{
    if (!state_.TablesOpen)
        return;
    ShowResourcesOfTask(KeyOf(d_.ChartsTable, ItemField(&Item::CHARTSID)));
    const bool byTask = controls_.ResourceDisplay == 1;
    controls_.AddResource = !byTask;
    controls_.RemoveResource = byTask;
    controls_.CrewsNavigatorByTask = byTask;
}

void QueryPageLogic::ShowResourcesOfTask(std::int32_t chartsId)
{
    const int chosen = controls_.ResourceDisplay;
    if (chosen == 0 && resourceDisplayShown_ == 0)
        return;
    resourceDisplayShown_ = chosen;
    db::Table& crews = d_.CrewsTable;
    data::BusyScope busy(state_);
    if (chosen == 0) {
        SetViewFilter(crews, std::string());
        controls_.CrewsLabel = "All resources";
        return;
    }
    std::string description;
    d_.ChartsTable2.refresh();
    if (data::LocateScheduleItem(d_.ChartsTable2, chartsId))
        description = Trimmed(data::ScheduleItemField(d_.ChartsTable2, &Item::DESC).asString());
    // The rows are walked rather than filtered: the assignment views are
    // shared with the chart and the query, which need them whole.
    data::OrFilter resources;
    resources.FilterTextRestart = true;
    db::Table& rows = d_.ICrewsTable2;
    rows.refresh();
    for (rows.first(); !rows.eof(); rows.next()) {
        if (rows.fieldByName("CHARTSID").asInteger() == chartsId)
            resources.AddOrFilter("CREWID = " + std::to_string(rows.fieldByName("CREWID").asInteger()));
    }
    if (resources.FilterText.empty()) {
        controls_.CrewsLabel = "All resources";
        return;
    }
    SetViewFilter(crews, resources.FilterText);
    controls_.CrewsLabel = "Resources assigned to " + description;
}

}  // namespace tw::query
