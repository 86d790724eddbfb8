#pragma once
// The local company's answers to requests, as the product gives them:
// queries filter by ActiveStatus, names and identities and return customers
// before their jobs, custom values only for the owner ids asked for and no
// empty elements; nothing found is status 1. Adds and modifies refuse what
// the product refuses (a text over its longest length, a name in use among
// its siblings, an unknown parent, a stale EditSequence) with the product's
// status codes, and every change is saved at once.

#include <QHash>
#include <QString>

#include <memory>

#include "exchange/qb/companyfile.h"
#include "exchange/qb/requestformat.h"

namespace tw::qb {

namespace status {
inline constexpr int Ok = 0;
inline constexpr int NothingFound = 1;
inline constexpr int TooLong = 3070;
inline constexpr int NameInUse = 3100;
inline constexpr int NotFound = 3120;
inline constexpr int InvalidReference = 3140;
inline constexpr int SaveError = 3180;
inline constexpr int StaleEditSequence = 3200;
}  // namespace status

class LocalCompany {
public:
    // The company of that file; nothing, with the reason, when it is missing or damaged.
    static std::unique_ptr<LocalCompany> Open(const QString& path, QString* error);
    ~LocalCompany();

    const QString& Path() const { return path_; }
    const CompanyData& Data() const { return *data_; }
    void SetWriter(CompanyFileWriter writer) { writer_ = std::move(writer); }

    // Answers one request whose elements have passed the format's checks
    // (fields: the same request as element paths, for the length rules).
    Response Process(const Request& request, const FieldList& fields);

private:
    LocalCompany(QString path, std::shared_ptr<CompanyData> data);
    // The data, about to change: copied first while a cached copy shares it.
    CompanyData& Mut();

    Response Query(const CustomerQueryRq& q);
    Response Query(const EmployeeQueryRq& q);
    Response Query(const ItemQueryRq& q);
    Response Query(const DataExtDefQueryRq& q);
    Response Add(const CustomerAddRq& add);
    Response Modify(const CustomerModRq& mod, const FieldList& fields);
    Response ModifyItem(const ItemModFields& mod, ENItemKind kind, const QString& requestName,
                        const FieldList& fields);

    // The checks an add and a modify share: a usable name, a parent that
    // exists (and is not the record itself or below it), a name free among
    // the siblings. parentId: the current parent in, the new one out.
    std::optional<Response> CheckPlace(const QString& request, const QString& name, bool nameGiven,
                                       const std::optional<Ref>& ref, const QString& self,
                                       QString& parentId) const;
    // The customer's full name from the hierarchy.
    QString FullNameOf(const CustomerRet& c) const;
    const CustomerRet* CustomerByListID(const QString& id) const;
    // customers in the product's order: each customer, then its jobs, siblings by name.
    const std::vector<std::size_t>& CustomerOrder() const;
    CustomerRet Returned(const CustomerRet& c, const std::vector<QString>& owners) const;
    bool Commit(QString* error);

    QString path_;
    std::shared_ptr<CompanyData> data_;
    CompanyFileWriter writer_ = WriteWholeFile;
    mutable std::vector<std::size_t> order_;
    mutable QHash<QString, std::size_t> byId_;
    mutable bool orderValid_ = false;
    bool changed_ = false;  // saved in this session
};

}  // namespace tw::qb
