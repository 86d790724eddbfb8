// The hand-off to the mail program, with a stand-in xdg-email that records
// its command line and ends with the status it is told to.
#include "platform/mail/fcsendmessage.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace tw::mail {
namespace {

class FcSendMessageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QFile script(Program());
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n"
                     "here=$(dirname \"$0\")\n"
                     "printf '%s\\0' \"$@\" > \"$here/args\"\n"
                     "status=$(cat \"$here/status\" 2>/dev/null || echo 0)\n"
                     "[ \"$status\" = 0 ] || echo 'xdg-email: no method available for opening mail' >&2\n"
                     "exit \"$status\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString Program() const { return dir_.filePath(QStringLiteral("xdg-email")); }
    void SetStatus(int status)
    {
        QFile file(dir_.filePath(QStringLiteral("status")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(status));
    }
    // The arguments of the last run; empty when the program did not run.
    QStringList Recorded() const
    {
        QFile file(dir_.filePath(QStringLiteral("args")));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList args;
        for (const QByteArray& a : file.readAll().split('\0'))
            args << QString::fromUtf8(a);
        args.removeLast();
        return args;
    }
    void Fill(TFcSendMessage& sender)
    {
        sender.ClearLists();
        sender.Subject = QStringLiteral("Termine für Ann");
        sender.SetMailMessage({QStringLiteral("\nschedule.pdf is attached")});
        sender.SetToRecipients({QStringLiteral("ann@example.com"), QStringLiteral("bob@example.org")});
        sender.SetBccRecipients({});
        sender.SetAttachments({QStringLiteral("/tmp/x/schedule.pdf")});
    }

    QTemporaryDir dir_;
};

TEST_F(FcSendMessageTest, HandsSubjectBodyAttachmentAndRecipientsToTheProgram)
{
    TFcSendMessage sender(Program());
    Fill(sender);
    ASSERT_NO_THROW(sender.Send());
    EXPECT_EQ(Recorded(), (QStringList{QStringLiteral("--utf8"), QStringLiteral("--subject"),
                                       QStringLiteral("Termine für Ann"), QStringLiteral("--body"),
                                       QStringLiteral("\nschedule.pdf is attached"), QStringLiteral("--attach"),
                                       QStringLiteral("/tmp/x/schedule.pdf"), QStringLiteral("ann@example.com"),
                                       QStringLiteral("bob@example.org")}));
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
    qputenv("PATH", dir_.path().toLocal8Bit() + ':' + path);
    TFcSendMessage sender;
    EXPECT_EQ(sender.ResolvedProgram(), Program());
    Fill(sender);
    EXPECT_NO_THROW(sender.Send());
    EXPECT_FALSE(Recorded().isEmpty());
    qputenv("PATH", path);
}

TEST_F(FcSendMessageTest, AMissingProgramMakesTheSenderUnusable)
{
    TFcSendMessage sender(dir_.filePath(QStringLiteral("no-such-program")));
    EXPECT_THROW(sender.ClearLists(), MailProgramError);
    TFcSendMessage notExecutable(dir_.path());
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
