// The e-mail window's logic against a recording engine and plain controls:
// which engine calls happen in which order, and the status texts the user
// sees as they happen.
#include "reports/email/sendemaillogic.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <stdexcept>

#include "fakes.h"
#include "standinmailprogram.h"

namespace tw::email {
namespace {

using test::Customer;
using test::EngineLog;
using test::PlainControls;
using test::RecordingEngine;
using test::Settle;
using Status = std::pair<QString, QString>;

QCoreApplication& Application()
{
    static int argc = 1;
    static char name[] = "tw_email_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new QCoreApplication(argc, argv);
    return *app;
}

class SendEmailLogicTest : public ::testing::Test {
protected:
    SendEmailLogicTest()
    {
        Application();
        settings.Host = QStringLiteral("smtp.example.com");
        settings.From = QStringLiteral(" office@example.com ");
        settings.SmtpPort = 587;
        logic = std::make_unique<SendEmailLogic>(
            controls, [this] { return settings; },
            [this] {
                ++enginesMade;
                return std::make_unique<RecordingEngine>(log);
            });
        logic->SetContactsSource([this] { return customer; });
        logic->SetScheduleReport({1, QStringLiteral("Schedule of May"), [this](const ReportPeriod& p) {
                                      periodSeen = p;
                                      return pdf;
                                  }});
    }

    void OpenSchedule()
    {
        logic->Open(0, SendEmailLogic::ScheduleReport, ReportPeriod{7, 1, 7, 46000, 46007},
                    QStringLiteral("schedule.pdf is attached"));
        ASSERT_TRUE(Settle(*logic));
    }
    void Send()
    {
        logic->SendEMailAttachmentClick();
        ASSERT_TRUE(Settle(*logic));
    }

