#pragma once
// The tables the Work calendar page works on, created empty in a folder of
// their own, with the cursors the data module would hand the page.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <unistd.h>

#include "data/layouts/layouts.h"
#include "platform/db/table.h"
#include "platform/db/tableops.h"
#include "schedule/workcalendartab/workcalendartab.h"

namespace tw::schedule::testing {

// Calendar tables keep 8 decimals of a day: a stored time is within a
// millisecond of the one written.
inline void ExpectSameCalendar(const CalendarRecord& stored, const CalendarRecord& written)
{
    const auto times = [](const CalendarRecord& r) {
        return std::vector<double>{r.START1, r.END1, r.START2, r.END2, r.START3, r.END3, r.START4, r.END4};
    };
    const std::vector<double> a = times(stored);
    const std::vector<double> b = times(written);
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_NEAR(a[i], b[i], 1e-7) << "time " << i;
    CalendarRecord flagsOnly = stored;
    flagsOnly.START1 = written.START1, flagsOnly.END1 = written.END1;
    flagsOnly.START2 = written.START2, flagsOnly.END2 = written.END2;
    flagsOnly.START3 = written.START3, flagsOnly.END3 = written.END3;
    flagsOnly.START4 = written.START4, flagsOnly.END4 = written.END4;
    EXPECT_EQ(flagsOnly, written);
}

class CalendarTables {
public:
    CalendarTables()
    {
        char pattern[] = "/tmp/twcalXXXXXX";
        folder_ = ::mkdtemp(pattern);
        for (const char* name : {"calendar.DBF", "holidays.dbf", "crews.dbf"}) {
            const data::TableLayout* layout = data::FindLayout(data::Database::Scheduler, name);
            db::CreateTable(folder_, layout->fileName, layout->fields, layout->indexes);
        }
        Open(CalendarTable, "calendar.DBF");
        Open(CalendarTable2, "calendar.DBF");
        Open(HolidaysTable, "holidays.dbf");
        Open(HolidaysTable2, "holidays.dbf");
        Open(CrewsTable, "crews.dbf");
        Open(CrewsTable2, "crews.dbf");
    }
    ~CalendarTables()
    {
        for (db::Table* t :
             {&CalendarTable, &CalendarTable2, &HolidaysTable, &HolidaysTable2, &CrewsTable, &CrewsTable2})
            t->close();
        std::filesystem::remove_all(folder_);
    }
    CalendarTables(const CalendarTables&) = delete;
    CalendarTables& operator=(const CalendarTables&) = delete;

    WorkCalendarTab::Tables Cursors()
    {
        return {CalendarTable, CalendarTable2, HolidaysTable, HolidaysTable2, CrewsTable2};
    }

    void AddResource(int crewId, const std::string& desc)
    {
        CrewsTable.append();
        CrewsTable.fieldByName("CREWID").setAsInteger(crewId);
        CrewsTable.fieldByName("DESC").setAsString(desc);
        CrewsTable.post();
    }
    void AddCalendar(int workId, int crewId)
    {
        CalendarTable.append();
        CalendarTable.fieldByName("WORKID").setAsInteger(workId);
        CalendarTable.fieldByName("CREWID").setAsInteger(crewId);
        CalendarTable.fieldByName("MONDAY").setAsBoolean(true);
        CalendarTable.post();
    }
    void AddHoliday(int holiId, TDateTime date)
    {
        HolidaysTable.append();
        HolidaysTable.fieldByName("HOLIID").setAsInteger(holiId);
        HolidaysTable.fieldByName("DATE").setAsDate(date);
        HolidaysTable.post();
    }

    const std::string& Folder() const { return folder_; }

    db::Table CalendarTable, CalendarTable2, HolidaysTable, HolidaysTable2, CrewsTable, CrewsTable2;

private:
    void Open(db::Table& t, const std::string& name)
    {
        t.setFolder(folder_);
        t.setTableName(name);
        t.open();
    }

    std::string folder_;
};

}  // namespace tw::schedule::testing
