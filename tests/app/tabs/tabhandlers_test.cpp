// The chart tab handlers: the Refresh button on the scratch schedule's real
// tables (customer names rewritten, tables reopened, the customer kept), the
// sort choice, the print button and the change of page, with recording
// doubles of what lives elsewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "pagefixture.h"
#include "app/tabs/tabhandlers.h"

namespace tw::visualize {
namespace {

// The main window's page and poll logic lives in the app.
using namespace tw::app;

using Log = std::vector<std::string>;
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

class TabHandlersTest : public testing::PageFixture {
protected:
    TabHandlersTest()
    {
        Open(customersView, "customers.dbf");
        state.StartupDone = state.SelectionReady = true;
        TabHooks& h = tabs.Hooks;
        h.ActivePage = [this] { return page; };
        h.CloseAllTables = [this] {
            log.push_back("close all");
            for (db::Table* t : AllCursors())
                t->close();
        };
        h.OpenAllTables = [this](bool rebuildAllowed) {
            log.push_back(rebuildAllowed ? "open all, rebuild allowed" : "open all");
            for (db::Table* t : AllCursors())
                t->open();
            state.TablesBusy = openLeavesTablesBusy;
        };
        h.PushChartUpdates = [this] {
            log.push_back("push");
            pushedNames.clear();
            db::Table shared;
            Open(shared, "Charts.DBF");
            for (shared.first(); !shared.eof(); shared.next())
                pushedNames.push_back(shared.fieldByName("CUSTNAME").asString());
        };
        h.SaveAndClearAllocations = [this](bool recompute) {
            log.push_back(std::string(recompute ? "write back" : "clear chart")
                          + (state.TablesBusy ? " (tables busy)" : ""));
        };
        h.BuildChart = [this](bool writeBack) {
            log.push_back(writeBack ? "build with write-back" : "build");
        };
        h.ChartStartAt = [] { return Day(7); };
        h.ChartEndAt = [] { return Day(21); };
        h.SetChartPeriod = [this](TDateTime start, TDateTime end) {
            log.push_back("period " + std::to_string(end - start));
        };
        h.ShowTaskStatusBar = [this] { log.push_back("status bar"); };
        h.SetResetDependenciesEnabled = [this](bool on) {
            log.push_back(on ? "reset dependencies on" : "reset dependencies off");
        };
        h.ChartSortBy = [this] { return sortBy; };
        h.SetChartSortBy2 = [this](int index) { sortBy2 = index; };
        h.SortChoiceRestored = [this] { return sortChoiceRestored; };
        h.FillCalendarResourceList = [this](bool all) {
            log.push_back(all ? "calendar list of all" : "calendar list per resource");
        };
        h.SelectCalendarResource = [this](std::int32_t id) { log.push_back("select " + std::to_string(id)); };
        h.ShowWorkCalendar = [this](std::int32_t id) { log.push_back("calendar " + std::to_string(id)); };
        h.LoadHolidays = [this] { log.push_back("holidays"); };
        h.ApplyCustomerQuery = [this] { log.push_back("customer query"); };
        h.ShowCustomerPhoto = [this] { log.push_back("photo"); };
        h.ClearInsertSlotPending = [this] { log.push_back("insert slot cleared"); };
        h.SetTimeSlotButtonsEnabled = [this](bool on) { log.push_back(on ? "slot buttons on" : "off"); };
        h.OpenPrintPreview = [this](int help, double days, double interval, double count, TDateTime start,
                                    TDateTime end) {
            preview = {double(help), days, interval, count, start, end};
        };
        h.ShowBackupFolder = [this](const std::string& drive, const std::string& folder) {
            log.push_back("backup [" + drive + "] " + folder + (state.TablesBusy ? " (tables busy)" : ""));
        };
    }
    ~TabHandlersTest() override { customersView.close(); }

