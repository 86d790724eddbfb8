#pragma once
// One row of the schedule: a Charts.DBF working record, its shared copy in
// ICharts.DBF, or a task-list row of Tasks.DBF / ITasks.dbf, which lack a few
// of the fields (PTR, DG, DGN, NEW, PIN; those are passed over).
//
// The field names live in one table in scheduleitemrecord.cpp, used for
// reading and for writing, so that no caller spells a field name:
//
//   ScheduleItemRecord item = ReadScheduleItem(table);     // every field
//   item.HOURS = 8;
//   table.edit();
//   WriteScheduleItemFields(table, item, &ScheduleItemRecord::HOURS);  // only HOURS
//   table.post();
//
// The custom field values (CFV1..) and the S2 flag are not part of the row's
// meaning and stay where they are.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/datetime/datetime.h"
#include "platform/db/table.h"

namespace tw::data {

struct ScheduleItemRecord {
    // Keys. CHARTSID is the item's own, shared between workstations.
    std::int32_t CHARTSID = 0;
    std::int32_t TID = 0;
    std::int32_t CID = 0;
    std::int32_t JID = 0;
    std::int32_t PID = 0;
    std::int32_t CREWID = 0;
    std::string LISTID;
    std::string JLID;
    // What the user sees.
    std::string DESC;
    std::string TDESC;  // the resource's description
    std::string CUSTNAME;
    std::string JOBNAME;
    // The memo; nothing leaves the memo of the record as it is on a write.
    std::optional<std::string> NOTES;
    std::int32_t BIDID = 0;  // the job status
    bool SHOWIT = true;      // active
    bool JOB = false;        // a job summary row
    // Time.
    TDateTime SD = 0;
    TDateTime ED = 0;
    TDateTime SDD = 0;  // the days of SD and ED
    TDateTime EDD = 0;
    double HOURS = 0;
    TDateTime OSD = 0;  // as first placed
    TDateTime OED = 0;
    double OHOURS = 0;
    bool NEW = false;      // the end was given, not computed
    std::int32_t PIN = 0;  // the length unit
    // Money.
    double COST = 0;   // hourly rate
    double TCOST = 0;  // total
    // Chart placement, dependencies and series.
    std::int32_t PTR = 0;
    double OFFSET = 0;
    std::int32_t CHILD = 0;
    bool PARENT = false;
    std::int32_t ORDER = 0;
    bool USED = false;
    double DG = 0;
    std::int32_t DGN = 0;
    std::int32_t LINK = 0;
    std::int32_t CHAIN = 0;
    std::int32_t RESOURCE = 0;  // the chart row
    bool ROOT = false;
    std::int32_t RPERIOD = 0;
    std::int32_t RCOUNT = 0;
    std::int32_t REPEAT = 0;
    std::int32_t CREPEATH = 0;
    // The change counter (see data/updatecount.h).
    double UPDATE = 0;
};

// The current record, every field the table has; the others keep their
// defaults.
ScheduleItemRecord ReadScheduleItem(db::Table& table);

// Writes every field the table has into the current record; the caller has
// put it into edit or append state and posts it afterwards.
void WriteScheduleItem(db::Table& table, const ScheduleItemRecord& record);

// The name of the field that holds a member, for a locate or an index.
template <typename T>
const char* ScheduleItemFieldName(T ScheduleItemRecord::*member);

// The field of a member in a table, for code that reads or writes one field
// of many rows through a handle taken once.
template <typename T>
db::Field ScheduleItemField(db::Table& table, T ScheduleItemRecord::*member)
{
    return table.fieldByName(ScheduleItemFieldName(member));
}

// The names of several members joined for a locate on more than one field
// ("JOB;JID").
template <typename... T>
std::string ScheduleItemFieldNames(T ScheduleItemRecord::*... members)
{
    std::string names;
    ((names += names.empty() ? "" : ";", names += ScheduleItemFieldName(members)), ...);
    return names;
}

// Moves the table to the item with this key (CHARTSID); false when there is
// none.
bool LocateScheduleItem(db::Table& table, double chartsId);

// Writes only the given members, where the table has them.
template <typename... T>
void WriteScheduleItemFields(db::Table& table, const ScheduleItemRecord& record,
                             T ScheduleItemRecord::*... members);

namespace detail {
// The members to write, by address within one record.
void WriteSelected(db::Table& table, const ScheduleItemRecord& record,
                   std::initializer_list<const void*> members);
const char* FieldNameAt(std::size_t offset);
}  // namespace detail

template <typename... T>
void WriteScheduleItemFields(db::Table& table, const ScheduleItemRecord& record,
                             T ScheduleItemRecord::*... members)
{
    detail::WriteSelected(table, record, {static_cast<const void*>(&(record.*members))...});
}

template <typename T>
const char* ScheduleItemFieldName(T ScheduleItemRecord::*member)
{
    static const ScheduleItemRecord probe{};
    const auto offset = static_cast<std::size_t>(reinterpret_cast<const char*>(&(probe.*member))
                                                 - reinterpret_cast<const char*>(&probe));
    return detail::FieldNameAt(offset);
}

}  // namespace tw::data
