#include "exchange/qb/localcompany.h"

#include <QFile>
#include <QHash>

#include <sys/stat.h>

#include <map>
#include <mutex>

#include <algorithm>

#include "exchange/qb/libraryerror.h"
#include "exchange/qb/valuetext.h"

namespace tw::qb {
namespace {

const QString kNothingFound = QStringLiteral("A query request did not find a matching object in QuickBooks");

Response Answer(const QString& request, int code, const QString& message)
{
    Response r;
    r.RequestName = request;
    r.StatusCode = code;
    r.StatusSeverity =
        code == status::Ok || code == status::NothingFound ? QStringLiteral("Info") : QStringLiteral("Error");
    r.StatusMessage = message;
    return r;
}

template <class Rec>
Response Found(const QString& request, std::vector<Rec> records)
{
    if (records.empty())
        return Answer(request, status::NothingFound, kNothingFound);
    Response r = Answer(request, status::Ok, QStringLiteral("Status OK"));
    r.Detail = RetList(std::move(records));
    return r;
}

// Leaves out what the product leaves out: empty texts, and groups with nothing in them.
struct StripEmpty {
    bool any = false;
    template <class T>
    void operator()(const char*, T& member)
    {
        if constexpr (IsOptional<T>::value) {
            using Inner = typename IsOptional<T>::Inner;
            if (!member)
                return;
            if constexpr (Record<Inner>) {
                StripEmpty sub;
                member->Visit(sub);
                if (!sub.any)
                    member.reset();
            } else if constexpr (std::is_same_v<Inner, QString>) {
                if (member->isEmpty())
                    member.reset();
            }
            any = any || member.has_value();
        } else if constexpr (IsVector<T>::value) {
            if constexpr (Record<typename IsVector<T>::Inner>)
                for (auto& e : member) {
                    StripEmpty sub;
                    e.Visit(sub);
                }
            any = any || !member.empty();
        }
    }
};

// Keeps only the top-level elements named (IncludeRetElement).
struct KeepOnly {
    const std::vector<QString>& names;
    template <class T>
    void operator()(const char* name, T& member)
    {
        if (std::find(names.begin(), names.end(), QLatin1String(name)) != names.end())
            return;
        if constexpr (IsOptional<T>::value)
            member.reset();
        else
            member.clear();
    }
};

bool Matches(const QString& value, const NameFilter& f)
{
    const QString name = f.Name.value_or(QString());
    switch (f.MatchCriterion.value_or(ENMatchCriterion::StartsWith)) {
    case ENMatchCriterion::StartsWith: return value.startsWith(name, Qt::CaseInsensitive);
    case ENMatchCriterion::Contains: return value.contains(name, Qt::CaseInsensitive);
    case ENMatchCriterion::EndsWith: return value.endsWith(name, Qt::CaseInsensitive);
    }
    return false;
}

bool InRange(const QString& value, const NameRangeFilter& f)
{
    if (f.FromName && QString::compare(value, *f.FromName, Qt::CaseInsensitive) < 0)
        return false;
    if (f.ToName && QString::compare(value, *f.ToName, Qt::CaseInsensitive) > 0)
        return false;
    return true;
}

bool ActiveMatches(const std::optional<bool>& isActive, const std::optional<ENActiveStatus>& wanted)
{
    const bool active = isActive.value_or(true);
    switch (wanted.value_or(ENActiveStatus::ActiveOnly)) {
    case ENActiveStatus::ActiveOnly: return active;
    case ENActiveStatus::InactiveOnly: return !active;
    case ENActiveStatus::All: return true;
    }
    return true;
}

// Which stored records a list query selects, in the order given; fullName
// of a record is what the name filters and FullName look-ups compare.
template <class Rec, class FullNameOf>
std::vector<const Rec*> Select(const ListQuery& q, const std::vector<const Rec*>& ordered,
                               FullNameOf fullName)
{
    std::vector<const Rec*> out;
    if (!q.ListID.empty()) {
        for (const QString& id : q.ListID)
            for (const Rec* r : ordered)
                if (r->ListID == id)
                    out.push_back(r);
    } else if (!q.FullName.empty()) {
        for (const QString& name : q.FullName)
            for (const Rec* r : ordered)
                if (QString::compare(fullName(*r), name, Qt::CaseInsensitive) == 0)
                    out.push_back(r);
    } else {
        for (const Rec* r : ordered) {
            if (!ActiveMatches(r->IsActive, q.ActiveStatus))
                continue;
            if (q.NameFilter && !Matches(fullName(*r), *q.NameFilter))
                continue;
            if (q.NameRangeFilter && !InRange(fullName(*r), *q.NameRangeFilter))
                continue;
            out.push_back(r);
        }
    }
    if (q.MaxReturned && *q.MaxReturned >= 0 && out.size() > static_cast<std::size_t>(*q.MaxReturned))
        out.resize(static_cast<std::size_t>(*q.MaxReturned));
    return out;
}

std::vector<DataExtRet> OwnedValues(const std::vector<DataExtRet>& values, const std::vector<QString>& owners)
{
    std::vector<DataExtRet> out;
    for (const DataExtRet& v : values)
        if (std::find(owners.begin(), owners.end(), v.OwnerID.value_or(QStringLiteral("0"))) != owners.end())
            out.push_back(v);
    return out;
}

template <class Rec>
void Finish(Rec& r, const std::vector<QString>& include)
{
    StripEmpty s;
    r.Visit(s);
    if (!include.empty()) {
        KeepOnly k{include};
        r.Visit(k);
    }
}

std::optional<Response> CheckLengths(const QString& request, const FieldList& fields)
{
    const RequestRules* rules = RulesFor(request);
    for (const Field& f : fields) {
        const ElementRule* rule = rules ? rules->Rule(f.path) : nullptr;
        if (rule && rule->maxLength > 0 && f.text.size() > rule->maxLength)
            return Answer(
                request, status::TooLong,
                QStringLiteral("The string \"%1\" in the field \"%2\" is too long.").arg(f.text, f.path));
    }
    return std::nullopt;
}

[[noreturn]] void Missing(const QString& request, const char* element)
{
    throw LibraryError(QStringLiteral("DoRequests"), code::ParseError,
                       QStringLiteral("%1 requires the element %2").arg(request, QLatin1String(element)));
}

struct FileStamp {
    bool valid = false;
    qint64 size = 0;
    qint64 mtimeNs = 0;
    qint64 inode = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, static_cast<qint64>(st.st_size),
            static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            static_cast<qint64>(st.st_ino)};
}

// Companies read before, by path: a session on an unchanged file does not
// read it again. Entries are shared, never changed; a change copies first.
struct CacheEntry {
    FileStamp stamp;
    std::shared_ptr<CompanyData> data;
};
std::map<QString, CacheEntry>& Cache()
{
    static std::map<QString, CacheEntry> cache;
    return cache;
}
std::mutex& CacheMutex()
{
    static std::mutex m;
    return m;
}

// The record a modify names, checked as the product checks it: ListID and
// EditSequence both given, the ListID known (match narrows it, for item kinds),
// the EditSequence current. Its index, or the refusal.
template <class Rec, class Mod, class Match>
std::variant<std::size_t, Response> FindForModify(const QString& request, const Mod& mod,
                                                  const std::vector<Rec>& records, Match match)
{
    if (!mod.ListID)
        Missing(request, "ListID");
    if (!mod.EditSequence)
        Missing(request, "EditSequence");
    auto it = std::find_if(records.begin(), records.end(),
                           [&](const Rec& r) { return r.ListID == mod.ListID && match(r); });
    if (it == records.end())
        return Answer(
            request, status::NotFound,
            QStringLiteral("Object \"%1\" specified in the request cannot be found.").arg(*mod.ListID));
    if (it->EditSequence != mod.EditSequence)
        return Answer(
            request, status::StaleEditSequence,
            QStringLiteral("The provided edit sequence \"%1\" is out-of-date.").arg(*mod.EditSequence));
    return static_cast<std::size_t>(it - records.begin());
}

}  // namespace

