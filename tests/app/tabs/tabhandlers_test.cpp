// The page control's logic: the Refresh button on the scratch schedule's real
// tables (customer names rewritten, tables reopened, the customer kept), the
// sort choice, the print button and the change of page, through a fake of the
// pages that keeps what they were told and models the one thing that can be
// lost: a bar moved on the chart and not yet written back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pagefixture.h"
#include "app/tabs/tabhandlers.h"
#include "reports/unit/printrequest.h"

namespace tw::visualize {
namespace {

// The main window's page and poll logic lives in the app.
using namespace tw::app;

using testing::Day;

// A task of the job; its customer key is the job's plus 1000.
testing::Task Item(int id, int job, const std::string& customer, bool isJob = false)
{
    testing::Task task;
    task.Id = id;
    task.Job = job;
    task.Customer = customer;
    task.IsJob = isJob;
    return task;
}

// The pages as the handlers see them. The chart holds a bar moved by the user
// until it is written back; reopening the tables under it loses the move.
class FakePages : public TabView {
public:
    FakePages(data::MainScreenState& state, std::vector<db::Table*> cursors, db::Table& workingCopy)
        : state_(state),
          cursors_(std::move(cursors)),
          workingCopy_(workingCopy)
    {}

    int ActivePage() const override { return page; }
    void ReopenAllTables() override
    {
        if (barMoved)
            moveLost = true;
        for (db::Table* t : cursors_)
            t->close();
        for (db::Table* t : cursors_)
            t->open();
        ++reopened;
        state_.TablesBusy = openLeavesTablesBusy;
    }
    void PushChartUpdates() override
    {
        ++pushes;
        pushedNames = Names();
    }
    void SaveAndClearAllocations(bool recompute) override
    {
        if (barMoved && recompute) {
            moveWritten = true;
            writtenWhileTablesBusy = state_.TablesBusy;
        }
        barMoved = false;
        chartOnScreen = false;
    }
    void BuildChart(bool writeBack) override
    {
        if (barMoved && writeBack)
            moveWritten = true;
        barMoved = false;
        chartOnScreen = true;
        chartNames = Names();
        ++builds;
    }
    void KeepChartPeriod() override { periodSetAgain = true; }
    void ShowTaskStatusBar() override { statusBarShown = true; }
    void SetResetDependenciesEnabled(bool enabled) override { resetDependenciesEnabled = enabled; }
    int ChartSortBy() const override { return sortBy; }
    bool SortChoiceRestored() const override { return sortChoiceRestored; }
    void SetChartSortBy2(int choice) override { sortBy2 = choice; }
    void ShowCalendarOf(bool allResources, std::int32_t resourceId) override
    {
        calendarList = allResources ? "all resources" : "per resource";
        calendarShown = resourceId;
    }
    void LoadHolidays() override { holidaysLoaded = true; }
    void ApplyCustomerQuery() override { ++customerQueries; }
    void EndPendingInsert() override { insertEnded = true; }

    // Nothing of the pages was touched.
    bool Untouched() const
    {
        return reopened == 0 && pushes == 0 && builds == 0 && !moveWritten && customerQueries == 0
            && calendarList.empty() && !insertEnded && !statusBarShown;
    }

    int page = SchedulePage;
    int sortBy = 0;
    int sortBy2 = 0;  // the Add / Edit / Query page's copy of the sort choice
    bool sortChoiceRestored = true;
    bool openLeavesTablesBusy = false;

    bool barMoved = false;
    bool moveWritten = false;
    bool writtenWhileTablesBusy = false;
    bool moveLost = false;
    bool chartOnScreen = false;
    int builds = 0;
    int reopened = 0;
    int pushes = 0;
    int customerQueries = 0;
    std::vector<std::string> pushedNames, chartNames;
    bool periodSetAgain = false;
    bool statusBarShown = false;
    bool resetDependenciesEnabled = true;
    std::string calendarList;
    std::int32_t calendarShown = -1;
    bool holidaysLoaded = false;
    bool insertEnded = false;

private:
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        workingCopy_.refresh();
        for (workingCopy_.first(); !workingCopy_.eof(); workingCopy_.next())
            names.push_back(workingCopy_.fieldByName("CUSTNAME").asString());
        return names;
    }

