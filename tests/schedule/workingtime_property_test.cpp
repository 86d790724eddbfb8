// Random calendars, holidays, starts and lengths: the engine against the
// plain walks, and the two engine operations against each other.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "calendars.h"
#include "platform/datetime/localetexts.h"
#include "referencewalk.h"
#include "schedule/workingtime.h"

namespace tw::schedule {
namespace {

using namespace testing;

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(int percent) { return Uniform(1, 100) <= percent; }

    static TDateTime Quarter(int k) { return EncodeTime(k / 4, (k % 4) * 15, 0, 0); }
    static TDateTime Minute(int m) { return EncodeTime(m / 60, m % 60, 0, 0); }

    // Working day on the grid, down times inside it and apart from each other:
    // the hours per day are exactly the working quarter hours of a day.
    CalendarRecord Ordinary()
    {
        CalendarRecord r = Weekdays();
        r.DAY1 = Chance(85);
        if (!r.DAY1)
            return r;
        const int start = Uniform(0, 60);
        const int end = Uniform(start + 4, 95);
        r.START1 = Quarter(start);
        r.END1 = Quarter(end);
        std::vector<std::pair<int, int>> downs;
        for (int i = 0, wanted = Uniform(0, 3); i < wanted; ++i) {
            const int a = Uniform(start + 1, end - 1);
            const int b = std::min(end - 1, a + Uniform(1, 8));
            const bool clear =
                std::none_of(downs.begin(), downs.end(), [&](auto d) { return a < d.second && d.first < b; });
            if (a < b && clear)
                downs.emplace_back(a, b);
        }
        SetDownTimes(r, downs, &Quarter);
        return r;
    }

    // Any minute, down times anywhere, even with no working day set.
    CalendarRecord Irregular()
    {
        CalendarRecord r = Weekdays();
        r.DAY1 = Chance(80);
        const int start = Uniform(0, 1000);
        r.START1 = Minute(start);
        r.END1 = Minute(Uniform(start + 60, 1439));
        std::vector<std::pair<int, int>> downs;
        for (int i = 0, wanted = Uniform(0, 3); i < wanted; ++i) {
            const int a = Uniform(0, 1400);
            downs.emplace_back(a, std::min(1439, a + Uniform(3, 180)));
        }
        SetDownTimes(r, downs, &Minute);
        return r;
    }

    std::vector<std::int64_t> Holidays()
    {
        std::vector<std::int64_t> days;
        for (int i = 0, count = Uniform(0, 20); i < count; ++i)
            days.push_back(DayNumber(EncodeDate(2026, 12, 1) + Uniform(0, 120)));
        return days;
    }

    TDateTime Start() { return EncodeDate(2026, 12, 1) + Uniform(0, 40) + Minute(Uniform(0, 1439)); }

    float Hours()
    {
        const int kind = Uniform(1, 10);
        if (kind == 1)
            return 0;
        if (kind <= 6)
            return Uniform(1, 240) * 0.25f;
        if (kind <= 9)
            return static_cast<float>(Uniform(1, 20000)) / 100;
        return static_cast<float>(Uniform(200, 600));
    }

private:
    CalendarRecord Weekdays()
    {
        CalendarRecord r;
        bool* flags[] = {&r.SUNDAY, &r.MONDAY, &r.TUESDAY, &r.WEDNESDAY, &r.THURSDAY, &r.FRIDAY, &r.SATURDAY};
        for (bool* flag : flags)
            *flag = Chance(60);
        *flags[Uniform(0, 6)] = true;
        return r;
    }

    static void SetDownTimes(CalendarRecord& r, const std::vector<std::pair<int, int>>& downs,
                             TDateTime (*at)(int))
    {
        bool* flags[] = {&r.DAY2, &r.DAY3, &r.DAY4};
        TDateTime* starts[] = {&r.START2, &r.START3, &r.START4};
        TDateTime* ends[] = {&r.END2, &r.END3, &r.END4};
        for (size_t i = 0; i < downs.size() && i < 3; ++i) {
            *flags[i] = true;
            *starts[i] = at(downs[i].first);
            *ends[i] = at(downs[i].second);
        }
    }

    std::mt19937 rng_;
};

class WorkingTimeProperties : public ::testing::Test {
protected:
    void SetUp() override { locale::PinLocale("en_US"); }
};

TEST_F(WorkingTimeProperties, EngineWalksAsThePlainWalk)
{
    Generator gen(20261208);
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        const CalendarRecord record = round % 2 == 0 ? gen.Ordinary() : gen.Irregular();
        const WorkCalendar cal = Loaded(record);
        if (!cal.HasWorkingTime())
            continue;
        const HolidayList holidays(gen.Holidays());
        for (int task = 0; task < 12; ++task) {
            const TDateTime start = gen.Start();
            const float hours = gen.Hours();
            TDateTime startOut = 0;
            TDateTime expectedStart = 0;
            const TDateTime end = ComputeTaskEnd(cal, holidays, startOut, start, hours);
            const TDateTime expectedEnd = ReferenceTaskEnd(cal, holidays, expectedStart, start, hours);
            ASSERT_EQ(startOut, expectedStart) << "round " << round << " task " << task;
            ASSERT_EQ(end, expectedEnd) << "round " << round << " task " << task << " hours " << hours;

            const TDateTime other = gen.Start() + gen.Uniform(-2, 30);
            ASSERT_EQ(WorkingHoursBetween(cal, holidays, start, other),
                      ReferenceHoursBetween(cal, holidays, start, other))
                << "round " << round << " task " << task;
            ++compared;
        }
    }
    EXPECT_GT(compared, 2000);
}

TEST_F(WorkingTimeProperties, HoursBetweenATaskStartAndEndAreItsLength)
{
    Generator gen(7);
    for (int round = 0; round < 300; ++round) {
        const WorkCalendar cal = Loaded(gen.Ordinary());
        ASSERT_TRUE(cal.HasWorkingTime());
        const HolidayList holidays(gen.Holidays());
        for (int task = 0; task < 10; ++task) {
            const TDateTime start = gen.Start();
            std::vector<float> lengths;
            for (int i = 0; i < 6; ++i)
                lengths.push_back(gen.Hours());
            std::sort(lengths.begin(), lengths.end());
            TDateTime previousEnd = 0;
            for (float hours : lengths) {
                TDateTime startOut = 0;
                const TDateTime end = ComputeTaskEnd(cal, holidays, startOut, start, hours);
                const float onGrid = std::ceil(hours * 4) / 4;
                ASSERT_EQ(WorkingHoursBetween(cal, holidays, startOut, end), onGrid)
                    << "round " << round << " task " << task << " hours " << hours;
                ASSERT_GE(end, startOut);
                ASSERT_GE(end, previousEnd) << "round " << round << " hours " << hours;
                previousEnd = end;
            }
        }
    }
}

}  // namespace
}  // namespace tw::schedule
