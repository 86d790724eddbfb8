#include "schedule/sync/recordcopier.h"

#include <cmath>
#include <string_view>
#include <utility>

namespace tw::schedule {

namespace {

using Kind = RecordCopier::Kind;

// The fields of a schedule item that travel between the working copy and
// the shared table, with the accessor each goes through. The comparison
// stops at the first difference, so the fields that change most come first.
const std::vector<std::pair<std::string_view, Kind>>& ScheduleItemFields()
{
    static const std::vector<std::pair<std::string_view, Kind>> fields = [] {
        std::vector<std::pair<std::string_view, Kind>> f;
        for (auto n : {"SD", "ED"})
            f.emplace_back(n, Kind::Float);
        for (auto n : {"TID", "JID", "CID", "PID", "PIN", "DGN", "CREWID", "CHARTSID", "CHILD", "BIDID",
                       "ORDER", "LINK", "CHAIN", "RPERIOD", "REPEAT", "RCOUNT", "CREPEATH"})
            f.emplace_back(n, Kind::Whole);
        for (auto n : {"DG", "OFFSET", "OSD", "OED", "HOURS", "OHOURS"})
            f.emplace_back(n, Kind::Float);
        for (auto n : {"COST", "TCOST"})
            f.emplace_back(n, Kind::Currency);
        for (auto n : {"SDD", "EDD"})
            f.emplace_back(n, Kind::Date);
        for (auto n : {"PARENT", "SHOWIT", "USED", "NEW", "JOB", "ROOT"})
            f.emplace_back(n, Kind::Logical);
        for (auto n : {"LISTID", "JLID", "DESC", "TDESC", "CUSTNAME", "JOBNAME", "CFV1", "CFV2", "CFV3",
                       "CFV4", "CFV5", "CFV6", "CFV7"})
            f.emplace_back(n, Kind::Text);
        f.emplace_back("NOTES", Kind::Memo);
        return f;
    }();
    return fields;
}

double RoundCurrency(double v)
{
    return std::nearbyint(v * 10000.0) / 10000.0;
}

double AsSingle(double v)
{
    return static_cast<double>(static_cast<float>(v));
}

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
    AddIfBoth(copier.fields_, working, shared, "UPDATE", Kind::Float);
    for (const auto& [name, kind] : ScheduleItemFields())
        AddIfBoth(copier.fields_, working, shared, name, kind);
    copier.CompareBytesWherePossible(working, shared);
    return copier;
}

RecordCopier RecordCopier::ChartToLocal(db::Table& shared, db::Table& working)
{
    RecordCopier copier;
    AddIfBoth(copier.fields_, shared, working, "UPDATE", Kind::Single);
    for (const auto& [name, kind] : ScheduleItemFields())
        AddIfBoth(copier.fields_, shared, working, name, kind);
    for (auto name : {"PTR", "RESOURCE"}) {
        const int to = working.fieldIndex(name);
        if (to >= 0)
            copier.fields_.push_back({-1, to, Kind::Zero});
    }
    copier.CompareBytesWherePossible(shared, working);
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
    copier.CompareBytesWherePossible(source, target);
    return copier;
}

void RecordCopier::CompareBytesWherePossible(db::Table& source, db::Table& target)
{
    for (FieldCopy& c : fields_) {
        if (c.from < 0)
            continue;
        const db::FieldDef& from = source.fieldDefs()[static_cast<std::size_t>(c.from)];
        const db::FieldDef& to = target.fieldDefs()[static_cast<std::size_t>(c.to)];
        if (from.type != to.type || from.width != to.width || from.decimals != to.decimals)
            continue;
        switch (c.kind) {
        case Kind::Float:
        case Kind::Date:
        case Kind::Logical:
        case Kind::Text:
        case Kind::Generic: c.byBytes = true; break;
        // Whole numbers and currency are rounded on the way: only a field that
        // cannot hold more than the rounding keeps (nor a whole number beyond
        // 32 bits) holds the same.
        case Kind::Whole: c.byBytes = to.decimals == 0 && to.width <= 9; break;
        case Kind::Currency: c.byBytes = to.decimals <= 4; break;
        // Single precision rounds, a memo's bytes name a block of another
        // file, a zeroed field has no source.
        case Kind::Single:
        case Kind::Memo:
        case Kind::Zero: break;
        }
        // The generic copy of a memo compares contents.
        if (from.type == db::FieldType::Memo || from.type == db::FieldType::Binary)
            c.byBytes = false;
    }
}

namespace {

// Stored bytes that hold a definite value of the kind. A blank number or
// logical counts as different from anything (the copy writes a value into
// it), so equal bytes prove nothing for those.
bool DefiniteBytes(Kind kind, std::string_view bytes)
{
    switch (kind) {
    case Kind::Whole:
    case Kind::Float:
    case Kind::Currency:
        return bytes.find_first_of("0123456789") != std::string_view::npos
            && bytes.find_first_not_of(" 0123456789.+-eE") == std::string_view::npos;
    case Kind::Logical: return bytes.size() == 1 && std::string_view("TtYyFfNn").find(bytes[0]) != bytes.npos;
    default: return true;
    }
}

// Whether the target field already holds what the copy would write into it.
bool FieldSame(const RecordCopier::FieldCopy& c, db::Table& source, db::Table& target)
{
    if (c.byBytes) {
        const std::string_view theirs = target.field(c.to).storedBytes();
        if (!theirs.empty() && theirs == source.field(c.from).storedBytes() && DefiniteBytes(c.kind, theirs))
            return true;
    }
    const db::Field to = target.field(c.to);
    if (c.kind == Kind::Zero)
        return !to.isNull() && to.asFloat() == 0.0;
    const db::Field from = source.field(c.from);
    switch (c.kind) {
    case Kind::Whole: return !to.isNull() && to.asFloat() == static_cast<double>(from.asInteger());
    case Kind::Float: return !to.isNull() && to.asFloat() == from.asFloat();
    // The counter is compared in single precision, as the pulls compare it: the
    // field keeps eight decimals, so a single-precision value read back is not
    // the float it was written from, and an exact comparison would find every
    // record changed at every forced pull.
    case Kind::Single: return !to.isNull() && AsSingle(to.asFloat()) == AsSingle(from.asFloat());
    case Kind::Currency: return !to.isNull() && to.asFloat() == RoundCurrency(from.asFloat());
    case Kind::Date: return to.asDate() == from.asDate();
    case Kind::Logical: return !to.isNull() && to.asBoolean() == from.asBoolean();
    case Kind::Text:
    case Kind::Memo: return to.asString() == from.asString();
    case Kind::Generic: return from.value() == to.value();
    case Kind::Zero: break;
    }
    return false;
}

void SetField(const RecordCopier::FieldCopy& c, db::Table& source, db::Table& target)
{
    db::Field to = target.field(c.to);
    switch (c.kind) {
    case Kind::Zero: to.setAsFloat(0); break;
    case Kind::Whole: to.setAsInteger(source.field(c.from).asInteger()); break;
    case Kind::Float: to.setAsFloat(source.field(c.from).asFloat()); break;
    case Kind::Single: to.setAsFloat(AsSingle(source.field(c.from).asFloat())); break;
    case Kind::Currency: to.setAsFloat(RoundCurrency(source.field(c.from).asFloat())); break;
    case Kind::Date: to.setAsDate(source.field(c.from).asDate()); break;
    case Kind::Logical: to.setAsBoolean(source.field(c.from).asBoolean()); break;
    case Kind::Text:
    case Kind::Memo: to.setAsString(source.field(c.from).asString()); break;
    case Kind::Generic: to.setValue(source.field(c.from).value()); break;
    }
}

}  // namespace

bool RecordCopier::Same(db::Table& source, db::Table& target, bool besidesZeroed) const
{
    for (const FieldCopy& c : fields_)
        if (!(besidesZeroed && c.kind == Kind::Zero) && !FieldSame(c, source, target))
            return false;
    return true;
}

void RecordCopier::Copy(db::Table& source, db::Table& target) const
{
    // Only what differs is written: encoding a number costs more than
    // reading one, and a memo written again takes fresh blocks.
    for (const FieldCopy& c : fields_) {
        try {
            if (!FieldSame(c, source, target))
                SetField(c, source, target);
        } catch (const std::exception&) {
            // The task list's generic copy passes over a value the target
            // cannot hold; the schedule item's copy must not lose a field.
            if (!lenient_)
                throw;
        }
    }
}

}  // namespace tw::schedule
