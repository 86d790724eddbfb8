#include "schedule/sync/calendartables.h"

#include "schedule/sync/calendarrecordio.h"
#include "schedule/workingtime.h"

namespace tw::schedule {

CalendarTables::CalendarTables(db::Table& calendarTable, const HolidayList& holidays,
                               const data::MainScreenState& state)
    : calendar_(calendarTable),
      holidays_(holidays),
      state_(state)
{}

std::optional<CalendarRecord> CalendarTables::LocateCalendar(std::int32_t resourceId)
{
    const std::int32_t id = state_.WorkCalendarMode == 0 ? 0 : resourceId;
    calendar_.refresh();
    if (!calendar_.locate("CREWID", db::Value(static_cast<double>(id))))
        return std::nullopt;
    return ReadCalendarRecord(calendar_);
}

void CalendarTables::LoadWorkCalendar(bool locate, std::int32_t resourceId)
{
    if (!locate) {
        loaded_.Load(ReadCalendarRecord(calendar_));
        return;
    }
    if (const auto record = LocateCalendar(resourceId))
        loaded_.Load(*record);
    else
        loaded_.LoadDefaults();
}

TDateTime CalendarTables::ComputeTaskEnd(std::int32_t resourceId, TDateTime& startOut, TDateTime start,
                                         float hours)
{
    const auto record = LocateCalendar(resourceId);
    return schedule::ComputeTaskEnd(loaded_, record ? &*record : nullptr, holidays_, startOut, start, hours);
}

float CalendarTables::WorkingHoursBetween(std::int32_t resourceId, TDateTime start, TDateTime end)
{
    const auto record = LocateCalendar(resourceId);
    return schedule::WorkingHoursBetween(loaded_, record ? &*record : nullptr, holidays_, start, end);
}

void CalendarTables::RecomputeAllTaskEnds(db::Table& chartsTable5, db::Table& chartsTable)
{
    std::int32_t shown = 0;
    if (chartsTable.active() && !chartsTable.eof())
        shown = chartsTable.fieldByName("CHARTSID").asInteger();
    const int crew = chartsTable5.fieldIndex("CREWID");
    const int hours = chartsTable5.fieldIndex("HOURS");
    const int sd = chartsTable5.fieldIndex("SD");
    for (chartsTable5.first(); !chartsTable5.eof(); chartsTable5.next()) {
        TDateTime start = 0;
        const TDateTime end =
            ComputeTaskEnd(chartsTable5.field(crew).asInteger(), start, chartsTable5.field(sd).asFloat(),
                           static_cast<float>(chartsTable5.field(hours).asFloat()));
        chartsTable5.edit();
        chartsTable5.fieldByName("SD").setAsFloat(start);
        chartsTable5.fieldByName("ED").setAsFloat(end);
        chartsTable5.fieldByName("SDD").setAsDate(start);
        chartsTable5.fieldByName("EDD").setAsDate(end);
        chartsTable5.post();
    }
    chartsTable5.refresh();
    if (chartsTable.active() && shown != 0)
        chartsTable.locate("CHARTSID", db::Value(static_cast<double>(shown)));
}

}  // namespace tw::schedule
