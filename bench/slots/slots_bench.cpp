// Inserting a one-day block for every resource into a working copy of
// 20,000 records on 50 resources, with 500 weekly series, push-back
// included; and removing a block likewise.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "schedule/repeat/repeatdates.h"
#include "schedule/slots/insertslot.h"
#include "schedule/slots/removeslot.h"
#include "schedule/workingtime.h"
#include "onecalendar.h"
#include "workstation.h"

using namespace tw;
using namespace tw::timeblocks;
using namespace tw::schedule::test;

namespace {

constexpr int kResources = 50;

struct Schedule : OneWorkstation, timeblocks::test::OneCalendar {
    explicit Schedule(int records)
    {
        schedule::CalendarRecord r;
        r.START1 = EncodeTime(8, 0, 0, 0);
        r.END1 = EncodeTime(17, 0, 0, 0);
        calendar.Load(r);
        adder = std::make_unique<schedule::ScheduleAdder>(ws->tables, ws->state, ws->ui, ws->sync);
        db::Table& c = ws->ChartsTable5;
        const int perResource = records / kResources;
        db::WriteBatch batch;
        std::int32_t key = 1;
        for (int crew = 1; crew <= kResources; ++crew) {
            TDateTime start = EncodeDate(2026, 12, 7) + EncodeTime(8, 0, 0, 0);
            for (int i = 0; i < perResource; ++i, ++key) {
                // Every tenth resource's first ten tasks form a weekly series.
                const bool series = crew % 5 == 0 && i < 50;
                c.append();
                c.fieldByName("CHARTSID").setAsInteger(key);
                c.fieldByName("CREWID").setAsInteger(crew);
                c.fieldByName("SD").setAsFloat(start);
                c.fieldByName("ED").setAsFloat(start + 2.0 / 24);
                c.fieldByName("HOURS").setAsFloat(2);
                c.fieldByName("UPDATE").setAsFloat(1.1);
                c.fieldByName("REPEAT").setAsInteger(series ? crew : 0);
                c.fieldByName("RPERIOD").setAsInteger(series ? schedule::kRepeatWeekly : 0);
                c.fieldByName("LINK").setAsInteger(series && i < 49 ? key + 1 : 0);
                c.post();
                start += 3.0 / 24;
                if (start - DatePart(start) > 15.0 / 24)
                    start = DatePart(start) + 1 + 8.0 / 24;
            }
        }
    }

    SlotServices Services()
    {
        return SlotServices{
            .Tables = ws->tables,
            .State = ws->state,
            .Adder = *adder,
            .Time = *this,
        };
    }

    std::unique_ptr<schedule::ScheduleAdder> adder;
};

void BM_InsertOneDayForAllResources(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Schedule s(static_cast<int>(state.range(0)));
        PendingInsertState pending;
        InsertSlot insert(s.Services(), pending);
        const SlotBlock block =
            ComputeSlotBlock(EncodeDate(2026, 12, 8) + EncodeTime(9, 0, 0, 0), 1, kSlotDays);
        state.ResumeTiming();
        benchmark::DoNotOptimize(insert.InsertBlock(block, 0));
    }
}
BENCHMARK(BM_InsertOneDayForAllResources)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_RemoveOneDayForAllResources(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Schedule s(static_cast<int>(state.range(0)));
        RemoveSlot remove(s.Services());
        // The Sunday before the schedule starts: free for everybody.
        const SlotBlock block = ComputeSlotBlock(EncodeDate(2026, 12, 6), 1, kSlotDays);
        std::string refusal;
        state.ResumeTiming();
        benchmark::DoNotOptimize(remove.RemoveBlock(block, 0, "", refusal));
    }
}
BENCHMARK(BM_RemoveOneDayForAllResources)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
