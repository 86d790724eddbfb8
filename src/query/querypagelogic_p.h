#pragma once
// What the query page's logic files share: small readers of a view's
// current record and a flag held for a scope. Included by
// querypagelogic.cpp, querynavigators.cpp and querygrids.cpp only.

#include <cstdint>
#include <string>

#include "data/records/scheduleitemrecord.h"
#include "platform/db/table.h"

namespace tw::query::detail {

inline constexpr const char* kTarnwick = "Tarnwick";
inline constexpr int kTaskOwner = 3;

inline bool HasRecord(db::Table& t)
{
    return t.active() && !t.isEmpty() && !(t.eof() && t.bof());
}

inline std::int32_t KeyOf(db::Table& t, const char* field)
{
    return HasRecord(t) ? t.fieldByName(field).asInteger() : 0;
}

inline std::string TextOf(db::Table& t, const char* field)
{
    return HasRecord(t) ? t.fieldByName(field).asString() : std::string();
}

// A schedule item's field by its member: the tables of the schedule are never
// read here by a name of their own.
using Item = data::ScheduleItemRecord;
template <typename T>
const char* ItemField(T Item::*member)
{
    return data::ScheduleItemFieldName(member);
}

inline db::Value Number(std::int32_t key)
{
    return db::Value(static_cast<double>(key));
}

inline std::string Trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace tw::query::detail
