#include "schedule/sync/calendarrecordio.h"

#include <cstdint>
#include <utility>

namespace tw::schedule {

namespace {

// One table of field names for both directions, so that a field cannot be
// read but not written.
template <typename Record, typename Visit>
void ForEachField(Record& r, Visit&& visit)
{
    visit("WORKID", r.WORKID, true);
    visit("CREWID", r.CREWID, true);
    visit("SUNDAY", r.SUNDAY);
    visit("MONDAY", r.MONDAY);
    visit("TUESDAY", r.TUESDAY);
    visit("WEDNESDAY", r.WEDNESDAY);
    visit("THURSDAY", r.THURSDAY);
    visit("FRIDAY", r.FRIDAY);
    visit("SATURDAY", r.SATURDAY);
    visit("DAY1", r.DAY1);
    visit("DAY2", r.DAY2);
    visit("DAY3", r.DAY3);
    visit("DAY4", r.DAY4);
    visit("START1", r.START1, false);
    visit("END1", r.END1, false);
    visit("START2", r.START2, false);
    visit("END2", r.END2, false);
    visit("START3", r.START3, false);
    visit("END3", r.END3, false);
    visit("START4", r.START4, false);
    visit("END4", r.END4, false);
    visit("OVERRIDE", r.OVERRIDE);
    visit("THOURSDY", r.THOURSDY, false);
    visit("THOURSFC", r.THOURSFC, false);
}

struct Reader {
    db::Table& table;
    void operator()(const char* name, bool& flag) const { flag = table.fieldByName(name).asBoolean(); }
    void operator()(const char* name, double& number, bool /*key*/) const
    {
        number = table.fieldByName(name).asFloat();
    }
};

struct Writer {
    db::Table& table;
    void operator()(const char* name, bool flag) const { table.fieldByName(name).setAsBoolean(flag); }
    void operator()(const char* name, double number, bool key) const
    {
        if (key)
            table.fieldByName(name).setAsInteger(static_cast<std::int32_t>(number));
        else
            table.fieldByName(name).setAsFloat(number);
    }
};

}  // namespace

CalendarRecord ReadCalendarRecord(db::Table& table)
{
    CalendarRecord record;
    ForEachField(record, Reader{table});
    return record;
}

void SaveWorkCalendar(db::Table& table, const CalendarRecord& record)
{
    ForEachField(record, Writer{table});
}

}  // namespace tw::schedule