    std::shared_ptr<EngineLog> log = std::make_shared<EngineLog>();
    PlainControls controls;
    MailSettings settings;
    CustomerContacts customer = Customer();
    PdfOutcome pdf{QByteArray("%PDF-1.4\n1 0 obj\n%%EOF\n"), QString()};
    ReportPeriod periodSeen;
    int enginesMade = 0;
    std::unique_ptr<SendEmailLogic> logic;
};

TEST_F(SendEmailLogicTest, OpeningConnectsInTheEnginesOrderAndReportsTheHost)
{
    settings.UseAuthentication = true;
    settings.UserId = QStringLiteral("clerk");
    settings.Password = QStringLiteral("pw");
    OpenSchedule();
    EXPECT_EQ(log->Calls(),
              (QStringList{QStringLiteral("Attach"), QStringLiteral("SetAuthentication clerk pw"),
                           QStringLiteral("SetPort 587"),
                           QStringLiteral("Connect smtp.example.com <office@example.com> "
                                          "<office@example.com>")}));
    EXPECT_EQ(controls.statuses,
              (std::vector<Status>{{QStringLiteral("Connecting to server"), QString()},
                                   {QStringLiteral("Connected to "), settings.Host}}));
    EXPECT_TRUE(logic->SmtpConnected());
    EXPECT_TRUE(controls.visible);
    EXPECT_FALSE(controls.busy);
    EXPECT_EQ(controls.subject, QStringLiteral("Schedule of May"));
    EXPECT_EQ(controls.memo, QStringLiteral("schedule.pdf is attached"));
    EXPECT_TRUE(controls.first);
    EXPECT_FALSE(controls.second);
    EXPECT_EQ(controls.toList, QStringList{QStringLiteral("ann@example.com")});
    EXPECT_EQ(QFileInfo(controls.attachment).fileName(), QStringLiteral("schedule.pdf"));
    EXPECT_NE(QFileInfo(controls.attachment).absolutePath(),
              QFileInfo(QStringLiteral(".")).absoluteFilePath());
    // Nobody but this user can read or replace the file.
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
        | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(QFileInfo(controls.attachment).absolutePath()).permissions() & others, 0);
}

TEST_F(SendEmailLogicTest, PortZeroConnectsOnPort25AndNoLoginWhenNotAsked)
{
    settings.SmtpPort = 0;
    OpenSchedule();
    EXPECT_TRUE(log->Calls().contains(QStringLiteral("SetPort 25")));
    for (const QString& call : log->Calls())
        EXPECT_FALSE(call.startsWith(QStringLiteral("SetAuthentication")));
}

// With no server set the window says where it is set instead of trying one.
TEST_F(SendEmailLogicTest, NoServerSetSaysWhereToSetIt)
{
    settings.Host = QStringLiteral("  ");
    OpenSchedule();
    for (const QString& call : log->Calls())
        EXPECT_FALSE(call.startsWith(QStringLiteral("Connect"))) << call.toStdString();
    EXPECT_EQ(controls.statuses,
              (std::vector<Status>{{QStringLiteral("Connect failed "),
                                    QStringLiteral("No e-mail server is set: enter it on the E-Mail page of "
                                                   "Setup on the Utilities tab")}}));
    EXPECT_FALSE(logic->SmtpConnected());
}

TEST_F(SendEmailLogicTest, SendsTheReportAsScheduleDotPdfAndRemovesItAfterwards)
{
    OpenSchedule();
    controls.SetToList({QStringLiteral(" ann@example.com "), QStringLiteral("bob@example.org")});
    controls.memo = QStringLiteral("first\nsecond");
    controls.statuses.clear();
    Send();
    const QString path = controls.attachment;
    EXPECT_EQ(log->Calls().last(),
              QStringLiteral("Send to=<ann@example.com>;<bob@example.org> cc= bcc= subject=Schedule of May "
                             "message=\\nfirst\\nsecond attachment=")
                  + path);
    EXPECT_EQ(log->attachmentBytes, pdf.Pdf);
    EXPECT_EQ(periodSeen.SpanDays, 7);
    EXPECT_EQ(periodSeen.End, 46007);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(controls.statuses,
              (std::vector<Status>{
                  {QStringLiteral("Sending mail to "), QStringLiteral("<ann@example.com>;<bob@example.org>")},
                  {QString(), QStringLiteral("Mail sent")}}));
}

TEST_F(SendEmailLogicTest, TheGanttImageSaysItIsBeingMadeFirst)
{
    logic->SetScheduleReport({0, QStringLiteral("Gantt"), [this](const ReportPeriod&) { return pdf; }});
    OpenSchedule();
    controls.statuses.clear();
    Send();
    ASSERT_FALSE(controls.statuses.empty());
    EXPECT_EQ(controls.statuses.front(), (Status{QStringLiteral("Creating chart image"), QString()}));
    EXPECT_EQ(controls.LastStatus().second, QStringLiteral("Mail sent"));
}

TEST_F(SendEmailLogicTest, NothingIsSentWhenTheReportRefusesOrNoOneIsAddressed)
{
    OpenSchedule();
    const int callsAfterOpen = log->Calls().size();

    pdf = PdfOutcome{QByteArray(), QString()};
    Send();
    EXPECT_EQ(controls.LastStatus(), (Status{QStringLiteral("Use Landscape page format"), QString()}));

    logic->SetScheduleReport({1, QString(), [](const ReportPeriod&) -> PdfOutcome {
                                  throw std::runtime_error("Table ICrews.DBF is damaged");
                              }});
    Send();
    EXPECT_EQ(controls.LastStatus(),
              (Status{QStringLiteral("Send mail failed "), QStringLiteral("Table ICrews.DBF is damaged")}));

    logic->SetScheduleReport({1, QString(), [](const ReportPeriod&) { return PdfOutcome{"%PDF-1.4", {}}; }});
    controls.toList.clear();
    Send();
    EXPECT_EQ(controls.LastStatus(), (Status{QString(), QStringLiteral("No mailing address")}));

    const QString bad[] = {QStringLiteral("ann@example.com\r\nRCPT TO:<eve@example.com>"),
                           QStringLiteral("<ann@example.com>"), QStringLiteral("   ")};
    for (const QString& address : bad) {
        controls.toList = {QStringLiteral("bob@example.org"), address};
        Send();
        EXPECT_EQ(controls.LastStatus().first, QStringLiteral("Send mail failed ")) << address.toStdString();
        EXPECT_FALSE(controls.LastStatus().second.contains(u'\n'));
    }
    EXPECT_EQ(log->Calls().size(), callsAfterOpen);
}

TEST_F(SendEmailLogicTest, AFailedConnectLeavesTheWindowUsableAndTheSendReportsTheEnginesError)
{
    log->connectError = QStringLiteral("535 5.7.8 Authentication failed");
    log->sendError = QStringLiteral("Failed to connect to smtp.example.com port 587");
    OpenSchedule();
    EXPECT_EQ(controls.LastStatus(), (Status{QStringLiteral("Connect failed "), log->connectError}));
    EXPECT_FALSE(logic->SmtpConnected());
    EXPECT_FALSE(controls.busy);
    Send();
    EXPECT_EQ(controls.LastStatus(), (Status{QStringLiteral("Send mail failed "), log->sendError}));
}

TEST_F(SendEmailLogicTest, TheCustomerMessageGoesWithoutAttachmentAndWithItsTextAsSubject)
{
    customer = Customer(true);
    logic->Open(1, SendEmailLogic::CustomerMessage, {}, QStringLiteral("Schedule for Bob Archer"));
    ASSERT_TRUE(Settle(*logic));
    EXPECT_FALSE(controls.hintsShown);
    EXPECT_FALSE(controls.attachmentEnabled);
    EXPECT_TRUE(controls.attachment.isEmpty());
    EXPECT_FALSE(controls.first);
    EXPECT_TRUE(controls.second);
    EXPECT_EQ(controls.toList, QStringList{QStringLiteral("bob@example.org")});
    Send();
    EXPECT_EQ(log->Calls().last(),
              QStringLiteral("Send to=<bob@example.org> cc= bcc= subject=Schedule for Bob "
                             "Archer message=\\nSchedule for Bob Archer attachment="));
}

TEST_F(SendEmailLogicTest, OpeningAnOpenWindowOnlyRestoresItAndReopeningAttachesAndConnectsAgain)
{
    OpenSchedule();
    logic->Open(0, SendEmailLogic::CustomerMessage, {}, QStringLiteral("other"));
    EXPECT_EQ(controls.restored, 1);
    EXPECT_EQ(controls.memo, QStringLiteral("schedule.pdf is attached"));

    logic->FormClose();
    ASSERT_TRUE(Settle(*logic));
    EXPECT_FALSE(controls.visible);
    EXPECT_EQ(log->Calls().last(), QStringLiteral("Release"));
    OpenSchedule();
    const QStringList calls = log->Calls();
    EXPECT_EQ(calls.count(QStringLiteral("Attach")), 2);
    EXPECT_EQ(calls.filter(QStringLiteral("Connect ")).size(), 2);
    EXPECT_EQ(enginesMade, 2);
}

TEST_F(SendEmailLogicTest, CheckingTheBoxesFillsTheRecipientsAsStored)
{
    customer.Email2 = QStringLiteral("bob@example.org ");
    OpenSchedule();
    controls.second = true;
    logic->FillRecipients();
    EXPECT_EQ(controls.toList,
              (QStringList{QStringLiteral("ann@example.com"), QStringLiteral("bob@example.org ")}));
    logic->AddNameClick();
    EXPECT_EQ(controls.toList.size(), 3);
    logic->ClearRecipsClick();
    EXPECT_TRUE(controls.toList.isEmpty());
}

// The mail program path, with a stand-in xdg-email.
class MailProgramTest : public SendEmailLogicTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(standIn.IsValid());
        settings.UseMailProgram = true;
        settings.MailProgram = standIn.Program();
    }
    QStringList Args() const { return standIn.Arguments(); }
    mail::test::StandInMailProgram standIn;
};

