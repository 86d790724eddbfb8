// The data module's calculated fields of the task views, the handlers around
// a move of the customers, jobs, resources and tasks views, and the search
// filters.

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "data/datetimetext.h"
#include "data/quartergrid.h"
#include "data/services/recordservices.h"
#include "platform/datetime/datetime.h"
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
        data_->Hooks().WorkingHoursBetween = [this](std::int32_t crew, TDateTime start, TDateTime end) {
            hoursAsked_.push_back({crew, start, end});
            auto it = hoursOf_.find(crew);
            return it == hoursOf_.end() ? 0.0f : it->second;
        };
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

    struct Asked {
        std::int32_t crew;
        TDateTime start, end;
    };
    std::map<std::int32_t, float> hoursOf_;
    std::vector<Asked> hoursAsked_;
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
    ASSERT_FALSE(hoursAsked_.empty());
    EXPECT_EQ(hoursAsked_.front().start, RoundUpToQuarterHour(start_));
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

TEST_F(DataModuleTest, ScrollHandlersCallTheirWindows)
{
    std::vector<std::string> calls;
    DataModuleHooks& h = data_->Hooks();
    h.SaveCustomFieldValues = [&](int kind) { calls.push_back("save " + std::to_string(kind)); };
    h.LoadCustomFieldValues = [&](int kind) { calls.push_back("load " + std::to_string(kind)); };
    h.ShowTaskStatusBar = [&] { calls.push_back("status bar"); };
    h.ApplyQueryFilters = [&] { calls.push_back("query filters"); };
    h.ShowCustomerPhoto = [&] { calls.push_back("photo"); };
    h.ApplyCustomerQuery = [&] { calls.push_back("customer query"); };
    h.ShowResourcesOfTask = [&](std::int32_t id) { calls.push_back("resources of " + std::to_string(id)); };
    h.SetUseAlt = [&](bool on) { calls.push_back(on ? "use alt" : "no alt"); };
    h.SelectPageIsCurrent = [] { return true; };
    h.RestrictTasksToCrew = [] { return true; };
    AddItem({100, "Task", 0});
    AddCrew(42, "Blue crew", 1);
    data_->ChartsTable.refresh();
    data_->CrewsTable.refresh();

    using Calls = std::vector<std::string>;
    data_->ChartsTableBeforeScroll();
    data_->ChartsTableAfterScroll();
    EXPECT_EQ(calls, (Calls{"save 3", "load 3", "status bar", "resources of 100"}));
    calls.clear();
    data_->CrewsTableBeforeScroll();
    data_->CrewsTableAfterScroll();
    EXPECT_EQ(calls, (Calls{"save 2", "load 2", "query filters"}));
    EXPECT_EQ(state_.CurrentResourceId, 42);
    calls.clear();
    data_->JobsTableBeforeScroll();
    data_->JobsTableAfterScroll();
    EXPECT_EQ(calls, (Calls{"query filters"}));
    calls.clear();
    data_->CustomersTableBeforeScroll();
    data_->CustomersTableAfterScroll();
    EXPECT_EQ(calls, (Calls{"save 1", "photo", "customer query", "load 1"}));

    // While the tables are being opened nothing runs after a move.
    calls.clear();
    state_.TablesBusy = true;
    data_->ChartsTableAfterScroll();
    data_->CustomersTableAfterScroll();
    EXPECT_TRUE(calls.empty());
}

TEST_F(DataModuleTest, SearchFiltersAskTheCustomFields)
{
    EXPECT_TRUE(data_->CustomersTable2FilterRecord()) << "no search: every record";
    int asked = 0;
    data_->Hooks().CustomerMatchesSearch = [&] { return ++asked % 2 == 0; };
    AddCustomer(data_->CustomersTable3, "A", "A", "");
    AddCustomer(data_->CustomersTable3, "B", "B", "");
    db::Table& search = data_->CustomersTable2;
    search.refresh();
    search.setFiltered(true);
    EXPECT_EQ(search.recordCount(), 1);
    EXPECT_GT(asked, 0);
    search.setFiltered(false);
}

}  // namespace
}  // namespace tw::data::testing
