#include "query/querypagelogic.h"

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

namespace {

constexpr const char* kTarnwick = "Tarnwick";
constexpr int kTaskOwner = 3;

bool HasRecord(db::Table& t)
{
    return t.active() && !t.isEmpty() && !(t.eof() && t.bof());
}

std::int32_t KeyOf(db::Table& t, const char* field)
{
    return HasRecord(t) ? t.fieldByName(field).asInteger() : 0;
}

std::string TextOf(db::Table& t, const char* field)
{
    return HasRecord(t) ? t.fieldByName(field).asString() : std::string();
}

// A schedule item's field by its member: the tables of the schedule are never
// read here by a name of their own.
using Item = data::ScheduleItemRecord;
template <typename T>
const char* ItemField(T Item::*member)
{
    return data::ScheduleItemFieldName(member);
}

db::Value Number(std::int32_t key)
{
    return db::Value(static_cast<double>(key));
}

std::string Trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Sets a flag for the length of a scope, also when the work throws.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

std::array<int, 3> CrewsGridWidths(int gridWidth)
{
    const int half = gridWidth / 2;
    return {half - 64, half - 32, 60};
}

QueryPageLogic::QueryPageLogic(const QueryTables& tables, data::DataModuleViews& module, QueryView& view,
                               QueryHost& host, QueryState& query, data::MainScreenState& state,
                               data::UserInterface& ui)
    : Search(query.Search),
      d_(tables),
      module_(module),
      view_(view),
      host_(host),
      query_(query),
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
            Controls.JobsLabel = "Jobs";
        } else {
            Controls.JobsLabel = "No jobs";
            Controls.TasksNavigatorEnabled = false;
        }
        return;
    }
    // The first customer of a database that started empty: the list is no
    // longer empty, whatever the start-up wrote over it.
    if (Controls.CustomersLabel == "No customers")
        Controls.CustomersLabel = "All customers";
    const std::int32_t cid = KeyOf(customers, "CID");
    const std::int32_t jid = KeyOf(jobs, "JID");
    const std::string jobFilter =
        Search.CustomerSearchActive ? Search.CustomerSearchFilter : "CID = " + std::to_string(cid);

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
    Controls.TasksNavigatorEnabled = true;
    // The first job of a database that started empty, however it was made
    // (typed, imported, added with a task), brings the navigator back.
    if (!Controls.TasksNavigatorShown && d_.JobsTable2.active()) {
        d_.JobsTable2.refresh();
        Controls.TasksNavigatorShown = !d_.JobsTable2.isEmpty();
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
    Controls.JobsLabel = d_.JobsTable.isEmpty() ? "No jobs" : in.CustomerName + " jobs";

    const RestrictionBoxes& b = Controls.Boxes;
    in.RestrictTasksToCrew = b.RestrictTasksToCrew;
    in.RestrictByDate = b.RestrictByDate;
    in.RestrictToCustomer = b.RestrictToCustomer;
    in.RestrictToSelectedStatus = b.RestrictToSelectedStatus;
    in.RestrictToActive = b.RestrictToActive;
    in.JobMode = JobMode();
    in.ResourceDesc = TextOf(d_.CrewsTable, "DESC");
    if (b.RestrictTasksToCrew && !Search.ResourceSearchActive && d_.ICrewsTable2.active())
        in.ResourceTerm = TaskFilterForResource(d_.ICrewsTable2, KeyOf(d_.CrewsTable, "CREWID"));
    in.StartDate = Controls.Pickers.Start;
    in.EndDate = Controls.Pickers.End;
    std::tie(in.WorkingDayStart, in.WorkingDayEnd) = host_.WorkingDay();
    in.Status = Controls.TaskStatus;
    in.StatusName = StatusTexts.JobStatusName(Controls.TaskStatus);
    in.Search = Search;

    const QueryResult result = BuildQueryFilter(in);
    Controls.Title = result.Title;
    Controls.TasksLabel = result.TasksLabel;
    if (result.CustomersLabel)
        Controls.CustomersLabel = *result.CustomersLabel;
    if (result.JobsLabel)
        Controls.JobsLabel = *result.JobsLabel;
    if (result.CrewsLabel)
        Controls.CrewsLabel = *result.CrewsLabel;
    filterText_ = result.FilterText;

    {
        FlagScope filtering(query_.FilterInProgress);
        for (db::Table* view : {&d_.ChartsTable, &d_.ChartsTable3, &d_.ChartsTable6, &d_.ChartsTable9})
            SetViewFilter(*view, filterText_);
        if (d_.ChartsTable.isEmpty())
            Controls.TasksLabel = "No tasks";
    }
    host_.LoadCustomFieldValues(kTaskOwner);
    host_.ShowTaskStatusBar();
}

reports::SelectionState QueryPageLogic::ReportSelection(int chartSortBy) const
{
    return query::ReportSelection(Controls.Boxes, Search, host_.ChartDisplayChoice(), chartSortBy,
                                  state_.CurrentResourceId);
}

