#include "schedule/sync/recordcopier.h"

#include <cmath>
#include <string_view>
#include <utility>

namespace tw::schedule {

namespace {

using Kind = RecordCopier::Kind;

// The fields of a schedule item that travel between the working copy and
// the shared table, with the accessor each goes through.
const std::vector<std::pair<std::string_view, Kind>>& ScheduleItemFields()
{
    static const std::vector<std::pair<std::string_view, Kind>> fields = [] {
        std::vector<std::pair<std::string_view, Kind>> f;
        for (auto n : {"TID", "JID", "CID", "PID", "PIN", "DGN", "CREWID", "CHARTSID", "CHILD", "BIDID", "ORDER",
                       "LINK", "CHAIN", "RPERIOD", "REPEAT", "RCOUNT", "CREPEATH"})
            f.emplace_back(n, Kind::Whole);
        for (auto n : {"DG", "OFFSET", "SD", "ED", "OSD", "OED", "HOURS", "OHOURS"})
            f.emplace_back(n, Kind::Float);
        for (auto n : {"COST", "TCOST"})
            f.emplace_back(n, Kind::Currency);
        for (auto n : {"SDD", "EDD"})
            f.emplace_back(n, Kind::Date);
        for (auto n : {"PARENT", "SHOWIT", "USED", "NEW", "JOB", "ROOT"})
            f.emplace_back(n, Kind::Logical);
        for (auto n : {"LISTID", "JLID", "DESC", "TDESC", "CUSTNAME", "JOBNAME", "CFV1", "CFV2", "CFV3", "CFV4",
                       "CFV5", "CFV6", "CFV7"})
            f.emplace_back(n, Kind::Text);
        f.emplace_back("NOTES", Kind::Memo);
        return f;
    }();
    return fields;
}

double RoundCurrency(double v) { return std::nearbyint(v * 10000.0) / 10000.0; }

double AsSingle(double v) { return static_cast<double>(static_cast<float>(v)); }

Kind GenericKind(db::FieldType type)
{
    return type == db::FieldType::Memo ? Kind::Memo : Kind::Generic;
}

void AddIfBoth(std::vector<RecordCopier::FieldCopy>& out, db::Table& source, db::Table& target,
               std::string_view name, Kind kind)
{
    const int from = source.fieldIndex(name);
    const int to = target.fieldIndex(name);
    if (from >= 0 && to >= 0)
        out.push_back({from, to, kind});
}

}  // namespace

RecordCopier RecordCopier::ChartToShared(db::Table& working, db::Table& shared)
{
    RecordCopier copier;
    for (const auto& [name, kind] : ScheduleItemFields())
        AddIfBoth(copier.fields_, working, shared, name, kind);
    AddIfBoth(copier.fields_, working, shared, "UPDATE", Kind::Float);
    return copier;
}

RecordCopier RecordCopier::ChartToLocal(db::Table& shared, db::Table& working)
{
    RecordCopier copier;
    for (const auto& [name, kind] : ScheduleItemFields())
        AddIfBoth(copier.fields_, shared, working, name, kind);
    AddIfBoth(copier.fields_, shared, working, "UPDATE", Kind::Single);
    for (auto name : {"PTR", "RESOURCE"}) {
        const int to = working.fieldIndex(name);
        if (to >= 0)
            copier.fields_.push_back({-1, to, Kind::Zero});
    }
    return copier;
}

RecordCopier RecordCopier::TaskList(db::Table& source, db::Table& target, bool singleUpdate)
{
    RecordCopier copier;
    copier.lenient_ = true;
    const auto& defs = source.fieldDefs();
    for (int i = 0; i < static_cast<int>(defs.size()); ++i) {
        const int to = target.fieldIndex(defs[i].name);
        if (to < 0)
            continue;
        const Kind kind = singleUpdate && defs[i].name == "UPDATE" ? Kind::Single : GenericKind(defs[i].type);
        copier.fields_.push_back({i, to, kind});
    }
    return copier;
}

bool RecordCopier::Same(db::Table& source, db::Table& target) const
{
    for (const FieldCopy& c : fields_) {
        const db::Field to = target.field(c.to);
        switch (c.kind) {
        case Kind::Zero:
            if (to.asFloat() != 0.0 || to.isNull())
                return false;
            continue;
        case Kind::Generic:
            if (source.field(c.from).value() != to.value())
                return false;
            continue;
        default:
            break;
        }
        const db::Field from = source.field(c.from);
        switch (c.kind) {
        case Kind::Whole:
            if (to.isNull() || to.asFloat() != static_cast<double>(from.asInteger()))
                return false;
            break;
        case Kind::Float:
            if (to.isNull() || to.asFloat() != from.asFloat())
                return false;
            break;
        case Kind::Single:
            if (to.isNull() || to.asFloat() != AsSingle(from.asFloat()))
                return false;
            break;
        case Kind::Currency:
            if (to.isNull() || to.asFloat() != RoundCurrency(from.asFloat()))
                return false;
            break;
        case Kind::Date:
            if (to.asDate() != from.asDate())
                return false;
            break;
        case Kind::Logical:
            if (to.asBoolean() != from.asBoolean())
                return false;
            break;
        case Kind::Text:
        case Kind::Memo:
            if (to.asString() != from.asString())
                return false;
            break;
        case Kind::Zero:
        case Kind::Generic:
            break;
        }
    }
    return true;
}

void RecordCopier::Copy(db::Table& source, db::Table& target) const
{
    for (const FieldCopy& c : fields_) {
        db::Field to = target.field(c.to);
        try {
            switch (c.kind) {
            case Kind::Zero: to.setAsFloat(0); break;
            case Kind::Whole: to.setAsInteger(source.field(c.from).asInteger()); break;
            case Kind::Float: to.setAsFloat(source.field(c.from).asFloat()); break;
            case Kind::Single: to.setAsFloat(AsSingle(source.field(c.from).asFloat())); break;
            case Kind::Currency: to.setAsFloat(RoundCurrency(source.field(c.from).asFloat())); break;
            case Kind::Date: to.setAsDate(source.field(c.from).asDate()); break;
            case Kind::Logical: to.setAsBoolean(source.field(c.from).asBoolean()); break;
            case Kind::Text: to.setAsString(source.field(c.from).asString()); break;
            case Kind::Memo: {
                const std::string text = source.field(c.from).asString();
                if (text != to.asString())
                    to.setAsString(text);
                break;
            }
            case Kind::Generic: {
                const db::Value v = source.field(c.from).value();
                if (std::holds_alternative<std::monostate>(v))
                    to.clear();
                else
                    to.setValue(v);
                break;
            }
            }
        } catch (const std::exception&) {
            // The task list's generic copy passes over a value the target
            // cannot hold; the schedule item's copy must not lose a field.
            if (!lenient_)
                throw;
        }
    }
}

}  // namespace tw::schedule
