// The record imports of "Import from QuickBooks": customers, employees as
// resources, the custom-field definitions and the mapping of their values.
#include "data/services/busyscopes.h"
#include <QSet>

#include "data/nametexts.h"
#include "data/services/recordservices.h"
#include "data/textroutines.h"
#include "exchange/importqb/importqblogic.h"

namespace tw::exchange {
namespace {

std::string S(const QString& s)
{
    return s.toStdString();
}

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

// The custom values of a customer or an employee: entries lacking their name
// or their value are not passed on.
void CollectCustomValues(const std::vector<qb::DataExtRet>& entries, QStringList& names, QStringList& values)
{
    names.clear();
    values.clear();
    for (const qb::DataExtRet& e : entries)
        if (e.DataExtName && e.DataExtValue) {
            names << *e.DataExtName;
            values << *e.DataExtValue;
        }
}

// Passes the boxes on and remembers the caption of the last one.
class CaptionRecorder : public ExchangeMessages {
public:
    explicit CaptionRecorder(ExchangeMessages& inner) : inner_(inner) {}
    void ShowStopMessage(const QString& text, const QString& caption) override
    {
        lastCaption = caption;
        inner_.ShowStopMessage(text, caption);
    }
    QString lastCaption;

private:
    ExchangeMessages& inner_;
};

// The stored bytes of the record being edited, every field.
std::string RecordBytes(db::Table& table)
{
    std::string bytes;
    for (int i = 0; i < table.fieldCount(); ++i)
        bytes += table.field(i).storedBytes();
    return bytes;
}

// Ends an edit: posted only when it changed the record as read at edit().
// A post of the same values would still rewrite the file and tell every
// workstation that it changed.
void PostIfChanged(db::Table& table, const std::string& before)
{
    if (table.state() == db::Table::State::Edit && RecordBytes(table) == before)
        table.cancel();
    else
        table.post();
}

// Leaves a cursor that a stopped or failed run left editing back in browse
// mode, on what the files hold.
void Settle(db::Table& table)
{
    if (table.state() == db::Table::State::Edit || table.state() == db::Table::State::Insert)
        table.cancel();
    table.refresh();
}

}  // namespace

void ImportQBLogic::MapCustomField(int kind, const QStringList& names, const QStringList& values)
{
    db::Table* owner = kind == kCustomerFieldKind ? &d_.CustomersTable2
        : kind == kResourceFieldKind              ? &d_.CrewsTable2
                                                  : nullptr;
    db::Table& definitions = d_.CustomFieldsTable2;
    for (int i = 0; i < names.size() && i < values.size(); ++i) {
        if (!definitions.locateIgnoringCase("TYPE;NAME", {db::Value(double(kind)), db::Value(S(names[i]))}))
            continue;  // no definition of that name: the value has no column
        const std::string column = data::TrimBlanks(definitions.fieldByName("FNAME").asString());
        if (owner)
            SetFieldText(owner->fieldByName(column), values[i]);
    }
}

// ------------------------------------------------------------ customers

void ImportQBLogic::ImportCustomersClick()
{
    const int appended = OpenQBSessionForCustomers(QString());
    view_.ShowStatus(QStringLiteral("Imported %1 customers").arg(appended));
}

int ImportQBLogic::OpenQBSessionForCustomers(const QString& onlyListId)
{
    int appended = 0;
    ExchangeServices services = Services();
    QbSessionFrame frame(services, [this] { return hosts_.Exchange.CreateSessionManager(); });
    frame.Run(QbOperation::Customers, [&](QbSession& session) {
        appended = ImportQBCustomers(session, session.Country() == u"US", onlyListId);
    });
    FollowEdition();
    return appended;
}

int ImportQBLogic::ImportQBCustomers(QbSession& session, bool isUS, const QString& onlyListId)
{
    const QbSession::Sent sent = session.Send(
        [](qb::MsgSetRequest& set) {
            qb::CustomerQueryRq* query = set.AppendCustomerQueryRq();
            if (!query)
                return false;
            query->OwnerID = {QStringLiteral("0")};
            query->ActiveStatus = qb::ENActiveStatus::ActiveOnly;
            return true;
        },
        {.onError = 1, .nothingFoundText = QStringLiteral("No QuickBooks customers found")});
    if (sent.outcome != QbSession::Outcome::Found)
        return 0;
    const auto* customers = sent.response->DetailAs<qb::CustomerRet>();
    if (!customers)
        return 0;
    const bool restricted = !onlyListId.isEmpty();
    db::Table& table = d_.CustomersTable2;
    int appended = 0;
    bool stopped = false;
    data::BusyScope busy(hosts_.Exchange.Busy().BusyFlag());
    if (!restricted)
        view_.BeginProgress(static_cast<int>(customers->size()));
    try {
        db::WriteBatch batch;
        QStringList names, values;
        int done = 0;
        for (const qb::CustomerRet& c : *customers) {
            if (!restricted && !view_.StepProgress(done++))
                throw Stopped{};
            CollectCustomValues(c.DataExtRet, names, values);
            const QString listId = c.ListID.value_or(QString()).trimmed();
            if (restricted && listId != onlyListId)
                continue;
            const QString fullName = c.FullName.value_or(QString());
            if (!restricted && (data::FullNameLevel(S(fullName)) > 0 || c.ParentRef))
                continue;  // a job or a sub-job; its top-level customer is taken
            QString name = c.Name.value_or(QString()).trimmed();
            if (name.isEmpty())
                continue;
            if (restricted)
                name = Q(data::FullNameFirstPart(S(fullName)));
            const qb::Address bill = c.BillAddress.value_or(qb::Address{});
            const qb::Address ship = c.ShipAddress.value_or(qb::Address{});
            std::string first, last;
            data::SplitPersonName(S(name), first, last);

            std::int32_t key = 0;
            std::string before;
            if ((!listId.isEmpty() && table.locateIgnoringCase("LISTID", db::Value(S(listId))))
                || table.locateIgnoringCase("NAME", db::Value(S(name)))) {
                key = table.fieldByName("CID").asInteger();
                table.edit();
                before = RecordBytes(table);
            } else {
                key = data::UniqueKeyValue(keys_, d_.CustomersTable3, "CID");
                table.append();
                table.fieldByName("PHOTO").setAsBoolean(false);
                ++appended;
            }
            const auto text = [&table](const char* field, const std::optional<QString>& value) {
                SetFieldText(table.fieldByName(field), value.value_or(QString()));
            };
            text("FIRST", Q(first));
            text("LAST", Q(last));
            text("NAME", name);
            text("LISTID", listId);
            table.fieldByName("CID").setAsInteger(key);
            table.fieldByName("S1").setAsBoolean(false);
            table.fieldByName("S2").setAsBoolean(false);
            table.fieldByName("S3").setAsBoolean(true);
            table.fieldByName("USEALT").setAsBoolean(false);
            text("FULLNAME", fullName);
            text("CONTACT1", c.Contact);
            text("CONTACT2", c.AltContact);
            text("FAX", c.Fax);
            text("PHONE1", c.Phone);
            text("PHONE2", c.AltPhone);
            text("EMAIL1", c.Email);
            text("EMAIL2", QString());
            text("ADDR1", bill.Addr2);
            text("ADDR2", bill.Addr3);
            text("ADDR3", ship.Addr2);
            text("ADDR4", ship.Addr3);
            text("CITY", bill.City);
            text("STATE", isUS ? bill.State : bill.Province);
            text("POSTAL", bill.PostalCode);
            text("COUNTRY", bill.Country);
            text("COUNTRY2", ship.Country);
            text("CITY2", ship.City);
            text("STATE2", isUS ? ship.State : ship.Province);
            text("POSTAL2", ship.PostalCode);
            MapCustomField(kCustomerFieldKind, names, values);
            PostIfChanged(table, before);
        }
        batch.commit();
    } catch (const Stopped&) {
        stopped = true;
    } catch (...) {
        Settle(table);
        if (!restricted)
            view_.EndProgress();
        throw;
    }
    if (!restricted)
        view_.EndProgress();
    Settle(table);
    d_.CustomersTable.refresh();
    // A job import tells the pages at its own end, with its jobs and tasks.
    if (!restricted)
        hosts_.Records.ScheduleChanged(data::ScheduleChange::Customers);
    hosts_.Records.ShowCustomerCount();
    return stopped ? 0 : appended;
}

// ------------------------------------------------------------ employees

void ImportQBLogic::ImportEmployeesClick()
{
    CaptionRecorder messages(hosts_.Exchange.Messages());
    ExchangeServices services{messages, view_, hosts_.Exchange.Busy(), hosts_.Exchange.Settings(),
                              hosts_.Exchange.Setup()};
    QbSessionFrame frame(services, [this] { return hosts_.Exchange.CreateSessionManager(); });
    int added = 0, updated = 0;
    const bool ran = frame.Run(QbOperation::EmployeeImport,
                               [&](QbSession& session) { ImportEmployees(session, added, updated); });
    FollowEdition();
    if (!ran) {
        // The box has said why. "No employees found" would claim QuickBooks was asked; nor is it
        // still being accessed.
        if (messages.lastCaption == u"Unable to connect to QuickBooks"
            || messages.lastCaption == u"Unable to establish QuickBooks session")
            view_.ShowStatus(QString());
        return;
    }
    if (added > 0 || updated > 0)
        hosts_.Records.ScheduleChanged(data::ScheduleChange::Resources);
    QString text;
    if (added > 0)
        text = QStringLiteral("%1 employees from QuickBooks added to Tarnwick resource list").arg(added);
    if (updated > 0)
        text = QStringLiteral("%1 employees in Tarnwick resource list were updated from QuickBooks")
                   .arg(updated);
    if (added == 0 && updated == 0)
        text = QStringLiteral("No employees found in QuickBooks");
    view_.ShowStatus(text);
}

void ImportQBLogic::ImportEmployees(QbSession& session, int& added, int& updated)
{
    const QbSession::Sent sent = session.Send(
        [](qb::MsgSetRequest& set) {
            qb::EmployeeQueryRq* query = set.AppendEmployeeQueryRq();
            if (!query)
                return false;
            query->OwnerID = {QStringLiteral("0")};
            query->ActiveStatus = qb::ENActiveStatus::ActiveOnly;
            return true;
        },
        {.onError = 1, .nothingFoundText = QStringLiteral("No QuickBooks employees found")});
    if (sent.outcome != QbSession::Outcome::Found)
        return;
    const auto* employees = sent.response->DetailAs<qb::EmployeeRet>();
    if (!employees)
        return;
    // The Canadian edition does not hand the notes over.
    const bool notesRead = session.Country() == u"US";
    const int calendarMode = hosts_.Settings.WorkCalendarMode();
    db::Table& table = d_.CrewsTable2;
    int newAdded = 0, newUpdated = 0;
    data::BusyScope busy(hosts_.Exchange.Busy().BusyFlag());
    view_.BeginProgress(static_cast<int>(employees->size()));
    try {
        db::WriteBatch batch;
        QStringList names, values;
        int done = 0;
        for (const qb::EmployeeRet& e : *employees) {
            if (!view_.StepProgress(done++))
                throw Stopped{};
            CollectCustomValues(e.DataExtRet, names, values);
            const QString listId = e.ListID.value_or(QString());
            const QString notes = notesRead ? e.Notes.value_or(QString()) : QString();
            Currency rate;
            if (e.EmployeePayrollInfo)
                for (const qb::Earnings& line : e.EmployeePayrollInfo->Earnings)
                    if (line.Rate)
                        rate = *line.Rate;
            const QString name = e.Name.value_or(QString());
            if (!listId.isEmpty() && !name.isEmpty()
                && table.locateIgnoringCase("LISTID", db::Value(S(listId.trimmed())))) {
                table.edit();
                const std::string before = RecordBytes(table);
                SetFieldText(table.fieldByName("DESC"), name);
                if (notesRead)
                    SetFieldText(table.fieldByName("NOTES"), notes);
                if (rate.Raw() > 0)
                    table.fieldByName("RATE").setAsFloat(rate.ToDouble());
                MapCustomField(kResourceFieldKind, names, values);
                PostIfChanged(table, before);
                ++newUpdated;
                continue;
            }
            view_.ShowStatus(QStringLiteral("Importing ") + name);
            ++newAdded;
            const std::int32_t key = data::UniqueKeyValue(keys_, d_.CrewsTable4, "CREWID");
            table.append();
            table.fieldByName("CREWID").setAsInteger(key);
            SetFieldText(table.fieldByName("LISTID"), listId);
            SetFieldText(table.fieldByName("DESC"), name);
            table.fieldByName("RATE").setAsFloat(rate.ToDouble());
            SetFieldText(table.fieldByName("NOTES"), notes);
            MapCustomField(kResourceFieldKind, names, values);
            table.post();
            hosts_.Records.ShowWorkCalendar(calendarMode == 0 ? 0 : key);
        }
        batch.commit();
    } catch (const Stopped&) {
        newAdded = newUpdated = 0;
    } catch (...) {
        Settle(table);
        view_.EndProgress();
        throw;
    }
    view_.EndProgress();
    Settle(table);
    d_.CrewsTable.refresh();
    added = newAdded;
    updated = newUpdated;
}

// ------------------------------------------------------------ custom fields

// The definitions' session shows no hourglass of its own, so the click holds
// one over it. The values' session that follows holds its own and gives it
// back before its closing box, which is then read under the normal cursor.
void ImportQBLogic::ImportCustomerFieldsClick()
{
    int count = 0;
    {
        const data::BusyScope hourglass(hosts_.Exchange.Busy().Interface());
        count = OpenQBSessionForFieldDefs(kCustomerFieldKind);
        hosts_.Records.LoadCustomFieldNames(kCustomerFieldKind);
    }
    OpenQBSessionForCustomers(QString());
    view_.ShowStatus(QStringLiteral("Imported %1 customer custom field definitions").arg(count));
}

void ImportQBLogic::ImportEmployeeFieldsClick()
{
    int count = 0;
    {
        const data::BusyScope hourglass(hosts_.Exchange.Busy().Interface());
        count = OpenQBSessionForFieldDefs(kResourceFieldKind);
        hosts_.Records.LoadCustomFieldNames(kResourceFieldKind);
    }
    ImportEmployeesClick();
    view_.ShowStatus(QStringLiteral("Imported %1 employee custom field definitions").arg(count));
}

int ImportQBLogic::OpenQBSessionForFieldDefs(int kind)
{
    int count = 0;
    ExchangeServices services = Services();
    QbSessionFrame frame(services, [this] { return hosts_.Exchange.CreateSessionManager(); });
    frame.Run(QbOperation::FieldDefinitions,
              [&](QbSession& session) { count = ImportQBFieldDefs(session, kind); });
    FollowEdition();
    return count;
}

int ImportQBLogic::ImportQBFieldDefs(QbSession& session, int kind)
{
    const QString kindText = kind == kCustomerFieldKind ? QStringLiteral("Customer")
        : kind == kResourceFieldKind                    ? QStringLiteral("Employee")
                                                        : QString();
    const QbSession::Sent sent = session.Send(
        [](qb::MsgSetRequest& set) {
            qb::DataExtDefQueryRq* query = set.AppendDataExtDefQueryRq();
            if (!query)
                return false;
            query->OwnerID = {QStringLiteral("0")};
            return true;
        },
        {.onError = std::nullopt, .nothingFoundText = QStringLiteral("No QuickBooks custom fields found")});
    if (sent.outcome != QbSession::Outcome::Found)
        return 0;
    const auto* definitions = sent.response->DetailAs<qb::DataExtDefRet>();
    if (!definitions)
        return 0;
    int count = 0;
    db::Table& custom = d_.CustomFieldsTable2;
    for (const qb::DataExtDefRet& def : *definitions) {
        if (!def.DataExtName)
            continue;
        for (const QString& assigned : def.AssignToObject) {
            if (assigned != kindText)
                continue;
            const bool defined = custom.locateIgnoringCase(
                                     "TYPE;NAME", {db::Value(double(kind)), db::Value(S(*def.DataExtName))})
                && custom.fieldByName("ACTIVE").asBoolean();
            if (!defined && hosts_.Records.DefineCustomField(kind, *def.DataExtName))
                ++count;
        }
    }
    return count;
}

}  // namespace tw::exchange
