// The chart's model without a window: the no-overlap rule, setters and their
// messages, update nesting, selection, searches and the pixel mapping.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/customresourceallocationchart.h"
#include "platform/datetime/datetime.h"

using namespace tw::chart;

namespace {

constexpr double kMSec = 1.0 / 86400000.0;
constexpr double kMinute = 1.0 / 1440.0;
constexpr double kHour = 1.0 / 24.0;

// Monday 2 March 2026.
TDateTime At(int hour, int minute = 0, int second = 0, int msec = 0, int dayOffset = 0)
{
    return tw::EncodeDate(2026, 3, 2) + dayOffset + tw::EncodeTime(hour, minute, second, msec);
}

// Exposes what painting records, so the geometry can be set without painting.
class TestChart : public TCustomResourceAllocationChart {
public:
    int repaints = 0;
    using TCustomResourceAllocationChart::BeginLayout;
    using TCustomResourceAllocationChart::PlaceRow;
    using TCustomResourceAllocationChart::RecordDisplayedRow;
    using TCustomResourceAllocationChart::ScrollPosition;
    using TCustomResourceAllocationChart::SetPeriodUnchecked;
    using TCustomResourceAllocationChart::SetPlotRect;
    using TCustomResourceAllocationChart::SetRowsThatFit;

protected:
    void Repaint() override { ++repaints; }
};

template <typename F>
void ExpectBadValue(F&& f, const std::string& message)
{
    try {
        f();
        ADD_FAILURE() << "expected EBadValueException: " << message;
    } catch (const EBadValueException& e) {
        EXPECT_EQ(e.what(), message);
    }
}

}  // namespace

// --- the no-overlap rule

struct SlotCase {
    const char* name;
    TDateTime start;
    TDateTime end;
    bool free;
};

TEST(RowSlots, IsSlotFreeAgainstABarFromTenToEleven)
{
    TestChart chart;
    TRACResource* row = chart.AddResource("Crew", clRed, rsBlock);
    ASSERT_NE(row->AddSlot(At(10), At(11)), nullptr);
    const SlotCase cases[] = {
        {"touching after", At(11), At(12), true},
        {"touching before", At(9), At(10), true},
        {"overlap under 1 ms is touching", At(10, 59, 59) + 999.5 * kMSec, At(12), true},
        {"overlap of a minute", At(10, 59), At(12), false},
        {"ends a minute inside", At(9), At(10, 1), false},
        {"inside", At(10, 15), At(10, 45), false},
        {"encloses", At(9), At(12), false},
        {"same slot within 1 ms", At(10) + 0.5 * kMSec, At(11) - 0.5 * kMSec, false},
        {"same slot exactly", At(10), At(11), false},
        {"far away", At(13), At(14), true},
    };
    for (const SlotCase& c : cases)
        EXPECT_EQ(row->IsSlotFree(c.start, c.end, nullptr), c.free) << c.name;
}

TEST(RowSlots, AddSlotRefusesATakenSlotAndABackwardsOne)
{
    TestChart chart;
    TRACResource* row = chart.AddResource("Crew", clRed, rsBlockArrow);
    TResourceAllocation* bar = row->AddSlot(At(10), At(11));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Color(), clRed);
    EXPECT_EQ(bar->Style(), rsBlockArrow);
    EXPECT_EQ(bar->Resource(), row);

    EXPECT_EQ(row->AddSlot(At(10, 30), At(11, 30)), nullptr);
    EXPECT_EQ(row->Count(), 1);
    ExpectBadValue([&] { row->AddSlot(At(12), At(12)); }, "EndAt must be after StartAt");
    EXPECT_EQ(row->Count(), 1);
    // The refused add left the update nesting balanced.
    EXPECT_EQ(chart.UpdateCount(), 0);
}

