// The local company at a busy firm's size: 5,000 customers and jobs, 1,000
// employees, 2,000 items. What a user waits for: opening the session (the
// file read, or not read again when unchanged), the customer list through
// each link, and one add with its save.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <utime.h>

#include "exchange/qb/localsessionmanager.h"

namespace {

using namespace tw::qb;

QString Id(int n)
{
    return QStringLiteral("%1-1100000000").arg(0x80000000LL + n, 8, 16, QChar(u'0')).toUpper();
}

CompanyData BusyCompany()
{
    CompanyData d;
    d.nextId = 20000;
    int id = 1;
    for (int c = 0; c < 1250; ++c) {  // 1,250 customers with three jobs each
        CustomerRet cust;
        const int custId = id++;
        cust.ListID = Id(custId);
        cust.EditSequence = QStringLiteral("1100000001");
        cust.Name = QStringLiteral("Customer %1 Holdings").arg(c, 5, 10, QChar(u'0'));
        cust.CompanyName = *cust.Name + QStringLiteral(" Ltd");
        cust.Phone = QStringLiteral("555-%1").arg(c, 4, 10, QChar(u'0'));
        cust.Email = QStringLiteral("office%1@example.com").arg(c);
        cust.BillAddress = Address{};
        cust.BillAddress->Addr1 = cust.CompanyName;
        cust.BillAddress->Addr2 = QStringLiteral("%1 High Street").arg(c);
        cust.BillAddress->City = QStringLiteral("Northby");
        cust.BillAddress->State = QStringLiteral("VT");
        cust.BillAddress->PostalCode = QStringLiteral("05001");
        cust.ShipAddress = cust.BillAddress;
        cust.DataExtRet = {DataExtRet{QStringLiteral("0"), QStringLiteral("Region"),
                                      QStringLiteral("STR255TYPE"), QStringLiteral("North")}};
        d.customers.push_back(cust);
        for (int j = 0; j < 3; ++j) {
            CustomerRet job;
            job.ListID = Id(id++);
            job.EditSequence = QStringLiteral("1100000001");
            job.Name = QStringLiteral("Job %1").arg(j);
            job.ParentRef = Ref{Id(custId), std::nullopt};
            job.JobStatus = static_cast<ENJobStatus>(j % 6);
            job.JobStartDate = QDate(2026, 1 + j, 5);
            job.JobProjectedEndDate = QDate(2026, 1 + j, 20);
            job.JobDesc = QStringLiteral("Work package %1 for customer %2").arg(j).arg(c);
            job.Notes = QStringLiteral("Access by the side gate.\nKeys with the office.");
            d.customers.push_back(job);
        }
    }
    for (int e = 0; e < 1000; ++e) {
        EmployeeRet emp;
        emp.ListID = Id(id++);
        emp.EditSequence = QStringLiteral("1100000001");
        emp.Name = QStringLiteral("Employee %1").arg(e, 4, 10, QChar(u'0'));
        emp.EmployeePayrollInfo = EmployeePayrollInfo{};
        Earnings hourly;
        hourly.Rate = tw::Currency::FromRaw(200000 + e);
        emp.EmployeePayrollInfo->Earnings = {hourly, hourly};
        emp.DataExtRet = {DataExtRet{QStringLiteral("0"), QStringLiteral("Skill"),
                                     QStringLiteral("STR255TYPE"), QStringLiteral("General")}};
        d.employees.push_back(emp);
    }
    for (int i = 0; i < 2000; ++i) {
        ItemRet item;
        item.ortype = i % 2 ? ENItemKind::Service : ENItemKind::OtherCharge;
        item.ListID = Id(id++);
        item.EditSequence = QStringLiteral("1100000001");
        item.Name = QStringLiteral("Item %1").arg(i, 4, 10, QChar(u'0'));
        if (i % 3)
            item.SalesOrPurchase = SalesOrPurchase{QStringLiteral("Labour"), tw::Currency::FromRaw(450000)};
        else
            item.SalesAndPurchase =
                SalesAndPurchase{QStringLiteral("Labour"), tw::Currency::FromRaw(650000),
                                 QStringLiteral("Subcontract"), tw::Currency::FromRaw(400000)};
        d.items.push_back(item);
    }
    return d;
}

struct Fixture {
    QTemporaryDir dir;
    QString path;
    Fixture()
    {
        path = dir.filePath("Busy.qbw");
        CompanyFile::Save(path, BusyCompany(), nullptr);
    }
    std::unique_ptr<LocalSessionManager> Begin(LinkMode mode)
    {
        LocalSessionManager::Options o;
        o.mode = mode;
        o.openCompany = path;
        auto m = std::make_unique<LocalSessionManager>(std::move(o));
        m->OpenConnection("48213957", "Tarnwick");
        if (m->BeginSession({}, kOpenModeAny) != 0)
            std::abort();
        return m;
    }
    // Another program wrote the file: the next session must read it again.
    void Touch(int n)
    {
        struct utimbuf times {
            1700000000 + n, 1700000000 + n
        };
        ::utime(QFile::encodeName(path).constData(), &times);
    }
};

Fixture& Shared()
{
    static Fixture f;
    return f;
}

void BM_BeginSession_FileChanged(benchmark::State& state)
{
    Fixture& f = Shared();
    int n = 0;
    for (auto _ : state) {
        f.Touch(++n);
        auto m = f.Begin(LinkMode::Typed);
        benchmark::DoNotOptimize(m->Company());
    }
}
BENCHMARK(BM_BeginSession_FileChanged)->Unit(benchmark::kMillisecond);

void BM_BeginSession_Unchanged(benchmark::State& state)
{
    Fixture& f = Shared();
    f.Begin(LinkMode::Typed);
    for (auto _ : state) {
        auto m = f.Begin(LinkMode::Typed);
        benchmark::DoNotOptimize(m->Company());
    }
}
BENCHMARK(BM_BeginSession_Unchanged)->Unit(benchmark::kMillisecond);

void CustomerQuery(benchmark::State& state, LinkMode mode)
{
    Fixture& f = Shared();
    auto m = f.Begin(mode);
    for (auto _ : state) {
        auto set = m->CreateMsgSetRequest("US", 3, 0);
        CustomerQueryRq* q = set->AppendCustomerQueryRq();
        q->ActiveStatus = ENActiveStatus::All;
        q->OwnerID = {QStringLiteral("0")};
        auto rs = m->DoRequests(*set);
        if (rs->ResponseList.front().DetailAs<CustomerRet>()->size() != 5000)
            std::abort();
    }
}
void BM_CustomerQuery_Typed(benchmark::State& state)
{
    CustomerQuery(state, LinkMode::Typed);
}
void BM_CustomerQuery_Xml(benchmark::State& state)
{
    CustomerQuery(state, LinkMode::Xml);
}
BENCHMARK(BM_CustomerQuery_Typed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomerQuery_Xml)->Unit(benchmark::kMillisecond);

void CustomerAdd(benchmark::State& state, LinkMode mode)
{
    Fixture& f = Shared();
    auto m = f.Begin(mode);
    static int n = 0;
    for (auto _ : state) {
        auto set = m->CreateMsgSetRequest("US", 3, 0);
        CustomerAddRq* add = set->AppendCustomerAddRq();
        add->Name = QStringLiteral("Added job %1").arg(++n);
        add->ParentRef = Ref{Id(1), std::nullopt};
        add->JobDesc = add->Name;
        add->JobStatus = ENJobStatus::Pending;
        if (m->DoRequests(*set)->ResponseList.front().StatusCode != 0)
            std::abort();
    }
}
void BM_CustomerAddWithSave_Typed(benchmark::State& state)
{
    CustomerAdd(state, LinkMode::Typed);
}
void BM_CustomerAddWithSave_Xml(benchmark::State& state)
{
    CustomerAdd(state, LinkMode::Xml);
}
BENCHMARK(BM_CustomerAddWithSave_Typed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomerAddWithSave_Xml)->Unit(benchmark::kMillisecond);

}  // namespace
