#pragma once
// A working copy filled with many two-hour tasks an hour apart from
// 5 January 2026, on twenty resources, in one write batch: the schedule a
// busy workstation holds, for benchmarks of what is added to it.

#include <cstdint>

#include "platform/datetime/datetime.h"
#include "platform/db/table.h"

namespace tw::test {

inline void FillSchedule(db::Table& charts, int tasks, std::int32_t firstKey = 1)
{
    db::WriteBatch batch;
    TDateTime start = EncodeDate(2026, 1, 5) + EncodeTime(8, 0, 0, 0);
    for (int i = 0; i < tasks; ++i) {
        charts.append();
        charts.fieldByName("CHARTSID").setAsInteger(firstKey + i);
        charts.fieldByName("CREWID").setAsInteger(1 + (i + 1) % 20);
        charts.fieldByName("SD").setAsFloat(start);
        charts.fieldByName("ED").setAsFloat(start + 2.0 / 24);
        charts.fieldByName("HOURS").setAsFloat(2);
        charts.fieldByName("UPDATE").setAsFloat(1.1);
        charts.post();
        start += 1.0 / 24;
    }
    batch.commit();
}

}  // namespace tw::test