TEST_F(MailProgramTest, HandsTheMessageToTheMailProgramAndReportsItsOutcome)
{
    OpenSchedule();
    EXPECT_TRUE(logic->MailProgramReady());
    EXPECT_EQ(controls.LastStatus(), (Status{QString(), QStringLiteral("Mail program found")}));
    EXPECT_TRUE(log->Calls().isEmpty());
    Send();
    EXPECT_EQ(controls.LastStatus(), (Status{QString(), QStringLiteral("Mail sent")}));
    EXPECT_EQ(
        Args(),
        (QStringList{QStringLiteral("--utf8"), QStringLiteral("--subject"), QStringLiteral("Schedule of May"),
                     QStringLiteral("--body"), QStringLiteral("\nschedule.pdf is attached"),
                     QStringLiteral("--attach"), controls.attachment, QStringLiteral("ann@example.com")}));
    EXPECT_EQ(standIn.AttachmentHead(), QByteArray("%PDF-"));
    // The mail program may read the attachment after the hand-off.
    EXPECT_TRUE(QFile::exists(controls.attachment));

    standIn.SetStatus(4);
    Send();
    EXPECT_EQ(controls.LastStatus().first, QStringLiteral("Send mail failed "));
    EXPECT_TRUE(controls.LastStatus().second.contains(QStringLiteral("no method available")));
}

TEST_F(MailProgramTest, AMissingMailProgramIsReportedAtOpeningAndAtEverySend)
{
    settings.MailProgram = standIn.Folder() + QStringLiteral("/missing");
    OpenSchedule();
    EXPECT_FALSE(logic->MailProgramReady());
    EXPECT_EQ(controls.LastStatus(), (Status{QString(), QStringLiteral("Mail program interface failed")}));
    Send();
    EXPECT_EQ(controls.LastStatus(),
              (Status{QStringLiteral("Send mail failed "), QStringLiteral("Mail program interface failed")}));
    EXPECT_TRUE(Args().isEmpty());
}

}  // namespace
}  // namespace tw::email