void QueryPageLogic::UpdateSelectControls()
{
    Controls.Select = query::UpdateSelectControls(Controls.Boxes, Search);
    if (Controls.Select.UncheckRestrictions) {
        SetBox(&RestrictionBoxes::RestrictTasksToCrew, false);
        SetBox(&RestrictionBoxes::RestrictByDate, false);
        SetBox(&RestrictionBoxes::RestrictToCustomer, false);
        SetBox(&RestrictionBoxes::RestrictToSelectedStatus, false);
        // The handlers ran with the boxes changing under them; what stands is
        // what "Show all" calls for.
        Controls.Select = query::UpdateSelectControls(Controls.Boxes, Search);
    }
    query_.QueryRestricted = Controls.Select.QueryActive;
}

// A box set from code runs its handler as a click does, and only when its
// state changes.
void QueryPageLogic::SetBox(bool RestrictionBoxes::*box, bool checked)
{
    if (Controls.Boxes.*box == checked)
        return;
    Controls.Boxes.*box = checked;
    RunBoxHandler(box);
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
    if (Controls.Boxes.RestrictTasksToCrew) {
        if (Search.ResourceSearchActive) {
            Controls.CrewsLabel = "Selected resources from custom field search";
            SetViewFilter(crews, "S2");
        } else {
            Controls.CrewsLabel = "All resources";
        }
    } else {
        Controls.CrewsLabel = "All resources";
        Search.ResourceSearchActive = false;
        {
            FlagScope filtering(query_.FilterInProgress);
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
    if (Controls.Boxes.RestrictToCustomer) {
        if (Search.CustomerSearchActive)
            SetViewFilter(customers, "S2");
    } else {
        Search.CustomerSearchActive = false;
        {
            FlagScope filtering(query_.FilterInProgress);
            SetViewFilter(customers, std::string());
        }
        Controls.CustomersLabel = "All customers";
    }
    UpdateSelectControls();
    if (cid != 0)
        customers.locate("CID", Number(cid));
    ApplyCustomerQuery();
}

void QueryPageLogic::RestrictByDateClick()
{
    if (!Controls.Boxes.RestrictByDate)
        Controls.UpDownDay = Controls.UpDownWeek = Controls.UpDownMonth = false;
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
    if (Controls.Boxes.RestrictToSelectedStatus)
        ApplyCustomerQuery();
}

void QueryPageLogic::TaskStartDateChange()
{
    if (Controls.Boxes.RestrictByDate)
        ApplyCustomerQuery();
}

void QueryPageLogic::TaskEndDateChange()
{
    TaskStartDateChange();
}

void QueryPageLogic::RestrictToActiveClick()
{
    UpdateSelectControls();
    if (Controls.Boxes.RestrictToActive) {
        Search.CustomerSearchActive = Search.ResourceSearchActive = Search.TaskSearchActive = false;
        Controls.DateControlsEnabled = false;
        Controls.Select.TasksNavigatorInsert = false;
    } else {
        Controls.DateControlsEnabled = true;
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
    Controls.Pickers =
        FillPickers(ShortcutPeriod(shortcut, now), Controls.SpecifyWorkingDay, dayStart, dayEnd);
    Controls.UpDownDay = shortcut == DateShortcut::Today;
    Controls.UpDownWeek = shortcut == DateShortcut::ThisWeek;
    Controls.UpDownMonth = shortcut == DateShortcut::ThisMonth;
    if (!Controls.Boxes.RestrictByDate)
        Controls.Boxes.RestrictByDate = true;
    RestrictByDateClick();
}

void QueryPageLogic::UpDownDayClick(bool up)
{
    Controls.Pickers = StepDay(Controls.Pickers, up);
    RestrictByDateClick();
}

void QueryPageLogic::UpDownWeekClick(bool up)
{
    Controls.Pickers = StepWeek(Controls.Pickers, up);
    RestrictByDateClick();
}

void QueryPageLogic::UpDownMonthClick(bool up)
{
    Controls.Pickers = StepMonth(Controls.Pickers, up);
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
            NavActionRefused = true;
            return false;
        }
        const TDateTime end = HasRecord(tasks) ? data::ScheduleItemField(tasks, &Item::ED).asFloat() : 0;
        NewTaskStart = end != 0 ? end : data::RoundUpToQuarterHour(host_.Now());
        insertBusy_.emplace(state_);
        return true;
    }
    if (button != NavigateButton::Delete)
        return true;
    DeleteAllSelected = false;
    DeletingJobRow = HasRecord(tasks) && data::ScheduleItemField(tasks, &Item::JOB).asBoolean();
    DeletedTaskId = KeyOf(tasks, ItemField(&Item::CHARTSID));
    if (DeletingJobRow || !HasRecord(tasks)) {
        NavActionRefused = true;
        return false;
    }
    const bool restricted = Search.TaskSearchActive || Controls.Boxes.AnyRestriction();
    const std::string question = restricted
        ? "Are you sure you want to remove all " + std::to_string(tasks.recordCount()) + " selected tasks?"
        : "Are you sure you want to remove " + Trimmed(data::ScheduleItemField(tasks, &Item::DESC).asString())
            + " ?";
    if (!Ask(question)) {
        NavActionRefused = true;
        return false;
    }
    DeleteAllSelected = restricted;
    DeletedTaskJobId = KeyOf(tasks, ItemField(&Item::JID));
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
        if (NavActionRefused) {
            NavActionRefused = false;
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
        request.Start = NewTaskStart;
        host_.OpenTaskEditor(request);
        // The editor is modeless: once it is shown the scroll handlers
        // may run again.
        insertBusy_.reset();
        break;
    }
    case NavigateButton::Delete:
        if (NavActionRefused) {
            NavActionRefused = false;
            Status(0, DeletingJobRow ? "Cannot delete a job" : "Delete cancelled");
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
    const bool jobRowFound = working.locate(jobRow, {db::Value(true), Number(DeletedTaskJobId)});
    auto deleteCrewRows = [this](std::int32_t key) { host_.DeleteCrewIndexRows(key); };
    lock_.WithSharedTables([&] {
        db::Table& shared = d_.IChartsTable;
        schedule::CursorForWork open(shared);
        shared.refresh();
        if (jobRowFound) {
            working.deleteRecord();
            if (shared.locate(jobRow, {db::Value(true), Number(DeletedTaskJobId)})) {
                deleteCrewRows(data::ScheduleItemField(shared, &Item::CHARTSID).asInteger());
                shared.deleteRecord();
            }
        }
        if (data::LocateScheduleItem(shared, DeletedTaskId))
            shared.deleteRecord();
        deleteCrewRows(DeletedTaskId);
        if (DeleteAllSelected) {
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
        NavActionRefused = true;
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
    } else if (button == NavigateButton::Delete && NavActionRefused) {
        NavActionRefused = false;
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
        Controls.Title = "Enter new job description";
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
        NavActionRefused = true;
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
        Controls.Title = "Enter new job description";
        Controls.TasksLabel = "No tasks";
    } else if (button == NavigateButton::Delete && NavActionRefused) {
        NavActionRefused = false;
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
        NavActionRefused = true;
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
    if (button == NavigateButton::Delete && NavActionRefused) {
        NavActionRefused = false;
        ui_.ShowMessage("Cannot delete a customer with a scheduled task", kTarnwick, data::MessageIcon::Stop);
    }
    if (d_.CustomersTable.active())
        d_.CustomersTable.refresh();
}

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
        CurrentResourceName = Trimmed(view.fieldByName("DESC").asString());
        CurrentResourceRate = view.fieldByName("RATE").asCurrency();
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
    db::Table* view = CustomerGridFocused ? &d_.CustomersTable
        : CrewsGridFocused                ? &d_.CrewsTable
        : TasksGridFocused                ? &d_.ChartsTable
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
        CurrentResourceRate = crews.fieldByName("RATE").asCurrency();
        CurrentResourceName = Trimmed(crews.fieldByName("DESC").asString());
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

// ---- Resources of a task -------------------------------------------------

void QueryPageLogic::ResourceDisplayClick()
{
    if (!state_.TablesOpen)
        return;
    ShowResourcesOfTask(KeyOf(d_.ChartsTable, ItemField(&Item::CHARTSID)));
    const bool byTask = Controls.ResourceDisplay == 1;
    Controls.AddResource = !byTask;
    Controls.RemoveResource = byTask;
    Controls.CrewsNavigatorByTask = byTask;
}

void QueryPageLogic::ShowResourcesOfTask(std::int32_t chartsId)
{
    const int chosen = Controls.ResourceDisplay;
    if (chosen == 0 && ResourceDisplayShown == 0)
        return;
    ResourceDisplayShown = chosen;
    db::Table& crews = d_.CrewsTable;
    data::BusyScope busy(state_);
    if (chosen == 0) {
        SetViewFilter(crews, std::string());
        Controls.CrewsLabel = "All resources";
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
        Controls.CrewsLabel = "All resources";
        return;
    }
    SetViewFilter(crews, resources.FilterText);
    Controls.CrewsLabel = "Resources assigned to " + description;
}

// ---- Grids ---------------------------------------------------------------

void QueryPageLogic::CrewsGridCellClick()
{
    if (state_.TablesOpen && HasRecord(d_.CrewsTable))
        CurrentResourceRate = d_.CrewsTable.fieldByName("RATE").asCurrency();
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
    if (CustomerQueryStale) {
        CustomerQueryStale = false;
        ApplyCustomerQuery();
    }
    CustomerGridFocused = false;
}

void QueryPageLogic::TasksGridExit()
{
    TasksGridFocused = false;
    if (d_.ChartsTable.active() && d_.ChartsTable.state() == db::Table::State::Browse)
        d_.ChartsTable.refresh();
}

void QueryPageLogic::CrewsGridExit()
{
    if (d_.CrewsTable.active() && d_.CrewsTable.state() == db::Table::State::Browse)
        d_.CrewsTable.refresh();
    CrewsGridFocused = false;
}

void QueryPageLogic::TasksGridTitleClick(const std::array<int, 4>& widths)
{
    if (host_.SaveTasksGridWidths(widths))
        TasksGridColumnsUserSized = true;
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
