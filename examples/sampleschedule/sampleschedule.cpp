#include "sampleschedule.h"

#include "app/session/appsession.h"
#include "data/services/recordservices.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace tw::examples {

std::int32_t AddSampleResource(app::AppSession& session, const std::string& name)
{
    data::TEstimateData& d = session.Data();
    db::Table& crews = d.CrewsTable4;
    const std::int32_t key = data::UniqueKeyValue(session.State.Keys, crews, "CREWID");
    session.State.KeepNewResource = true;
    crews.append();
    crews.fieldByName("CREWID").setAsInteger(key);
    crews.fieldByName("DESC").setAsString(name);
    crews.post();
    for (db::Table* t : {&d.CrewsTable, &d.CrewsTable2, &d.CrewsTable3})
        t->refresh();
    return key;
}

std::int32_t AddSampleTask(app::AppSession& session, std::int32_t resource, const SampleTask& task,
                           TDateTime* end)
{
    schedule::NewScheduleItem item;
    item.Key = data::UniqueKeyValue(session.State.Keys, session.Data().ChartsTable5, "CHARTSID");
    item.CustomerName = task.Customer;
    item.JobName = task.Job;
    item.Description = task.Description;
    item.Hours = task.Hours;
    item.End = session.Calendars().ComputeTaskEnd(resource, item.Start, task.Start, task.Hours);
    if (end != nullptr)
        *end = item.End;
    item.HourlyRate = 45;
    item.TotalCost = 45.0 * task.Hours;
    item.JobStatus = 2;
    item.LengthUnit = 1;
    session.State.CurrentResourceId = resource;
    return session.Adder().AddTaskToSchedule(item) ? item.Key : 0;
}

void FillSampleSchedule(app::AppSession& session, TDateTime monday)
{
    const std::int32_t crews[] = {
        AddSampleResource(session, "Ann's crew"),   AddSampleResource(session, "Bob Carter"),
        AddSampleResource(session, "Electricians"), AddSampleResource(session, "Painters"),
        AddSampleResource(session, "Roofers"),
    };
    const struct {
        const char* customer;
        const char* job;
        const char* tasks[4];
    } jobs[] = {
        {"Ames family", "Kitchen refit", {"Strip out", "First fix wiring", "Fit units", "Paint walls"}},
        {"Baker & Sons", "Shop front", {"Scaffold", "Replace fascia", "Sign wiring", "Repaint front"}},
        {"Cole Dental", "Waiting room", {"Move furniture", "Lighting", "Ceiling repair", "Paint"}},
        {"Dunmore School", "Gym roof", {"Survey", "Strip felt", "New membrane", "Gutters"}},
        {"Ellis Hotel", "Rooms 1-4", {"Protect floors", "Sockets", "Decorate", "Snagging"}},
        {"Fenwick Farm", "Barn", {"Clear barn", "Roof sheets", "Outdoor lights", "Doors"}},
        {"Grant House", "Porch", {"Demolish porch", "Footings", "Lantern", "Stain timber"}},
        {"Hale Offices", "Floor 2", {"Partitions", "Data points", "Ceiling tiles", "Paint"}},
        {"Irwin Cottage", "Re-roof", {"Scaffold", "Strip slates", "Battens", "Slating"}},
    };
    // Jobs begin on the working days of the first week and a half; a task
    // waits for the one before it in its job and for its resource.
    TDateTime crewFree[5] = {};
    int n = 0;
    for (int j = 0; j < static_cast<int>(std::size(jobs)); ++j) {
        const int day = j % 5 + (j >= 5 ? 7 : 0);
        TDateTime ready = monday + day + 8.0 / 24;
        for (int i = 0; i < 4; ++i, ++n) {
            const int crew = (n + i) % 5;
            const float hours = static_cast<float>(2 + (n * 7) % 9);
            TDateTime end = 0;
            AddSampleTask(
                session, crews[crew],
                {jobs[j].customer, jobs[j].job, jobs[j].tasks[i], std::max(ready, crewFree[crew]), hours},
                &end);
            ready = crewFree[crew] = end;
        }
    }
}

}  // namespace tw::examples
