#include "reports/email/customercontacts.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "data/services/tablecreation.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/table.h"

namespace tw::email {
namespace {

TEST(CustomerMessageText, NamesTheContactInUseOrTheCustomerAndTheOneTaskFound)
{
    locale::PinLocale("en_US");
    CustomerContacts c;
    c.First = QStringLiteral("Ann");
    c.Last = QStringLiteral("Archer");
    c.Contact1 = QStringLiteral("Ann A. Archer");
    c.Contact2 = QStringLiteral("Al");
    EXPECT_EQ(CustomerMessageText(c, 0, 0), QStringLiteral("Schedule for Ann A. Archer"));
    EXPECT_EQ(CustomerMessageText(c, 2, 46000.5), QStringLiteral("Schedule for Ann A. Archer"));
    // 46000.5 is 9 Dec 2025, noon.
    EXPECT_EQ(CustomerMessageText(c, 1, 46000.5),
              QStringLiteral("Schedule for Ann A. Archer on 12/9/2025 12:00 PM"));
    c.UseAlt = true;
    EXPECT_EQ(CustomerMessageText(c, 0, 0), QStringLiteral("Schedule for Ann Archer"));
    EXPECT_EQ(MailAccessStatusText(false), QStringLiteral("Connecting to SMTP server"));
}

TEST(ReadCustomerContacts, ReadsTheCurrentCustomersContactsFromTheTable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(data::CreateScheduleDatabase(dir.path().toStdString()));
    db::Table customers;
    customers.setFolder(dir.path().toStdString());
    customers.setTableName("customers.dbf");
    customers.open();
    EXPECT_TRUE(ReadCustomerContacts(customers).Email1.isEmpty());
    customers.append();
    customers.fieldByName("FIRST").setAsString("Ann");
    customers.fieldByName("LAST").setAsString("Archer");
    customers.fieldByName("CONTACT1").setAsString("Ann Archer");
    customers.fieldByName("EMAIL1").setAsString("ann@example.com");
    customers.fieldByName("CONTACT2").setAsString("Bo");
    customers.fieldByName("EMAIL2").setAsString("bob@example.org");
    customers.fieldByName("USEALT").setAsBoolean(true);
    customers.post();
    const CustomerContacts c = ReadCustomerContacts(customers);
    EXPECT_EQ(c.Email1, QStringLiteral("ann@example.com"));
    EXPECT_EQ(c.Email2, QStringLiteral("bob@example.org"));
    EXPECT_EQ(c.Contact1, QStringLiteral("Ann Archer"));
    EXPECT_TRUE(c.UseAlt);
    // A two-letter contact gives way to the customer's name.
    EXPECT_EQ(CustomerMessageText(c, 0, 0), QStringLiteral("Schedule for Ann Archer"));
}

}  // namespace
}  // namespace tw::email
