#pragma once
// A small local company for the exchange's tests: customers with jobs and a
// sub-job, an inactive customer and job, custom values of two owners,
// employees with earnings, custom-field definitions, and items of several
// kinds in both price forms.

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "exchange/qb/companyfile.h"

namespace tw::qb::test {

inline QString Id(int n)
{
    return QStringLiteral("%1-1100000000").arg(0x80000000LL + n, 8, 16, QChar(u'0')).toUpper();
}

inline CustomerRet Customer(int id, const char* name, int parent = 0, bool active = true)
{
    CustomerRet c;
    c.ListID = Id(id);
    c.EditSequence = QStringLiteral("1100000001");
    c.Name = QString::fromUtf8(name);
    if (!active)
        c.IsActive = false;
    if (parent)
        c.ParentRef = Ref{Id(parent), std::nullopt};
    return c;
}

inline ItemRet Item(int id, ENItemKind kind, const char* name, int priceForm)
{
    ItemRet i;
    i.ortype = kind;
    i.ListID = Id(id);
    i.EditSequence = QStringLiteral("1100000001");
    i.Name = QString::fromUtf8(name);
    if (priceForm == 1)
        i.SalesOrPurchase = SalesOrPurchase{QStringLiteral("General labour"), Currency::FromRaw(450000)};
    else if (priceForm == 2)
        i.SalesAndPurchase = SalesAndPurchase{QStringLiteral("Skilled labour"), Currency::FromRaw(650000),
                                              QStringLiteral("Subcontract"), Currency::FromRaw(400000)};
    return i;
}

inline CompanyData SampleCompany(const QString& edition = QStringLiteral("US"))
{
    CompanyData d;
    d.edition = edition;
    d.versions = edition == u"US"
        ? QStringList{QStringLiteral("1.0"), QStringLiteral("2.0"), QStringLiteral("3.0")}
        : QStringList{QStringLiteral("CA2.0"), QStringLiteral("CA3.0")};
    d.nextId = 100;
    d.nextSequence = 100;
    CustomerRet ashdown = Customer(1, "Ashdown Farms");
    ashdown.CompanyName = QStringLiteral("Ashdown Farms Ltd");
    ashdown.Phone = QStringLiteral("555-0101");
    ashdown.Notes = QString();  // stored empty: never returned
    ashdown.BillAddress = Address{};
    ashdown.BillAddress->City = QStringLiteral("Northby");
    ashdown.ShipAddress = Address{};  // all empty: left out
    ashdown.ShipAddress->Addr1 = QString();
    ashdown.DataExtRet = {DataExtRet{QStringLiteral("0"), QStringLiteral("Region"),
                                     QStringLiteral("STR255TYPE"), QStringLiteral("North")},
                          DataExtRet{QStringLiteral("{6B1E5D2C-0000-4C7A-9B5E-000000000001}"),
                                     QStringLiteral("Private"), QStringLiteral("STR255TYPE"),
                                     QStringLiteral("x")}};
    CustomerRet barn = Customer(2, "Barn roof", 1);
    barn.JobStatus = ENJobStatus::Awarded;
    barn.JobStartDate = QDate(2026, 3, 2);
    barn.JobProjectedEndDate = QDate(2026, 3, 20);
    barn.Notes = QStringLiteral("Slate, two days\nScaffold first");
    CustomerRet gutters = Customer(3, "Gutters", 2);
    gutters.JobStatus = ENJobStatus::Pending;
    CustomerRet fence = Customer(4, "fence", 1, false);
    CustomerRet brook = Customer(5, "brook lane");
    CustomerRet cole = Customer(6, "Cole & Sons", 0, false);
    // Stored out of order: the product returns each customer before its jobs, siblings by name.
    d.customers = {gutters, cole, barn, brook, fence, ashdown};

    EmployeeRet dana;
    dana.ListID = Id(20);
    dana.EditSequence = QStringLiteral("1100000001");
    dana.Name = QStringLiteral("Dana Reed");
    dana.EmployeePayrollInfo = EmployeePayrollInfo{};
    Earnings e1, e2, e3;
    e1.Rate = Currency::FromRaw(255000);
    e2.RatePercent = QStringLiteral("10.0");
    e3.Rate = Currency::FromRaw(312500);
    dana.EmployeePayrollInfo->Earnings = {e1, e2, e3};
    dana.DataExtRet = {DataExtRet{QStringLiteral("0"), QStringLiteral("Skill"), QStringLiteral("STR255TYPE"),
                                  QStringLiteral("Roofing")}};
    EmployeeRet evan;
    evan.ListID = Id(21);
    evan.EditSequence = QStringLiteral("1100000001");
    evan.Name = QStringLiteral("Evan Hale");
    evan.IsActive = false;
    d.employees = {evan, dana};

    d.customFields = {DataExtDefRet{QStringLiteral("0"),
                                    QStringLiteral("Region"),
                                    QStringLiteral("STR255TYPE"),
                                    {QStringLiteral("Customer")}},
                      DataExtDefRet{QStringLiteral("0"),
                                    QStringLiteral("Skill"),
                                    QStringLiteral("STR255TYPE"),
                                    {QStringLiteral("Employee")}},
                      DataExtDefRet{QStringLiteral("{6B1E5D2C-0000-4C7A-9B5E-000000000001}"),
                                    QStringLiteral("Private"),
                                    QStringLiteral("STR255TYPE"),
                                    {QStringLiteral("Customer")}}};
    d.items = {Item(30, ENItemKind::Service, "Labour - general", 1),
               Item(31, ENItemKind::Service, "Labour - skilled", 2),
               Item(32, ENItemKind::OtherCharge, "Travel", 1),
               Item(33, ENItemKind::OtherCharge, "Disposal", 2), Item(34, ENItemKind::Inventory, "Nails", 0)};
    return d;
}

// A temporary folder holding one company file.
class CompanyFolder {
public:
    explicit CompanyFolder(const CompanyData& data,
                           const QString& name = QStringLiteral("Sample Company.qbw"))
    {
        path_ = dir_.filePath(name);
        QString error;
        EXPECT_TRUE(CompanyFile::Save(path_, data, &error)) << error.toStdString();
    }
    const QString& Path() const { return path_; }
    QString Dir() const { return dir_.path(); }
    QByteArray Bytes() const
    {
        QFile f(path_);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QTemporaryDir dir_;
    QString path_;
};

}  // namespace tw::qb::test