LocalCompany::LocalCompany(QString path, std::shared_ptr<CompanyData> data)
    : path_(std::move(path)),
      data_(std::move(data))
{}

std::unique_ptr<LocalCompany> LocalCompany::Open(const QString& path, QString* error)
{
    const FileStamp stamp = StampOf(path);
    {
        std::lock_guard lock(CacheMutex());
        auto it = Cache().find(path);
        if (it != Cache().end() && stamp.valid && it->second.stamp == stamp)
            return std::unique_ptr<LocalCompany>(new LocalCompany(path, it->second.data));
    }
    auto data = CompanyFile::Read(path, error);
    if (!data)
        return nullptr;
    auto shared = std::make_shared<CompanyData>(std::move(*data));
    if (stamp.valid) {
        std::lock_guard lock(CacheMutex());
        Cache()[path] = {stamp, shared};
    }
    return std::unique_ptr<LocalCompany>(new LocalCompany(path, std::move(shared)));
}

Response LocalCompany::Process(const Request& request, const FieldList& fields)
{
    const QString name = RequestName(request);
    if (auto tooLong = CheckLengths(name, fields))
        return *tooLong;
    return std::visit(
        [&](const auto& r) -> Response {
            using T = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<T, CustomerAddRq>)
                return Add(r);
            else if constexpr (std::is_same_v<T, CustomerModRq>)
                return Modify(r, fields);
            else if constexpr (std::is_same_v<T, ItemServiceModRq>)
                return ModifyItem(r, ENItemKind::Service, name, fields);
            else if constexpr (std::is_same_v<T, ItemOtherChargeModRq>)
                return ModifyItem(r, ENItemKind::OtherCharge, name, fields);
            else
                return Query(r);
        },
        request);
}

