#include "data/records/scheduleitemrecord.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <vector>

namespace tw::data {

namespace {

enum class Kind { Whole, Real, Flag, Text, Date };

// One table of field names for both directions, so that a field cannot be
// read one way and written another.
template <typename Record, typename Visit>
void ForEachField(Record& r, Visit&& visit)
{
    visit("CHARTSID", r.CHARTSID);
    visit("HOURS", r.HOURS);
    visit("SD", r.SD, Kind::Real);
    visit("ED", r.ED, Kind::Real);
    visit("DESC", r.DESC);
    visit("COST", r.COST);
    visit("BIDID", r.BIDID);
    visit("TCOST", r.TCOST);
    visit("PTR", r.PTR);
    visit("OFFSET", r.OFFSET);
    visit("CHILD", r.CHILD);
    visit("PARENT", r.PARENT);
    visit("SHOWIT", r.SHOWIT);
    visit("ORDER", r.ORDER);
    visit("PID", r.PID);
    visit("USED", r.USED);
    visit("TID", r.TID);
    visit("CID", r.CID);
    visit("JID", r.JID);
    visit("SDD", r.SDD, Kind::Date);
    visit("EDD", r.EDD, Kind::Date);
    visit("CREWID", r.CREWID);
    visit("TDESC", r.TDESC);
    visit("CUSTNAME", r.CUSTNAME);
    visit("JOBNAME", r.JOBNAME);
    visit("OSD", r.OSD, Kind::Real);
    visit("OED", r.OED, Kind::Real);
    visit("OHOURS", r.OHOURS);
    visit("JOB", r.JOB);
    visit("LISTID", r.LISTID);
    visit("JLID", r.JLID);
    visit("NOTES", r.NOTES);
    visit("UPDATE", r.UPDATE);
    visit("DG", r.DG);
    visit("DGN", r.DGN);
    visit("NEW", r.NEW);
    visit("PIN", r.PIN);
    visit("LINK", r.LINK);
    visit("CHAIN", r.CHAIN);
    visit("RESOURCE", r.RESOURCE);
    visit("ROOT", r.ROOT);
    visit("RPERIOD", r.RPERIOD);
    visit("RCOUNT", r.RCOUNT);
    visit("REPEAT", r.REPEAT);
    visit("CREPEATH", r.CREPEATH);
}

struct Reader {
    db::Table& table;
    void operator()(const char* name, std::int32_t& v) const
    {
        if (auto f = table.findField(name))
            v = f->asInteger();
    }
    void operator()(const char* name, double& v, Kind kind = Kind::Real) const
    {
        if (auto f = table.findField(name))
            v = kind == Kind::Date ? f->asDate() : f->asFloat();
    }
    void operator()(const char* name, bool& v) const
    {
        if (auto f = table.findField(name))
            v = f->asBoolean();
    }
    void operator()(const char* name, std::string& v) const
    {
        if (auto f = table.findField(name))
            v = f->asString();
    }
    void operator()(const char* name, std::optional<std::string>& v) const
    {
        if (auto f = table.findField(name))
            v = f->asString();
    }
};

// Writes a field when it is selected (all when no selection is given) and
// the table has it.
struct Writer {
    db::Table& table;
    const std::initializer_list<const void*>* selected = nullptr;

    bool Wanted(const void* member) const
    {
        return selected == nullptr
            || std::find(selected->begin(), selected->end(), member) != selected->end();
    }
    template <typename Set>
    void Write(const char* name, const void* member, Set&& set) const
    {
        if (!Wanted(member))
            return;
        if (auto f = table.findField(name))
            set(*f);
    }
    void operator()(const char* name, const std::int32_t& v) const
    {
        Write(name, &v, [&](db::Field& f) { f.setAsInteger(v); });
    }
    void operator()(const char* name, const double& v, Kind kind = Kind::Real) const
    {
        Write(name, &v, [&](db::Field& f) {
            if (kind == Kind::Date)
                f.setAsDate(v);
            else
                f.setAsFloat(v);
        });
    }
    void operator()(const char* name, const bool& v) const
    {
        Write(name, &v, [&](db::Field& f) { f.setAsBoolean(v); });
    }
    void operator()(const char* name, const std::string& v) const
    {
        Write(name, &v, [&](db::Field& f) { f.setAsString(v); });
    }
    void operator()(const char* name, const std::optional<std::string>& v) const
    {
        if (v)
            Write(name, &v, [&](db::Field& f) { f.setAsString(*v); });
    }
};

}  // namespace

ScheduleItemRecord ReadScheduleItem(db::Table& table)
{
    ScheduleItemRecord record;
    ForEachField(record, Reader{table});
    return record;
}

void WriteScheduleItem(db::Table& table, const ScheduleItemRecord& record)
{
    ForEachField(record, Writer{table});
}

bool LocateScheduleItem(db::Table& table, double chartsId)
{
    return table.locate(ScheduleItemFieldName(&ScheduleItemRecord::CHARTSID), db::Value(chartsId));
}

namespace detail {

void WriteSelected(db::Table& table, const ScheduleItemRecord& record,
                   std::initializer_list<const void*> members)
{
    ForEachField(record, Writer{table, &members});
}

const char* FieldNameAt(std::size_t offset)
{
    // Built once: a name per offset into the record, so that code in a loop
    // over many rows pays nothing for naming its fields this way.
    static const std::vector<const char*> names = [] {
        std::vector<const char*> byOffset(sizeof(ScheduleItemRecord), nullptr);
        static const ScheduleItemRecord probe{};
        const auto base = reinterpret_cast<const char*>(&probe);
        ForEachField(probe, [&](const char* name, const auto& member, Kind = Kind::Real) {
            byOffset[static_cast<std::size_t>(reinterpret_cast<const char*>(&member) - base)] = name;
        });
        return byOffset;
    }();
    if (offset >= names.size() || names[offset] == nullptr)
        throw std::logic_error("not a field of a schedule item");
    return names[offset];
}

}  // namespace detail

}  // namespace tw::data
