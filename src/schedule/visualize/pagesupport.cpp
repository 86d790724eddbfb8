#include "schedule/visualize/pagesupport.h"

#include "data/durationtext.h"

namespace tw::visualize {

bool LocateBarRecord(VisualizeContext& ctx, db::Table& cursor, const TResourceAllocation* bar)
{
    if (bar == nullptr)
        return false;
    const auto it = ctx.Chart.BarLinks.find(bar);
    if (it == ctx.Chart.BarLinks.end())
        return false;
    return cursor.locate("CHARTSID;PTR",
                         {db::Value(static_cast<double>(it->second.ChartsId)), db::Value(it->second.Ptr)});
}

bool CarriesOffset(const TResourceAllocation* bar)
{
    return bar != nullptr && bar->Tag() != 0;
}

double CarriedOffsetOf(const TResourceAllocation* bar)
{
    if (!CarriesOffset(bar))
        return 0;
    return reinterpret_cast<const CarriedOffset*>(bar->Tag())->Offset;
}

void SetCarriedOffset(ChartState& chart, TResourceAllocation* bar, double offset)
{
    chart.Offsets.push_back(std::make_unique<CarriedOffset>(CarriedOffset{offset}));
    bar->SetTag(reinterpret_cast<std::intptr_t>(chart.Offsets.back().get()));
}

TResourceAllocation* NextGroupBar(const TResourceAllocation* bar)
{
    return bar == nullptr ? nullptr : dynamic_cast<TResourceAllocation*>(bar->AnyObject());
}

TDateTime ComputeTaskEnd(VisualizeContext& ctx, std::int32_t crewId, TDateTime& start, float hours)
{
    TDateTime moved = start;
    const TDateTime end = ctx.Time.ComputeTaskEnd(crewId, moved, start, hours);
    start = moved;
    return end;
}

float WorkingHoursBetween(VisualizeContext& ctx, std::int32_t crewId, TDateTime start, TDateTime end)
{
    return ctx.Time.WorkingHoursBetween(crewId, start, end);
}

bool ResourcesAreFree(VisualizeContext& ctx, std::int32_t crewId, TDateTime start, TDateTime end,
                      std::int32_t chartsId)
{
    return ctx.Schedule.ResourcesAreFree(crewId, start, end, chartsId);
}

std::string LengthText(VisualizeContext& ctx, std::int32_t crewId, int unit, float hours)
{
    const schedule::WorkCalendar& calendar = ctx.Time.LoadWorkCalendar(crewId);
    std::string word;
    const std::string number = data::DurationText(calendar.Hours(), unit, hours, word);
    return number + word;
}

void WriteTaskPeriod(db::Table& table, TDateTime start, TDateTime end)
{
    using Item = data::ScheduleItemRecord;
    Item period;
    period.SD = period.SDD = start;
    period.ED = period.EDD = end;
    data::WriteScheduleItemFields(table, period, &Item::SD, &Item::ED, &Item::SDD, &Item::EDD);
}

std::int32_t IntField(db::Table& table, const char* name)
{
    return static_cast<std::int32_t>(table.fieldByName(name).asFloat());
}

std::int32_t IntField(db::Table& table, std::int32_t data::ScheduleItemRecord::*member)
{
    return static_cast<std::int32_t>(data::ScheduleItemField(table, member).asFloat());
}

}  // namespace tw::visualize
