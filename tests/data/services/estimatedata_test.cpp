// The data module's calculated fields of the task views, the handlers around
// a move of the customers, jobs, resources and tasks views, and the search
// filters.

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "data/datetimetext.h"
#include "data/quartergrid.h"
#include "data/services/recordservices.h"
#include "platform/datetime/datetime.h"
#include "fakemoduleviews.h"
#include "servicesfixture.h"

namespace tw::data::testing {
namespace {

class DataModuleTest : public ServicesTest {
protected:
    void SetUp() override
    {
        ServicesTest::SetUp();
        OpenFreshTables();
        state_.StartupDone = true;
        views_.Plug(*data_);
    }

    void AddCrew(int id, const char* desc, double rate)
    {
        db::Table& c = data_->CrewsTable4;
        c.append();
        c.fieldByName("CREWID").setAsInteger(id);
        c.fieldByName("DESC").setAsString(desc);
        c.fieldByName("RATE").setAsFloat(rate);
        c.post();
    }

    void Assign(int crew, int chartsId)
    {
        db::Table& a = data_->ICrewsTable3;
        a.append();
        a.fieldByName("CREWID").setAsInteger(crew);
        a.fieldByName("CHARTSID").setAsInteger(chartsId);
        a.post();
    }

    struct Item {
        int id;
        const char* desc;
        int crew = 0;
        bool job = false;
        bool showit = true;
        bool parent = false;
        int pid = 0;
    };

    void AddItem(const Item& item)
    {
        db::Table& t = data_->ChartsTable3;
        t.append();
        t.fieldByName("CHARTSID").setAsInteger(item.id);
        t.fieldByName("DESC").setAsString(item.desc);
        t.fieldByName("CREWID").setAsInteger(item.crew);
        t.fieldByName("JOB").setAsBoolean(item.job);
        t.fieldByName("SHOWIT").setAsBoolean(item.showit);
        t.fieldByName("PARENT").setAsBoolean(item.parent);
        t.fieldByName("PID").setAsInteger(item.pid);
        t.fieldByName("SD").setAsFloat(start_);
        t.fieldByName("ED").setAsFloat(end_);
        t.post();
    }

    ChartsCalculatedFields CalcFor(int chartsId)
    {
        data_->ChartsTable.refresh();
        EXPECT_TRUE(data_->ChartsTable.locate("CHARTSID", db::Value(double(chartsId))));
        return data_->ChartsTableCalcFields();
    }