    std::vector<db::Table*> AllCursors()
    {
        return {&c1, &c2,   &c3,    &c4,        &c5,    &c6,      &c7,      &c8,
                &c9, &jobs, &jobs2, &customers, &crews, &icrews2, &icrews3, &customersView};
    }
    std::string NameOf(int id)
    {
        c5.refresh();
        EXPECT_TRUE(c5.locate("CHARTSID", db::Value(static_cast<double>(id))));
        return c5.fieldByName("CUSTNAME").asString();
    }
    bool Called(const std::string& call) const
    {
        return std::find(log.begin(), log.end(), call) != log.end();
    }
    std::ptrdiff_t Position(const std::string& call) const
    {
        return std::find(log.begin(), log.end(), call) - log.begin();
    }

    db::Table customersView;  // CustomersTable: the current customer
    TabHandlers tabs{{customersView, customers, c1, c2}, state, ui};
    Log log;
    std::vector<std::string> pushedNames;
    std::vector<double> preview;
    int page = SchedulePage;
    int sortBy = 0;
    int sortBy2 = -1;
    bool sortChoiceRestored = true;
    bool openLeavesTablesBusy = false;
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
    EXPECT_EQ(
        pushedNames,
        (std::vector<std::string>{"Ames & Daughters", "Ames & Daughters", "Baker", "Gone customer", "Cole"}));
    // The tables were closed and opened again; the customer is the one kept.
    ASSERT_TRUE(Called("close all"));
    EXPECT_EQ(customersView.fieldByName("CID").asFloat(), 1200.0);
}

TEST_F(TabHandlersTest, RefreshReloadsInOrderAndRebuildsOnTheVisualizePage)
{
    state.ZoomStep = 4;
    state.InsertTimePending = true;
    state.WorkCalendarMode = 0;
    tabs.RefreshChartClick();
    EXPECT_EQ(log,
              (Log{"write back (tables busy)", "close all", "open all", "calendar list of all", "select 0",
                   "calendar 0", "holidays", "push", "reset dependencies off", "build", "period 14.000000",
                   "insert slot cleared", "slot buttons on"}));
    EXPECT_EQ(state.ZoomStep, 1);
    EXPECT_FALSE(state.InsertTimePending);
    EXPECT_FALSE(state.TablesBusy);
}

TEST_F(TabHandlersTest, RefreshShowsTheCalendarOfTheModeUnlessTablesStayBusy)
{
    struct Case {
        const char* name;
        int mode;
        bool tablesBusy;
        Log calendar;
    };
    const Case cases[] = {
        {"one calendar", 0, false, {"calendar list of all", "select 0", "calendar 0", "holidays"}},
        {"calendar per resource",
         1,
         false,
         {"calendar list per resource", "select 7", "calendar 7", "holidays"}},
        {"tables still busy after opening", 1, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        state.WorkCalendarMode = c.mode;
        state.CurrentResourceId = 7;
        openLeavesTablesBusy = c.tablesBusy;
        page = CalendarPage;
        tabs.RefreshChartClick();
        const auto from = log.begin() + Position("open all") + 1;
        EXPECT_EQ(Log(from, log.begin() + Position("push")), c.calendar);
        EXPECT_FALSE(Called("build"));  // not the Visualize page
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
    tabs.PrintPreviewButtonClick();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(preview.empty());
    EXPECT_EQ(NameOf(1), "Old name");
    EXPECT_TRUE(state.InsertTimePending);
}

TEST_F(TabHandlersTest, PrintOpensThePreviewOnTheChartPeriod)
{
    state.HelpLevel = 2;
    state.ChartSpanDays = 14;
    state.ChartGridInterval = 1;
    state.ChartGridCount = 14;
    state.ChartPeriodStart = Day(7);
    state.ChartPeriodEnd = Day(21);
    tabs.PrintPreviewButtonClick();
    EXPECT_EQ(preview, (std::vector<double>{2, 14, 1, 14, Day(7), Day(21)}));
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
        log.clear();
        sortBy = 4;
        sortBy2 = 0;
        state.StartupDone = c.startupDone;
        sortChoiceRestored = c.restored;
        state.DependencySetupMode = c.dependencyMode;
        tabs.ChartSortByClick();
        EXPECT_EQ(sortBy2, c.copied ? 4 : 0);
        EXPECT_EQ(Called("build with write-back"), c.rebuilt);
        EXPECT_EQ(Called("build"), false);
    }
}

TEST_F(TabHandlersTest, PageChangeWaitsForTheEndOfTheStartUp)
{
    for (bool* flag : {&state.StartupDone, &state.TablesOpen, &state.SelectionReady}) {
        state.StartupDone = state.TablesOpen = state.SelectionReady = true;
        *flag = false;
        for (int p = CustomerTabPage; p <= UtilitiesPage; ++p)
            tabs.TabControlChange(p);
        EXPECT_TRUE(log.empty());
        EXPECT_FALSE(state.ScheduleTabVisited);
    }
}

TEST_F(TabHandlersTest, EachPagePreparesItself)
{
    state.WorkCalendarMode = 1;
    state.CurrentResourceId = 3;
    state.BackupFolder = "D:\\Backups";
    const std::vector<std::pair<int, Log>> cases = {
        {CustomerTabPage, {"customer query", "photo"}},
        {SchedulePage, {"customer query", "build with write-back", "status bar"}},
        {CalendarPage,
         {"customer query", "write back", "calendar list per resource", "select 3", "calendar 3"}},
        {MyCompanyPage, {"customer query", "write back"}},
        {UtilitiesPage, {"customer query", "write back", "backup [D] D:\\Backups (tables busy)"}},
    };
    for (const auto& [p, expected] : cases) {
        SCOPED_TRACE(p);
        log.clear();
        page = p;
        tabs.TabControlChange(p);
        EXPECT_EQ(log, expected);
        EXPECT_FALSE(state.TablesBusy);
    }
    EXPECT_TRUE(state.ScheduleTabVisited);

    log.clear();
    state.WorkCalendarMode = 0;
    tabs.TabControlChange(CalendarPage);
    EXPECT_EQ(log, (Log{"customer query", "write back"}));

    log.clear();
    state.BackupFolder.clear();
    tabs.TabControlChange(UtilitiesPage);
    EXPECT_EQ(log.back(), "backup []  (tables busy)");
}

TEST_F(TabHandlersTest, QueryPageReturnsToTheItemLastSelectedThere)
{
    for (int id : {1, 2, 3})
        AddTask(Item(id, 100, "Ames"));
    c1.first();
    state.LastSelectedItem = 2;
    tabs.TabControlChange(SelectPage);
    EXPECT_EQ(log, (Log{"customer query", "write back"}));
    EXPECT_EQ(c1.fieldByName("CHARTSID").asFloat(), 2.0);
}

// The bars are written back before the refresh, and the refresh's build is
// the only one: a build before it would be thrown away.
TEST_F(TabHandlersTest, TheVisualizePageSaysWhenTheSharedTablesAreNotInUse)
{
    tabs.TabControlChange(SchedulePage);
    EXPECT_NE(ui.Status[0],
              "The shared schedule tables are not in use: the chart shows this workstation's copy");
    state.SharedTablesUsable = false;
    tabs.TabControlChange(SchedulePage);
    EXPECT_EQ(ui.Status[0],
              "The shared schedule tables are not in use: the chart shows this workstation's copy");
}

TEST_F(TabHandlersTest, VisualizePageRunsThePendingRefreshAfterWritingBack)
{
    AddCustomer(1100, "Renamed");
    AddTask(Item(1, 100, "Old"));
    state.ChartRefreshNeeded = true;
    tabs.TabControlChange(SchedulePage);
    EXPECT_FALSE(state.ChartRefreshNeeded);
    EXPECT_EQ(NameOf(1), "Renamed");
    ASSERT_TRUE(Called("push"));
    EXPECT_LT(Position("write back"), Position("close all"));
    EXPECT_LT(Position("push"), Position("build"));
    EXPECT_EQ(
        std::count_if(log.begin(), log.end(), [](const std::string& e) { return e.rfind("build", 0) == 0; }),
        1);
    EXPECT_EQ(log.back(), "status bar");

    log.clear();
    tabs.TabControlChange(SchedulePage);
    EXPECT_FALSE(Called("push"));
}

}  // namespace
}  // namespace tw::visualize