    data::MainScreenState& state_;
    std::vector<db::Table*> cursors_;
    db::Table& workingCopy_;
};

class TabHandlersTest : public testing::PageFixture {
protected:
    TabHandlersTest()
    {
        Open(customersView, "customers.dbf");
        state.StartupDone = state.SelectionReady = true;
    }
    ~TabHandlersTest() override { customersView.close(); }

    std::string NameOf(int id)
    {
        c5.refresh();
        EXPECT_TRUE(c5.locate("CHARTSID", db::Value(static_cast<double>(id))));
        return c5.fieldByName("CUSTNAME").asString();
    }

    db::Table customersView;  // CustomersTable: the current customer
    FakePages pages{state,
                    {&c1, &c2, &c3, &c4, &c5, &c6, &c7, &c8, &c9, &jobs, &jobs2, &customers, &crews, &icrews2,
                     &icrews3, &customersView},
                    c5};
    query::QueryState query;
    TabHandlers tabs{{customersView, customers, c1, c2}, state, query, display, ui, pages};
};

TEST_F(TabHandlersTest, RefreshWritesEveryCustomersNameIntoItsItemsBeforeThePush)
{
    AddCustomer(1100, "Ames & Daughters");
    AddCustomer(1200, "Baker");
    AddCustomer(1300, "Cole");
    AddTask(Item(1, 100, "Ames"));
    AddTask(Item(2, 100, ""));
    AddTask(Item(3, 200, "Baker"));
    AddTask(Item(4, 900, "Gone customer"));
    AddTask(Item(5, 300, "Cole (old)", true));
    customersView.refresh();
    ASSERT_TRUE(customersView.locate("CID", db::Value(1200.0)));

    tabs.RefreshChartClick();

    EXPECT_EQ(NameOf(1), "Ames & Daughters");
    EXPECT_EQ(NameOf(2), "Ames & Daughters");
    EXPECT_EQ(NameOf(3), "Baker");
    EXPECT_EQ(NameOf(4), "Gone customer");  // no such customer: left as it is
    EXPECT_EQ(NameOf(5), "Cole");           // job rows too
    const std::vector<std::string> renamed{"Ames & Daughters", "Ames & Daughters", "Baker", "Gone customer",
                                           "Cole"};
    EXPECT_EQ(pages.pushedNames, renamed);
    EXPECT_EQ(pages.chartNames, renamed);
    // The tables were closed and opened again; the customer is the one kept.
    EXPECT_EQ(pages.reopened, 1);
    EXPECT_EQ(customersView.fieldByName("CID").asFloat(), 1200.0);
}

TEST_F(TabHandlersTest, RefreshKeepsAMovedBarAndRebuildsTheVisualizePage)
{
    display.ZoomStep = 4;
    state.InsertTimePending = true;
    pages.barMoved = true;

    tabs.RefreshChartClick();

    EXPECT_TRUE(pages.moveWritten);
    EXPECT_FALSE(pages.moveLost);
    // Written back with the tables marked busy, so that no scroll handler of
    // the data module runs on the half-cleared chart.
    EXPECT_TRUE(pages.writtenWhileTablesBusy);
    EXPECT_TRUE(pages.chartOnScreen);
    EXPECT_EQ(pages.builds, 1);
    EXPECT_TRUE(pages.periodSetAgain);
    EXPECT_FALSE(pages.resetDependenciesEnabled);
    EXPECT_TRUE(pages.insertEnded);
    EXPECT_EQ(display.ZoomStep, 1);
    EXPECT_FALSE(state.InsertTimePending);
    EXPECT_FALSE(state.TablesBusy);
}

TEST_F(TabHandlersTest, RefreshShowsTheCalendarOfTheModeUnlessTablesStayBusy)
{
    struct Case {
        const char* name;
        int mode;
        bool tablesBusy;
        const char* list;  // empty: no calendar shown
        std::int32_t shown;
    };
    const Case cases[] = {
        {"one calendar", 0, false, "all resources", 0},
        {"calendar per resource", 1, false, "per resource", 7},
        {"tables still busy after opening", 1, true, "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePages fresh{state, {&c1, &customersView}, c5};
        TabHandlers handlers{{customersView, customers, c1, c2}, state, query, display, ui, fresh};
        state.WorkCalendarMode = c.mode;
        state.CurrentResourceId = 7;
        fresh.openLeavesTablesBusy = c.tablesBusy;
        fresh.page = CalendarPage;
        handlers.RefreshChartClick();
        EXPECT_EQ(fresh.calendarList, c.list);
        EXPECT_EQ(fresh.calendarShown, c.shown);
        EXPECT_EQ(fresh.holidaysLoaded, !c.tablesBusy);
        EXPECT_EQ(fresh.builds, 0);  // not the Visualize page
        EXPECT_EQ(fresh.pushes, 1);
        state.TablesBusy = false;
    }
}

TEST_F(TabHandlersTest, RefreshAndPrintDoNothingDuringDependencySetUp)
{
    AddCustomer(1100, "New name");
    AddTask(Item(1, 100, "Old name"));
    state.DependencySetupMode = true;
    state.InsertTimePending = true;
    tabs.RefreshChartClick();
    EXPECT_FALSE(ChartPrintRequest(state, display).has_value());
    EXPECT_TRUE(pages.Untouched());
    EXPECT_EQ(NameOf(1), "Old name");
    EXPECT_TRUE(state.InsertTimePending);
}

TEST_F(TabHandlersTest, PrintOpensThePreviewOnTheChartPeriod)
{
    state.HelpLevel = 2;
    display.ChartSpanDays = 14;
    display.ChartGridInterval = 1;
    display.ChartGridCount = 14;
    // The period as it was set; the chart shows it on the quarter-hour grid.
    display.ChartStartAt = Day(7, 8, 5);
    display.ChartEndAt = Day(21);
    const std::optional<PrintRequest> request = ChartPrintRequest(state, display);
    ASSERT_TRUE(request.has_value());
    const PrintRequest& r = *request;
    EXPECT_EQ(r.HelpLevel, 2);
    EXPECT_EQ(r.SpanDays, 14);
    EXPECT_EQ(r.GridInterval, 1);
    EXPECT_EQ(r.GridCount, 14);
    EXPECT_NEAR(r.Start, Day(7, 8, 15), 1e-9);
    EXPECT_EQ(r.End, Day(21));
}

TEST_F(TabHandlersTest, SortChoiceRebuildsOnlyOnceRestoredAndOutsideDependencySetUp)
{
    struct Case {
        const char* name;
        bool startupDone, restored, dependencyMode;
        bool copied, rebuilt;
    };
    const Case cases[] = {
        {"before the start-up", false, false, false, false, false},
        {"before the saved choice was restored", true, false, false, true, false},
        {"in dependency set-up", true, true, true, true, false},
        {"after the start-up", true, true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePages fresh{state, {}, c5};
        TabHandlers handlers{{customersView, customers, c1, c2}, state, query, display, ui, fresh};
        fresh.sortBy = 4;
        fresh.barMoved = true;
        state.StartupDone = c.startupDone;
        fresh.sortChoiceRestored = c.restored;
        state.DependencySetupMode = c.dependencyMode;
        handlers.ChartSortByClick();
        EXPECT_EQ(fresh.sortBy2, c.copied ? 4 : 0);
        EXPECT_EQ(fresh.builds, c.rebuilt ? 1 : 0);
        // The rebuild in the new order keeps the moved bar.
        EXPECT_EQ(fresh.moveWritten, c.rebuilt);
    }
}

TEST_F(TabHandlersTest, PageChangeWaitsForTheEndOfTheStartUp)
{
    for (bool* flag : {&state.StartupDone, &state.TablesOpen, &state.SelectionReady}) {
        state.StartupDone = state.TablesOpen = state.SelectionReady = true;
        *flag = false;
        for (int p = CustomerTabPage; p <= UtilitiesPage; ++p)
            tabs.TabControlChange(p);
        EXPECT_TRUE(pages.Untouched());
        EXPECT_FALSE(state.ScheduleTabVisited);
    }
}

TEST_F(TabHandlersTest, EachPagePreparesItself)
{
    state.TablesOpen = true;
    state.WorkCalendarMode = 1;
    state.CurrentResourceId = 3;
    struct Case {
        int page;
        bool chartOnScreen;   // built for the page
        bool moveWritten;     // a bar moved on the chart is kept
        const char* calendar; // the list of calendars shown
    };
    const Case cases[] = {
        {CustomerTabPage, false, false, ""},
        {SchedulePage, true, true, ""},
        {CalendarPage, false, true, "per resource"},
        {MyCompanyPage, false, true, ""},
        {UtilitiesPage, false, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        FakePages fresh{state, {}, c5};
        TabHandlers handlers{{customersView, customers, c1, c2}, state, query, display, ui, fresh};
        fresh.page = c.page;
        fresh.barMoved = true;
        handlers.TabControlChange(c.page);
        EXPECT_EQ(fresh.customerQueries, 1);
        EXPECT_EQ(fresh.chartOnScreen, c.chartOnScreen);
        EXPECT_EQ(fresh.statusBarShown, c.chartOnScreen);
        EXPECT_EQ(fresh.moveWritten, c.moveWritten);
        EXPECT_EQ(fresh.calendarList, c.calendar);
        if (*c.calendar)
            EXPECT_EQ(fresh.calendarShown, 3);
        EXPECT_FALSE(state.TablesBusy);
    }
    EXPECT_TRUE(state.ScheduleTabVisited);

    // One calendar for all: the page shows it as it is.
    state.WorkCalendarMode = 0;
    tabs.TabControlChange(CalendarPage);
    EXPECT_TRUE(pages.calendarList.empty());
}

TEST_F(TabHandlersTest, QueryPageReturnsToTheItemLastSelectedThere)
{
    state.TablesOpen = true;
    for (int id : {1, 2, 3})
        AddTask(Item(id, 100, "Ames"));
    c1.first();
    query.LastSelectedItem = 2;
    tabs.TabControlChange(SelectPage);
    EXPECT_EQ(c1.fieldByName("CHARTSID").asFloat(), 2.0);
    EXPECT_FALSE(pages.chartOnScreen);
}

TEST_F(TabHandlersTest, TheVisualizePageSaysWhenTheSharedTablesAreNotInUse)
{
    state.TablesOpen = true;
    tabs.TabControlChange(SchedulePage);
    EXPECT_NE(ui.Status[0],
              "The shared schedule tables are not in use: the chart shows this workstation's copy");
    state.SharedTablesUsable = false;
    tabs.TabControlChange(SchedulePage);
    EXPECT_EQ(ui.Status[0],
              "The shared schedule tables are not in use: the chart shows this workstation's copy");
}

// The bars are written back before the refresh, and the refresh's build is
// the only one: a build before it would be thrown away.
TEST_F(TabHandlersTest, VisualizePageRunsThePendingRefreshAfterWritingBack)
{
    state.TablesOpen = true;
    AddCustomer(1100, "Renamed");
    AddTask(Item(1, 100, "Old"));
    state.ChartRefreshNeeded = true;
    pages.barMoved = true;
    tabs.TabControlChange(SchedulePage);
    EXPECT_FALSE(state.ChartRefreshNeeded);
    EXPECT_EQ(NameOf(1), "Renamed");
    EXPECT_TRUE(pages.moveWritten);
    EXPECT_FALSE(pages.moveLost);
    EXPECT_EQ(pages.chartNames, std::vector<std::string>{"Renamed"});
    EXPECT_EQ(pages.builds, 1);
    EXPECT_TRUE(pages.statusBarShown);

    tabs.TabControlChange(SchedulePage);
    EXPECT_EQ(pages.pushes, 1);
    EXPECT_EQ(pages.builds, 2);
}

}  // namespace
}  // namespace tw::visualize