TEST(RowSlots, SettersRefuseAndKeepTheOldDates)
{
    TestChart chart;
    TRACResource* row = chart.AddResource("Crew", clRed, rsBlock);
    TResourceAllocation* bar = row->AddSlot(At(10), At(11));
    row->AddSlot(At(12), At(13));

    ExpectBadValue([&] { bar->SetStartAt(At(11)); }, "StartAt must be before EndAt");
    ExpectBadValue([&] { bar->SetEndAt(At(10)); }, "EndAt must be after StartAt");
    ExpectBadValue([&] { bar->SetEndAt(At(12, 30)); }, "Specified time range is not available.");
    ExpectBadValue(
        [&] {
            bar->SetStartAt(At(9));
            bar->SetDateTime(At(12), At(12, 30));
        },
        "Specified time range is not available.");
    ExpectBadValue([&] { bar->SetDateTime(At(15), At(15)); }, "EndAt must be after StartAt");
    EXPECT_EQ(bar->StartAt(), At(9));
    EXPECT_EQ(bar->EndAt(), At(11));

    // The bar's own interval never blocks it.
    bar->SetDateTime(At(9, 30), At(11, 30));
    EXPECT_EQ(bar->StartAt(), At(9, 30));
    // A jump past the old end needs SetDateTime: one end at a time fails midway.
    ExpectBadValue([&] { bar->SetStartAt(At(14)); }, "StartAt must be before EndAt");
    bar->SetDateTime(At(14), At(15));
    EXPECT_EQ(bar->EndAt(), At(15));
}

TEST(RowSlots, SettingTheSameStartDoesNothingEvenWhenItWouldNowFail)
{
    TestChart chart;
    TRACResource* row = chart.AddResource("Crew", clRed, rsBlock);
    TResourceAllocation* bar = row->AddSlot(At(10), At(11));
    // Adopted without a check, so the two overlap.
    auto* other = new TResourceAllocation(nullptr);
    other->SetDateTime(At(10, 30), At(11, 30));
    row->AddSlot(other);
    EXPECT_NO_THROW(bar->SetStartAt(At(10)));
    EXPECT_NO_THROW(bar->SetEndAt(At(11)));
    ExpectBadValue([&] { bar->SetEndAt(At(10, 45)); }, "Specified time range is not available.");
}

TEST(RowSlots, RowColourAndStyleReachOnlyTheBarsThatFollowedTheRow)
{
    TestChart chart;
    TRACResource* row = chart.AddResource("Crew", clRed, rsBlock);
    TResourceAllocation* plain = row->AddSlot(At(8), At(9));
    TResourceAllocation* own = row->AddSlot(At(10), At(11));
    own->SetColor(clLime);
    own->SetStyle(rsEllipse);
    row->SetColor(clBlue);
    row->SetStyle(rsLine);
    EXPECT_EQ(plain->Color(), clBlue);
    EXPECT_EQ(own->Color(), clLime);
    EXPECT_EQ(plain->Style(), rsLine);
    EXPECT_EQ(own->Style(), rsEllipse);
    EXPECT_EQ(row->AddSlot(At(12), At(13))->Color(), clBlue);
}

TEST(RowSlots, FindFreeSlot)
{
    TestChart chart;
    TRACResource* row = chart.AddResource("Crew", clRed, rsBlock);
    row->AddSlot(At(8), At(10));
    row->AddSlot(At(11), At(12));
    // The first quarter-hour step from 8:00 with an hour free is 10:00 (touching both neighbours).
    EXPECT_DOUBLE_EQ(row->FindFreeSlot(At(8), At(14), kHour, 15 * kMinute), At(10));
    // An increment of 0 takes the chart's RoundTo.
    chart.SetRoundTo(30 * kMinute);
    EXPECT_DOUBLE_EQ(row->FindFreeSlot(At(8, 10), At(14), kHour, 0), At(12, 10));
    // A slot that would end exactly at To is never offered.
    EXPECT_EQ(row->FindFreeSlot(At(12), At(13), kHour, 15 * kMinute), -1.0);
    EXPECT_EQ(row->FindFreeSlot(At(12), At(13) + kMSec, kHour, 15 * kMinute), At(12));
    EXPECT_EQ(row->FindFreeSlot(At(8), At(9, 30), 2 * kHour, 15 * kMinute), -1.0);
    EXPECT_EQ(row->FindFreeSlot(At(8), At(12), 2 * kHour, 15 * kMinute), -1.0);
}

