#pragma once
// The data module: the three databases and every table component of the
// program, with no window behind it. A table file is opened through several
// components so that each window keeps its own cursor, index and filter; the
// components' names and fixed settings (database, file, index, exclusive) are
// set once here and never changed by their users, except the read-only state
// that opening all tables gives the components the user edits.
//
//   TEstimateData data(aliasFile);            // installs the database resolver
//   data.SchedulerDatabase.setAliasName("DOZOrez");
//   data.ParametersDatabase.setAliasName("TWUXData");
//   data.Bind(state, hooks);                   // before any handler runs
//
// The handlers below are the ones the grids and navigators call around a move
// of their view (the engine has no scroll events): BeforeScroll before the
// move, AfterScroll after it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "data/services/mainstate.h"
#include "platform/datetime/datetime.h"
#include "platform/db/aliases.h"
#include "platform/db/database.h"
#include "platform/db/table.h"

namespace tw::data {

// Calls into windows and subsystems that the data module reaches; each one does
// nothing (or answers "no") until its owner plugs it in.
struct DataModuleHooks {
    // Custom fields window: owner kind 1 customer, 2 resource, 3 task.
    std::function<void(int ownerKind)> SaveCustomFieldValues;
    std::function<void(int ownerKind)> LoadCustomFieldValues;
    std::function<bool()> CustomerMatchesSearch;
    std::function<bool()> ResourceMatchesSearch;
    std::function<bool()> TaskMatchesSearch;
    // Main window.
    std::function<void()> ShowTaskStatusBar;
    std::function<void()> ApplyQueryFilters;
    std::function<void()> ShowCustomerPhoto;
    std::function<void()> ApplyCustomerQuery;
    std::function<void(std::int32_t chartsId)> ShowResourcesOfTask;
    std::function<void(bool checked)> SetUseAlt;
    std::function<bool()> SelectPageIsCurrent;  // the Add / Edit / Query tab is shown
    std::function<bool()> RestrictTasksToCrew;  // its check box is ticked
    // The working hours of a resource between two instants on its loaded
    // work calendar; 0 until the working-time engine is joined to the tables.
    std::function<float(std::int32_t resourceId, TDateTime start, TDateTime end)> WorkingHoursBetween;
    // Ends the program once the running handler returns.
    std::function<void()> TerminateApplication;
};

// The views whose moves the data module's scroll handlers follow.
enum class ScrolledView { Charts, Jobs, Crews, Customers };

// The data module's handlers around a move of one of its views, for logic
// that holds only the cursors it uses (a role struct) and not the module.
class ViewScrolling {
public:
    virtual void BeforeScroll(ScrolledView view) = 0;
    virtual void AfterScroll(ScrolledView view) = 0;

protected:
    ~ViewScrolling() = default;
};

// What the task grids show beside the stored fields of a Charts.DBF record.
struct ChartsCalculatedFields {
    TDateTime cStartDate = 0;
    TDateTime cEndDate = 0;
    std::string cLaborCost;  // money, two decimals, at most 15 characters
    std::string cChild;      // at most 100 characters
    std::string cDisplay;
    std::string cCrew;
    std::string cSD;
    std::string cED;
    double cHours = 0;
};

// NAME of a customer as the grids sort it: the last name, or the last name, a
// comma, a blank and the first name; both without surrounding blanks.
std::string CustomerNameText(const std::string& last, const std::string& first);

// Money as the task editor of a job shows a labour total (the locale's
// currency format with two decimals).
std::string MoneyText(double amount);

class TEstimateData : public ViewScrolling {
public:
    // aliasFile: the file of database names (db::DefaultAliasConfigPath() in
    // the program). Installs the engine's database resolver for the three
    // database names and every alias of the file.
    explicit TEstimateData(const std::string& aliasFile);
    ~TEstimateData();
    TEstimateData(const TEstimateData&) = delete;
    TEstimateData& operator=(const TEstimateData&) = delete;

    // The main window's run state and the calls out; the handlers read both.
    void Bind(MainScreenState& state, DataModuleHooks hooks);
    MainScreenState& State() { return *state_; }
    DataModuleHooks& Hooks() { return hooks_; }

    db::AliasConfig Aliases;
    db::Database SchedulerDatabase;
    db::Database ParametersDatabase;
    db::Database EstimatorDatabase;

