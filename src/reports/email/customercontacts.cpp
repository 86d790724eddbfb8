#include "reports/email/customercontacts.h"

#include "data/datetimetext.h"
#include "platform/db/table.h"

namespace tw::email {

namespace {

QString Text(db::Table& table, const char* field)
{
    return QString::fromStdString(table.fieldByName(field).asString());
}

}  // namespace

CustomerContacts ReadCustomerContacts(db::Table& customers)
{
    CustomerContacts c;
    if (!customers.active() || customers.isEmpty())
        return c;
    c.First = Text(customers, "FIRST");
    c.Last = Text(customers, "LAST");
    c.Contact1 = Text(customers, "CONTACT1");
    c.Email1 = Text(customers, "EMAIL1");
    c.Contact2 = Text(customers, "CONTACT2");
    c.Email2 = Text(customers, "EMAIL2");
    c.UseAlt = customers.fieldByName("USEALT").asBoolean();
    return c;
}

QString CustomerMessageText(const CustomerContacts& customer, int tasksFoundCount, TDateTime shownTaskStart)
{
    QString name = customer.UseAlt ? customer.Contact2 : customer.Contact1;
    if (name.size() < 3)
        name = customer.First + u' ' + customer.Last;
    QString text = QStringLiteral("Schedule for ") + name;
    if (tasksFoundCount == 1)
        text += QStringLiteral(" on ") + QString::fromStdString(data::DateTimeText(shownTaskStart));
    return text;
}

QString MailAccessStatusText(bool useMailProgram)
{
    return useMailProgram ? QStringLiteral("Accessing the mail program")
                          : QStringLiteral("Connecting to SMTP server");
}

}  // namespace tw::email
