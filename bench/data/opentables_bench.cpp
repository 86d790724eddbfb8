// Opening and checking every table at start-up, on a schedule database of
// 20,000 schedule records (shared and working copies alike) with their
// customers, jobs, resources and assignments. Aim: under 100 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "data/services/estimatedata.h"
#include "data/services/networklock.h"
#include "data/services/tableoperations.h"

using namespace tw::data;

namespace {

constexpr int kScheduleRecords = 20000;

struct Installation {
    std::string root;
    std::unique_ptr<TEstimateData> data;
    MainScreenState state;
    RecordingUserInterface ui;
    std::unique_ptr<NetworkLock> lock;
    std::unique_ptr<TableOperations> tables;

    Installation()
    {
        char tmpl[] = "/tmp/twbenchservicesXXXXXX";
        root = ::mkdtemp(tmpl);
        const std::string program = root + "/program", schedule = root + "/schedule";
        std::filesystem::create_directories(program);
        std::filesystem::create_directories(schedule);
        data = std::make_unique<TEstimateData>(root + "/aliases.conf");
        data->Aliases.AddStandardAlias("TWUXData", program);
        data->Aliases.AddStandardAlias("DOZOrez", schedule);
        data->ParametersDatabase.setAliasName("TWUXData");
        data->SchedulerDatabase.setAliasName("DOZOrez");
        state.ProgramFolder = program;
        state.ScheduleFolder = schedule;
        state.FirstRun = true;
        data->Bind(state, {});
        lock = std::make_unique<NetworkLock>(data->AccessTable, state, ui);
        tables = std::make_unique<TableOperations>(*data, state, ui, *lock);
        tables->OpenAllTables(true);
        state.FirstRun = false;
        Fill();
        tables->CloseAllTables();
    }
    ~Installation()
    {
        tables.reset();
        lock.reset();
        data.reset();
        std::filesystem::remove_all(root);
    }

    void Fill()
    {
        for (int i = 0; i < 200; ++i) {
            data->CustomersTable3.append();
            data->CustomersTable3.fieldByName("CID").setAsInteger(i + 1);
            data->CustomersTable3.fieldByName("NAME").setAsString("Customer " + std::to_string(i));
            data->CustomersTable3.post();
            data->JobsTable3.append();
            data->JobsTable3.fieldByName("JID").setAsInteger(i + 1);
            data->JobsTable3.fieldByName("CID").setAsInteger(i + 1);
            data->JobsTable3.post();
        }
        for (int i = 0; i < 20; ++i) {
            data->CrewsTable4.append();
            data->CrewsTable4.fieldByName("CREWID").setAsInteger(i + 1);
            data->CrewsTable4.fieldByName("DESC").setAsString("Crew " + std::to_string(i));
            data->CrewsTable4.post();
        }
        data->IChartsTable.open();
        data->ITasksTable.open();
        for (tw::db::Table* t :
             {&data->ChartsTable3, &data->TasksTable3, &data->IChartsTable, &data->ITasksTable}) {
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
            data->ICrewsTable3.append();
            data->ICrewsTable3.fieldByName("CHARTSID").setAsInteger(i + 1);
            data->ICrewsTable3.fieldByName("CREWID").setAsInteger(i % 20 + 1);
            data->ICrewsTable3.post();
        }
    }
};

void BM_OpenAndCheckAllTables(benchmark::State& st)
{
    Installation inst;
    for (auto _ : st) {
        inst.tables->OpenAllTables(true);
        if (!inst.state.TablesOpen || !inst.ui.Messages.empty())
            st.SkipWithError("tables did not open cleanly");
        st.PauseTiming();
        inst.tables->CloseAllTables();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndCheckAllTables)->Unit(benchmark::kMillisecond);

void BM_CloseAllTables(benchmark::State& st)
{
    Installation inst;
    for (auto _ : st) {
        st.PauseTiming();
        inst.tables->OpenAllTables(true);
        st.ResumeTiming();
        inst.tables->CloseAllTables();
    }
}
BENCHMARK(BM_CloseAllTables)->Unit(benchmark::kMillisecond);


// The calculated fields of one task: the walk over the assignments of
// ICrews.DBF (20,000 rows) for the task's resources.
void BM_ChartsTableCalcFields(benchmark::State& st)
{
    Installation inst;
    inst.tables->OpenAllTables(true);
    inst.state.StartupDone = true;
    inst.data->Hooks().WorkingHoursBetween = [](std::int32_t, tw::TDateTime, tw::TDateTime) { return 1.0f; };
    inst.data->ChartsTable.first();
    for (auto _ : st)
        benchmark::DoNotOptimize(inst.data->ChartsTableCalcFields());
}
BENCHMARK(BM_ChartsTableCalcFields)->Unit(benchmark::kMicrosecond);

}  // namespace