TEST(RowSlots, SearchesWithinARow)
{
    TestChart chart;
    TRACResource* row = chart.AddResource("Crew", clRed, rsBlock);
    TResourceAllocation* late = row->AddSlot(At(14), At(16));
    TResourceAllocation* early = row->AddSlot(At(8), At(9));
    EXPECT_EQ(row->EarliestAllocation(), early);
    EXPECT_EQ(row->LatestAllocation(), late);
    EXPECT_EQ(row->FindSlotAt(At(16)), late);
    EXPECT_EQ(row->FindSlotAt(At(12)), nullptr);
    EXPECT_EQ(row->Allocations(2), nullptr);
    EXPECT_EQ(row->Allocations(-1), nullptr);
    row->SortAllocations();
    EXPECT_EQ(row->Allocations(0), early);
}

// --- notifications

TEST(ChartNotifications, NestedUpdatesGiveOneDataChangeAndOneRepaint)
{
    TestChart chart;
    int dataChanges = 0;
    int changes = 0;
    chart.OnDataChange = [&](TCustomResourceAllocationChart*) { ++dataChanges; };
    chart.OnChange = [&](TCustomResourceAllocationChart*) { ++changes; };
    chart.BeginUpdate();
    chart.BeginUpdate();
    TRACResource* row = chart.AddResource("A", clRed, rsBlock);
    row->AddSlot(At(8), At(9))->SetColor(clBlue);
    chart.EndUpdate();
    row->SetName("B");
    EXPECT_EQ(dataChanges, 0);
    EXPECT_EQ(chart.repaints, 0);
    chart.EndUpdate();
    EXPECT_EQ(dataChanges, 1);
    EXPECT_EQ(chart.repaints, 1);
    // OnChange stands in only when OnDataChange is not assigned.
    EXPECT_EQ(changes, 0);
    chart.OnDataChange = nullptr;
    row->SetTag(7);
    EXPECT_EQ(changes, 1);
}

TEST(ChartNotifications, ClearingAnEmptyRowSendsNothing)
{
    TestChart chart;
    TRACResource* row = chart.AddResource("A", clRed, rsBlock);
    int dataChanges = 0;
    chart.OnDataChange = [&](TCustomResourceAllocationChart*) { ++dataChanges; };
    row->Clear();
    EXPECT_EQ(dataChanges, 0);
    row->AddSlot(At(8), At(9));
    row->AddSlot(At(10), At(11));
    dataChanges = 0;
    row->Clear();
    EXPECT_EQ(dataChanges, 1);
    EXPECT_EQ(row->Count(), 0);
}

TEST(ChartNotifications, SortAllocationsOptionSortsAtTheDataChange)
{
    TestChart chart;
    chart.SetOptions(chart.Options().With(racSortAllocations));
    TRACResource* row = chart.AddResource("A", clRed, rsBlock);
    TResourceAllocation* late = row->AddSlot(At(14), At(15));
    TResourceAllocation* early = row->AddSlot(At(8), At(9));
    EXPECT_EQ(row->Allocations(0), early);
    late->SetDateTime(At(6), At(7));
    EXPECT_EQ(row->Allocations(0), late);
}

// --- selection

