#pragma once
// A generated working copy on the scratch schedule: 10 tasks per job, tasks
// spread over 50 resources, every tenth job a dependency group, one assignment
// row per task and one job row per job, each resource working one task after
// another. The chart is built once and written back, so the records stand on
// the grid with their groups aligned and their summaries assigned.

#include <map>
#include <string>

#include "platform/datetime/datetime.h"
#include "scratchschedule.h"

namespace tw::visualize::testing {

constexpr int kResources = 50;
constexpr int kTasksPerJob = 10;

class WorkingCopy : public ScratchSchedule {
public:
    explicit WorkingCopy(int records)
    {
        Fill(records);
        OpenCursors();
        // Every day from 7:00 to 18:00, so the generated tasks (8:00 to 12:00
        // and 13:00 to 17:00) lie on working time as a real schedule does.
        calendar.SUNDAY = calendar.SATURDAY = true;
        calendar.START1 = EncodeTime(7, 0, 0, 0);
        calendar.END1 = EncodeTime(18, 0, 0, 0);
        // The program keeps its records on the grid, its groups aligned and
        // its summaries assigned: one pass brings the generated ones there.
        controls.ChartSortBy = kSortByDependentGroup;
        builder.UpdateJobSummaries();
        builder.BuildChart(true);
        builder.SaveAndClearAllocations(true);
    }
    ~WorkingCopy() { builder.SaveAndClearAllocations(false); }

    void Refresh()
    {
        for (db::Table* t : {&c1, &c2, &c3, &c4, &c5, &c6, &c7, &c8, &c9})
            t->refresh();
    }

    void Fill(int records)
    {
        db::Table charts, jobTable, customerTable, crewTable, assignments;
        Open(charts, "Charts.DBF");
        Open(jobTable, "jobs.dbf");
        Open(customerTable, "customers.dbf");
        Open(crewTable, "crews.dbf");
        Open(assignments, "ICrews.DBF");
        db::WriteBatch batch;  // a fixture of tens of thousands of records
        for (int r = 1; r <= kResources; ++r) {
            crewTable.append();
            crewTable.fieldByName("CREWID").setAsFloat(r);
            crewTable.fieldByName("DESC").setAsString("Crew " + std::to_string(r));
            crewTable.post();
        }
        const int jobCount = records / (kTasksPerJob + 1);
        int assignment = 0;
        int key = 1;
        // Each resource works one task after another from the start date on.
        std::map<int, int> tasksOf;
        for (int j = 1; j <= jobCount; ++j) {
            const int cid = 1 + j % 500;
            const std::string customer = "Customer " + std::to_string(cid);
            if (j <= 500) {
                customerTable.append();
                customerTable.fieldByName("CID").setAsFloat(cid);
                customerTable.fieldByName("NAME").setAsString(customer);
                customerTable.post();
            }
            jobTable.append();
            jobTable.fieldByName("JID").setAsFloat(j);
            jobTable.fieldByName("CID").setAsFloat(cid);
            jobTable.fieldByName("DESC").setAsString("Job " + std::to_string(j));
            jobTable.fieldByName("CUSTNAME").setAsString(customer);
            jobTable.post();
            const bool group = j % 10 == 0;
            auto add = [&](bool isJob, int n, int crew, TDateTime start, float hours) {
                const int id = key++;
                charts.append();
                charts.fieldByName("CHARTSID").setAsFloat(id);
                charts.fieldByName("TID").setAsFloat(id);
                charts.fieldByName("JID").setAsFloat(j);
                charts.fieldByName("CID").setAsFloat(cid);
                charts.fieldByName("JOB").setAsBoolean(isJob);
                charts.fieldByName("SHOWIT").setAsBoolean(true);
                charts.fieldByName("DESC").setAsString(isJob ? "Job " + std::to_string(j)
                                                             : "Task " + std::to_string(id));
                charts.fieldByName("CUSTNAME").setAsString(customer);
                charts.fieldByName("JOBNAME").setAsString("Job " + std::to_string(j));
                charts.fieldByName("TDESC").setAsString("Crew " + std::to_string(crew));
                charts.fieldByName("CREWID").setAsFloat(crew);
                charts.fieldByName("SD").setAsFloat(start);
                charts.fieldByName("ED").setAsFloat(start + hours / 24.0);
                charts.fieldByName("HOURS").setAsFloat(hours);
                charts.fieldByName("COST").setAsFloat(42.5);
                charts.fieldByName("PIN").setAsFloat(1);
                if (group && !isJob) {
                    charts.fieldByName("DG").setAsFloat(j);
                    charts.fieldByName("DGN").setAsFloat(n);
                    charts.fieldByName("OFFSET").setAsFloat(n == 1 ? 0.0 : 0.5);
                }
                charts.post();
                assignments.append();
                assignments.fieldByName("ICREWID").setAsFloat(++assignment);
                assignments.fieldByName("CREWID").setAsFloat(crew);
                assignments.fieldByName("CHARTSID").setAsFloat(id);
                assignments.fieldByName("JID").setAsFloat(j);
                assignments.fieldByName("JOB").setAsBoolean(isJob);
                assignments.post();
            };
            for (int n = 1; n <= kTasksPerJob; ++n) {
                const int crew = 1 + (j * kTasksPerJob + n) % kResources;
                const int done = tasksOf[crew]++;
                const double hour = done % 2 == 0 ? 8.0 : 13.0;
                add(false, n, crew, EncodeDate(2026, 1, 5) + done / 2 + hour / 24, 4);
            }
            add(true, 0, 1 + j % kResources, EncodeDate(2026, 1, 5), 40);
        }
        batch.commit();
    }
};

}  // namespace tw::visualize::testing
