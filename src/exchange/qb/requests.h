#pragma once
// The eight requests the program sends, typed. Element names are the
// product's; a nested element is visited as a group ("BillAddress" then
// "City"), which gives the path "BillAddress City" of the request format.
// Which elements exist, in which order they go out and how long a text may
// be is the request format's business (requestformat.h), not these types'.

#include <variant>

#include "exchange/qb/values.h"

namespace tw::qb {

struct Ref {
    static constexpr bool kIsRecord = true;
    std::optional<QString> ListID;
    std::optional<QString> FullName;
    template <class V>
    void Visit(V& v)
    {
        v("ListID", ListID);
        v("FullName", FullName);
    }
};

struct Address {
    static constexpr bool kIsRecord = true;
    std::optional<QString> Addr1, Addr2, Addr3, Addr4, Addr5, City, State, Province, PostalCode, Country,
        Note;
    template <class V>
    void Visit(V& v)
    {
        v("Addr1", Addr1);
        v("Addr2", Addr2);
        v("Addr3", Addr3);
        v("Addr4", Addr4);
        v("Addr5", Addr5);
        v("City", City);
        v("State", State);
        v("Province", Province);
        v("PostalCode", PostalCode);
        v("Country", Country);
        v("Note", Note);
    }
};

struct NameFilter {
    static constexpr bool kIsRecord = true;
    std::optional<ENMatchCriterion> MatchCriterion;
    std::optional<QString> Name;
    template <class V>
    void Visit(V& v)
    {
        v("MatchCriterion", MatchCriterion);
        v("Name", Name);
    }
};

struct NameRangeFilter {
    static constexpr bool kIsRecord = true;
    std::optional<QString> FromName, ToName;
    template <class V>
    void Visit(V& v)
    {
        v("FromName", FromName);
        v("ToName", ToName);
    }
};

// The list query of customers, employees and items: by ListID or FullName,
// or by the list filter (ActiveStatus and the name filters).
struct ListQuery {
    static constexpr bool kIsRecord = true;
    std::vector<QString> ListID;
    std::vector<QString> FullName;
    std::optional<int> MaxReturned;
    std::optional<ENActiveStatus> ActiveStatus;
    std::optional<tw::qb::NameFilter> NameFilter;
    std::optional<tw::qb::NameRangeFilter> NameRangeFilter;
    std::vector<QString> IncludeRetElement;
    std::vector<QString> OwnerID;
    template <class V>
    void Visit(V& v)
    {
        v("ListID", ListID);
        v("FullName", FullName);
        v("MaxReturned", MaxReturned);
        v("ActiveStatus", ActiveStatus);
        v("NameFilter", NameFilter);
        v("NameRangeFilter", NameRangeFilter);
        v("IncludeRetElement", IncludeRetElement);
        v("OwnerID", OwnerID);
    }
};

struct CustomerQueryRq : ListQuery {};
struct EmployeeQueryRq : ListQuery {};
struct ItemQueryRq : ListQuery {};

// What an add and a modify of a customer (or job, or sub-job) may carry.
struct CustomerFields {
    static constexpr bool kIsRecord = true;
    std::optional<QString> Name;
    std::optional<bool> IsActive;
    std::optional<Ref> ParentRef;
    std::optional<QString> CompanyName, FirstName, LastName;
    std::optional<Address> BillAddress, ShipAddress;
    std::optional<QString> Phone, AltPhone, Fax, Email, Contact, AltContact;
    std::optional<ENJobStatus> JobStatus;
    std::optional<QDate> JobStartDate, JobProjectedEndDate, JobEndDate;
    std::optional<QString> JobDesc, Notes;
    template <class V>
    void VisitFields(V& v)
    {
        v("Name", Name);
        v("IsActive", IsActive);
        v("ParentRef", ParentRef);
        VisitBody(v);
    }
    // Everything after the name and the parent.
    template <class V>
    void VisitBody(V& v)
    {
        v("CompanyName", CompanyName);
        v("FirstName", FirstName);
        v("LastName", LastName);
        v("BillAddress", BillAddress);
        v("ShipAddress", ShipAddress);
        v("Phone", Phone);
        v("AltPhone", AltPhone);
        v("Fax", Fax);
        v("Email", Email);
        v("Contact", Contact);
        v("AltContact", AltContact);
        v("JobStatus", JobStatus);
        v("JobStartDate", JobStartDate);
        v("JobProjectedEndDate", JobProjectedEndDate);
        v("JobEndDate", JobEndDate);
        v("JobDesc", JobDesc);
        v("Notes", Notes);
    }
};

struct CustomerAddRq : CustomerFields {
    template <class V>
    void Visit(V& v)
    {
        VisitFields(v);
    }
};

struct CustomerModRq : CustomerFields {
    std::optional<QString> ListID, EditSequence;
    template <class V>
    void Visit(V& v)
    {
        v("ListID", ListID);
        v("EditSequence", EditSequence);
        VisitFields(v);
    }
};

// An item's price forms: one price, or a sales price and a purchase cost. A
// modify names them SalesOrPurchaseMod and SalesAndPurchaseMod.
struct SalesOrPurchase {
    static constexpr bool kIsRecord = true;
    std::optional<QString> Desc;
    std::optional<Currency> Price;
    template <class V>
    void Visit(V& v)
    {
        v("Desc", Desc);
        v("Price", Price);
    }
};

struct SalesAndPurchase {
    static constexpr bool kIsRecord = true;
    std::optional<QString> SalesDesc;
    std::optional<Currency> SalesPrice;
    std::optional<QString> PurchaseDesc;
    std::optional<Currency> PurchaseCost;
    template <class V>
    void Visit(V& v)
    {
        v("SalesDesc", SalesDesc);
        v("SalesPrice", SalesPrice);
        v("PurchaseDesc", PurchaseDesc);
        v("PurchaseCost", PurchaseCost);
    }
};

using SalesOrPurchaseMod = SalesOrPurchase;
using SalesAndPurchaseMod = SalesAndPurchase;

// A modify of a service or other-charge item, in either price form.
struct ItemModFields {
    static constexpr bool kIsRecord = true;
    std::optional<QString> ListID, EditSequence, Name;
    std::optional<bool> IsActive;
    std::optional<tw::qb::SalesOrPurchaseMod> SalesOrPurchaseMod;
    std::optional<tw::qb::SalesAndPurchaseMod> SalesAndPurchaseMod;
    template <class V>
    void Visit(V& v)
    {
        v("ListID", ListID);
        v("EditSequence", EditSequence);
        v("Name", Name);
        v("IsActive", IsActive);
        v("SalesOrPurchaseMod", SalesOrPurchaseMod);
        v("SalesAndPurchaseMod", SalesAndPurchaseMod);
    }
};

struct ItemServiceModRq : ItemModFields {};
struct ItemOtherChargeModRq : ItemModFields {};

struct DataExtDefQueryRq {
    static constexpr bool kIsRecord = true;
    std::vector<QString> OwnerID;
    std::vector<QString> AssignToObject;
    template <class V>
    void Visit(V& v)
    {
        v("OwnerID", OwnerID);
        v("AssignToObject", AssignToObject);
    }
};

using Request = std::variant<CustomerQueryRq, CustomerAddRq, CustomerModRq, EmployeeQueryRq, ItemQueryRq,
                             ItemServiceModRq, ItemOtherChargeModRq, DataExtDefQueryRq>;

// "CustomerQueryRq" and so on: the request's element name.
QString RequestName(const Request& request);
// The request of that element name, empty; nothing for an unknown name.
std::optional<Request> EmptyRequest(const QString& name);

}  // namespace tw::qb
