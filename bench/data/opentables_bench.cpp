// Opening and checking every table at start-up, on a schedule database of
// 20,000 schedule records (shared and working copies alike) with their
// customers, jobs, resources and assignments. Aim: under 100 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "fakemoduleviews.h"
#include "scratchinstallation.h"

using namespace tw::data;

namespace {

constexpr int kScheduleRecords = 20000;

struct Installation : tw::data::testing::ScratchInstallation {
    Installation()
    {
        ops_->OpenAllTables(true);
        state_.FirstRun = false;
        Fill();
        ops_->CloseAllTables();
    }

    void Fill()
    {
        for (int i = 0; i < 200; ++i) {
            data_->CustomersTable3.append();
            data_->CustomersTable3.fieldByName("CID").setAsInteger(i + 1);
            data_->CustomersTable3.fieldByName("NAME").setAsString("Customer " + std::to_string(i));
            data_->CustomersTable3.post();
            data_->JobsTable3.append();
            data_->JobsTable3.fieldByName("JID").setAsInteger(i + 1);
            data_->JobsTable3.fieldByName("CID").setAsInteger(i + 1);
            data_->JobsTable3.post();
        }
        for (int i = 0; i < 20; ++i) {
            data_->CrewsTable4.append();
            data_->CrewsTable4.fieldByName("CREWID").setAsInteger(i + 1);
            data_->CrewsTable4.fieldByName("DESC").setAsString("Crew " + std::to_string(i));
            data_->CrewsTable4.post();
        }
        data_->IChartsTable.open();
        data_->ITasksTable.open();
        for (tw::db::Table* t :
             {&data_->ChartsTable3, &data_->TasksTable3, &data_->IChartsTable, &data_->ITasksTable}) {
            for (int i = 0; i < kScheduleRecords; ++i) {
                t->append();
                t->fieldByName("CHARTSID").setAsInteger(i + 1);
                t->fieldByName("SD").setAsFloat(46000 + i * 0.25);
                t->fieldByName("ED").setAsFloat(46000 + i * 0.25 + 0.125);
                t->fieldByName("DESC").setAsString("Task " + std::to_string(i));
                t->fieldByName("CREWID").setAsInteger(i % 20 + 1);
                t->post();
            }
        }
        for (int i = 0; i < kScheduleRecords; ++i) {
            data_->ICrewsTable3.append();
            data_->ICrewsTable3.fieldByName("CHARTSID").setAsInteger(i + 1);
            data_->ICrewsTable3.fieldByName("CREWID").setAsInteger(i % 20 + 1);
            data_->ICrewsTable3.post();
        }
    }
};

void BM_OpenAndCheckAllTables(benchmark::State& st)
{
    Installation inst;
    for (auto _ : st) {
        inst.ops_->OpenAllTables(true);
        if (!inst.state_.TablesOpen || !inst.ui_.Messages.empty())
            st.SkipWithError("tables did not open cleanly");
        st.PauseTiming();
        inst.ops_->CloseAllTables();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndCheckAllTables)->Unit(benchmark::kMillisecond);

void BM_CloseAllTables(benchmark::State& st)
{
    Installation inst;
    for (auto _ : st) {
        st.PauseTiming();
        inst.ops_->OpenAllTables(true);
        st.ResumeTiming();
        inst.ops_->CloseAllTables();
    }
}
BENCHMARK(BM_CloseAllTables)->Unit(benchmark::kMillisecond);

// The calculated fields of one task: the walk over the assignments of
// ICrews.DBF (20,000 rows) for the task's resources.
void BM_ChartsTableCalcFields(benchmark::State& st)
{
    Installation inst;
    inst.ops_->OpenAllTables(true);
    inst.state_.StartupDone = true;
    tw::data::testing::FakePageControl pages;
    pages.DefaultHours = 1.0f;
    inst.data_->Views().Pages = &pages;
    inst.data_->ChartsTable.first();
    for (auto _ : st)
        benchmark::DoNotOptimize(inst.data_->ChartsTableCalcFields());
}
BENCHMARK(BM_ChartsTableCalcFields)->Unit(benchmark::kMicrosecond);

}  // namespace
