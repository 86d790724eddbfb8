#pragma once
// The Add / Edit / Query tab without its window: the query over the
// customers, jobs, tasks and resources views, the restriction boxes and date
// shortcuts that drive it, the four navigators, the resources display and
// the grids' handlers. The page widget hands the user's changes to the
// logic's setters or handlers and shows what Controls() holds afterwards;
// tests drive the same handlers on a scratch installation.
//
//   QueryPageLogic logic(tables, data.Views(), page, host, session.Query, state, ui);
//   logic.ClickBox(&RestrictionBoxes::RestrictTasksToCrew, true);
//   // the tasks grid and the chart see that resource's tasks
//
// Navigator buttons run BeforeAction, then (unless it refused) Action on the
// navigator's view, then Click; Press runs the three in that order.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "query/dateshortcuts.h"
#include "query/queryfilter.h"
#include "query/querystate.h"
#include "query/reportselection.h"
#include "query/selectcontrols.h"
#include "data/jobstatus.h"
#include "data/services/busyscopes.h"
#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/networklock.h"
#include "data/services/userinterface.h"

namespace tw::query {

enum class NavigateButton { First, Prior, Next, Last, Insert, Delete };

// The task editor opened on the tab's tasks view (ChartsTable), which it
// rebuilds the chart from when it closes: on the view's current task, or for
// a new task of the current job.
struct TaskEditorRequest {
    bool Edit = false;
    int HelpLevel = 0;
    std::string Description;  // a new task's
    TDateTime Start = 0;      // a new task's
    int Status = data::JobStatusTexts::kNone;
};

// What the tab asks on its own window: the page implements it over message
// boxes, tests with a set answer.
class QueryView {
public:
    virtual ~QueryView() = default;

    // A question with Yes and No, No the default button; true for Yes.
    virtual bool Confirm(const std::string& text, const std::string& caption) = 0;
};

// What the tab reaches of the rest of the program: the other pages and
// windows it opens or brings up to date, and the services it reads. The
// Add / Edit / Query feature implements it.
class QueryHost {
public:
    virtual ~QueryHost() = default;

    virtual void OpenTaskEditor(const TaskEditorRequest& request) = 0;
    virtual void ShowTaskStatusBar() = 0;
    // The custom-field window's values of the current record of a kind
    // (3: tasks); in search mode it opens, and a search in force ends there.
    virtual void LoadCustomFieldValues(int ownerKind) = 0;
    virtual void SearchCustomFields() = 0;
    // Assignment rows of the working copy's items in ICrews.DBF.
    virtual void DeleteCrewIndexRows(std::int32_t chartsId) = 0;
    // The Work calendar page: a resource's calendar, the list of calendars.
    virtual void ShowWorkCalendar(std::int32_t resourceId) = 0;
    virtual void FillCalendarResourceList(bool allResources) = 0;
    // The loaded work calendar's working day (start, end), each rounded up
    // to the quarter hour.
    virtual std::pair<TDateTime, TDateTime> WorkingDay() = 0;
    // The Visualize page's display choice: 0 "Overall jobs only", 1 "Individual tasks".
    virtual int ChartDisplayChoice() const = 0;
    // The Visualize page's sort choice follows the tab's own.
    virtual void SetChartSortBy(int choice) = 0;
    // The tasks grid's column widths into the settings file; false when its key is missing.
    virtual bool SaveTasksGridWidths(const std::array<int, 4>& widths) = 0;
    virtual TDateTime Now() const = 0;
};

// The data module's cursors in the tab's roles, and its scroll handlers.
struct QueryTables {
    db::Table& CustomersTable;  // the customers grid
    db::Table& JobsTable;       // the jobs grid (the current customer's jobs)
    db::Table& JobsTable2;      // every job
    db::Table& JobsTable3;      // new keys are checked against it
    db::Table& ChartsTable;     // the tasks grid
    db::Table& ChartsTable2;    // the whole working copy
    db::Table& ChartsTable3;    // the chart's view, filtered as the grid
    db::Table& ChartsTable6;    // the reports' view, filtered as the grid
    db::Table& ChartsTable9;    // the selected tasks a restricted delete takes
    db::Table& CrewsTable;      // the resources grid
    db::Table& CrewsTable4;     // new keys are checked against it
    db::Table& ICrewsTable;     // the shared assignment rows
    db::Table& ICrewsTable2;    // the working copy's assignment rows
    db::Table& IChartsTable;    // the shared schedule
    db::Table& AccessTable;     // the network lock
    data::ViewScrolling& Scrolling;
};

// The tab's controls as the logic reads and leaves them.
struct QueryControls {
    RestrictionBoxes Boxes;
    DatePickers Pickers;
    int TaskStatus = data::JobStatusTexts::kNone;
    int ResourceDisplay = 0;  // 0 "All", 1 "By task"
    bool SpecifyWorkingDay = false;