TEST(ChartSelection, SingleAndMultipleSelection)
{
    TestChart chart;
    TRACResource* row = chart.AddResource("A", clRed, rsBlock);
    TResourceAllocation* a = row->AddSlot(At(8), At(9));
    TResourceAllocation* b = row->AddSlot(At(10), At(11));
    TResourceAllocation* c = row->AddSlot(At(12), At(13));
    std::vector<std::pair<TResourceAllocation*, bool>> events;
    chart.OnAllocationSelectionChange = [&](TCustomResourceAllocationChart*, TRACResource* r,
                                            TResourceAllocation* bar) {
        EXPECT_EQ(r, row);
        events.emplace_back(bar, bar->Selected());
    };

    a->SetSelected(true);
    b->SetSelected(true);
    EXPECT_FALSE(a->Selected());
    ASSERT_EQ(chart.SelectedAllocationCount(), 1);
    EXPECT_EQ(chart.SelectedAllocations(0), b);
    const std::vector<std::pair<TResourceAllocation*, bool>> expected{{a, true}, {a, false}, {b, true}};
    EXPECT_EQ(events, expected);

    chart.SetOptions(chart.Options().With(racMultiSelect));
    a->SetSelected(true);
    c->SetSelected(true);
    EXPECT_EQ(chart.SelectedAllocationCount(), 3);
    // Leaving multi-select keeps the most recent selection only.
    chart.SetOptions(chart.Options().Without(racMultiSelect));
    ASSERT_EQ(chart.SelectedAllocationCount(), 1);
    EXPECT_EQ(chart.SelectedAllocations(0), c);

    // A freed bar leaves the selection.
    delete c;
    EXPECT_EQ(chart.SelectedAllocationCount(), 0);
    EXPECT_EQ(row->Count(), 2);
}

TEST(ChartSelection, ClearingTheChartDeselectsWithEvents)
{
    TestChart chart;
    TRACResource* row = chart.AddResource("A", clRed, rsBlock);
    row->AddSlot(At(8), At(9))->SetSelected(true);
    int deselected = 0;
    chart.OnAllocationSelectionChange = [&](TCustomResourceAllocationChart*, TRACResource*,
                                            TResourceAllocation* bar) { deselected += !bar->Selected(); };
    chart.Clear();
    EXPECT_EQ(deselected, 1);
    EXPECT_EQ(chart.Count(), 0);
    EXPECT_EQ(chart.SelectedAllocationCount(), 0);
}

// --- rows and period

TEST(ChartRows, FindSortExchangeAndFree)
{
    TestChart chart;
    TRACResource* crew = chart.AddResource("Crew", clRed, rsBlock);
    TRACResource* alpha = chart.AddResource("alpha", clRed, rsBlock);
    TRACResource* first = chart.InsertResource(-5, "Zed", clRed, rsBlock);
    EXPECT_EQ(chart.Resources(0), first);
    EXPECT_EQ(chart.FindResource("crew", false), crew);
    EXPECT_EQ(chart.FindResource("crew", true), nullptr);
    EXPECT_EQ(chart.Resources(3), nullptr);
    chart.Sort();
    EXPECT_EQ(chart.Resources(0), alpha);
    EXPECT_EQ(chart.Resources(2), first);
    chart.ExchangeResources(alpha, first);
    EXPECT_EQ(chart.Resources(0), first);
    chart.ExchangeResources(0, 9);
    EXPECT_EQ(chart.Resources(0), first);
    delete crew;
    EXPECT_EQ(chart.Count(), 2);
    EXPECT_EQ(chart.IndexOf(crew), -1);
}

TEST(ChartPeriod, SettersCheckAndAnnounce)
{
    TestChart chart;
    EXPECT_EQ(chart.StartAt(), std::floor(chart.StartAt()));
    EXPECT_EQ(chart.EndAt(), chart.StartAt() + 7);
    int announced = 0;
    chart.OnDateRangeChange = [&](TCustomResourceAllocationChart*) { ++announced; };
    chart.SetDateTime(At(0), At(0, 0, 0, 0, 7));
    ExpectBadValue([&] { chart.SetStartAt(At(0, 0, 0, 0, 7)); }, "StartAt must be before EndAt");
    ExpectBadValue([&] { chart.SetEndAt(At(0)); }, "EndAt must be after StartAt");
    ExpectBadValue([&] { chart.SetDateTime(At(5), At(5)); }, "EndAt must be after StartAt");
    EXPECT_EQ(chart.StartAt(), At(0));
    EXPECT_EQ(announced, 1);
    // A period a month later does not overlap the current one: SetDateTime moves it.
    chart.SetDateTime(At(0, 0, 0, 0, 31), At(0, 0, 0, 0, 38));
    EXPECT_EQ(chart.StartAt(), At(0, 0, 0, 0, 31));
    chart.ScrollChart(-1);
    EXPECT_EQ(chart.StartAt(), At(0, 0, 0, 0, 30));
    EXPECT_EQ(announced, 2);
}

