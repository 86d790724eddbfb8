// "Send to QuickBooks" at size, against the local company: a single task
// with its cost, found among 5,000 customers and jobs and matched among
// 2,000 items (the task's item listed last), through the typed link and
// through the XML one; and the resource summary's cost over 5,000 tasks on
// 20 resources, each task's working hours from a working calendar.
#include <benchmark/benchmark.h>

#include "exportfixture.h"
#include "schedule/holidaylist.h"
#include "schedule/workcalendar.h"
#include "schedule/workingtime.h"

using namespace tw;
using namespace tw::exchange::qbexport;
namespace xt = tw::exchange::qbexport::test;
using tw::test::FixtureRow;

namespace {

// Hours on a calendar of 8:00 to 17:00, Monday to Friday.
class CalendarHost : public xt::RecordingExportHost {
public:
    CalendarHost()
    {
        schedule::CalendarRecord r;
        r.START1 = EncodeTime(8, 0, 0, 0);
        r.END1 = EncodeTime(17, 0, 0, 0);
        calendar_.Load(r);
    }
    float WorkingHoursBetween(std::int32_t, TDateTime start, TDateTime end) override
    {
        return schedule::WorkingHoursBetween(calendar_, holidays_, start, end);
    }

private:
    schedule::WorkCalendar calendar_;
    schedule::HolidayList holidays_;
};

// 2,500 customers with a job each; 2,000 service items, the task's last by name.
qb::CompanyData LargeCompany()
{
    qb::CompanyData d = qb::test::SampleCompany();
    d.customers.clear();
    d.items.clear();
    for (int i = 0; i < 2500; ++i) {
        const std::string name = "Customer " + std::to_string(10000 + i);
        d.customers.push_back(qb::test::Customer(1000 + 2 * i, name.c_str()));
        d.customers.push_back(qb::test::Customer(1001 + 2 * i, "Main job", 1000 + 2 * i));
    }
    for (int i = 0; i < 2000; ++i) {
        const std::string name = "Labour " + std::to_string(10000 + i);
        d.items.push_back(qb::test::Item(20000 + i, qb::ENItemKind::Service, name.c_str(), 1 + i % 2));
    }
    d.items.push_back(qb::test::Item(30000, qb::ENItemKind::Service, "Tiling", 1));
    d.nextId = 40000;
    return d;
}

void BM_SingleTaskSendWithCost(benchmark::State& state, qb::LinkMode mode)
{
    xt::ExportWorld w(LargeCompany());
    w.AddRows({
        {"customers.dbf", {{"CID", "1"}, {"NAME", "Customer 12499"}}},
        {"jobs.dbf", {{"JID", "10"}, {"CID", "1"}, {"DESC", "Main job"}}},
        {"crews.dbf", {{"CREWID", "1"}, {"DESC", "Dana Reed"}, {"RATE", "12.5"}}},
        {"ICrews.DBF", {{"CREWID", "1"}, {"CHARTSID", "100"}}},
        {"Charts.DBF",
         {{"CHARTSID", "100"},
          {"CID", "1"},
          {"JID", "10"},
          {"DESC", "Tiling the hall"},
          {"HOURS", "6"},
          {"SD", "46083"},
          {"ED", "46084"}}},
        {"params.dbf", {{"MATCHC", "6"}, {"EXPORT", "T"}}},
    });
    w.mode = mode;
    w.Start(1, 100);
    w.logic->Open(1, false);
    w.Send();  // the first send adds the task; each timed one updates it and the item
    for (auto _ : state)
        w.Send();
    if (w.view.statuses.last() != "Tiling the hall exported, QB item Tiling updated")
        state.SkipWithError(w.view.statuses.join(" / ").toStdString().c_str());
}
BENCHMARK_CAPTURE(BM_SingleTaskSendWithCost, Typed, qb::LinkMode::Typed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SingleTaskSendWithCost, Xml, qb::LinkMode::Xml)->Unit(benchmark::kMillisecond);

void BM_ResourceSummarySend(benchmark::State& state)
{
    qb::CompanyData company = qb::test::SampleCompany();
    company.items.push_back(qb::test::Item(50, qb::ENItemKind::Service, "Summary of labour", 2));
    xt::ExportWorld w(company);
    CalendarHost host;
    std::vector<FixtureRow> rows = {
        {"customers.dbf", {{"CID", "1"}, {"NAME", "Marsh, Lena"}}},
        {"params.dbf", {{"MATCHC", "4"}, {"EXPORT", "T"}}},
    };
    for (int r = 1; r <= 20; ++r)
        rows.push_back({"crews.dbf",
                        {{"CREWID", std::to_string(r)},
                         {"DESC", "Crew " + std::to_string(r)},
                         {"RATE", std::to_string(20 + r) + ".25"}}});
    for (int i = 0; i < 5000; ++i) {
        const std::string id = std::to_string(1000 + i);
        const TDateTime start = EncodeDate(2026, 3, 2) + i / 20 + EncodeTime(8 + i % 6, 0, 0, 0);
        rows.push_back({"Charts.DBF",
                        {{"CHARTSID", id},
                         {"CID", "1"},
                         {"DESC", "Task " + id},
                         {"SD", std::to_string(start)},
                         {"ED", std::to_string(start + 0.125)}}});
        rows.push_back({"ICrews.DBF", {{"CREWID", std::to_string(1 + i % 20)}, {"CHARTSID", id}}});
    }
    w.AddRows(rows);
    w.Start(1, 1000);
    ExportJobToQB logic(w.Tables(), w.Services(host), w.view);
    host.selectionInForce = true;
    logic.Open(1, false);
    for (auto _ : state) {
        w.view.statuses.clear();
        logic.ExportJobClick();
    }
    if (w.view.statuses.last() != "Summary exported, QB item Summary of labour updated")
        state.SkipWithError(w.view.statuses.join(" / ").toStdString().c_str());
}
BENCHMARK(BM_ResourceSummarySend)->Unit(benchmark::kMillisecond);

}  // namespace
