// The e-mail window, offscreen, against a real SMTP server on 127.0.0.1.
#include "reports/email/sendemailform.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcglyphbutton.h"
#include "controls/panels/fcgroupbox.h"
#include "controls/status/fcstatuspane.h"
#include "fakes.h"
#include "platform/mail/curlsmtpengine.h"
#include "smtptestserver.h"

namespace tw::email {
namespace {

using mail::test::SmtpTestServer;
using test::Customer;

QApplication& Application()
{
    static int argc = 1;
    static char name[] = "tw_email_window_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
    return *app;
}

class SendEmailWindowTest : public ::testing::Test {
protected:
    void Make(const SmtpTestServer& server)
    {
        settings.Host = QStringLiteral("127.0.0.1");
        settings.From = QStringLiteral("office@example.com");
        settings.SmtpPort = server.Port();
        const QString certificate = server.Certificate();
        window = std::make_unique<TSendEmail>([this] { return settings; },
                                              [certificate] {
                                                  auto engine = std::make_unique<mail::CurlSmtpEngine>();
                                                  engine->SetCertificateFile(certificate);
                                                  return engine;
                                              });
        window->SetContactsSource([] { return Customer(); });
        window->SetScheduleReport(
            {2, QStringLiteral("Schedule for May"), [](const ReportPeriod&) {
                 return PdfOutcome{"%PDF-1.4\n" + QByteArray(2000, 'x') + "\n%%EOF\n", {}};
             }});
    }
    void Open()
    {
        window->Open(0, SendEmailLogic::ScheduleReport, 7, 1, 7, 46000, 46007,
                     QStringLiteral("schedule.pdf is attached"));
    }
    template <typename T>
    T* Child(const char* name)
    {
        T* child = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QApplication& app = Application();
    MailSettings settings;
    std::unique_ptr<TSendEmail> window;
};

TEST_F(SendEmailWindowTest, ConnectsWhenOpenedAndSendsTheScheduleToBothContacts)
{
    SmtpTestServer server({QStringLiteral("--starttls"), QStringLiteral("--auth"), QStringLiteral("clerk"),
                           QStringLiteral("pw")});
    settings.UseAuthentication = true;
    settings.UserId = QStringLiteral("clerk");
    settings.Password = QStringLiteral("pw");
    Make(server);
    Open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Send schedule via E-Mail"));
    EXPECT_TRUE(window->isVisible());
    // The window waits for the server without freezing, and takes no send meanwhile.
    EXPECT_FALSE(Child<controls::TFcBitBtn>("SendEMailAttachment")->isEnabled());
    EXPECT_EQ(window->StatusLabel(), QStringLiteral("Connecting to server"));
    ASSERT_TRUE(test::Settle(window->Logic()));
    EXPECT_EQ(window->StatusLabel(), QStringLiteral("Connected to "));
    EXPECT_EQ(window->StatusValue(), QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(Child<controls::TFcBitBtn>("SendEMailAttachment")->isEnabled());

    Child<controls::TFcCheckBox>("SecondRecipient")->ChangeState();
    EXPECT_EQ(Child<QListWidget>("ToList")->count(), 2);
    Child<QPlainTextEdit>("Memo")->setPlainText(QStringLiteral("Your dates\nSee you Monday"));
    Child<controls::TFcBitBtn>("SendEMailAttachment")->Click();
    ASSERT_TRUE(test::Settle(window->Logic()));
    EXPECT_EQ(window->StatusValue(), QStringLiteral("Mail sent"));

    const auto messages = server.Messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0]["rcpt_tos"].toArray().size(), 2);
    EXPECT_EQ(messages[0]["subject"].toString(), QStringLiteral("Schedule for May"));
    EXPECT_TRUE(messages[0]["body"].toString().contains(QStringLiteral("See you Monday")));
    EXPECT_EQ(messages[0]["attachments"].toArray()[0].toObject()["filename"].toString(),
              QStringLiteral("schedule.pdf"));
    window->close();
}

TEST_F(SendEmailWindowTest, ARefusedLoginAndARefusedRecipientShowTheServersWords)
{
    SmtpTestServer server({QStringLiteral("--refuse-login")});
    settings.UseAuthentication = true;
    settings.UserId = QStringLiteral("clerk");
    Make(server);
    Open();
    ASSERT_TRUE(test::Settle(window->Logic()));
    EXPECT_EQ(window->StatusLabel(), QStringLiteral("Connect failed "));
    EXPECT_TRUE(window->StatusValue().startsWith(QStringLiteral("535 5.7.8 Login refused")))
        << window->StatusValue().toStdString();
    window->close();

    SmtpTestServer strict({QStringLiteral("--refuse-rcpt"), QStringLiteral("ann@example.com")});
    settings.UseAuthentication = false;
    Make(strict);
    Open();
    ASSERT_TRUE(test::Settle(window->Logic()));
    Child<controls::TFcBitBtn>("SendEMailAttachment")->Click();
    ASSERT_TRUE(test::Settle(window->Logic()));
    EXPECT_EQ(window->StatusLabel(), QStringLiteral("Send mail failed "));
    EXPECT_TRUE(window->StatusValue().startsWith(QStringLiteral("550 5.1.1")))
        << window->StatusValue().toStdString();
    EXPECT_TRUE(strict.Messages().isEmpty());
}

// A screen reader's toggle of a recipient acts as a click: the recipient
// joins the list and leaves it again.
TEST_F(SendEmailWindowTest, ARecipientToggledByAScreenReaderReachesTheList)
{
    SmtpTestServer server({});
    Make(server);
    Open();
    ASSERT_TRUE(test::Settle(window->Logic()));
    const int before = Child<QListWidget>("ToList")->count();
    QAccessibleInterface* second = QAccessible::queryAccessibleInterface(Child<QWidget>("SecondRecipient"));
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second->actionInterface(), nullptr);
    EXPECT_EQ(second->role(), QAccessible::CheckBox);
    second->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(second->state().checked);
    EXPECT_EQ(Child<QListWidget>("ToList")->count(), before + 1);
    second->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCoreApplication::processEvents();
    EXPECT_FALSE(second->state().checked);
    EXPECT_EQ(Child<QListWidget>("ToList")->count(), before);
}

TEST_F(SendEmailWindowTest, HelpLevelHidesTheHintsAndTheCustomerMessageHasNoAttachment)
{
    SmtpTestServer server({});
    Make(server);
    window->Open(1, SendEmailLogic::CustomerMessage, 0, 0, 0, 0, 0,
                 QStringLiteral("Schedule for Ann Archer"));
    ASSERT_TRUE(test::Settle(window->Logic()));
    EXPECT_TRUE(Child<controls::TFcGroupBox>("RecipientsPanel")->toolTip().isEmpty());
    EXPECT_FALSE(Child<QLineEdit>("AttachmentList")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>("Subject")->text(), QStringLiteral("Schedule for Ann Archer"));
    window->close();
    Open();
    ASSERT_TRUE(test::Settle(window->Logic()));
    EXPECT_FALSE(Child<controls::TFcGroupBox>("RecipientsPanel")->toolTip().isEmpty());
    EXPECT_TRUE(Child<QLineEdit>("AttachmentList")->isEnabled());
    EXPECT_EQ(Child<controls::TFcBitBtn>("AddName")->Caption(), QStringLiteral("Add    recipient"));
}

TEST_F(SendEmailWindowTest, Screenshot)
{
    SmtpTestServer server({});
    Make(server);
    Open();
    ASSERT_TRUE(test::Settle(window->Logic()));
    Child<controls::TFcCheckBox>("SecondRecipient")->ChangeState();
    window->resize(window->sizeHint().expandedTo(QSize(560, 480)));
    const QImage image = window->grab().toImage();
    // The status bar's text is drawn: its row holds dark pixels.
    const auto* value = Child<controls::TFcStatusPane>("StatusPanel1");
    const QPoint at = value->mapTo(window.get(), QPoint(0, value->height() / 2));
    int dark = 0;
    for (int x = at.x(); x < std::min(image.width(), at.x() + value->width()); ++x)
        dark += qGray(image.pixel(x, at.y())) < 128;
    EXPECT_GT(dark, 0);
    // Written only on request, so that a test run leaves the tree as it was.
    const QString folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(image.save(folder + QStringLiteral("/send-email.png")));
    }
}

}  // namespace
}  // namespace tw::email