// --- geometry recorded by painting

TEST(ChartGeometry, DateTimeAndPixelRoundTrip)
{
    TestChart chart;
    chart.SetDateTime(At(0), At(0, 0, 0, 0, 7));
    chart.SetPlotRect(TRect{100, 20, 800, 300});
    EXPECT_EQ(chart.DateTimeToX(chart.StartAt()), 100);
    EXPECT_EQ(chart.DateTimeToX(chart.EndAt()), 800);
    EXPECT_EQ(chart.DateTimeToX(At(12, 0, 0, 0, 3)), 100 + 350);
    for (int x : {100, 101, 333, 799, 800, 950})
        EXPECT_EQ(chart.DateTimeToX(chart.XToDateTime(x)), x) << x;
    // Left of the plot the time runs back from StartAt.
    EXPECT_DOUBLE_EQ(chart.XToDateTime(0), At(0) - 1.0);
}

TEST(ChartGeometry, ZeroWidthPlotOrZeroLengthPeriodMapsToTheLeftEdge)
{
    TestChart chart;
    chart.SetDateTime(At(0), At(0, 0, 0, 0, 7));
    chart.SetPlotRect(TRect{50, 0, 50, 100});
    EXPECT_EQ(chart.DateTimeToX(At(12, 0, 0, 0, 3)), 50);
    EXPECT_EQ(chart.XToDateTime(400), At(0));
    EXPECT_EQ(chart.XToDateTime(10), At(0));
    // Never painted: the plot is the unset rectangle.
    TestChart unpainted;
    EXPECT_EQ(unpainted.DateTimeToX(unpainted.StartAt() + 1), -1);
    EXPECT_FALSE(std::isnan(unpainted.XToDateTime(5)));
    // A plot drag may leave a zero-length period for a moment.
    chart.SetPlotRect(TRect{50, 0, 750, 100});
    chart.SetPeriodUnchecked(At(0), At(0));
    EXPECT_EQ(chart.DateTimeToX(At(0, 0, 0, 0, 1)), 50);
    EXPECT_EQ(chart.XToDateTime(300), At(0));
}

TEST(ChartGeometry, RowAndBarHitTesting)
{
    TestChart chart;
    chart.SetDateTime(At(0), At(0, 0, 0, 0, 1));
    for (const char* name : {"A", "B", "C", "D"})
        chart.AddResource(name, clRed, rsBlock);
    TResourceAllocation* bar = chart.Resources(1)->AddSlot(At(6), At(12));
    chart.BeginLayout(1);
    chart.SetPlotRect(TRect{0, 0, 240, 100});
    // Rows 1 and 2 drawn at 10..24 and 29..43.
    chart.PlaceRow(1, 10, 24);
    chart.RecordDisplayedRow(1);
    chart.PlaceRow(2, 29, 43);
    chart.RecordDisplayedRow(2);
    bar->SetDisplayRect(TRect{60, 10, 120, 24});

    EXPECT_EQ(chart.FindResourceFromY(10, true), chart.Resources(1));
    EXPECT_EQ(chart.FindResourceFromY(24, true), nullptr);
    EXPECT_EQ(chart.FindResourceFromY(26, false), chart.Resources(1));  // centres 17 and 36: a tie goes first
    EXPECT_EQ(chart.FindResourceFromY(27, false), chart.Resources(2));
    EXPECT_EQ(chart.FindResourceFromY(400, false), chart.Resources(2));
    // Row 0 is not displayed, so nothing above is "it".
    EXPECT_EQ(chart.FindResourceFromY(-20, false), chart.Resources(1));
    EXPECT_EQ(chart.FindSlot(TPoint{60, 10}), bar);
    EXPECT_EQ(chart.FindSlot(TPoint{120, 10}), nullptr);
    EXPECT_EQ(chart.FindNearestSlot(TPoint{200, 90}), bar);
    EXPECT_EQ(chart.FirstDisplayedResource(), chart.Resources(1));
    EXPECT_EQ(chart.LastDisplayedResource(), chart.Resources(2));

    // The next layout forgets what the last one placed.
    chart.BeginLayout(0);
    EXPECT_EQ(chart.FindResourceFromY(10, true), nullptr);
    EXPECT_EQ(bar->DisplayRect(), kUnsetRect);
    EXPECT_EQ(chart.FindSlot(TPoint{60, 10}), nullptr);
}

