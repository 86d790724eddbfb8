// The first open of a schedule database that an older release wrote: 5,000,
// 20,000 and 50,000 tasks on 20 resources (with their customers, jobs, the
// shared schedule and this workstation's working copy) in tables of an older
// layout. The user sees nothing but the splash meanwhile: every table is
// upgraded (its records carried into the current layout) and, because the
// resources' table was upgraded too, every task gets its resource's name and
// its assignment row again. Aim: under 1 s at 5,000, under 5 s at 50,000.
// The flushes to disk it made are counted as "syncs".
#include <benchmark/benchmark.h>

#include <memory>

#include "olderdatabase.h"
#include "scratchinstallation.h"

using namespace tw::data;
using namespace tw::data::testing;

namespace {

constexpr int kResources = 20;

void BM_FirstOpenOfOlderDatabase(benchmark::State& st)
{
    const int tasks = static_cast<int>(st.range(0));
    for (auto _ : st) {
        st.PauseTiming();
        auto install = std::make_unique<ScratchInstallation>();
        install->ops_->OpenAllTables(true);
        install->state_.FirstRun = false;
        install->ops_->CloseAllTables();
        WriteOlderDatabase(install->program_, install->schedule_, tasks, kResources);
        SyncCountingFs counting;
        tw::db::SetFileSystem(&counting);
        st.ResumeTiming();

        install->ops_->OpenAllTables(true);

        st.PauseTiming();
        tw::db::SetFileSystem(nullptr);
        if (!install->state_.TablesOpen || !install->ui_.Messages.empty()
            || install->data_->ICrewsTable.recordCount() != tasks)
            st.SkipWithError("the older database did not open cleanly");
        st.counters["syncs"] = counting.Total();
        install->ops_->CloseAllTables();
        install.reset();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_FirstOpenOfOlderDatabase)->Arg(5000)->Arg(20000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
