#pragma once
// What the product returns: the records of each request kind (elements it
// did not return stay empty) and the response with its status.

#include "exchange/qb/requests.h"

namespace tw::qb {

struct DataExtRet {
    static constexpr bool kIsRecord = true;
    std::optional<QString> OwnerID, DataExtName, DataExtType, DataExtValue;
    template <class V>
    void Visit(V& v)
    {
        v("OwnerID", OwnerID);
        v("DataExtName", DataExtName);
        v("DataExtType", DataExtType);
        v("DataExtValue", DataExtValue);
    }
};

// A customer, job or sub-job: the elements an add may set, and what the product keeps.
struct CustomerRet : CustomerFields {
    std::optional<QString> ListID, EditSequence, FullName;
    std::optional<int> Sublevel;
    std::vector<tw::qb::DataExtRet> DataExtRet;
    template <class V>
    void Visit(V& v)
    {
        v("ListID", ListID);
        v("EditSequence", EditSequence);
        v("Name", Name);
        v("FullName", FullName);
        v("IsActive", IsActive);
        v("ParentRef", ParentRef);
        v("Sublevel", Sublevel);
        VisitBody(v);
        v("DataExtRet", DataExtRet);
    }
};

struct Earnings {
    static constexpr bool kIsRecord = true;
    std::optional<Ref> PayrollItemWageRef;
    std::optional<Currency> Rate;
    std::optional<QString> RatePercent;
    template <class V>
    void Visit(V& v)
    {
        v("PayrollItemWageRef", PayrollItemWageRef);
        v("Rate", Rate);
        v("RatePercent", RatePercent);
    }
};

struct EmployeePayrollInfo {
    static constexpr bool kIsRecord = true;
    std::vector<tw::qb::Earnings> Earnings;  // the EarningsList, in the product's order
    template <class V>
    void Visit(V& v)
    {
        v("Earnings", Earnings);
    }
};

struct EmployeeRet {
    static constexpr bool kIsRecord = true;
    std::optional<QString> ListID, EditSequence, Name;
    std::optional<bool> IsActive;
    std::optional<QString> FirstName, LastName, Phone, Email, Notes;
    std::optional<tw::qb::EmployeePayrollInfo> EmployeePayrollInfo;
    std::vector<tw::qb::DataExtRet> DataExtRet;
    template <class V>
    void Visit(V& v)
    {
        v("ListID", ListID);
        v("EditSequence", EditSequence);
        v("Name", Name);
        v("IsActive", IsActive);
        v("FirstName", FirstName);
        v("LastName", LastName);
        v("Phone", Phone);
        v("Email", Email);
        v("Notes", Notes);
        v("EmployeePayrollInfo", EmployeePayrollInfo);
        v("DataExtRet", DataExtRet);
    }
};

struct DataExtDefRet {
    static constexpr bool kIsRecord = true;
    std::optional<QString> OwnerID, DataExtName, DataExtType;
    std::vector<QString> AssignToObject;
    template <class V>
    void Visit(V& v)
    {
        v("OwnerID", OwnerID);
        v("DataExtName", DataExtName);
        v("DataExtType", DataExtType);
        v("AssignToObject", AssignToObject);
    }
};

// One entry of an item list; its element is Item<kind>Ret ("ItemServiceRet").
struct ItemRet {
    static constexpr bool kIsRecord = true;
    ENItemKind ortype = ENItemKind::Service;
    std::optional<QString> ListID, EditSequence, Name, FullName;
    std::optional<bool> IsActive;
    std::optional<tw::qb::SalesOrPurchase> SalesOrPurchase;
    std::optional<tw::qb::SalesAndPurchase> SalesAndPurchase;
    template <class V>
    void Visit(V& v)
    {
        v("ListID", ListID);
        v("EditSequence", EditSequence);
        v("Name", Name);
        v("FullName", FullName);
        v("IsActive", IsActive);
        v("SalesOrPurchase", SalesOrPurchase);
        v("SalesAndPurchase", SalesAndPurchase);
    }
};
QString ItemRetElement(ENItemKind kind);  // "ItemServiceRet"
std::optional<ENItemKind> ItemKindFromElement(const QString& element);

using RetList = std::variant<std::vector<CustomerRet>, std::vector<EmployeeRet>, std::vector<DataExtDefRet>,
                             std::vector<ItemRet>>;

struct Response {
    QString RequestName;  // the request answered, "CustomerQueryRq"
    int StatusCode = 0;
    std::optional<QString> StatusSeverity;
    std::optional<QString> StatusMessage;
    // The returned records; absent when there are none (an add or modify
    // returns a list of one).
    std::optional<RetList> Detail;

    template <class T>
    const std::vector<T>* DetailAs() const
    {
        return Detail ? std::get_if<std::vector<T>>(&*Detail) : nullptr;
    }
};

struct ResponseSet {
    std::vector<Response> ResponseList;
};

// The empty record list that answers a request kind.
RetList EmptyRetList(const QString& requestName);

}  // namespace tw::qb