TEST(ChartGeometry, ScrollingToTheLastRow)
{
    TestChart chart;
    for (int i = 0; i < 10; ++i)
        chart.AddResource(QString::number(i), clRed, rsBlock);
    chart.SetRowsThatFit(5);
    chart.SetLastDisplayedIndex(2);
    EXPECT_EQ(chart.ScrollPosition(), 0);
    chart.SetLastDisplayedIndex(7);
    EXPECT_EQ(chart.ScrollPosition(), 3);
    chart.SetRowsThatFit(10);
    chart.SetFirstDisplayedIndex(4);
    EXPECT_EQ(chart.ScrollPosition(), 3);
}

// --- searches over several rows

TEST(ChartSearches, FindAvailableResources)
{
    TestChart chart;
    TRACResource* busy = chart.AddResource("busy", clRed, rsBlock);
    TRACResource* idle = chart.AddResource("idle", clRed, rsBlock);
    busy->AddSlot(At(8), At(12));
    std::vector<TRACResource*> list{busy};
    EXPECT_EQ(chart.FindAvailableResources(At(9), At(10), list), 1);
    EXPECT_EQ(list, (std::vector<TRACResource*>{busy, idle}));
    EXPECT_EQ(chart.FindAvailableResources(At(12), At(13), list), 2);
}

TEST(ChartSearches, FindAvailableSlotOverTwoRows)
{
    TestChart chart;
    TRACResource* a = chart.AddResource("a", clRed, rsBlock);
    TRACResource* b = chart.AddResource("b", clRed, rsBlock);
    a->AddSlot(At(8), At(10));
    b->AddSlot(At(10, 30), At(16, 30));
    const std::vector<TRACResource*> rows{a, nullptr, b};
    const double q = 15 * kMinute;
    const TDays weekdays{daMonday, daTuesday, daWednesday, daThursday, daFriday};

    // Any time: the first quarter hour from 8:00 at which both are free for an hour.
    EXPECT_DOUBLE_EQ(chart.FindAvailableSlot(rows, At(8), At(0, 0, 0, 0, 1), q, kHour), At(16, 30));
    // Working hours 8-17 on weekdays: Monday has no common hour, so Tuesday 8:00.
    EXPECT_DOUBLE_EQ(chart.FindAvailableSlot(rows, At(8), At(0, 0, 0, 0, 5), At(8) - At(0), At(17) - At(0), q,
                                             kHour * 1.5, weekdays),
                     At(8, 0, 0, 0, 1));
    // A Saturday start with weekdays only skips to Monday 8:00.
    EXPECT_DOUBLE_EQ(chart.FindAvailableSlot({}, At(6, 0, 0, 0, 5), At(0, 0, 0, 0, 10), At(8) - At(0),
                                             At(17) - At(0), q, kHour, weekdays),
                     At(8, 0, 0, 0, 7));
    // No rows: every candidate is free.
    EXPECT_DOUBLE_EQ(chart.FindAvailableSlot({}, At(3), At(4), q, kHour), At(3));
    EXPECT_DOUBLE_EQ(chart.FindAvailableSlot({}, At(3), At(4, 0, 0, 0, 1), 0.0, 1.0 - kMSec, q, kHour),
                     At(3));
    // Nothing found is 0, not an exception.
    EXPECT_EQ(chart.FindAvailableSlot(rows, At(8), At(10), q, kHour), 0.0);
    // A whole day is allowed without working hours.
    EXPECT_DOUBLE_EQ(chart.FindAvailableSlot({}, At(0), At(0, 0, 0, 0, 1), q, 1.0), At(0));
}

