#pragma once
// The scratch schedule as a fake of the page's window, schedule and other
// pages that keeps what it was told, and a way to add tasks, jobs,
// customers, resources and assignments.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/datetime/datetime.h"
#include "scratchschedule.h"
#include "schedule/visualize/pagesupport.h"
#include "support/december.h"

namespace tw::visualize::testing {

struct Task {
    int Id = 0;
    std::string Desc;
    TDateTime Start = 0;
    TDateTime End = 0;
    float Hours = 0;
    int Crew = 1;
    int Job = 100;
    bool IsJob = false;
    std::string Customer = "Ames";
    std::string JobName = "Roof";
    int Chain = 0;
    int Dgn = 0;
    double Dg = 0;
    double Offset = 0;
    double Cost = 0;
    int Status = 0;
    bool Used = false;
};

using fixtures::Day;

class PageFixture : public ::testing::Test, public ScratchSchedule {
protected:
    PageFixture()
    {
        OpenCursors();
        // A calendar with every quarter hour of every day working: hours and
        // wall-clock time agree unless a test loads another one.
        allDay.SUNDAY = allDay.SATURDAY = true;
        allDay.START1 = 0;
        allDay.END1 = 0;
        allDay.DAY1 = false;
        calendar = allDay;
        // As the page wires it: the chart's period, however set, is kept.
        RAC.OnDateRangeChange = [this](TChart*) { dates.RACDateRangeChange(); };
        RAC.SetDateTime(Day(1), Day(2));
    }

    ~PageFixture() override { RAC.OnDateRangeChange = nullptr; }

    void PushChartRecord(std::int32_t key) override { pushedRecords.push_back(key); }
    void PushChartRecords(const std::set<std::int32_t>& keys) override { pushedTimes.push_back(keys); }
    void PushChartUpdates() override { ++pushAll; }
    void StartMicroAdjust() override { timerArmed = true; }
    void StopMicroAdjust() override { timerArmed = false; }
    std::int64_t MonotonicMilliseconds() override { return clockMs; }
    void SetChartGrid(double interval, chart::TDateTimeStyle style, TDateTime) override
    {
        gridInterval = interval;
        gridStyle = style;
    }
    bool ResourcesAreFree(std::int32_t crew, TDateTime s, TDateTime e, std::int32_t key) override
    {
        return !resourcesBusy && FreeInWorkingCopy(crew, s, e, key);
    }
    void ApplyCustomerQuery() override { ++queriesApplied; }
    // The task editor opens on ChartsTable3's current record.
    void ShowTaskEditor(int) override
    {
        editorOpenedOn.push_back(static_cast<std::int32_t>(c3.fieldByName("CHARTSID").asFloat()));
    }
    // The program's Refresh and sort choice both end in the chart built again.
    void RefreshChart() override { builder.BuildChart(true); }
    void ChartSortByClick() override { builder.BuildChart(true); }

    void AddTask(const Task& task)
    {
        c5.append();
        c5.fieldByName("CHARTSID").setAsFloat(task.Id);
        c5.fieldByName("TID").setAsFloat(task.Id);
        c5.fieldByName("DESC").setAsString(task.Desc);
        c5.fieldByName("SD").setAsFloat(task.Start);
        c5.fieldByName("ED").setAsFloat(task.End);
        c5.fieldByName("SDD").setAsDateTime(task.Start);
        c5.fieldByName("EDD").setAsDateTime(task.End);
        c5.fieldByName("HOURS").setAsFloat(task.Hours);
        c5.fieldByName("CREWID").setAsFloat(task.Crew);
        c5.fieldByName("JID").setAsFloat(task.Job);
        c5.fieldByName("CID").setAsFloat(task.Job + 1000);
        c5.fieldByName("JOB").setAsBoolean(task.IsJob);
        c5.fieldByName("SHOWIT").setAsBoolean(true);
        c5.fieldByName("CUSTNAME").setAsString(task.Customer);
        c5.fieldByName("JOBNAME").setAsString(task.JobName);
        c5.fieldByName("TDESC").setAsString("Crew " + std::to_string(task.Crew));
        c5.fieldByName("CHAIN").setAsFloat(task.Chain);
        c5.fieldByName("DGN").setAsFloat(task.Dgn);
        c5.fieldByName("DG").setAsFloat(task.Dg);
        c5.fieldByName("OFFSET").setAsFloat(task.Offset);
        c5.fieldByName("COST").setAsFloat(task.Cost);
        c5.fieldByName("BIDID").setAsFloat(task.Status);
        c5.fieldByName("USED").setAsBoolean(task.Used);
        c5.fieldByName("PIN").setAsFloat(1);
        c5.fieldByName("UPDATE").setAsFloat(5);
        c5.post();
        Refresh();
    }
    void AddJob(int jid, const std::string& desc, int cid, const std::string& customer)
    {
        jobs.append();
        jobs.fieldByName("JID").setAsFloat(jid);
        jobs.fieldByName("CID").setAsFloat(cid);
        jobs.fieldByName("DESC").setAsString(desc);
        jobs.fieldByName("CUSTNAME").setAsString(customer);
        jobs.post();
        jobs2.refresh();
    }
    void AddCustomer(int cid, const std::string& name)
    {
        customers.append();
        customers.fieldByName("CID").setAsFloat(cid);
        customers.fieldByName("NAME").setAsString(name);
        customers.post();
    }
    void AddCrew(int id, const std::string& desc)
    {
        crews.append();
        crews.fieldByName("CREWID").setAsFloat(id);
        crews.fieldByName("DESC").setAsString(desc);
        crews.post();
    }
    void AddAssignment(int crew, int chartsId, int jid, bool job)
    {
        icrews2.append();
        icrews2.fieldByName("ICREWID").setAsFloat(++lastAssignment);
        icrews2.fieldByName("CREWID").setAsFloat(crew);
        icrews2.fieldByName("CHARTSID").setAsFloat(chartsId);
        icrews2.fieldByName("JID").setAsFloat(jid);
        icrews2.fieldByName("JOB").setAsBoolean(job);
        icrews2.post();
        icrews3.refresh();
    }
    void Refresh()
    {
        for (db::Table* t : {&c1, &c2, &c3, &c4, &c5, &c6, &c7, &c8, &c9})
            t->refresh();
    }

