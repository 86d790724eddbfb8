#include "schedule/sync/calendartables.h"

#include <string>
#include <vector>

#include "platform/datetime/localetexts.h"
#include "schedule/workingtime.h"

namespace tw::schedule {

CalendarRecord ReadCalendarRecord(db::Table& t)
{
    CalendarRecord r;
    auto flag = [&](const char* name) { return t.fieldByName(name).asBoolean(); };
    auto number = [&](const char* name) { return t.fieldByName(name).asFloat(); };
    r.WORKID = number("WORKID");
    r.CREWID = number("CREWID");
    r.SUNDAY = flag("SUNDAY");
    r.MONDAY = flag("MONDAY");
    r.TUESDAY = flag("TUESDAY");
    r.WEDNESDAY = flag("WEDNESDAY");
    r.THURSDAY = flag("THURSDAY");
    r.FRIDAY = flag("FRIDAY");
    r.SATURDAY = flag("SATURDAY");
    r.DAY1 = flag("DAY1");
    r.DAY2 = flag("DAY2");
    r.DAY3 = flag("DAY3");
    r.DAY4 = flag("DAY4");
    r.START1 = number("START1");
    r.END1 = number("END1");
    r.START2 = number("START2");
    r.END2 = number("END2");
    r.START3 = number("START3");
    r.END3 = number("END3");
    r.START4 = number("START4");
    r.END4 = number("END4");
    r.OVERRIDE = flag("OVERRIDE");
    r.THOURSDY = number("THOURSDY");
    r.THOURSFC = number("THOURSFC");
    return r;
}

CalendarTables::CalendarTables(db::Table& calendarTable, db::Table& holidaysTable,
                               const data::MainScreenState& state)
    : calendar_(calendarTable), holidaysTable_(holidaysTable), state_(state)
{
}

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

void CalendarTables::LoadHolidays()
{
    if (!holidaysTable_.active())
        return;
    std::vector<std::string> texts;
    const int date = holidaysTable_.fieldIndex("DATE");
    for (holidaysTable_.first(); !holidaysTable_.eof(); holidaysTable_.next())
        texts.push_back(tw::locale::DateToStr(holidaysTable_.field(date).asDate()));
    holidays_.Assign(std::move(texts));
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
        const TDateTime end = ComputeTaskEnd(chartsTable5.field(crew).asInteger(), start,
                                             chartsTable5.field(sd).asFloat(),
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
