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
#include "support/schedulefill.h"
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
        d.customFields.push_back(qb::DataExtDefRet{QStringLiteral("0"),
                                                   QStringLiteral("Field %1").arg(f),
                                                   QStringLiteral("STR255TYPE"),
                                                   {QStringLiteral("Customer")}});
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

void BM_ListAndSortEntries(benchmark::State& state)
{
    controls::testing::ApplicationInUse application;
    Bench b(BusyCompany(1250, 3, 0, false));
    exchange::TImportQB window(*b.data_, b.state_.Keys, b.host->Hosts());
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

// One record import on a new installation each time; prepare runs untimed.
// expected: the status text the run ends with.
template <typename Prepare, typename Import>
void TimeImport(benchmark::State& state, const qb::CompanyData& company, Prepare prepare, Import import,
                const QString& expected)
{
    for (auto _ : state) {
        state.PauseTiming();
        Bench b(company);
        prepare(b);
        state.ResumeTiming();
        import(b);
        state.PauseTiming();
        if (b.view.status.last() != expected)
            state.SkipWithError(b.view.status.last().toStdString().c_str());
        state.ResumeTiming();
    }
}

void BM_ImportCustomersWithSevenFields(benchmark::State& state)
{
    TimeImport(
        state, BusyCompany(2000, 0, 0, false),
        [](Bench& b) { b.logic->OpenQBSessionForFieldDefs(exchange::kCustomerFieldKind); },
        [](Bench& b) { b.logic->ImportCustomersClick(); }, "Imported 2000 customers");
}
BENCHMARK(BM_ImportCustomersWithSevenFields)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportEmployees(benchmark::State& state)
{
    TimeImport(
        state, BusyCompany(1, 0, 500, false),
        [](Bench& b) { b.state_.WorkCalendarMode = 1; },  // a calendar for each new resource
        [](Bench& b) { b.logic->ImportEmployeesClick(); },
        "500 employees from QuickBooks added to Tarnwick resource list");
}
BENCHMARK(BM_ImportEmployees)->Unit(benchmark::kMillisecond)->Iterations(3);

// 500 dated jobs listed beside a pushed schedule of 5,000 tasks.
void PrepareDatedJobs(Bench& b)
{
    test::FillSchedule(b.data_->ChartsTable5, 5000, 900001);
    b.host->Sync().PushChartUpdates();  // every workstation has the schedule already
    b.logic->Open(0);
    b.logic->ShowQBCustomersClick();
    std::vector<int> jobs;
    for (const exchange::QBJobRow& row : b.logic->Rows())
        if (row.Level == 1)
            jobs.push_back(row.Index);
    b.view.shownOrder = jobs;
}

void BM_ImportAllDatedJobs(benchmark::State& state)
{
    TimeImport(
        state, BusyCompany(500, 1, 0, true), PrepareDatedJobs,
        [](Bench& b) { b.logic->ImportAllQBJobsClick(); }, "500 Jobs imported");
}
BENCHMARK(BM_ImportAllDatedJobs)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same rows through the job import alone, without the customers' refresh;
// the shared tables stay open across the adds as "Import all" keeps them.
void BM_AddDatedJobsOnly(benchmark::State& state)
{
    TimeImport(
        state, BusyCompany(500, 1, 0, true), PrepareDatedJobs,
        [](Bench& b) {
            const schedule::SharedTablesHeld held = b.host->Sync().HoldSharedTables();
            int added = 0;
            for (int index : b.view.shownOrder) {
                std::int32_t key = 0;
                QString customer;
                added += b.logic->ImportQBJob(index, key, customer) ? 1 : 0;
            }
            b.view.ShowStatus(QStringLiteral("%1 Jobs imported").arg(added));
        },
        "500 Jobs imported");
}
BENCHMARK(BM_AddDatedJobsOnly)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
