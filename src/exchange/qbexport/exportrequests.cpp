// The export's request routines: one request set each, over the run's open
// session, and what each keeps of the answer.
#include <map>
#include <set>
#include <unordered_map>

#include "exchange/qbexport/exportjob.h"
#include "exchange/qbexport/exportrecords.h"

namespace tw::exchange::qbexport {
using namespace records;

namespace {

const QString kAdvisoryItems = QStringLiteral("No QuickBooks items found");

// The customer's fields that every add carries.
struct CustomerSource {
    QString ADDR1, ADDR2, CITY, STATE, POSTAL, COUNTRY;
    QString ADDR3, ADDR4, CITY2, STATE2, POSTAL2, COUNTRY2;
    QString PHONE1, PHONE2, FAX, EMAIL1, CONTACT1, CONTACT2;
};

CustomerSource ReadCustomer(db::Table& customers, std::int32_t customerId)
{
    CustomerSource c;
    if (!LocateKey(customers, "CID", customerId))
        return c;
    struct F {
        QString CustomerSource::*member;
        const char* field;
    };
    static const F fields[] = {
        {&CustomerSource::ADDR1, "ADDR1"},       {&CustomerSource::ADDR2, "ADDR2"},
        {&CustomerSource::CITY, "CITY"},         {&CustomerSource::STATE, "STATE"},
        {&CustomerSource::POSTAL, "POSTAL"},     {&CustomerSource::COUNTRY, "COUNTRY"},
        {&CustomerSource::ADDR3, "ADDR3"},       {&CustomerSource::ADDR4, "ADDR4"},
        {&CustomerSource::CITY2, "CITY2"},       {&CustomerSource::STATE2, "STATE2"},
        {&CustomerSource::POSTAL2, "POSTAL2"},   {&CustomerSource::COUNTRY2, "COUNTRY2"},
        {&CustomerSource::PHONE1, "PHONE1"},     {&CustomerSource::PHONE2, "PHONE2"},
        {&CustomerSource::FAX, "FAX"},           {&CustomerSource::EMAIL1, "EMAIL1"},
        {&CustomerSource::CONTACT1, "CONTACT1"}, {&CustomerSource::CONTACT2, "CONTACT2"},
    };
    for (const F& f : fields)
        c.*f.member = Text(customers, f.field);
    return c;
}

// The customer block of the three adds: every field set, empty ones as
// empty values; the main address is billed to, the alternate one shipped to,
// each headed by the customer's name.
void FillCustomerBlock(qb::CustomerFields& add, const QString& name, const CustomerSource& c, bool isUS)
{
    add.CompanyName = name;
    const auto address = [&](const QString& line2, const QString& line3, const QString& city,
                             const QString& state, const QString& postal, const QString& country) {
        qb::Address a;
        a.Addr1 = name;
        a.Addr2 = line2;
        a.Addr3 = line3;
        a.City = city;
        (isUS ? a.State : a.Province) = state;
        a.PostalCode = postal;
        a.Country = country;
        return a;
    };
    add.BillAddress = address(c.ADDR1, c.ADDR2, c.CITY, c.STATE, c.POSTAL, c.COUNTRY);
    add.ShipAddress = address(c.ADDR3, c.ADDR4, c.CITY2, c.STATE2, c.POSTAL2, c.COUNTRY2);
    add.Phone = c.PHONE1;
    add.AltPhone = c.PHONE2;
    add.Fax = c.FAX;
    add.Email = c.EMAIL1;
    add.Contact = c.CONTACT1;
    add.AltContact = c.CONTACT2;
}

void SetParent(qb::CustomerFields& add, const QString& listId, const QString& fullName)
{
    if (listId.isEmpty() && fullName.isEmpty())
        return;
    add.ParentRef = qb::Ref{};
    if (!listId.isEmpty())
        add.ParentRef->ListID = listId;
    if (!fullName.isEmpty())
        add.ParentRef->FullName = fullName;
}

// The name of a customer, job or sub-job as the product takes it: at most 41
// characters. A job's or task's whole text goes in its description.
QString CutToQuickBooksName(const QString& text)
{
    return text.size() >= 42 ? text.left(41) : text;
}

QString JobDescription(const QString& text)
{
    constexpr qsizetype kLongest = 99;
    return text.left(kLongest);
}

// The customer record an add or a modify answered with; nothing otherwise.
const qb::CustomerRet* ReturnedCustomer(const std::optional<QbSession::Sent>& sent, bool nothingFoundCounts)
{
    if (!sent)
        return nullptr;
    const bool usable = sent->outcome == QbSession::Outcome::Found
        || (nothingFoundCounts && sent->outcome == QbSession::Outcome::NothingFound);
    if (!usable)
        return nullptr;
    const auto* list = sent->response->DetailAs<qb::CustomerRet>();
    return list && !list->empty() ? &list->front() : nullptr;
}

struct ItemDates {
    TDateTime SD = 0, ED = 0;
    int BIDID = 0;
};

ItemDates ReadItemDates(db::Table& charts, std::int32_t chartsId)
{
    ItemDates d;
    if (LocateKey(charts, ItemField(&Item::CHARTSID), chartsId)) {
        d.SD = charts.fieldByName(ItemField(&Item::SD)).asDateTime();
        d.ED = charts.fieldByName(ItemField(&Item::ED)).asDateTime();
        d.BIDID = charts.fieldByName(ItemField(&Item::BIDID)).asInteger();
    }
    return d;
}

Currency Rate(db::Table& crews)
{
    return Currency::FromDoubleHalfEven(crews.fieldByName("RATE").asFloat());
}

}  // namespace

std::optional<qb::CustomerRet>
ExportJobToQB::SendCustomerAdd(QbSession& session, const QString& name,
                               const std::function<void(qb::CustomerAddRq&)>& fill)
{
    view_.ShowStatus(QStringLiteral("Adding ") + name.toUpper() + QStringLiteral(" to QuickBooks"));
    const bool isUS = session.Country() == u"US";
    const auto sent = SendGuarded(
        session,
        [&](qb::MsgSetRequest& set) {
            qb::CustomerAddRq* add = set.AppendCustomerAddRq();
            if (!add)
                return false;
            fill(*add);
            FillCustomerBlock(*add, state_.CustomerName, ReadCustomer(cursors_->customers, state_.CustomerID),
                              isUS);
            return true;
        },
        RequestRules(1));
    const qb::CustomerRet* added = ReturnedCustomer(sent, true);
    return added ? std::optional<qb::CustomerRet>(*added) : std::nullopt;
}

namespace {

// The ListID of an added customer or job, and with its FullName both written
// into the record of that key; without a FullName nothing is written.
void KeepIdentity(const qb::CustomerRet& added, QString& listId, QString& fullName, db::Table& table,
                  const char* key, std::int32_t id)
{
    if (!added.ListID)
        return;
    listId = *added.ListID;
    if (!added.FullName)
        return;
    fullName = *added.FullName;
    if (LocateKey(table, key, id))
        WriteFields(table, {{"LISTID", listId}, {"FULLNAME", fullName}});
}

}  // namespace

bool ExportJobToQB::KeepTaskIdentity(const qb::CustomerRet& answered)
{
    ExportState& s = state_;
    if (!answered.ListID)
        return false;
    s.TaskListID = *answered.ListID;
    if (!answered.EditSequence)
        return false;
    s.TaskEditSequence = *answered.EditSequence;
    if (LocateKey(cursors_->charts, ItemField(&Item::CHARTSID), s.TaskChartsID))
        WriteFields(cursors_->charts, {{ItemField(&Item::LISTID), s.TaskListID},
                                       {ItemField(&Item::JLID), s.TaskEditSequence}});
    return true;
}

bool ExportJobToQB::AddQBCustomer(QbSession& session)
{
    ExportState& s = state_;
    const auto added = SendCustomerAdd(session, s.CustomerName, [&](qb::CustomerAddRq& add) {
        s.CustomerName = CutToQuickBooksName(s.CustomerName);
        add.Name = s.CustomerName;
    });
    if (!added)
        return false;
    KeepIdentity(*added, s.CustomerListID, s.CustomerFullName, cursors_->customers, "CID", s.CustomerID);
    return true;
}

bool ExportJobToQB::AddQBJob(QbSession& session)
{
    ExportState& s = state_;
    const auto added = SendCustomerAdd(session, s.JobDescription, [&](qb::CustomerAddRq& add) {
        add.JobDesc = JobDescription(s.JobDescription);
        add.Name = CutToQuickBooksName(s.JobDescription);
        SetParent(add, s.CustomerListID, s.CustomerFullName);
        if (!s.TaskNotes.isEmpty())
            add.Notes = s.TaskNotes;
        add.JobStatus = static_cast<qb::ENJobStatus>(ReadItemDates(cursors_->charts, s.TaskChartsID).BIDID);
    });
    if (!added)
        return false;
    KeepIdentity(*added, s.JobListID, s.JobFullName, cursors_->jobs, "JID", s.JobID);
    return true;
}

bool ExportJobToQB::AddQBTaskJob(QbSession& session)
{
    ExportState& s = state_;
    // Without a parent the task would become a customer of its own.
    if (s.JobListID.isEmpty() && s.JobFullName.isEmpty())
        return false;
    const auto added = SendCustomerAdd(session, s.TaskText, [&](qb::CustomerAddRq& add) {
        const ItemDates item = ReadItemDates(cursors_->charts, s.TaskChartsID);
        add.Name = CutToQuickBooksName(s.TaskText);
        add.JobDesc = JobDescription(s.TaskText);
        SetParent(add, s.JobListID, s.JobFullName);
        add.JobStartDate = DayOf(item.SD);
        add.JobProjectedEndDate = DayOf(item.ED);
        add.JobEndDate = DayOf(item.ED);
        if (!s.TaskNotes.isEmpty())
            add.Notes = s.TaskNotes;
        add.JobStatus = static_cast<qb::ENJobStatus>(item.BIDID);
    });
    if (!added)
        return false;
    // A job that QuickBooks knows only by name gets its own identity, never another record's.
    if (KeepTaskIdentity(*added) && !s.JobListID.isEmpty() && LocateKey(cursors_->jobs, "JID", s.JobID)
        && Text(cursors_->jobs, "LISTID").isEmpty())
        WriteFields(cursors_->jobs, {{"LISTID", s.JobListID}});
    return true;
}

bool ExportJobToQB::UpdateQBTaskJob(QbSession& session)
{
    ExportState& s = state_;
    view_.ShowStatus(QStringLiteral("Updating job ") + s.TaskText.toUpper()
                     + QStringLiteral(" to QuickBooks"));
    const ItemDates item = ReadItemDates(cursors_->charts, s.TaskChartsID);
    const auto sent = SendGuarded(
        session,
        [&](qb::MsgSetRequest& set) {
            qb::CustomerModRq* mod = set.AppendCustomerModRq();
            if (!mod)
                return false;
            mod->ListID = s.TaskListID;
            mod->EditSequence = s.TaskEditSequence;
            mod->JobDesc = JobDescription(s.TaskText);
            mod->Name = CutToQuickBooksName(s.TaskText);
            mod->JobStartDate = DayOf(item.SD);
            mod->JobProjectedEndDate = DayOf(item.ED);
            mod->JobEndDate = DayOf(item.ED);
            mod->Notes = s.TaskNotes;
            mod->JobStatus = static_cast<qb::ENJobStatus>(item.BIDID);
            return true;
        },
        RequestRules(1, QStringLiteral("No QuickBooks customers found")));
    const qb::CustomerRet* changed = ReturnedCustomer(sent, false);
    if (!changed)
        return false;
    KeepTaskIdentity(*changed);
    return true;
}

bool ExportJobToQB::FindQBItem(QbSession& session, const QString& text)
{
    ExportState& s = state_;
    const auto sent = SendGuarded(
        session, [](qb::MsgSetRequest& set) { return set.AppendItemQueryRq() != nullptr; },
        RequestRules(1, kAdvisoryItems));
    if (!sent || sent->outcome != QbSession::Outcome::Found)
        return false;
    const auto* items = sent->response->DetailAs<qb::ItemRet>();
    if (!items)
        return false;
    for (const qb::ItemRet& item : *items) {
        s.QBItemName.clear();
        s.QBItemListID.clear();
        s.QBItemEditSequence.clear();
        s.QBItemPriceForm = 0;
        s.QBItemKind = static_cast<int>(item.ortype);
        if (item.ortype != qb::ENItemKind::Service && item.ortype != qb::ENItemKind::OtherCharge)
            continue;
        if (!item.Name || !item.ListID || !item.EditSequence)
            continue;
        s.QBItemName = *item.Name;
        s.QBItemListID = *item.ListID;
        s.QBItemEditSequence = *item.EditSequence;
        if (MatchesLeadingChars(text, s.QBItemName)) {
            s.QBItemPriceForm = item.SalesOrPurchase ? 1 : (item.SalesAndPurchase ? 2 : 0);
            return true;
        }
    }
    return false;
}

bool ExportJobToQB::UpdateQBItem(QbSession& session, int kind, const QString& listId,
                                 const QString& editSequence, Currency cost, int priceForm,
                                 const QString& description)
{
    const auto fill = [&](qb::ItemModFields& mod) {
        mod.ListID = listId;
        mod.EditSequence = editSequence;
        if (priceForm == 1)
            mod.SalesOrPurchaseMod = qb::SalesOrPurchaseMod{description, cost};
        else if (priceForm == 2)
            mod.SalesAndPurchaseMod = qb::SalesAndPurchaseMod{description, std::nullopt, std::nullopt, cost};
    };
    const auto sent = SendGuarded(
        session,
        [&](qb::MsgSetRequest& set) {
            qb::ItemModFields* mod = nullptr;
            if (kind == static_cast<int>(qb::ENItemKind::Service))
                mod = set.AppendItemServiceModRq();
            else if (kind == static_cast<int>(qb::ENItemKind::OtherCharge))
                mod = set.AppendItemOtherChargeModRq();
            if (!mod)
                return false;
            fill(*mod);
            return true;
        },
        RequestRules(0, kAdvisoryItems));
    return sent && sent->outcome == QbSession::Outcome::Found;
}

Currency ExportJobToQB::TaskCost()
{
    // The rates of the task's resources, each assignment as often as it stands.
    std::vector<std::int32_t> crewIds;
    db::Table& icrews = cursors_->icrews;
    icrews.refresh();
    for (icrews.first(); !icrews.eof(); icrews.next())
        if (icrews.fieldByName("CHARTSID").asInteger() == state_.TaskChartsID)
            crewIds.push_back(icrews.fieldByName("CREWID").asInteger());
    Currency rates;
    db::Table& crews = cursors_->crews;
    crews.refresh();
    for (std::int32_t id : crewIds)
        if (LocateKey(crews, "CREWID", id))
            rates += Rate(crews);
    float hours = 0;
    if (LocateKey(cursors_->charts, ItemField(&Item::CHARTSID), state_.TaskChartsID))
        hours = static_cast<float>(cursors_->charts.fieldByName(ItemField(&Item::HOURS)).asFloat());
    return rates.TruncatedProduct(FixedHours(hours));
}

Currency ExportJobToQB::SummaryCost()
{
    // The selection's items, read once.
    struct Span {
        TDateTime start, end;
    };
    std::unordered_map<std::int32_t, Span> selected;
    db::Table& selection = tables_.ChartsTable3;
    const std::uint32_t position = selection.recNo();
    for (selection.first(); !selection.eof(); selection.next())
        selected.emplace(selection.fieldByName(ItemField(&Item::CHARTSID)).asInteger(),
                         Span{selection.fieldByName(ItemField(&Item::SD)).asDateTime(),
                              selection.fieldByName(ItemField(&Item::ED)).asDateTime()});
    if (position != 0)
        selection.goTo(position);

    struct Assignment {
        std::int32_t crewId, chartsId;
    };
    std::vector<Assignment> assignments;
    db::Table& icrews = cursors_->icrews;
    icrews.refresh();
    for (icrews.first(); !icrews.eof(); icrews.next())
        assignments.push_back(
            {icrews.fieldByName("CREWID").asInteger(), icrews.fieldByName("CHARTSID").asInteger()});

    // The resources summed: those of the resource search, the one resource
    // the tasks are restricted to, or else those assigned to the selection.
    db::Table& crews = cursors_->crews;
    std::string filter;
    std::set<std::int32_t> gathered;
    ExportJobHost& host = services_.host;
    if (host.ResourceSearchActive()) {
        filter = host.ResourceSearchFilter();
    } else if (host.RestrictTasksToCrew()) {
        filter = "CREWID = " + std::to_string(host.CurrentResourceId());
    } else {
        for (const Assignment& a : assignments)
            if (selected.contains(a.chartsId))
                gathered.insert(a.crewId);
    }
    crews.setFilter(filter);
    crews.setFiltered(!filter.empty());
    std::map<std::int32_t, Currency> rates;
    for (crews.first(); !crews.eof(); crews.next()) {
        const std::int32_t id = crews.fieldByName("CREWID").asInteger();
        if (gathered.empty() || gathered.contains(id))
            rates.emplace(id, Rate(crews));
    }
    crews.setFiltered(false);

    Currency cost;
    for (const Assignment& a : assignments) {
        auto rate = rates.find(a.crewId);
        auto span = selected.find(a.chartsId);
        if (rate == rates.end() || span == selected.end())
            continue;
        const float hours = host.WorkingHoursBetween(a.crewId, span->second.start, span->second.end);
        cost += rate->second.TruncatedProduct(FixedHours(hours));
    }
    return cost;
}

}  // namespace tw::exchange::qbexport
