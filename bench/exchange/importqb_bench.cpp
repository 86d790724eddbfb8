// "Import from QuickBooks" at a busy firm's size: the window listing 5,000
// customers and jobs and sorting them; 2,000 customers with seven custom
// fields and 500 employees imported in one write batch each; "Import all" of
// 500 dated jobs into a schedule of 5,000 tasks (each row a task added and
// pushed, and its customer refreshed from QuickBooks).
#include <benchmark/benchmark.h>

#include <QTreeWidget>

#include "controls/testapplication.h"
#include "exchange/importqbform.h"
#include "importqbfixture.h"
#include "ui_importqbform.h"

using namespace tw;

namespace {

using qb::test::Id;

qb::CompanyData BusyCompany(int customers, int jobsEach, int employees, bool dated)
{
    qb::CompanyData d;
    d.edition = QStringLiteral("US");
    d.versions = {QStringLiteral("1.0"), QStringLiteral("3.0")};
    int id = 1;
    for (int c = 0; c < customers; ++c) {
        qb::CustomerRet cust = qb::test::Customer(id++, "");
        cust.Name = QStringLiteral("Customer %1, Holdings").arg(c, 5, 10, QChar(u'0'));
        cust.Phone = QStringLiteral("555-%1").arg(c, 4, 10, QChar(u'0'));
        cust.BillAddress = qb::Address{};
        cust.BillAddress->Addr2 = QStringLiteral("%1 High Street").arg(c);
        cust.BillAddress->City = QStringLiteral("Northby");
        cust.BillAddress->State = QStringLiteral("NY");
        for (int f = 1; f <= 7; ++f)
            cust.DataExtRet.push_back(qb::DataExtRet{QStringLiteral("0"), QStringLiteral("Field %1").arg(f),
                                                     QStringLiteral("STR255TYPE"),
                                                     QStringLiteral("value %1-%2").arg(c).arg(f)});
        const int parent = id - 1;
        d.customers.push_back(cust);
        for (int j = 0; j < jobsEach; ++j) {
            qb::CustomerRet job = qb::test::Customer(id++, "", parent);
            job.Name = QStringLiteral("Job %1").arg(j);
            job.JobStatus = qb::ENJobStatus::Awarded;
            if (dated) {
                job.JobStartDate = QDate(2026, 6, 1).addDays(c % 60);
                job.JobProjectedEndDate = *job.JobStartDate;
            }
            d.customers.push_back(job);
        }
    }
    for (int f = 1; f <= 7; ++f)
        d.customFields.push_back(qb::DataExtDefRet{QStringLiteral("0"), QStringLiteral("Field %1").arg(f),
                                                   QStringLiteral("STR255TYPE"), {QStringLiteral("Customer")}});
    for (int e = 0; e < employees; ++e) {
        qb::EmployeeRet emp;
        emp.ListID = Id(100000 + e);
        emp.EditSequence = QStringLiteral("1100000001");
        emp.Name = QStringLiteral("Employee %1").arg(e, 4, 10, QChar(u'0'));
        emp.EmployeePayrollInfo = qb::EmployeePayrollInfo{};
        qb::Earnings line;
        line.Rate = Currency::FromRaw(250000 + e);
        emp.EmployeePayrollInfo->Earnings = {line};
        d.employees.push_back(emp);
    }
    d.nextId = id + 200000;
    return d;
}

struct Bench : exchange::test::ImportQBFixture {
    explicit Bench(const qb::CompanyData& company) : ImportQBFixture(company) {}
};

void FillSchedule(data::TEstimateData& d, int tasks)
{
    db::Table& c = d.ChartsTable5;
    db::WriteBatch batch;
    TDateTime start = EncodeDate(2026, 1, 5) + EncodeTime(8, 0, 0, 0);
    for (int i = 1; i <= tasks; ++i) {
        c.append();
        c.fieldByName("CHARTSID").setAsInteger(900000 + i);
        c.fieldByName("CREWID").setAsInteger(1 + i % 20);
        c.fieldByName("SD").setAsFloat(start);
        c.fieldByName("ED").setAsFloat(start + 2.0 / 24);
        c.fieldByName("HOURS").setAsFloat(2);
        c.fieldByName("UPDATE").setAsFloat(1.1);
        c.post();
        start += 1.0 / 24;
    }
    batch.commit();
}

void BM_ListAndSortEntries(benchmark::State& state)
{
    controls::testing::ApplicationInUse application;
    Bench b(BusyCompany(1250, 3, 0, false));
    exchange::TImportQB window(*b.data_, b.state_.Keys, *b.host);
    window.Open(0);
    QTreeWidget* list = window.Controls().CustomerList;
    const bool sorting = state.range(0) != 0;
    if (sorting)
        window.Logic().ShowQBCustomersClick();
    int column = 0;
    for (auto _ : state) {
        if (sorting)
            list->sortByColumn(column++ % 8, Qt::AscendingOrder);
        else
            window.Logic().ShowQBCustomersClick();
    }
    if (list->topLevelItemCount() != 5000)
        state.SkipWithError("the list did not show 5,000 entries");
}
BENCHMARK(BM_ListAndSortEntries)->Arg(0)->Arg(1)->ArgName("sort")->Unit(benchmark::kMillisecond);

void BM_ImportCustomersWithSevenFields(benchmark::State& state)
{
    const qb::CompanyData company = BusyCompany(2000, 0, 0, false);
    for (auto _ : state) {
        state.PauseTiming();
        Bench b(company);
        b.logic->OpenQBSessionForFieldDefs(exchange::kCustomerFieldKind);
        state.ResumeTiming();
        b.logic->ImportCustomersClick();
        state.PauseTiming();
        if (b.view.status.last() != "Imported 2000 customers")
            state.SkipWithError(("not 2,000 customers: " + b.view.status.last()).toStdString().c_str());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportCustomersWithSevenFields)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportEmployees(benchmark::State& state)
{
    const qb::CompanyData company = BusyCompany(1, 0, 500, false);
    for (auto _ : state) {
        state.PauseTiming();
        Bench b(company);
        b.state_.WorkCalendarMode = 1;  // a calendar for each new resource
        state.ResumeTiming();
        b.logic->ImportEmployeesClick();
        state.PauseTiming();
        if (b.view.status.last() != "500 employees from QuickBooks added to Tarnwick resource list")
            state.SkipWithError(b.view.status.last().toStdString().c_str());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportEmployees)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportAllDatedJobs(benchmark::State& state)
{
    const qb::CompanyData company = BusyCompany(500, 1, 0, true);
    for (auto _ : state) {
        state.PauseTiming();
        Bench b(company);
        FillSchedule(*b.data_, 5000);
        b.host->Sync().PushChartUpdates();  // every workstation has the schedule already
        b.logic->Open(0);
        b.logic->ShowQBCustomersClick();
        std::vector<int> jobs;
        for (const exchange::QBJobRow& row : b.logic->Rows())
            if (row.Level == 1)
                jobs.push_back(row.Index);
        b.view.shownOrder = jobs;
        state.ResumeTiming();
        b.logic->ImportAllQBJobsClick();
        state.PauseTiming();
        if (b.view.status.last() != "500 Jobs imported")
            state.SkipWithError(b.view.status.last().toStdString().c_str());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportAllDatedJobs)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

namespace {
// The same rows through the job import alone, without the customer's refresh.
void BM_AddDatedJobsOnly(benchmark::State& state)
{
    const qb::CompanyData company = BusyCompany(500, 1, 0, true);
    for (auto _ : state) {
        state.PauseTiming();
        Bench b(company);
        FillSchedule(*b.data_, 5000);
        b.host->Sync().PushChartUpdates();  // every workstation has the schedule already
        b.logic->Open(0);
        b.logic->ShowQBCustomersClick();
        state.ResumeTiming();
        int added = 0;
        for (const exchange::QBJobRow& row : b.logic->Rows()) {
            std::int32_t key = 0;
            QString customer;
            if (row.Level == 1 && b.logic->ImportQBJob(row.Index, key, customer))
                ++added;
        }
        state.PauseTiming();
        if (added != 500)
            state.SkipWithError("not 500 tasks added");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddDatedJobsOnly)->Unit(benchmark::kMillisecond)->Iterations(1);
}  // namespace
