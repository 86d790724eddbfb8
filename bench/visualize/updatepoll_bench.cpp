// One tick of the update poll on a workstation whose working copy holds
// 20,000 records on 50 resources (workingcopy.h), with the real
// synchronisation between its program folder and a schedule folder, and the
// real mycomp.dbf read. Between two ticks another workstation changes one
// shared record, so each tick reopens mycomp.dbf, removes nothing, pulls that
// one record and, on the Visualize page, rebuilds the chart over it.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "data/services/tableoperations.h"
#include "app/tabs/tabhandlers.h"
#include "app/tabs/updatepoll.h"
#include "query/unit/queryunit.h"
#include "schedule/visualize/unit/visualizeunit.h"
#include "workingcopy.h"
#include "workstation.h"

namespace tw::visualize {
namespace {

// The main window's page and poll logic lives in the app.
using namespace tw::app;

using schedule::test::Workstation;

// The window, the session and the pages as the poll sees them: mycomp.dbf,
// the synchronisation and the chart answer; the rest does nothing.
class PollingWorkstation : public testing::WorkingCopy,
                           private PollView,
                           private PollSchedule,
                           private ChartPage,
                           private QueryFilters {
public:
    explicit PollingWorkstation(int records) : WorkingCopy(records)
    {
        // The scratch folder is the program folder; the schedule folder holds
        // the shared tables, filled by one push of the working copy.
        schedule::test::CreateLayout(folder_, *data::FindLayout("Tasks.DBF"));
        schedule::test::CreateScheduleFolder(shared_.path());
        ws_ = std::make_unique<Workstation>(folder_, shared_.path());
        ws_->sync.PushChartUpdates();
        ws_->sync.PullChartUpdates(false);
        Workstation::Open(myCompany_, shared_.path(), "mycomp.dbf");
        myCompany_.append();
        myCompany_.fieldByName("PAPERO").setAsInteger(0);
        myCompany_.post();
        Workstation::Open(otherStation_, shared_.path(), "ICharts.DBF");

        state.StartupDone = true;
        builder.BuildChart(true);
    }
    ~PollingWorkstation()
    {
        myCompany_.close();
        otherStation_.close();
        ws_.reset();
    }

    // Another workstation changes one shared record: it moves the task by a
    // quarter of an hour and raises its change counter.
    void ChangeOneSharedRecord()
    {
        key_ = key_ % 1000 + 1;
        counter_ += 1;
        otherStation_.refresh();
        otherStation_.locate("CHARTSID", db::Value(static_cast<double>(key_)));
        otherStation_.edit();
        otherStation_.fieldByName("SD").setAsFloat(otherStation_.fieldByName("SD").asFloat() + 1.0 / 96);
        otherStation_.fieldByName("UPDATE").setAsFloat(counter_);
        otherStation_.post();
    }

    query::QueryState query;
    UpdatePoll poll{state, query, ui, *this, PollPages{*this, *this}, *this};
    int Page = SchedulePage;
    int Pulls = 0;

private:
    int ActivePage() const override { return Page; }
    void ReopenMyCompanyTable() override
    {
        data::TableOperations::CloseTable(myCompany_, true);
        myCompany_.open();
    }
    int ReadWorkCalendarMode() override
    {
        myCompany_.first();
        return myCompany_.eof() ? 0 : myCompany_.fieldByName("PAPERO").asInteger();
    }
    bool RemoveObsoleteTasks() override { return ws_->sync.RemoveObsoleteTasks(); }
    bool PullChartUpdates(bool force) override
    {
        const bool pulled = ws_->sync.PullChartUpdates(force);
        Pulls += pulled ? 1 : 0;
        return pulled;
    }
    void SaveAndClearAllocations(bool recompute) override { builder.SaveAndClearAllocations(recompute); }
    void BuildChart(bool writeBack) override { builder.BuildChart(writeBack); }
    void RefreshChartsTable() override { c1.refresh(); }
    void SetPollTimerEnabled(bool) override {}
    void SetRefreshChartEnabled(bool) override {}
    void RecomputeAllTaskEnds() override {}
    void ApplyQueryFilters() override {}
    // Not asked by the poll.
    bool Attached() const override { return true; }
    void Attach() override {}
    void RebuildFromRecords() override {}
    void KeepChartPeriod() override {}
    void ShowTaskStatusBar() override {}
    void SetResetDependenciesEnabled(bool) override {}
    void ApplyCustomerQuery() override {}
    void UpdateSelectControls() override {}
    void RestrictToCustomer() override {}
    void RestrictTasksToCrew() override {}
    void SetCustomersLabel(const std::string&) override {}

    schedule::test::TempFolder shared_;
    std::unique_ptr<Workstation> ws_;
    db::Table myCompany_, otherStation_;
    int key_ = 0;
    float counter_ = 100;
};

// Arg: the page shown; on the Visualize page the tick rebuilds the chart, on
// the Add / Edit / Query page it only applies the query (a hook of the query
// tab, empty here).
void BM_PollTickOneSharedChange(benchmark::State& bench)
{
    PollingWorkstation ws(20000);
    ws.Page = static_cast<int>(bench.range(0));
    for (auto _ : bench) {
        bench.PauseTiming();
        ws.ChangeOneSharedRecord();
        bench.ResumeTiming();
        ws.poll.UpdatePollTimer();
    }
    if (ws.Pulls != bench.iterations())
        bench.SkipWithError("a tick did not pull the changed record");
    bench.counters["bars"] = static_cast<double>(ws.chart.ChartBars.size());
}
BENCHMARK(BM_PollTickOneSharedChange)
    ->ArgName("page")
    ->Arg(SelectPage)
    ->Arg(SchedulePage)
    ->Unit(benchmark::kMillisecond);

// Nothing changed elsewhere: mycomp.dbf reopened and read, a removal and a
// pull that find nothing.
void BM_PollTickNothingChanged(benchmark::State& bench)
{
    PollingWorkstation ws(20000);
    for (auto _ : bench)
        ws.poll.UpdatePollTimer();
    if (ws.Pulls != 0)
        bench.SkipWithError("a tick pulled although nothing changed");
}
BENCHMARK(BM_PollTickNothingChanged)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw::visualize
