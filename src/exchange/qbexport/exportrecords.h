#pragma once
// Record access shared by the export's routines: fields as texts, records
// found by key, a few fields written in one edit; a schedule item's fields
// named by its record type.

#include <QDate>
#include <QString>

#include <initializer_list>
#include <utility>

#include "data/currency.h"
#include "exchange/qbsessionframe.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"
#include "data/records/scheduleitemrecord.h"

namespace tw::exchange::qbexport::records {

using Item = data::ScheduleItemRecord;

// The name of a schedule item's field: ItemField(&Item::CHARTSID).
template <typename T>
const char* ItemField(T Item::*member)
{
    return data::ScheduleItemFieldName(member);
}

inline bool HasRecord(db::Table& t)
{
    return t.active() && !(t.eof() && t.bof());
}

// A field of the current record; empty when the view has no record.
inline QString Text(db::Table& t, const char* field)
{
    return HasRecord(t) ? QString::fromStdString(t.fieldByName(field).asString()) : QString();
}

inline std::int32_t Integer(db::Table& t, const char* field)
{
    return HasRecord(t) ? t.fieldByName(field).asInteger() : 0;
}

inline bool LocateKey(db::Table& t, const char* field, std::int32_t key)
{
    return key != 0 && t.locate(field, db::Value(static_cast<double>(key)));
}

inline void WriteFields(db::Table& t, std::initializer_list<std::pair<const char*, QString>> values)
{
    t.edit();
    for (const auto& [field, value] : values)
        t.fieldByName(field).setAsString(value.toStdString());
    t.post();
    t.refresh();
}

inline QDate DayOf(TDateTime value)
{
    const DateFields d = DecodeDate(value);
    return QDate(d.year, d.month, d.day);
}

// Hours as the cost takes them: narrowed to single precision, then fixed-point.
inline Currency FixedHours(float hours)
{
    return Currency::FromDoubleHalfEven(static_cast<double>(hours));
}

// A request set's rules: its OnError and status 1's advisory (empty: none).
inline QbSession::Rules RequestRules(int onError, const QString& nothingFound = {})
{
    QbSession::Rules rules;
    rules.onError = onError;
    rules.nothingFoundText = nothingFound;
    return rules;
}

}  // namespace tw::exchange::qbexport::records
