// The hand-off to the mail program, with a stand-in xdg-email that records
// its command line and ends with the status it is told to.
#include "platform/mail/fcsendmessage.h"

#include <gtest/gtest.h>

#include "standinmailprogram.h"

namespace tw::mail {
namespace {

class FcSendMessageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(standIn.IsValid()); }
    QString Program() const { return standIn.Program(); }
    void SetStatus(int status) { standIn.SetStatus(status); }
    QStringList Recorded() const { return standIn.Arguments(); }
    void Fill(TFcSendMessage& sender)
    {
        sender.ClearLists();
        sender.Subject = QStringLiteral("Termine für Ann");
        sender.SetMailMessage({QStringLiteral("\nschedule.pdf is attached")});
        sender.SetToRecipients({QStringLiteral("ann@example.com"), QStringLiteral("bob@example.org")});
        sender.SetBccRecipients({});
        sender.SetAttachments({QStringLiteral("/tmp/x/schedule.pdf")});
    }

    test::StandInMailProgram standIn;
};

TEST_F(FcSendMessageTest, HandsSubjectBodyAttachmentAndRecipientsToTheProgram)
{
    TFcSendMessage sender(Program());
    Fill(sender);
    ASSERT_NO_THROW(sender.Send());
    EXPECT_EQ(
        Recorded(),
        (QStringList{QStringLiteral("--utf8"), QStringLiteral("--subject"), QStringLiteral("Termine für Ann"),
                     QStringLiteral("--body"), QStringLiteral("\nschedule.pdf is attached"),
                     QStringLiteral("--attach"), QStringLiteral("/tmp/x/schedule.pdf"),
                     QStringLiteral("ann@example.com"), QStringLiteral("bob@example.org")}));
}

TEST_F(FcSendMessageTest, AFailingProgramIsReportedWithItsStatusAndWords)
{
    TFcSendMessage sender(Program());
    Fill(sender);
    SetStatus(3);
    try {
        sender.Send();
        FAIL() << "a failed hand-off was taken for a sent mail";
    } catch (const MailProgramError& e) {
        EXPECT_TRUE(e.Text().startsWith(QStringLiteral("no mail program is set up on this desktop")));
        EXPECT_TRUE(e.Text().contains(QStringLiteral("no method available")));
    }
}

TEST_F(FcSendMessageTest, WithoutAProgramSetTheOneOnTheSearchPathRuns)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", standIn.Folder().toLocal8Bit() + ':' + path);
    TFcSendMessage sender;
    EXPECT_EQ(sender.ResolvedProgram(), Program());
    Fill(sender);
    EXPECT_NO_THROW(sender.Send());
    EXPECT_FALSE(Recorded().isEmpty());
    qputenv("PATH", path);
}

TEST_F(FcSendMessageTest, AMissingProgramMakesTheSenderUnusable)
{
    TFcSendMessage sender(standIn.Folder() + QStringLiteral("/no-such-program"));
    EXPECT_THROW(sender.ClearLists(), MailProgramError);
    TFcSendMessage notExecutable(standIn.Folder());
    EXPECT_THROW(notExecutable.ClearLists(), MailProgramError);
}

TEST_F(FcSendMessageTest, AddressesThatWouldReadAsOptionsOrHeadersNeverReachTheProgram)
{
    const QString bad[] = {QStringLiteral("--attach=/etc/passwd"), QStringLiteral("ann@example.com\nBcc: x"),
                           QStringLiteral("<ann@example.com>")};
    for (const QString& address : bad) {
        TFcSendMessage sender(Program());
        Fill(sender);
        sender.SetToRecipients({address});
        EXPECT_THROW(sender.Send(), MailProgramError) << address.toStdString();
    }
    EXPECT_TRUE(Recorded().isEmpty());
}

}  // namespace
}  // namespace tw::mail