const CustomerRet* LocalCompany::CustomerByListID(const QString& id) const
{
    CustomerOrder();  // keeps the index current
    auto it = byId_.constFind(id);
    return it == byId_.constEnd() ? nullptr : &Data().customers[*it];
}

QString LocalCompany::FullNameOf(const CustomerRet& c) const
{
    QString name = c.Name.value_or(QString());
    const CustomerRet* at = &c;
    int guard = 0;
    while (at->ParentRef && at->ParentRef->ListID && ++guard < 200) {
        const CustomerRet* parent = CustomerByListID(*at->ParentRef->ListID);
        if (!parent)
            break;
        name = parent->Name.value_or(QString()) + u':' + name;
        at = parent;
    }
    return name;
}

const std::vector<std::size_t>& LocalCompany::CustomerOrder() const
{
    if (orderValid_)
        return order_;
    const auto& cs = Data().customers;
    QHash<QString, std::vector<std::size_t>> children;  // by parent ListID, "" for top level
    byId_.clear();
    byId_.reserve(static_cast<qsizetype>(cs.size()));
    for (std::size_t i = 0; i < cs.size(); ++i) {
        byId_.insert(*cs[i].ListID, i);
        QString parent = cs[i].ParentRef && cs[i].ParentRef->ListID ? *cs[i].ParentRef->ListID : QString();
        children[parent].push_back(i);
    }
    for (auto& list : children)
        std::sort(list.begin(), list.end(), [&](std::size_t a, std::size_t b) {
            int c = QString::compare(*cs[a].Name, *cs[b].Name, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a < b;
        });
    order_.clear();
    order_.reserve(cs.size());
    std::vector<std::size_t> stack;
    const auto& top = children[QString()];
    for (auto it = top.rbegin(); it != top.rend(); ++it)
        stack.push_back(*it);
    while (!stack.empty() && order_.size() <= cs.size()) {
        std::size_t i = stack.back();
        stack.pop_back();
        order_.push_back(i);
        auto it = children.constFind(*cs[i].ListID);
        if (it != children.constEnd())
            for (auto c = it->rbegin(); c != it->rend(); ++c)
                stack.push_back(*c);
    }
    orderValid_ = true;
    return order_;
}

CustomerRet LocalCompany::Returned(const CustomerRet& c, const std::vector<QString>& owners) const
{
    CustomerRet r = c;
    r.DataExtRet = OwnedValues(c.DataExtRet, owners);
    r.FullName = FullNameOf(c);
    r.Sublevel = static_cast<int>(r.FullName->count(u':'));
    if (r.ParentRef && r.ParentRef->ListID)
        if (const CustomerRet* p = CustomerByListID(*r.ParentRef->ListID))
            r.ParentRef->FullName = FullNameOf(*p);
    return r;
}

Response LocalCompany::Query(const CustomerQueryRq& q)
{
    const QString request = QStringLiteral("CustomerQueryRq");
    std::vector<const CustomerRet*> ordered;
    ordered.reserve(Data().customers.size());
    for (std::size_t i : CustomerOrder())
        ordered.push_back(&Data().customers[i]);
    // Full names are built once per query, not once per comparison.
    QHash<const CustomerRet*, QString> names;
    if (!q.FullName.empty() || q.NameFilter || q.NameRangeFilter)
        for (const CustomerRet* c : ordered)
            names.insert(c, FullNameOf(*c));
    auto selected = Select<CustomerRet>(q, ordered, [&](const CustomerRet& c) { return names.value(&c); });
    std::vector<CustomerRet> out;
    out.reserve(selected.size());
    for (const CustomerRet* c : selected) {
        out.push_back(Returned(*c, q.OwnerID));
        Finish(out.back(), q.IncludeRetElement);
    }
    return Found(request, std::move(out));
}

namespace {

// A list query over records that have no hierarchy: by name, case aside.
template <class Rec, class Adjust>
std::vector<Rec> QueryByName(const ListQuery& q, const std::vector<Rec>& records, Adjust adjust)
{
    std::vector<const Rec*> ordered;
    ordered.reserve(records.size());
    for (const Rec& r : records)
        ordered.push_back(&r);
    std::stable_sort(ordered.begin(), ordered.end(), [](const Rec* a, const Rec* b) {
        return QString::compare(*a->Name, *b->Name, Qt::CaseInsensitive) < 0;
    });
    std::vector<Rec> out;
    for (const Rec* r : Select<Rec>(q, ordered, [](const Rec& x) { return *x.Name; })) {
        Rec copy = *r;
        adjust(copy);
        Finish(copy, q.IncludeRetElement);
        out.push_back(std::move(copy));
    }
    return out;
}

}  // namespace

Response LocalCompany::Query(const EmployeeQueryRq& q)
{
    return Found(QStringLiteral("EmployeeQueryRq"), QueryByName(q, Data().employees, [&](EmployeeRet& e) {
                     e.DataExtRet = OwnedValues(e.DataExtRet, q.OwnerID);
                 }));
}

Response LocalCompany::Query(const ItemQueryRq& q)
{
    return Found(QStringLiteral("ItemQueryRq"),
                 QueryByName(q, Data().items, [](ItemRet& i) { i.FullName = i.Name; }));
}

Response LocalCompany::Query(const DataExtDefQueryRq& q)
{
    std::vector<DataExtDefRet> out;
    for (const DataExtDefRet& d : Data().customFields) {
        const QString owner = d.OwnerID.value_or(QStringLiteral("0"));
        if (!q.OwnerID.empty() && std::find(q.OwnerID.begin(), q.OwnerID.end(), owner) == q.OwnerID.end())
            continue;
        if (!q.AssignToObject.empty()
            && std::none_of(d.AssignToObject.begin(), d.AssignToObject.end(), [&](const QString& a) {
                   return std::find(q.AssignToObject.begin(), q.AssignToObject.end(), a)
                       != q.AssignToObject.end();
               }))
            continue;
        DataExtDefRet r = d;
        Finish(r, {});
        out.push_back(std::move(r));
    }
    return Found(QStringLiteral("DataExtDefQueryRq"), std::move(out));
}

CompanyData& LocalCompany::Mut()
{
    orderValid_ = false;
    if (data_.use_count() > 1)
        data_ = std::make_shared<CompanyData>(*data_);
    return *data_;
}

bool LocalCompany::Commit(QString* error)
{
    orderValid_ = false;
    if (!CompanyFile::Save(path_, *data_, error, writer_))
        return false;
    // The cache takes the company back when the session ends; until then
    // further changes need not copy it.
    std::lock_guard lock(CacheMutex());
    Cache().erase(path_);
    changed_ = true;
    return true;
}

LocalCompany::~LocalCompany()
{
    if (!changed_)
        return;
    const FileStamp stamp = StampOf(path_);
    if (stamp.valid) {
        std::lock_guard lock(CacheMutex());
        Cache()[path_] = {stamp, data_};
    }
}

std::optional<Response> LocalCompany::CheckPlace(const QString& request, const QString& name, bool nameGiven,
                                                 const std::optional<Ref>& ref, const QString& self,
                                                 QString& parentId) const
{
    if (nameGiven && (name.trimmed().isEmpty() || name.contains(u':')))
        return Answer(request, status::SaveError,
                      QStringLiteral("There was an error when saving a Customers list, element \"%1\". "
                                     "A name may not be empty or hold a colon.")
                          .arg(name));
    if (ref && (ref->ListID || ref->FullName)) {
        // By ListID, by full name, or by both when they agree.
        std::optional<QString> id;
        QString shown;
        bool found = true;
        if (ref->ListID) {
            shown = *ref->ListID;
            found = CustomerByListID(*ref->ListID) != nullptr;
            id = ref->ListID;
        }
        if (found && ref->FullName) {
            shown = *ref->FullName;
            std::optional<QString> named;
            for (const CustomerRet& c : Data().customers)
                if (QString::compare(FullNameOf(c), *ref->FullName, Qt::CaseInsensitive) == 0) {
                    named = *c.ListID;
                    break;
                }
            found = named && (!id || *named == *id);
            id = named;
        }
        // A record cannot move under itself or under one of its own jobs.
        for (QString at = found ? *id : QString(); found && !self.isEmpty() && !at.isEmpty();) {
            if (at == self)
                found = false;
            const CustomerRet* p = CustomerByListID(at);
            at = p && p->ParentRef && p->ParentRef->ListID ? *p->ParentRef->ListID : QString();
        }
        if (!found)
            return Answer(request, status::InvalidReference,
                          QStringLiteral("There is an invalid reference to QuickBooks Customer \"%1\" in the "
                                         "Customer. QuickBooks error message: The specified record does not "
                                         "exist in the list.")
                              .arg(shown));
        parentId = *id;
    }
    for (const CustomerRet& c : Data().customers) {
        if (c.ListID == self)
            continue;
        const QString cParent = c.ParentRef && c.ParentRef->ListID ? *c.ParentRef->ListID : QString();
        if (cParent == parentId && QString::compare(*c.Name, name, Qt::CaseInsensitive) == 0)
            return Answer(request, status::NameInUse,
                          QStringLiteral("The name \"%1\" of the list element is already in use.").arg(name));
    }
    return std::nullopt;
}

Response LocalCompany::Add(const CustomerAddRq& add)
{
    const QString request = QStringLiteral("CustomerAddRq");
    if (!add.Name)
        Missing(request, "Name");
    const QString name = *add.Name;
    QString parentId;
    if (auto refused = CheckPlace(request, name, true, add.ParentRef, QString(), parentId))
        return *refused;
    const std::shared_ptr<CompanyData> before = data_;
    CompanyData& d = Mut();
    CustomerRet c;
    static_cast<CustomerFields&>(c) = add;  // the add's elements are the record's, under the same names
    c.ListID = CompanyFile::NewListID(d);
    c.EditSequence = CompanyFile::NewEditSequence(d);
    if (!parentId.isEmpty())
        c.ParentRef = Ref{parentId, std::nullopt};
    else
        c.ParentRef.reset();
    d.customers.push_back(c);
    QString error;
    if (!Commit(&error)) {
        data_ = before;
        orderValid_ = false;
        return Answer(request, status::SaveError,
                      QStringLiteral("There was an error when saving a Customers list, element \"%1\". %2")
                          .arg(name, error));
    }
    CustomerRet r = Returned(Data().customers.back(), {});
    Finish(r, {});
    return Found(request, std::vector<CustomerRet>{std::move(r)});
}

Response LocalCompany::Modify(const CustomerModRq& mod, const FieldList& fields)
{
    const QString request = QStringLiteral("CustomerModRq");
    auto found = FindForModify(request, mod, Data().customers, [](const CustomerRet&) { return true; });
    if (auto* refused = std::get_if<Response>(&found))
        return *refused;
    const std::size_t index = std::get<std::size_t>(found);
    const CustomerRet* it = &Data().customers[index];
    QString parentId = it->ParentRef && it->ParentRef->ListID ? *it->ParentRef->ListID : QString();
    const QString newName = mod.Name.value_or(*it->Name);
    if (auto refused =
            CheckPlace(request, newName, mod.Name.has_value(), mod.ParentRef, *mod.ListID, parentId))
        return *refused;
    const std::shared_ptr<CompanyData> before = data_;
    std::map<QString, std::vector<QString>> values;
    for (const Field& f : fields)
        if (f.path != u"ListID" && f.path != u"EditSequence" && !f.path.startsWith(u"ParentRef")
            && f.path != u"IncludeRetElement")
            values[f.path].push_back(f.text);
    CompanyData& d = Mut();
    CustomerRet& target = d.customers[index];
    ApplyFields(target, values, request);
    if (!parentId.isEmpty())
        target.ParentRef = Ref{parentId, std::nullopt};
    else
        target.ParentRef.reset();
    target.EditSequence = CompanyFile::NewEditSequence(d);
    QString error;
    if (!Commit(&error)) {
        data_ = before;
        orderValid_ = false;
        return Answer(request, status::SaveError,
                      QStringLiteral("There was an error when saving a Customers list, element \"%1\". %2")
                          .arg(newName, error));
    }
    CustomerRet r = Returned(Data().customers[index], {});
    Finish(r, {});
    return Found(request, std::vector<CustomerRet>{std::move(r)});
}

Response LocalCompany::ModifyItem(const ItemModFields& mod, ENItemKind kind, const QString& request,
                                  const FieldList& fields)
{
    auto found =
        FindForModify(request, mod, Data().items, [&](const ItemRet& i) { return i.ortype == kind; });
    if (auto* refused = std::get_if<Response>(&found))
        return *refused;
    const std::size_t index = std::get<std::size_t>(found);
    const ItemRet* it = &Data().items[index];
    // An item keeps its price form: a modify of the other form is refused.
    if ((mod.SalesOrPurchaseMod && it->SalesAndPurchase) || (mod.SalesAndPurchaseMod && it->SalesOrPurchase))
        return Answer(
            request, status::SaveError,
            QStringLiteral("There was an error when saving an item, element \"%1\". The item's price "
                           "form cannot be changed by this modify.")
                .arg(*it->Name));
    if (mod.Name)
        for (const ItemRet& i : Data().items)
            if (i.ListID != mod.ListID && QString::compare(*i.Name, *mod.Name, Qt::CaseInsensitive) == 0)
                return Answer(
                    request, status::NameInUse,
                    QStringLiteral("The name \"%1\" of the list element is already in use.").arg(*mod.Name));
    const std::shared_ptr<CompanyData> before = data_;
    std::map<QString, std::vector<QString>> values;
    for (const Field& f : fields) {
        if (f.path == u"ListID" || f.path == u"EditSequence" || f.path == u"IncludeRetElement")
            continue;
        QString path = f.path;
        if (path.startsWith(u"SalesOrPurchaseMod "))
            path.replace(0, 18, QStringLiteral("SalesOrPurchase"));
        else if (path.startsWith(u"SalesAndPurchaseMod "))
            path.replace(0, 19, QStringLiteral("SalesAndPurchase"));
        values[path].push_back(f.text);
    }
    CompanyData& d = Mut();
    ItemRet& item = d.items[index];
    ApplyFields(item, values, request);
    item.EditSequence = CompanyFile::NewEditSequence(d);
    QString error;
    if (!Commit(&error)) {
        const QString name = *before->items[index].Name;
        data_ = before;
        return Answer(
            request, status::SaveError,
            QStringLiteral("There was an error when saving an item, element \"%1\". %2").arg(name, error));
    }
    ItemRet r = Data().items[index];
    r.FullName = r.Name;
    Finish(r, {});
    return Found(request, std::vector<ItemRet>{std::move(r)});
}

}  // namespace tw::qb
