// The e-mail buttons on a started program folder: the customer tab's opens
// the e-mail window on the current customer with the message as its subject;
// the print dialog's sends the report chosen there as "schedule.pdf".
#include "customers/customerpage.h"
#include "app/features/allfeatures.h"
#include "app/mainscreen.h"
#include "controls/buttons/fcbitbtn.h"
#include "platform/datetime/localetexts.h"
#include "reports/email/sendemailform.h"
#include "reports/printpreview.h"
#include "sampleschedule.h"
#include "standinmailprogram.h"
#include "samplewindow.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace tw::app {
namespace {

class SendEmailHookTest : public testing::SampleWindowTest {
protected:
    void SetUp() override
    {
        SampleWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        db::Table& customers = window.Session().Data().CustomersTable;
        customers.append();
        customers.fieldByName("FIRST").setAsString("Ann");
        customers.fieldByName("LAST").setAsString("Archer");
        customers.fieldByName("CONTACT1").setAsString("Ann Archer");
        customers.fieldByName("EMAIL1").setAsString("ann@example.com");
        customers.post();
        // No server here: the message goes to a mail program that is not there.
        window.Session().Settings.Email.UseMailProgram = true;
        window.Session().Settings.Email.MailProgram = QStringLiteral("/nonexistent/xdg-email");
    }
};

TEST_F(SendEmailHookTest, TheCustomerButtonOpensTheWindowOnTheCurrentCustomer)
{
    window.Features()
        .Customers->Page()
        ->findChild<controls::TFcBitBtn*>(QStringLiteral("SendEmailToClient"))
        ->Click();
    email::TSendEmail* mail = window.Features().Email->Window();
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
    EXPECT_EQ(window.Layout().EmailLeft, mail->x());
    EXPECT_EQ(window.Layout().EmailTop, mail->y());
}

TEST_F(SendEmailHookTest, ThePrintDialogsButtonSendsTheChosenReportAsItsPdf)
{
    mail::test::StandInMailProgram mailProgram;
    ASSERT_TRUE(mailProgram.IsValid());
    window.Session().Settings.Email.MailProgram = mailProgram.Program();
    examples::FillSampleSchedule(window, EncodeDate(2026, 12, 7));
    window.Features().Printing->Open({0, 7, 1, 7, EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 14)});
    reports::TPrintPreview* print = window.Features().Printing->Dialog();
    ASSERT_NE(print, nullptr);
    print->SetChartTypeIndex(reports::TextReport);
    print->findChild<QLineEdit*>(QStringLiteral("Title"))->setText(QStringLiteral("Week of December 7"));
    print->findChild<controls::TFcBitBtn*>(QStringLiteral("CallSendEMail"))->Click();

    email::TSendEmail* mail = window.Features().Email->Window();
    ASSERT_TRUE(mail->isVisible());
    EXPECT_EQ(mail->findChild<QLineEdit*>(QStringLiteral("Subject"))->text(),
              QStringLiteral("Week of December 7"));
    EXPECT_EQ(mail->StatusValue(), QStringLiteral("Mail program found"));
    // The sample's customers have no e-mail addresses.
    mail->SetToList({QStringLiteral("ann@example.com")});
    mail->findChild<controls::TFcBitBtn*>(QStringLiteral("SendEMailAttachment"))->Click();
    while (mail->Logic().IsBusy())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(mail->StatusValue(), QStringLiteral("Mail sent"));
    const QStringList args = mailProgram.Arguments();
    const int attach = args.indexOf(QStringLiteral("--attach"));
    ASSERT_GE(attach, 0);
    EXPECT_TRUE(args[attach + 1].endsWith(QStringLiteral("/schedule.pdf")));
    EXPECT_EQ(mailProgram.AttachmentHead(), QByteArray("%PDF-"));
    EXPECT_EQ(args.last(), QStringLiteral("ann@example.com"));

    // Closing the print dialog closes the e-mail window with it.
    print->close();
    EXPECT_FALSE(mail->isVisible());
}

}  // namespace
}  // namespace tw::app