    // The working copy's view of one record.
    double Read(int id, const char* field)
    {
        c5.refresh();
        EXPECT_TRUE(c5.locate("CHARTSID", db::Value(static_cast<double>(id)))) << id;
        return c5.fieldByName(field).asFloat();
    }
    bool ReadFlag(int id, const char* field)
    {
        c5.refresh();
        EXPECT_TRUE(c5.locate("CHARTSID", db::Value(static_cast<double>(id)))) << id;
        return c5.fieldByName(field).asBoolean();
    }

    // The overlap test of the task editor on the working copy alone.
    bool FreeInWorkingCopy(std::int32_t crew, TDateTime s, TDateTime e, std::int32_t key)
    {
        db::Table t;
        Open(t, "Charts.DBF");
        for (t.first(); !t.eof(); t.next()) {
            if (t.fieldByName("JOB").asBoolean() || t.fieldByName("CREWID").asFloat() != crew
                || t.fieldByName("CHARTSID").asFloat() == key)
                continue;
            if (t.fieldByName("SD").asFloat() < e - 1e-9 && t.fieldByName("ED").asFloat() > s + 1e-9)
                return false;
        }
        return true;
    }

    // A drag of the record's bar to a new period, released `ms` after the press.
    void Drag(int id, TDateTime start, TDateTime end, std::int64_t ms = 800)
    {
        TResourceAllocation* bar = BarOf(id);
        ASSERT_TRUE(handlers.RACAllocationDragStart(bar));
        bar->SetDateTime(start, end);
        clockMs += ms;
        handlers.RACAllocationDragEnd(bar);
    }

    // The bar that shows a record.
    TResourceAllocation* BarOf(int id)
    {
        for (TResourceAllocation* bar : chart.ChartBars) {
            auto it = chart.BarLinks.find(bar);
            if (it != chart.BarLinks.end() && it->second.ChartsId == id)
                return bar;
        }
        return nullptr;
    }

    // Row captions top to bottom; heading rows read "# " and their caption.
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int i = 0; i < RAC.Count(); ++i) {
            const TRACResource* row = RAC.Resources(i);
            const std::string* heading = handlers.HeadingCaption(row);
            rows.push_back(heading != nullptr ? "# " + *heading : row->Name().toStdString());
        }
        return rows;
    }

    schedule::CalendarRecord allDay;
    std::vector<std::int32_t> pushedRecords;
    std::vector<std::set<std::int32_t>> pushedTimes;  // PushChartRecords, one set a call
    int pushAll = 0;
    bool timerArmed = false;
    std::int64_t clockMs = 0;
    double gridInterval = 0;
    chart::TDateTimeStyle gridStyle = chart::dtNone;
    bool resourcesBusy = false;  // every overlap test answers "not free"
    int queriesApplied = 0;
    std::vector<std::int32_t> editorOpenedOn;
    int lastAssignment = 0;
};

}  // namespace tw::visualize::testing
