// The customer tab's e-mail button on a started program folder: the e-mail
// window opens on the current customer with the message as its subject.
#include "app/mainscreen.h"
#include "platform/datetime/localetexts.h"
#include "reports/email/sendemailform.h"
#include "testapplication.h"

#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

class SendEmailHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        locale::PinLocale("en_US");
        window.StartTimer();
        ASSERT_TRUE(window.State.TablesOpen);
        db::Table& customers = window.Data().CustomersTable;
        customers.append();
        customers.fieldByName("FIRST").setAsString("Ann");
        customers.fieldByName("LAST").setAsString("Archer");
        customers.fieldByName("CONTACT1").setAsString("Ann Archer");
        customers.fieldByName("EMAIL1").setAsString("ann@example.com");
        customers.post();
        // No server here: the message goes to a mail program that is not there.
        window.Email.UseMailClient = true;
        window.Email.MailClientPath = QStringLiteral("/nonexistent/xdg-email");
    }

    testing::ApplicationInUse application;
    testing::FreshUser user;
    testing::Recorder recorder;
    TMainScreen window;
};

TEST_F(SendEmailHookTest, TheCustomerButtonOpensTheWindowOnTheCurrentCustomer)
{
    window.SendEmailToClientClick();
    email::TSendEmail* mail = window.SendEmail();
    ASSERT_NE(mail, nullptr);
    ASSERT_TRUE(mail->isVisible());
    EXPECT_EQ(mail->findChild<QLineEdit*>(QStringLiteral("Subject"))->text(),
              QStringLiteral("Schedule for Ann Archer"));
    const QListWidget* to = mail->findChild<QListWidget*>(QStringLiteral("ToList"));
    ASSERT_EQ(to->count(), 1);
    EXPECT_EQ(to->item(0)->text(), QStringLiteral("ann@example.com"));
    EXPECT_EQ(mail->StatusValue(), QStringLiteral("Mail program interface failed"));
    EXPECT_TRUE(window.StatusText(0).isEmpty());

    mail->move(123, 77);
    mail->close();
    EXPECT_EQ(window.Layout.EmailLeft, mail->x());
    EXPECT_EQ(window.Layout.EmailTop, mail->y());
}

}  // namespace
}  // namespace tw::app
