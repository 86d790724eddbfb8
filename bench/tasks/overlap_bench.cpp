// The overlap check for a resource that already holds many tasks. What the
// user does: opens the task editor on one of a resource's tasks in the middle
// of its schedule (the resource holds 100, 5,000 or 20,000 tasks, two
// four-hour tasks a day, one day after another, next to 1,000 tasks of 19
// other resources), shortens it to three hours or lengthens it back to four
// and presses Done. Done checks the task against the resource's other tasks
// before it writes and pushes the task; the check must cost the same whatever
// the resource holds. BM_OverlapCheck times the check alone, for the same
// task, as Done asks it.
#include <benchmark/benchmark.h>

#include "editorbench.h"
#include "schedule/sync/resourceoverlap.h"

using namespace tw;
using namespace tw::tasks;

namespace {

constexpr int kOtherTasks = 1000;
constexpr int kOtherResources = 19;

struct BusyResource : testing::EditorFixture {
    explicit BusyResource(int tasks)
    {
        for (int r = 3; r < 3 + kOtherResources - 1; ++r)
            Resource(r, "Crew " + std::to_string(r), 30);
        db::WriteBatch batch;
        std::int32_t key = 0;
        auto put = [&](std::int32_t resource, int nth) {
            testing::WriteFourHourTask(*this, ++key, resource, testing::NthFourHourStart(nth));
            return key;
        };
        // A Monday 8:00 task in the middle of the resource's tasks: the
        // task after it starts at 12:00, the one before ended on Sunday.
        const int middle = tasks / 2 - (tasks / 2) % 14;
        for (int nth = 0; nth < tasks; ++nth) {
            const std::int32_t k = put(testing::kAnn, nth);
            if (nth == middle)
                task = k;
        }
        for (int nth = 0; nth < kOtherTasks; ++nth)
            put(testing::kBob + nth % kOtherResources, nth / kOtherResources);
        batch.commit();
        ws->sync.PushChartUpdates();
        ws->ChartsTable3.refresh();
        ws->ChartsTable3.locate("CHARTSID", db::Value(double(task)));
        start = ws->ChartsTable3.fieldByName("SD").asFloat();
    }

    std::int32_t task = 0;
    TDateTime start = 0;
};

void BM_DoneOnATaskOfABusyResource(benchmark::State& state)
{
    BusyResource& s = testing::ScheduleOfSize<BusyResource>(static_cast<int>(state.range(0)));
    testing::TimeDoneOnAnEditedTask(state, s, s.task);
    state.counters["resource_tasks"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_DoneOnATaskOfABusyResource)->Arg(100)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)
    ->Iterations(30);

void BM_OverlapCheck(benchmark::State& state)
{
    BusyResource& s = testing::ScheduleOfSize<BusyResource>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const bool free = schedule::ResourcesAreFree(s.ws->tables, s.ws->ui, true, testing::kAnn, s.start,
                                                     s.start + 3.0 / 24, s.task);
        if (!free)
            state.SkipWithError("the task's own place was taken");
    }
    state.counters["resource_tasks"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_OverlapCheck)->Arg(100)->Arg(5000)->Arg(20000)->Unit(benchmark::kMicrosecond);

}  // namespace
