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
//   data.Bind(state);                          // before any handler runs
//   data.Views().Pages = &pageControl;         // each view by its owner
//
// The handlers below are the ones the grids and navigators call around a move
// of their view (the engine has no scroll events): BeforeScroll before the
// move, AfterScroll after it.

#include <cstdint>
#include <string>
#include <vector>

#include "data/services/mainstate.h"
#include "platform/datetime/datetime.h"
#include "platform/db/aliases.h"
#include "platform/db/database.h"
#include "platform/db/table.h"

namespace tw::data {

// What the data module's handlers reach outside it, one view per owner. An
// owner plugs its view into TEstimateData::Views() and takes it out before it
// goes; until then a call does nothing, a question answers "no", the working
// hours are 0 and a search's record test passes every record.

// The custom fields' values of the owner whose view moves (kind 1 customer,
// 2 resource, 3 task): saved before the move, shown after it.
class CustomFieldValues {
public:
    virtual void SaveCustomFieldValues(int ownerKind) = 0;
    virtual void LoadCustomFieldValues(int ownerKind) = 0;

protected:
    ~CustomFieldValues() = default;
};

// The custom-field search's record tests of the filtered views.
class CustomFieldSearch {
public:
    virtual bool CustomerMatchesSearch() = 0;
    virtual bool ResourceMatchesSearch() = 0;
    virtual bool TaskMatchesSearch() = 0;

protected:
    ~CustomFieldSearch() = default;
};

// The Customer details page after a move of the customers view.
class CustomerPageView {
public:
    // The moved-to customer's fields and photo.
    virtual void ShowMovedCustomer() = 0;
    virtual void SetUseAlt(bool checked) = 0;

protected:
    ~CustomerPageView() = default;
};

// The Add / Edit / Query page.
class QueryPageView {
public:
    virtual void ApplyQueryFilters() = 0;
    virtual void ShowResourcesOfTask(std::int32_t chartsId) = 0;
    // Its "restrict to the resource" box is ticked.
    virtual bool RestrictTasksToCrew() const = 0;

protected:
    ~QueryPageView() = default;
};

// The page control of the main window.
class PageControlView {
public:
    // The Add / Edit / Query page is shown.
    virtual bool SelectPageIsCurrent() const = 0;
    virtual void ApplyCustomerQuery() = 0;
    // The working hours of a resource between two instants on its loaded
    // work calendar.
    virtual float WorkingHoursBetween(std::int32_t resourceId, TDateTime start, TDateTime end) = 0;
    // Ends the program once the running handler returns.
    virtual void TerminateApplication() = 0;

protected:
    ~PageControlView() = default;
};

struct DataModuleViews {
    CustomFieldValues* FieldValues = nullptr;
    CustomFieldSearch* FieldSearch = nullptr;
    CustomerPageView* CustomerPage = nullptr;
    QueryPageView* QueryPage = nullptr;
    PageControlView* Pages = nullptr;
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

    // The main window's run state, which the handlers read; the views plugged
    // in before are taken out.
    void Bind(MainScreenState& state);
    MainScreenState& State() { return *state_; }
    DataModuleViews& Views() { return views_; }

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
    DataModuleViews views_;

    std::int64_t chartsCount_ = 0, jobsCount_ = 0, crewsCount_ = 0, customersCount_ = 0;
    std::string lastFirst_, lastLast_;
};

}  // namespace tw::data
