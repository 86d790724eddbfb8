// Task ends are recomputed for every task on every recomputation and on every
// bar move: 100,000 of them should take well under 20 ms on one core.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "platform/datetime/localetexts.h"
#include "schedule/workingtime.h"

namespace tw::schedule {
namespace {

constexpr int kTasks = 100000;

CalendarRecord ThreeDownTimes(bool typedHours)
{
    CalendarRecord r;
    r.START1 = EncodeTime(8, 0, 0, 0);
    r.END1 = EncodeTime(17, 0, 0, 0);
    r.DAY2 = r.DAY3 = r.DAY4 = true;
    r.START2 = EncodeTime(10, 0, 0, 0);
    r.END2 = EncodeTime(10, 15, 0, 0);
    r.START3 = EncodeTime(12, 0, 0, 0);
    r.END3 = EncodeTime(13, 0, 0, 0);
    r.START4 = EncodeTime(15, 0, 0, 0);
    r.END4 = EncodeTime(15, 15, 0, 0);
    if (typedHours) {
        r.OVERRIDE = true;
        r.THOURSDY = 6;
        r.THOURSFC = 6.0 / 7.5;
    }
    return r;
}

HolidayList TwentyHolidays()
{
    std::vector<std::int64_t> days;
    for (int i = 0; i < 20; ++i)
        days.push_back(DayNumber(EncodeDate(2026, 1, 1) + i * 23));
    return HolidayList(days);
}

struct Task {
    TDateTime start;
    float hours;
};

// Most tasks take hours or days, some weeks, a few up to three months.
std::vector<Task> Mix()
{
    std::mt19937 rng(42);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<Task> tasks;
    tasks.reserve(kTasks);
    for (int i = 0; i < kTasks; ++i) {
        const TDateTime start = EncodeDate(2026, 1, 1) + uniform(0, 364) + uniform(0, 95) / 96.0;
        const int kind = uniform(1, 100);
        float hours = 0;
        if (kind <= 40)
            hours = uniform(1, 30) * 0.25f;  // up to a day
        else if (kind <= 70)
            hours = uniform(8, 40) * 1.0f;  // up to a week
        else if (kind <= 90)
            hours = uniform(40, 160) * 1.0f;  // up to a month
        else
            hours = uniform(160, 480) * 1.0f;  // up to three months
        tasks.push_back({start, hours});
    }
    return tasks;
}

// Argument 1: the calendar has typed hours per day.
struct Workload {
    explicit Workload(bool typedHours) : holidays(TwentyHolidays()), tasks(Mix())
    {
        calendar.Load(ThreeDownTimes(typedHours));
    }
    WorkCalendar calendar;
    HolidayList holidays;
    std::vector<Task> tasks;
};

void BM_ComputeTaskEnd_100k(benchmark::State& state)
{
    const Workload w(state.range(0) != 0);
    for (auto _ : state) {
        for (const Task& t : w.tasks) {
            TDateTime startOut = 0;
            benchmark::DoNotOptimize(ComputeTaskEnd(w.calendar, w.holidays, startOut, t.start, t.hours));
            benchmark::DoNotOptimize(startOut);
        }
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_ComputeTaskEnd_100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// As the recomputation of every task calls it: the resource's record loaded
// before each task.
void BM_ComputeTaskEnd_LoadingTheRecord_100k(benchmark::State& state)
{
    const Workload w(false);
    WorkCalendar loaded;
    const CalendarRecord record = ThreeDownTimes(false);
    for (auto _ : state) {
        for (const Task& t : w.tasks) {
            TDateTime startOut = 0;
            benchmark::DoNotOptimize(ComputeTaskEnd(loaded, &record, w.holidays, startOut, t.start, t.hours));
        }
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_ComputeTaskEnd_LoadingTheRecord_100k)->Unit(benchmark::kMillisecond);

void BM_WorkingHoursBetween_100k(benchmark::State& state)
{
    const Workload w(state.range(0) != 0);
    std::vector<TDateTime> ends;
    for (const Task& t : w.tasks) {
        TDateTime startOut = 0;
        ends.push_back(ComputeTaskEnd(w.calendar, w.holidays, startOut, t.start, t.hours));
    }
    for (auto _ : state) {
        for (size_t i = 0; i < w.tasks.size(); ++i)
            benchmark::DoNotOptimize(WorkingHoursBetween(w.calendar, w.holidays, w.tasks[i].start, ends[i]));
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
}
BENCHMARK(BM_WorkingHoursBetween_100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One task of the given number of working days: the cost should hardly grow.
void BM_ComputeTaskEnd_ByLength(benchmark::State& state)
{
    WorkCalendar calendar;
    calendar.Load(ThreeDownTimes(state.range(1) != 0));
    const HolidayList holidays = TwentyHolidays();
    const float hours = static_cast<float>(state.range(0)) * calendar.HoursPerDay() + 2;
    const TDateTime start = EncodeDate(2026, 1, 5) + 9.0 / 24;
    for (auto _ : state) {
        TDateTime startOut = 0;
        benchmark::DoNotOptimize(ComputeTaskEnd(calendar, holidays, startOut, start, hours));
    }
}
BENCHMARK(BM_ComputeTaskEnd_ByLength)->ArgsProduct({{0, 5, 60, 250, 2500}, {0, 1}});

}  // namespace
}  // namespace tw::schedule