    // ---- Schedule database ("scheduler") --------------------------------
    db::Table CustomersTable, CustomersTable2, CustomersTable3;
    db::Table JobsTable, JobsTable2, JobsTable3;
    db::Table CrewsTable, CrewsTable2, CrewsTable3, CrewsTable4;
    db::Table IChartsTable, IChartsTable2, IChartsTable3;
    db::Table ITasksTable, ITasksTable2, ITasksTable3;
    db::Table ICrewsTable, ICrewsTable2, ICrewsTable3;
    db::Table CalendarTable, CalendarTable2;
    db::Table HolidaysTable, HolidaysTable2;
    db::Table CustomFieldsTable, CustomFieldsTable2, CustomFieldsTable3;
    db::Table PhotosTable;
    db::Table MyCompanyTable;
    db::Table AccessTable;
    db::Table OChartsTable;      // the schedule table of older releases
    db::Table DestinationTable;  // the restore's RITasks.dbf in the schedule folder

    // ---- Program folder ("Parameters") ----------------------------------
    db::Table ParamsTable;
    db::Table ETable;
    db::Table QBSetupTable;
    db::Table PrinterTable, PrinterTable2;
    db::Table ChartsTable, ChartsTable2, ChartsTable3, ChartsTable4, ChartsTable5, ChartsTable6, ChartsTable7,
        ChartsTable8, ChartsTable9;
    db::Table TasksTable, TasksTable2, TasksTable3;

    // Reference twins: empty tables of the current layouts, opened exclusively.
    db::Table RParamsTable, RETable, RQBSetupTable, RPrinterTable, RChartsTable, RTasksTable;
    db::Table RMyCompanyTable, RAccessTable, RIChartsTable, RITasksTable, RCalendarTable, RHolidaysTable,
        RCustomFieldsTable, RCustomersTable, RPhotosTable, RJobsTable, RICrewsTable, RCrewsTable;

    // ---- Restore folder ("TWDbRs"); the restore sets the table name ------
    db::Table SourceTable;

    // ---- Quillmark database ("estimator") -------------------------------
    db::Table BidTable, BidTable2;
    db::Table CompanyTable;
    db::Table EstimateTable3;
    db::Table HourssumTable, HourssumTable2;
    db::Table IProjectTable;
    db::Table LaborTable3;
    db::Table MatssumTable;
    db::Table ProjectsTable3;
    db::Table RatesTable2;
    db::Table WorkOrder1Table, WorkOrder2Table;

    // Every component, for walks over all of them.
    std::vector<db::Table*> AllTables();

    // ---- Handlers --------------------------------------------------------
    // For the current record of ChartsTable; blank while start-up has not
    // loaded the settings or the tables are being opened, closed or rebuilt.
    ChartsCalculatedFields ChartsTableCalcFields();

    void ChartsTableBeforeScroll();
    void ChartsTableAfterScroll();
    void JobsTableBeforeScroll();
    void JobsTableAfterScroll();
    void CrewsTableBeforeScroll();
    void CrewsTableAfterScroll();
    void CustomersTableBeforeScroll();
    void CustomersTableAfterScroll();

    void BeforeScroll(ScrolledView view) override
    {
        switch (view) {
        case ScrolledView::Charts: ChartsTableBeforeScroll(); break;
        case ScrolledView::Jobs: JobsTableBeforeScroll(); break;
        case ScrolledView::Crews: CrewsTableBeforeScroll(); break;
        case ScrolledView::Customers: CustomersTableBeforeScroll(); break;
        }
    }
    void AfterScroll(ScrolledView view) override
    {
        switch (view) {
        case ScrolledView::Charts: ChartsTableAfterScroll(); break;
        case ScrolledView::Jobs: JobsTableAfterScroll(); break;
        case ScrolledView::Crews: CrewsTableAfterScroll(); break;
        case ScrolledView::Customers: CustomersTableAfterScroll(); break;
        }
    }

    bool CustomersTable2FilterRecord();
    bool CrewsTable2FilterRecord();
    bool ChartsTable2FilterRecord();

    // The record counts remembered before the last scroll of each view.
    std::int64_t ChartsCountBeforeScroll() const { return chartsCount_; }
    std::int64_t JobsCountBeforeScroll() const { return jobsCount_; }
    std::int64_t CrewsCountBeforeScroll() const { return crewsCount_; }
    std::int64_t CustomersCountBeforeScroll() const { return customersCount_; }

private:
    bool AfterScrollAllowed() const;
    // A keep-new-record flag is honoured once: the after-scroll that finds it
    // set clears it.
    void ConsumeKeepNew(bool& keepNew, db::Table& view);
    void RebuildCustomerName();

    MainScreenState ownState_;
    MainScreenState* state_ = &ownState_;
    DataModuleHooks hooks_;

    std::int64_t chartsCount_ = 0, jobsCount_ = 0, crewsCount_ = 0, customersCount_ = 0;
    std::string lastFirst_, lastLast_;
};

}  // namespace tw::data