TEST(ChartSearches, FindAvailableSlotRefusesBadArguments)
{
    TestChart chart;
    const double day = 1.0;
    const double q = 15 * kMinute;
    struct Case {
        const char* message;
        double startDate, endDate, startTime, endTime, increment, duration;
        TDays days;
    };
    const Case cases[] = {
        {"StartDate cannot be after EndDate", 10, 10, 0.3, 0.7, q, kHour, kAllDays},
        {"StartTime cannot be after EndTime", 10, 12, 0.7, 0.7, q, kHour, kAllDays},
        {"StartTime cannot include a date part", 10, 12, 1.0, 1.5, q, kHour, kAllDays},
        {"EndTime cannot include a date part", 10, 12, 0.5, 1.0, q, kHour, kAllDays},
        {"TimeIncrement must be greater than 0.0", 10, 12, 0.3, 0.7, 0, kHour, kAllDays},
        {"Duration must be between 0.0 and 1.0", 10, 12, 0.3, 0.7, q, day, kAllDays},
        {"Duration must be between 0.0 and 1.0", 10, 12, 0.3, 0.7, q, 0, kAllDays},
        {"StartTime + Duration cannot be greater than EndTime", 10, 12, 0.3, 0.4, q, 0.2, kAllDays},
        {"Days cannot be empty", 10, 12, 0.3, 0.7, q, kHour, TDays{}},
    };
    for (const Case& c : cases)
        ExpectBadValue(
            [&] {
                chart.FindAvailableSlot({}, c.startDate, c.endDate, c.startTime, c.endTime, c.increment,
                                        c.duration, c.days);
            },
            c.message);
    ExpectBadValue([&] { chart.FindAvailableSlot({}, 10, 10, q, kHour); },
                   "StartDate cannot be after EndDate");
    ExpectBadValue([&] { chart.FindAvailableSlot({}, 10, 12, -q, kHour); },
                   "TimeIncrement must be greater than 0.0");
    ExpectBadValue([&] { chart.FindAvailableSlot({}, 10, 12, q, 0); }, "Duration must be greater than 0.0");
}

TEST(ChartSearches, EarliestAndLatestOverAllRows)
{
    TestChart chart;
    EXPECT_EQ(chart.EarliestAllocation(), nullptr);
    TResourceAllocation* late = chart.AddResource("a", clRed, rsBlock)->AddSlot(At(9), At(20));
    TResourceAllocation* early = chart.AddResource("b", clRed, rsBlock)->AddSlot(At(7), At(8));
    EXPECT_EQ(chart.EarliestAllocation(), early);
    EXPECT_EQ(chart.LatestAllocation(), late);
}

TEST(ChartRows, OwnedObjectsGoWithTheirBarsAndRows)
{
    struct Tracked : TObject {
        explicit Tracked(int& count) : alive(count) { ++alive; }
        ~Tracked() override { --alive; }
        int& alive;
    };
    int alive = 0;
    TestChart chart;
    TRACResource* row = chart.AddResource("A", clRed, rsBlock);
    row->SetAnyObject(new Tracked(alive));
    row->SetOwnsAnyObject(true);
    TResourceAllocation* owned = row->AddSlot(At(8), At(9));
    owned->SetAnyObject(new Tracked(alive));
    owned->SetOwnsAnyObject(true);
    Tracked borrowed(alive);
    row->AddSlot(At(10), At(11))->SetAnyObject(&borrowed);
    ASSERT_EQ(alive, 3);
    delete owned;
    EXPECT_EQ(alive, 2);
    chart.Clear();
    EXPECT_EQ(alive, 1);
}

TEST(ChartRows, SortingWithAnInconsistentCompareKeepsEveryRow)
{
    TestChart chart;
    for (int i = 0; i < 200; ++i)
        chart.AddResource(QString::number(i), clRed, rsBlock);
    // "Less" both ways round: no order at all.
    chart.Sort([](TRACResource*, TRACResource*) { return -1; });
    std::vector<bool> seen(200, false);
    for (int i = 0; i < chart.Count(); ++i)
        seen[static_cast<std::size_t>(chart.Resources(i)->Name().toInt())] = true;
    EXPECT_EQ(chart.Count(), 200);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 200);
}
