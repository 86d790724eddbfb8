// The Add / Edit / Query tab on a working copy of 20,000 records, 50
// resources and 2,000 customers: a restriction applied (filter built, views
// reopened, grids and chart rebuilt), the resource term of a resource with
// 5,000 assignments, and a page of the tasks grid read.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "controls/cursormodel.h"
#include "query/querypagelogic.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/filter.h"
#include "scratchinstallation.h"
#include "schedule/visualize/pagesupport.h"
#include "schedule/visualize/visualizepagelogic.h"

namespace {

using namespace tw;

constexpr int kRecords = 20000;
constexpr int kResources = 50;
constexpr int kCustomers = 2000;
constexpr int kTasksPerJob = 9;
constexpr int kBusyResource = 999;
constexpr int kBusyAssignments = 5000;

TDateTime Monday()
{
    return EncodeDate(2026, 1, 5);
}

// The tab alone: no other page shows anything, no question is asked, the
// chart shows individual tasks.
struct NoOtherPages : query::QueryView, query::QueryHost {
    bool Confirm(const std::string&, const std::string&) override { return false; }
    void OpenTaskEditor(const query::TaskEditorRequest&) override {}
    void ShowTaskStatusBar() override {}
    void LoadCustomFieldValues(int) override {}
    void SearchCustomFields() override {}
    void DeleteCrewIndexRows(std::int32_t) override {}
    void ShowWorkCalendar(std::int32_t) override {}
    void FillCalendarResourceList(bool) override {}
    std::pair<TDateTime, TDateTime> WorkingDay() override { return {0, 0}; }
    int ChartDisplayChoice() const override { return 1; }
    void SetChartSortBy(int) override {}
    bool SaveTasksGridWidths(const std::array<int, 4>&) override { return false; }
    TDateTime Now() const override { return now; }
    TDateTime now = tw::Now();
};

class QueryWorkingCopy {
public:
    QueryWorkingCopy()
    {
        locale::PinLocale("en_US");
        inst.ops_->OpenAllTables(true);
        Fill();
        logic.ConnectDataModule();
        logic.ApplyCustomerQuery();
        // The program keeps its working copy in the chart's order; the first
        // build brings the generated one there.
        page.Builder.BuildChart(false);
    }
    ~QueryWorkingCopy() { page.Builder.SaveAndClearAllocations(false); }

    void Fill()
    {
        data::TEstimateData& d = *inst.data_;
        db::Table& crews = d.CrewsTable4;
        for (int r = 1; r <= kResources; ++r) {
            crews.append();
            crews.fieldByName("CREWID").setAsInteger(r);
            crews.fieldByName("DESC").setAsString("Crew " + std::to_string(r));
            crews.post();
        }
        db::Table& customers = d.CustomersTable3;
        for (int c = 1; c <= kCustomers; ++c) {
            customers.append();
            customers.fieldByName("CID").setAsInteger(c);
            customers.fieldByName("NAME").setAsString("Customer " + std::to_string(c));
            customers.post();
        }
        db::Table& charts = d.ChartsTable5;
        db::Table& jobs = d.JobsTable3;
        db::Table& rows = d.ICrewsTable3;
        int key = 0;
        int task = 0;
        int assignment = 0;
        auto assign = [&](int crew, int id, int jid) {
            rows.append();
            rows.fieldByName("ICREWID").setAsInteger(++assignment);
            rows.fieldByName("CREWID").setAsInteger(crew);
            rows.fieldByName("CHARTSID").setAsInteger(id);
            rows.fieldByName("JID").setAsInteger(jid);
            rows.post();
        };
        for (int j = 1; key < kRecords; ++j) {
            const int cid = 1 + j % kCustomers;
            jobs.append();
            jobs.fieldByName("JID").setAsInteger(j);
            jobs.fieldByName("CID").setAsInteger(cid);
            jobs.fieldByName("DESC").setAsString("Job " + std::to_string(j));
            jobs.post();
            for (int n = 0; n <= kTasksPerJob && key < kRecords; ++n) {
                const bool jobRow = n == kTasksPerJob;
                const int id = ++key;
                const int crew = 1 + (jobRow ? j : task++) % kResources;
                const TDateTime start = Monday() + (id / kResources) % 300 + 8.0 / 24;
                charts.append();
                charts.fieldByName("CHARTSID").setAsInteger(id);
                charts.fieldByName("JID").setAsInteger(j);
                charts.fieldByName("CID").setAsInteger(cid);
                charts.fieldByName("JOB").setAsBoolean(jobRow);
                charts.fieldByName("SHOWIT").setAsBoolean(true);
                charts.fieldByName("DESC").setAsString("Task " + std::to_string(id));
                charts.fieldByName("TDESC").setAsString("Crew " + std::to_string(crew));
                charts.fieldByName("CREWID").setAsInteger(crew);
                charts.fieldByName("SD").setAsFloat(start);
                charts.fieldByName("ED").setAsFloat(start + 4.0 / 24);
                charts.fieldByName("SDD").setAsDateTime(start);
                charts.fieldByName("EDD").setAsDateTime(start);
                charts.fieldByName("HOURS").setAsFloat(4);
                charts.fieldByName("BIDID").setAsInteger(id % 6);
                charts.post();
                if (!jobRow)
                    assign(crew, id, j);
            }
        }
        for (int k = 0; k < kBusyAssignments; ++k)
            assign(kBusyResource, 1 + 4 * k, 0);
        for (db::Table* t : d.AllTables())
            if (t->active())
                t->refresh();
    }