    FakeModuleViews views_;
    std::map<std::int32_t, float>& hoursOf_ = views_.Pages.HoursOf;
    // Monday 8:05 to 12:50: the grid rounds both up.
    const TDateTime start_ = EncodeDate(2026, 12, 7) + EncodeTime(8, 5, 0, 0);
    const TDateTime end_ = EncodeDate(2026, 12, 7) + EncodeTime(12, 50, 0, 0);
};

TEST_F(DataModuleTest, CalculatedFieldsOfTasksAndJobRows)
{
    AddCrew(1, "Blue crew", 20);
    AddCrew(2, "Red crew", 12.5);
    hoursOf_ = {{1, 3.5f}, {2, 2.0f}, {3, 1.25f}};
    AddItem({100, "Two resources", 1, false, true, true});
    Assign(1, 100);
    Assign(2, 100);
    AddItem({101, "Resource gone from crews.dbf", 1, false, false, false, 100});
    Assign(1, 101);
    Assign(3, 101);
    AddItem({102, "Nobody assigned", 7, false, true, false, 999});
    AddItem({103, "Kitchen job", 0, true, true});
    AddItem({104, "Inactive job row", 0, true, false});

    struct Case {
        int id;
        double hours;
        const char* labor;
        const char* display;
        const char* child;
        const char* crew;
    };
    const Case cases[] = {
        {100, 5.5, "$95.00", "Active task", "Is parent", "Blue crew"},
        {101, 4.75, "$70.00", "Inactive task", "Two resources", "Blue crew"},
        {102, 0, "$0.00", "Active task", "", "None assigned"},
        {103, 0, "$0.00", "Active job", "", "Not applicable"},
        {104, 0, "$0.00", "Inactive job", "", "Not applicable"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const ChartsCalculatedFields f = CalcFor(c.id);
        EXPECT_DOUBLE_EQ(f.cHours, c.hours);
        EXPECT_EQ(f.cLaborCost, c.labor);
        EXPECT_EQ(f.cDisplay, c.display);
        EXPECT_EQ(f.cChild, c.child);
        EXPECT_EQ(f.cCrew, c.crew);
        EXPECT_EQ(f.cStartDate, RoundUpToQuarterHour(start_));
        EXPECT_EQ(f.cEndDate, RoundUpToQuarterHour(end_));
        EXPECT_EQ(f.cSD, DateTimeText(RoundUpToQuarterHour(start_)));
        EXPECT_EQ(f.cED, "12/7/2026 1:00 PM");
    }
    ASSERT_FALSE(views_.Pages.HoursAsked.empty());
    EXPECT_EQ(views_.Pages.HoursAsked.front().Start, RoundUpToQuarterHour(start_));
}

TEST_F(DataModuleTest, LaborCostCountsInTenThousandths)
{
    // 1/3 hour at 10.00 is 3.333 (whole ten-thousandths, cut), twice 6.666.
    AddCrew(1, "Blue crew", 10);
    AddCrew(2, "Red crew", 10);
    hoursOf_ = {{1, 1.0f / 3.0f}, {2, 1.0f / 3.0f}};
    AddItem({100, "Thirds", 1});
    Assign(1, 100);
    Assign(2, 100);
    EXPECT_EQ(CalcFor(100).cLaborCost, "$6.67");
    hoursOf_ = {{1, 1234.5f}, {2, 0}};
    EXPECT_EQ(CalcFor(100).cLaborCost, "$12,345.00");
}

TEST_F(DataModuleTest, NothingIsCalculatedWhileTablesAreBusyOrBeforeStartup)
{
    AddItem({100, "Task", 0});
    struct Case {
        const char* name;
        bool startupDone, closing, busy;
    };
    for (const Case& c : {Case{"before start-up", false, false, false}, Case{"closing", true, true, false},
                          Case{"busy", true, false, true}}) {
        SCOPED_TRACE(c.name);
        state_.StartupDone = c.startupDone;
        state_.ClosingTables = c.closing;
        state_.TablesBusy = c.busy;
        const ChartsCalculatedFields f = CalcFor(100);
        EXPECT_EQ(f.cDisplay, "");
        EXPECT_EQ(f.cLaborCost, "");
        EXPECT_EQ(f.cCrew, "");
    }
}

void AddCustomer(db::Table& t, const char* name, const char* last, const char* first)
{
    t.append();
    t.fieldByName("NAME").setAsString(name);
    t.fieldByName("LAST").setAsString(last);
    t.fieldByName("FIRST").setAsString(first);
    t.post();
}

TEST_F(DataModuleTest, CustomerNameIsRebuiltBeforeTheViewMoves)
{
    struct Case {
        std::string last;
        std::string first;
        std::string name;
    };
    const Case cases[] = {
        {"Smith", "", "Smith"},
        {"Smith", "John", "Smith, John"},
        {"", "John", "kept as it was"},
        {" Doe ", " Mary  Ann", "Doe, Mary  Ann"},
        // Cut to the field rather than refused.
        {std::string(40, 'L'), std::string(40, 'F'), std::string(40, 'L') + ", " + std::string(38, 'F')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db::Table& view = data_->CustomersTable;
        EmptyTable(view);
        AddCustomer(view, "kept as it was", c.last.c_str(), c.first.c_str());
        view.first();
        data_->CustomersTableBeforeScroll();
        EXPECT_EQ(view.fieldByName("NAME").asString(), c.name);
    }
}

TEST_F(DataModuleTest, ReadOnlyCopyNeverWritesCustomerNames)
{
    AddCustomer(data_->CustomersTable3, "old name", "Smith", "John");
    ops_->CloseAllTables();
    state_.ReadOnlyCopy = true;
    ops_->OpenAllTables(true);
    data_->CustomersTable.first();
    data_->CustomersTableBeforeScroll();
    data_->CustomersTable.refresh();
    EXPECT_EQ(data_->CustomersTable.fieldByName("NAME").asString(), "old name");
}

// Another workstation appends a customer while this one's grid moves: the
// count grew, and the user's current record must stay.
TEST_F(DataModuleTest, AfterScrollNeverDeletesARecordBecauseTheCountGrew)
{
    AddCustomer(data_->CustomersTable3, "Smith, John", "Smith", "John");
    db::Table& view = data_->CustomersTable;
    view.refresh();
    view.first();
    data_->CustomersTableBeforeScroll();
    EXPECT_EQ(data_->CustomersCountBeforeScroll(), 1);

    db::Table other;  // the other workstation
    other.setFolder(schedule_);
    other.setTableName("customers.dbf");
    other.open();
    AddCustomer(other, "Brown, Ann", "Brown", "Ann");
    data_->CustomersTableAfterScroll();
    EXPECT_EQ(view.recordCount(), 2);
    EXPECT_EQ(view.fieldByName("NAME").asString(), "Smith, John");
    EXPECT_TRUE(view.locate("NAME", db::Value(std::string("Brown, Ann"))));

    for (auto [flag, before, after, table] :
         {std::tuple{&state_.KeepNewTask, &TEstimateData::ChartsTableBeforeScroll,
                     &TEstimateData::ChartsTableAfterScroll, &data_->ChartsTable},
          std::tuple{&state_.KeepNewJob, &TEstimateData::JobsTableBeforeScroll,
                     &TEstimateData::JobsTableAfterScroll, &data_->JobsTable},
          std::tuple{&state_.KeepNewResource, &TEstimateData::CrewsTableBeforeScroll,
                     &TEstimateData::CrewsTableAfterScroll, &data_->CrewsTable},
          std::tuple{&state_.KeepNewCustomer, &TEstimateData::CustomersTableBeforeScroll,
                     &TEstimateData::CustomersTableAfterScroll, &data_->CustomersTable}}) {
        SCOPED_TRACE(table->tableName());
        (data_.get()->*before)();
        const std::int64_t count = table->recordCount();
        table->append();
        table->post();
        *flag = true;
        (data_.get()->*after)();
        EXPECT_FALSE(*flag) << "the flag is honoured once";
        (data_.get()->*before)();
        (data_.get()->*after)();
        EXPECT_EQ(table->recordCount(), count + 1);
    }
}

// Each move reaches the views of what the moved view's record owns: the
// custom field values of the owner kind are saved before and shown after, the
// query page follows the tasks, jobs and (when restricted to one) resources.
TEST_F(DataModuleTest, MovesReachTheViewsOfWhatTheyOwn)
{
    AddItem({100, "Task", 0});
    AddCrew(42, "Blue crew", 1);
    AddCustomer(data_->CustomersTable3, "Ames", "Ann", "");
    data_->ChartsTable.refresh();
    data_->CrewsTable.refresh();
    data_->CustomersTable.refresh();
    FakeCustomFields& fields = views_.Fields;
    FakeQueryPage& query = views_.QueryPage;

    // Tasks: the resources of the task only while the query page shows.
    data_->ChartsTableBeforeScroll();
    data_->ChartsTableAfterScroll();
    EXPECT_TRUE(query.ResourcesShownFor.empty());
    views_.Pages.SelectPageShown = true;
    data_->ChartsTableAfterScroll();
    EXPECT_EQ(query.ResourcesShownFor, std::vector<std::int32_t>{100});
    EXPECT_EQ(fields.Saved, std::vector<int>{3});
    EXPECT_EQ(fields.Loaded, (std::vector<int>{3, 3}));
    EXPECT_EQ(query.FilterRuns, 0);

    // Resources: the current resource; the query again only when restricted to it.
    fields.Saved.clear();
    fields.Loaded.clear();
    data_->CrewsTableBeforeScroll();
    data_->CrewsTableAfterScroll();
    EXPECT_EQ(query.FilterRuns, 0);
    query.RestrictedToCrew = true;
    data_->CrewsTableAfterScroll();
    EXPECT_EQ(query.FilterRuns, 1);
    EXPECT_EQ(state_.CurrentResourceId, 42);
    EXPECT_EQ(fields.Saved, std::vector<int>{2});
    EXPECT_EQ(fields.Loaded, (std::vector<int>{2, 2}));

    data_->JobsTableBeforeScroll();
    data_->JobsTableAfterScroll();
    EXPECT_EQ(query.FilterRuns, 2);

    // Customers: the page shows the customer and its use-alt mark, the
    // customer query runs again.
    fields.Saved.clear();
    fields.Loaded.clear();
    data_->CustomersTableBeforeScroll();
    data_->CustomersTableAfterScroll();
    EXPECT_EQ(views_.CustomerPage.CustomersShown, 1);
    EXPECT_EQ(views_.CustomerPage.UseAlt, 0);
    EXPECT_EQ(views_.Pages.CustomerQueries, 1);
    EXPECT_EQ(fields.Saved, std::vector<int>{1});
    EXPECT_EQ(fields.Loaded, std::vector<int>{1});

    // While the tables are being opened nothing runs after a move.
    state_.TablesBusy = true;
    data_->ChartsTableAfterScroll();
    data_->CustomersTableAfterScroll();
    EXPECT_EQ(query.ResourcesShownFor.size(), 1u);
    EXPECT_EQ(views_.CustomerPage.CustomersShown, 1);
    EXPECT_EQ(fields.Loaded.size(), 1u);
}

// With no view plugged in (a window gone, a tool without windows) the moves
// still do their own part and the calculated fields count no hours.
TEST_F(DataModuleTest, WithoutViewsMovesDoTheirOwnPartOnly)
{
    data_->Views() = {};
    AddCrew(42, "Blue crew", 1);
    AddItem({100, "Task", 0});
    Assign(42, 100);
    data_->CrewsTable.refresh();
    data_->CrewsTableBeforeScroll();
    data_->CrewsTableAfterScroll();
    EXPECT_EQ(state_.CurrentResourceId, 42);
    data_->CustomersTableBeforeScroll();
    data_->CustomersTableAfterScroll();
    EXPECT_DOUBLE_EQ(CalcFor(100).cHours, 0);
    EXPECT_TRUE(data_->CustomersTable2FilterRecord());
}

TEST_F(DataModuleTest, SearchFiltersAskTheCustomFields)
{
    data_->Views().FieldSearch = nullptr;
    EXPECT_TRUE(data_->CustomersTable2FilterRecord()) << "no search: every record";
    views_.Plug(*data_);
    views_.Fields.EverySecondMatches = true;
    AddCustomer(data_->CustomersTable3, "A", "A", "");
    AddCustomer(data_->CustomersTable3, "B", "B", "");
    db::Table& search = data_->CustomersTable2;
    search.refresh();
    search.setFiltered(true);
    EXPECT_EQ(search.recordCount(), 1);
    EXPECT_GT(views_.Fields.Asked, 0);
    search.setFiltered(false);
}

}  // namespace
}  // namespace tw::data::testing