    SelectControlState Select;
    bool DateControlsEnabled = true;  // Today, This week, This month and the pickers
    bool UpDownDay = false;
    bool UpDownWeek = false;
    bool UpDownMonth = false;
    bool AddResource = true;
    bool RemoveResource = false;
    bool CrewsNavigatorByTask = false;  // the resources navigator shows only its moves
    bool TasksNavigatorEnabled = true;
    bool TasksNavigatorShown = true;  // hidden while the database has no job

    std::string Title = "Tarnwick";
    std::string CustomersLabel = "All customers";
    std::string JobsLabel = "Jobs";
    std::string TasksLabel = "Tasks";
    std::string CrewsLabel = "All resources";
};

// The resources grid's column widths after a click on a title: the name
// and the rate share half the grid's width, a third column takes 60 pixels.
std::array<int, 3> CrewsGridWidths(int gridWidth);

class QueryPageLogic : public data::QueryPageView {
public:
    // module: the data module's views, which ConnectDataModule plugs into.
    // query: the run's search and filter flag, which the session keeps.
    QueryPageLogic(const QueryTables& tables, data::DataModuleViews& module, QueryView& view, QueryHost& host,
                   QueryState& query, data::MainScreenState& state, data::UserInterface& ui);
    ~QueryPageLogic();
    QueryPageLogic(const QueryPageLogic&) = delete;
    QueryPageLogic& operator=(const QueryPageLogic&) = delete;

    // Lets the data module's scroll handlers run the query and the
    // resources display of this tab (the page does it in the program).
    void ConnectDataModule();

    // What the tab's controls show.
    const QueryControls& Controls() const { return controls_; }
    // The run's search: set by the custom-field search, read by the query.
    const SearchState& Search() const { return search_; }
    void SetStatusTexts(const data::JobStatusTexts& texts) { statusTexts_ = texts; }

    // The user's choices, taken before the handler that follows them runs.
    // A box set as the user's click: its handler runs whether it changed or not.
    void ClickBox(bool RestrictionBoxes::*box, bool checked);
    // The boxes put as they are, no handler run: a starting state.
    void SetRestrictionBoxes(const RestrictionBoxes& boxes) { controls_.Boxes = boxes; }
    void SetDatePickers(const DatePickers& pickers) { controls_.Pickers = pickers; }
    void SetTaskStatus(int status) { controls_.TaskStatus = status; }
    void SetResourceDisplay(int display) { controls_.ResourceDisplay = display; }
    // The Work calendar page's "specify working day" box, which the date shortcuts follow.
    void SetSpecifyWorkingDay(bool specify) { controls_.SpecifyWorkingDay = specify; }

    // Captions the other pages give the tab.
    void SetTitle(const std::string& title) { controls_.Title = title; }
    void SetCustomersLabel(const std::string& label) { controls_.CustomersLabel = label; }
    // A database without customers: empty labels, no tasks navigator.
    void ShowEmptyDatabase();
    void EnableJobsNavigator() { controls_.Select.JobsNavigator = true; }

    // The query.
    void ApplyCustomerQuery();
    void ApplyQueryFilters() override;
    void UpdateSelectControls();
    // The filter last set on the schedule views.
    const std::string& FilterText() const { return filterText_; }
    // What every report prints: this tab's restrictions and search under the
    // chart's display mode; its first title is Controls().Title.
    reports::SelectionState ReportSelection(int chartSortBy) const;

    // Restriction controls; each runs after its box (or choice) changed.
    void RestrictTasksToCrewClick();
    void RestrictToCustomerClick();
    void RestrictByDateClick();
    void RestrictToSelectedStatusClick();
    void RestrictToActiveClick();
    void TaskStatusClick();
    void TaskStartDateChange();
    void TaskEndDateChange();
    void SearchCustomClick();

    // Date shortcuts.
    void TodayClick() { ShortcutClick(DateShortcut::Today); }
    void ThisWeekClick() { ShortcutClick(DateShortcut::ThisWeek); }
    void ThisMonthClick() { ShortcutClick(DateShortcut::ThisMonth); }
    void UpDownDayClick(bool up);
    void UpDownWeekClick(bool up);
    void UpDownMonthClick(bool up);