    data::testing::ScratchInstallation inst;
    data::TEstimateData& dm = *inst.data_;
    NoOtherPages pages;
    query::QueryState queryState;
    const query::QueryTables tables{
        dm.CustomersTable, dm.JobsTable,    dm.JobsTable2,   dm.JobsTable3,   dm.ChartsTable,   dm.ChartsTable2,
        dm.ChartsTable3,   dm.ChartsTable6, dm.ChartsTable9, dm.CrewsTable,   dm.CrewsTable4,   dm.ICrewsTable,
        dm.ICrewsTable2,   dm.IChartsTable, dm.AccessTable,  dm};
    query::QueryPageLogic logic{tables, dm.Views(), pages, pages, queryState, inst.state_, inst.ui_};
    chart::TCustomResourceAllocationChart rac;
    data::JobStatusTexts texts;
    schedule::WorkCalendar calendar;
    visualize::VisualizePageLogic page{
        rac, visualize::ChartTablesOf(*inst.data_), inst.state_, inst.ui_, texts, calendar};
    controls::CursorModel customers{inst.data_->CustomersTable,
                                    {controls::FieldColumn(QStringLiteral("Customer"), "NAME")}};
    controls::CursorModel jobs{inst.data_->JobsTable, {controls::FieldColumn(QStringLiteral("Job"), "DESC")}};
    controls::CursorModel tasks{inst.data_->ChartsTable,
                                {controls::FieldColumn(QStringLiteral("Description"), "DESC"),
                                 controls::FieldColumn(QStringLiteral("Pri. Resource"), "TDESC"),
                                 controls::FieldColumn(QStringLiteral("Start"), "SD"),
                                 controls::FieldColumn(QStringLiteral("End"), "ED")}};
    controls::CursorModel crews{inst.data_->CrewsTable,
                                {controls::FieldColumn(QStringLiteral("Resource"), "DESC")}};

    // What every restriction ends in: the grids read afresh and the chart built.
    bool withChart = true;
    void ShowEverything()
    {
        for (controls::CursorModel* m : {&customers, &jobs, &tasks, &crews})
            m->Reload();
        if (withChart)
            page.Builder.BuildChart(false);
    }
};

QueryWorkingCopy& Copy()
{
    static QueryWorkingCopy copy;
    return copy;
}

// Arg: 1 with the chart built, 0 without.
void BM_ResourceRestriction(benchmark::State& state)
{
    QueryWorkingCopy& c = Copy();
    c.withChart = state.range(0) != 0;
    data::TEstimateData& d = *c.inst.data_;
    c.logic.SetRestrictionBoxes({.RestrictTasksToCrew = true});
    int crew = 0;
    for (auto _ : state) {
        d.CrewsTable.locate("CREWID", db::Value(double(1 + crew++ % kResources)));
        c.logic.RestrictTasksToCrewClick();
        c.ShowEverything();
    }
    state.counters["tasks"] = static_cast<double>(c.tasks.rowCount());
    c.logic.SetRestrictionBoxes({});
    c.withChart = true;
}
BENCHMARK(BM_ResourceRestriction)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_WeekRestriction(benchmark::State& state)
{
    QueryWorkingCopy& c = Copy();
    c.logic.SetRestrictionBoxes({});
    c.pages.now = Monday() + 30;
    c.logic.ThisWeekClick();
    for (auto _ : state) {
        c.logic.UpDownWeekClick(true);
        c.ShowEverything();
    }
    state.counters["tasks"] = static_cast<double>(c.tasks.rowCount());
    c.logic.SetRestrictionBoxes({});
}
BENCHMARK(BM_WeekRestriction)->Unit(benchmark::kMillisecond);

void BM_CustomerAndStatusRestriction(benchmark::State& state)
{
    QueryWorkingCopy& c = Copy();
    data::TEstimateData& d = *c.inst.data_;
    c.logic.SetRestrictionBoxes({.RestrictToCustomer = true, .RestrictToSelectedStatus = true});
    int customer = 0;
    for (auto _ : state) {
        d.CustomersTable.locate("CID", db::Value(double(1 + customer++ % kCustomers)));
        c.logic.RestrictToSelectedStatusClick();
        c.ShowEverything();
    }
    c.logic.SetRestrictionBoxes({});
}
BENCHMARK(BM_CustomerAndStatusRestriction)->Unit(benchmark::kMillisecond);

// The resource term of a resource with 5,000 assignments, parsed and tested
// on every record of the working copy.
void BM_ResourceTermOf5000Assignments(benchmark::State& state)
{
    QueryWorkingCopy& c = Copy();
    data::TEstimateData& d = *c.inst.data_;
    db::Table& view = d.ChartsTable6;
    for (auto _ : state) {
        const std::string term = query::TaskFilterForResource(d.ICrewsTable2, kBusyResource);
        view.setFilter("(" + term + ") AND (NOT JOB)");
        view.setFiltered(true);
        benchmark::DoNotOptimize(view.recordCount());
    }
}
BENCHMARK(BM_ResourceTermOf5000Assignments)->Unit(benchmark::kMillisecond);

// One page (30 rows of four columns) of the tasks grid under "Show all".
void BM_TasksGridPage(benchmark::State& state)
{
    QueryWorkingCopy& c = Copy();
    c.logic.SetRestrictionBoxes({.RestrictToActive = true});
    c.logic.RestrictToActiveClick();
    c.tasks.Reload();
    const int rows = c.tasks.rowCount();
    int top = 0;
    for (auto _ : state) {
        for (int row = top; row < top + 30; ++row)
            for (int column = 0; column < 4; ++column)
                benchmark::DoNotOptimize(c.tasks.data(c.tasks.index(row % rows, column)));
        top = (top + 30) % rows;
    }
    state.counters["rows"] = rows;
    c.logic.SetRestrictionBoxes({});
    c.logic.RestrictToActiveClick();
}
BENCHMARK(BM_TasksGridPage)->Unit(benchmark::kMillisecond);

}  // namespace
