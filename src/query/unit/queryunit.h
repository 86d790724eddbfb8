#pragma once
// What the other units may ask of the Add / Edit / Query unit
// (queryfeature.h), in three narrow parts: what its restriction selects, what
// other pages do to its filters, what it asks of other units (QueryRequests),
// and what the start-up, the restore and the
// imports show on it. Its grids follow the schedule notice themselves.

#include <cstdint>
#include <functional>
#include <string>

#include <QString>

#include "data/jobstatus.h"
#include "reports/reportinputs.h"

namespace tw::visualize {
struct PageControls;
}

namespace tw::query {
class QueryPageLogic;
struct TaskEditorRequest;
}  // namespace tw::query

namespace tw::app {

// What the page asks of the units that answer it, each of which listens to
// its request when it is made.
class QueryRequests {
public:
    virtual ~QueryRequests() = default;
    virtual void OnOpenTaskEditor(std::function<void(const query::TaskEditorRequest&)> action) = 0;
    // The custom fields window: a search, or the fields of tasks or resources.
    enum class Fields { Search, Tasks, Resources };
    virtual void OnCustomFields(std::function<void(Fields)> action) = 0;
    // "Import Quillmark job", "Export to QuickBooks", "Import from QuickBooks".
    enum class Exchange { ImportFromQM, ExportToQB, ImportFromQB };
    virtual void OnExchange(std::function<void(Exchange)> action) = 0;
};

// The selection the query's restriction makes, for the chart, the reports and
// whoever adds a task for "the current resource".
class QuerySelection {
public:
    virtual ~QuerySelection() = default;
    virtual bool Attached() const = 0;
    // The resource selected on the page (one is made when there is none).
    virtual std::int32_t CurrentResource() = 0;
    // That resource's hourly rate, as the last CurrentResource found it.
    virtual double CurrentResourceRate() const = 0;
    // The restrictions and dates the chart and its status bar follow.
    virtual void ReadRestrictions(visualize::PageControls& controls) const = 0;
    // What a report prints: the restriction in force, and its title.
    virtual reports::SelectionState ReportSelection(int chartSortBy,
                                                    std::int32_t currentResourceId) const = 0;
    virtual QString ReportTitle(const QString& caption) const = 0;
    // Until the page is attached its customer grid counts as taking edits.
    virtual bool CustomerGridEnabled() const = 0;
};

// What the custom fields and the page control do to the query's filters.
class QueryFilters {
public:
    virtual ~QueryFilters() = default;
    virtual void ApplyCustomerQuery() = 0;
    virtual void ApplyQueryFilters() = 0;
    virtual void UpdateSelectControls() = 0;
    virtual void RestrictToCustomer() = 0;
    virtual void RestrictTasksToCrew() = 0;
    virtual void SetCustomersLabel(const std::string& text) = 0;
};

// What the start-up, the restore, the emptying and the imports show on the page.
class QueryScreens {
public:
    virtual ~QueryScreens() = default;
    // Takes up the tables just opened; once per opening.
    virtual void Attach() = 0;
    // An empty database says so on the page; with no job to add a task to,
    // the task navigator stays hidden until the first job exists.
    virtual void ShowEmptyDatabase() = 0;
    virtual void ShowTitle(const std::string& title) = 0;
    virtual void ResourceDisplayClick() = 0;
    virtual void EnableJobsNavigator() = 0;
    // The customers and jobs grids after customers.dbf or jobs.dbf changed.
    virtual void RefreshCustomerViews() = 0;
    virtual void ShowJobStatusTexts(const data::JobStatusTexts& texts) = 0;
    virtual void ApplyReadOnlyAccess(bool readOnly) = 0;
    // The page's twin of the chart's sort choice.
    virtual void SetChartSortBy2(int choice) = 0;
    // The status choice, which the setup's status texts name.
    virtual int TaskStatusIndex() const = 0;
    virtual void SetTaskStatusIndex(int index) = 0;
    virtual void UntickRestrictToSelectedStatus() = 0;
    // The page's window-free logic, for the QuickBooks export's job.
    virtual query::QueryPageLogic& Logic() = 0;
};

}  // namespace tw::app