    // Navigators.
    bool TasksNavigatorBeforeAction(NavigateButton button);
    void TasksNavigatorAction(NavigateButton button);
    void TasksNavigatorClick(NavigateButton button);
    bool JobsNavigatorBeforeAction(NavigateButton button);
    void JobsNavigatorAction(NavigateButton button);
    void JobsNavigatorClick(NavigateButton button);
    bool CrewsNavigatorBeforeAction(NavigateButton button);
    void CrewsNavigatorAction(NavigateButton button);
    void CrewsNavigatorClick(NavigateButton button);
    bool CustomerNavigatorBeforeAction(NavigateButton button);
    void CustomerNavigatorAction(NavigateButton button);
    void CustomerNavigatorClick(NavigateButton button);
    enum class Navigator { Customers, Jobs, Tasks, Crews };
    void Press(Navigator navigator, NavigateButton button);

    // A row typed into the jobs or resources grid: (field, text) pairs for
    // the view's record recNo. Checked as the other editors check: a name
    // is trimmed, cut to 41 characters and may not be empty, a rate is a
    // number not below 0. A refusal writes nothing and is shown; false then.
    using TypedField = std::pair<std::string, std::string>;
    bool PostTypedRow(Navigator grid, std::uint32_t recNo, const std::vector<TypedField>& typed);
    // Enter: refreshes the view of the grid that has the focus; false, and
    // the key passed on, when none of them has it.
    bool EnterKey();

    // The current resource, the first one made when there is none.
    std::int32_t GetCurrentResource();
    // The current resource's name and rate as the resources grid last showed them.
    const std::string& CurrentResourceName() const { return currentResourceName_; }
    double CurrentResourceRate() const { return currentResourceRate_; }

    // Resources display.
    void ResourceDisplayClick();
    void ShowResourcesOfTask(std::int32_t chartsId) override;
    bool RestrictTasksToCrew() const override { return controls_.Boxes.RestrictTasksToCrew; }

    // Grids. A move of a grid's view to another row runs through MoveTo so
    // that the data module's scroll handlers see it.
    void MoveTo(Navigator grid, std::uint32_t recNo);
    void CrewsGridCellClick();
    void TasksGridCellClick() { ResourceDisplayClick(); }
    void TasksGridDblClick();
    void CustomerGridEnter() { customerGridFocused_ = true; }
    void CustomerGridExit();
    void TasksGridEnter() { tasksGridFocused_ = true; }
    void TasksGridExit();
    void CrewsGridEnter() { crewsGridFocused_ = true; }
    void CrewsGridExit();
    bool TasksGridFocused() const { return tasksGridFocused_; }
    void TasksGridTitleClick(const std::array<int, 4>& widths);
    // The user has sized the tasks grid's columns: they no longer follow the grid's width.
    bool TasksGridColumnsUserSized() const { return tasksGridColumnsUserSized_; }
    void ChartSortBy2Click(int choice);
    void SelectExit();

private:
    void ShortcutClick(DateShortcut shortcut);
    void SetBox(bool RestrictionBoxes::*box, bool checked);
    void RunBoxHandler(bool RestrictionBoxes::*box);
    void SetViewFilter(db::Table& view, const std::string& filter);
    void Status(int panel, const std::string& text);
    bool Ask(const std::string& text);
    void DeleteTaskEverywhere();
    bool SharedScheduleNames(const char* field, std::int32_t key);
    db::Table& ViewOf(Navigator navigator);
    void BeforeScroll(Navigator navigator);
    void AfterScroll(Navigator navigator);
    void Move(Navigator navigator, NavigateButton button);
    bool JobMode();

    QueryTables d_;
    data::DataModuleViews& module_;
    QueryView& view_;
    QueryHost& host_;
    QueryState& query_;
    SearchState& search_;  // the run's, in query_
    data::MainScreenState& state_;
    data::UserInterface& ui_;
    data::NetworkLock lock_;
    // TablesBusy from a navigator's insert, in its before-action, to the end
    // of the insert in its click, two events later.
    std::optional<data::BusyScope> insertBusy_;
    std::string filterText_;
    QueryControls controls_;
    data::JobStatusTexts statusTexts_;

    // The navigators' state between their BeforeAction, Action and Click.
    bool navActionRefused_ = false;
    bool deleteAllSelected_ = false;
    bool deletingJobRow_ = false;
    std::int32_t deletedTaskId_ = 0;
    std::int32_t deletedTaskJobId_ = 0;
    TDateTime newTaskStart_ = 0;

    std::string currentResourceName_;
    double currentResourceRate_ = 0;
    int resourceDisplayShown_ = 0;
    bool customerGridFocused_ = false;
    bool tasksGridFocused_ = false;
    bool crewsGridFocused_ = false;
    bool customerQueryStale_ = false;
    bool tasksGridColumnsUserSized_ = false;
};

}  // namespace tw::query
