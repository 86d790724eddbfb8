#pragma once
// The Add / Edit / Query tab without its window: the query over the
// customers, jobs, tasks and resources views, the restriction boxes and date
// shortcuts that drive it, the four navigators, the resources display and
// the grids' handlers. The page widget copies its controls into Controls,
// calls a handler, and shows what Controls holds afterwards; tests drive the
// same handlers on a scratch installation.
//
//   QueryPageLogic logic(data, state, ui);
//   logic.Hooks.ShowTaskEditor = ...;
//   logic.Controls.Boxes.RestrictTasksToCrew = true;
//   logic.RestrictTasksToCrewClick();      // tasks grid and chart see that resource's tasks
//
// Navigator buttons run BeforeAction, then (unless it refused) Action on the
// navigator's view, then Click; Press runs the three in that order.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "query/dateshortcuts.h"
#include "query/queryfilter.h"
#include "query/reportselection.h"
#include "query/selectcontrols.h"
#include "data/jobstatus.h"
#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/networklock.h"
#include "data/services/userinterface.h"
#include "tasks/editor/editorarguments.h"

namespace tw::query {

enum class NavigateButton { First, Prior, Next, Last, Insert, Delete };

// Operations of other parts of the program; an empty hook does nothing (a
// question left unanswered counts as No).
struct QueryHooks {
    // A question with Yes and No, No the default button.
    std::function<bool(const std::string& text, const std::string& caption)> Confirm;
    std::function<void(const tasks::EditorArguments&)> ShowTaskEditor;
    std::function<void()> ShowTaskStatusBar;
    std::function<void(int ownerKind)> LoadCustomFieldValues;
    // Assignment rows of the working copy's items in ICrews.DBF.
    std::function<void(std::int32_t chartsId)> DeleteCrewIndexRows;
    // The Work calendar tab.
    std::function<void(std::int32_t resourceId)> ShowWorkCalendar;
    std::function<void(bool allResources)> FillCalendarResourceList;
    // The loaded work calendar's working day (start, end), each rounded up to
    // the quarter hour.
    std::function<std::pair<TDateTime, TDateTime>()> WorkingDay;
    // The Visualize page's display choice: 0 "Overall jobs only", 1 "Individual tasks".
    std::function<int()> ShowJobsOnly;
    // The Visualize page's sort choice, given the tab's own choice.
    std::function<void(int choice)> ChartSortBy;
    // The tasks grid's column widths into the settings file; false when its key is missing.
    std::function<bool(const std::array<int, 4>& widths)> SaveTasksGridWidths;
    // The current date and time.
    std::function<TDateTime()> Now;
    // The custom-field window in search mode; a search in force ends there.
    std::function<void()> SearchCustomFields;
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

    std::string Title = "Tarnwick";
    std::string CustomersLabel = "All customers";
    std::string JobsLabel = "Jobs";
    std::string TasksLabel = "Tasks";
    std::string CrewsLabel = "All resources";
};

// The resources grid's column widths after a click on a title: the name
// and the rate share half the grid's width, a third column takes 60 pixels.
std::array<int, 3> CrewsGridWidths(int gridWidth);

class QueryPageLogic {
public:
    QueryPageLogic(data::TEstimateData& data, data::MainScreenState& state, data::UserInterface& ui);

    // Lets the data module's scroll handlers run the query and the
    // resources display of this tab.
    void ConnectDataModule();

    QueryHooks Hooks;
    QueryControls Controls;
    // The run state's search: set by the custom-field search, read by the query.
    SearchState& Search;
    data::JobStatusTexts StatusTexts;

    // The query.
    void ApplyCustomerQuery();
    void ApplyQueryFilters();
    void UpdateSelectControls();
    // The filter last set on the schedule views.
    const std::string& FilterText() const { return filterText_; }
    // What every report prints: this tab's restrictions and search under the
    // chart's display mode; its first title is Controls.Title.
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

    // Resources display.
    void ResourceDisplayClick();
    void ShowResourcesOfTask(std::int32_t chartsId);

    // Grids. A move of a grid's view to another row runs through MoveTo so
    // that the data module's scroll handlers see it.
    void MoveTo(Navigator grid, std::uint32_t recNo);
    void CrewsGridCellClick();
    void TasksGridCellClick() { ResourceDisplayClick(); }
    void TasksGridDblClick();
    void CustomerGridEnter() { CustomerGridFocused = true; }
    void CustomerGridExit();
    void TasksGridEnter() { TasksGridFocused = true; }
    void TasksGridExit();
    void CrewsGridEnter() { CrewsGridFocused = true; }
    void CrewsGridExit();
    void TasksGridTitleClick(const std::array<int, 4>& widths);
    void ChartSortBy2Click(int choice);
    void SelectExit();

    // Main-window state of the tab.
    bool NavActionRefused = false;
    bool DeleteAllSelected = false;
    bool DeletingJobRow = false;
    std::int32_t DeletedTaskId = 0;
    std::int32_t DeletedTaskJobId = 0;
    TDateTime NewTaskStart = 0;
    std::string CurrentResourceName;
    double CurrentResourceRate = 0;
    float LastUpdateCount = 0;
    int ResourceDisplayShown = 0;
    bool CustomerGridFocused = false;
    bool TasksGridFocused = false;
    bool CrewsGridFocused = false;
    bool CustomerQueryStale = false;
    bool TasksGridColumnsUserSized = false;

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

    data::TEstimateData& d_;
    data::MainScreenState& state_;
    data::UserInterface& ui_;
    data::NetworkLock lock_;
    std::string filterText_;
};

}  // namespace tw::query
