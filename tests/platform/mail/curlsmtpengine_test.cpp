// The SMTP engine against a real SMTP server on 127.0.0.1.
#include "platform/mail/curlsmtpengine.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "smtptestserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tw::mail {
namespace {

using test::SmtpTestServer;

const QString kSender = QStringLiteral("<office@example.com>");

class CurlSmtpEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile pdf(folder_.filePath(QStringLiteral("schedule.pdf")));
        ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
        pdf.write("%PDF-1.4\n" + QByteArray(4000, 'x') + "\n%%EOF\n");
    }
    QString Pdf() const { return folder_.filePath(QStringLiteral("schedule.pdf")); }

    // Attach, log in when asked and connect, in the window's order.
    int Open(CurlSmtpEngine& engine, int port, const QString& user = {}, const QString& password = {})
    {
        EXPECT_GE(engine.Attach(), 0);
        if (!user.isEmpty()) {
            EXPECT_GE(engine.SetAuthentication(user, password), 0);
        }
        EXPECT_GE(engine.SetPort(port), 0);
        return engine.Connect(QStringLiteral("127.0.0.1"), kSender, kSender);
    }

    QTemporaryDir folder_;
};

TEST_F(CurlSmtpEngineTest, SendsTheScheduleOverStartTlsWithLoginToBothRecipients)
{
    SmtpTestServer server({QStringLiteral("--starttls"), QStringLiteral("--auth"), QStringLiteral("clerk"),
                           QStringLiteral("s3cret")});
    CurlSmtpEngine engine;
    engine.SetCertificateFile(server.Certificate());
    const int connected = Open(engine, server.Port(), QStringLiteral("clerk"), QStringLiteral("s3cret"));
    ASSERT_GE(connected, 0) << engine.ErrorText(connected).toStdString();

    const int sent =
        engine.Send(QStringLiteral("<ann@example.com>;<bob@example.org>"), {}, {},
                    QStringLiteral("Termine für Müller"), QStringLiteral("\nFirst line\nSecond line"), Pdf());
    ASSERT_GE(sent, 0) << engine.ErrorText(sent).toStdString();

    const auto messages = server.Messages();
    ASSERT_EQ(messages.size(), 1);
    const QJsonObject m = messages[0];
    EXPECT_TRUE(m["tls"].toBool());
    EXPECT_TRUE(m["authenticated"].toBool());
    EXPECT_EQ(m["mail_from"].toString(), QStringLiteral("office@example.com"));
    EXPECT_EQ(m["rcpt_tos"].toArray(),
              (QJsonArray{QStringLiteral("ann@example.com"), QStringLiteral("bob@example.org")}));
    EXPECT_EQ(m["from"].toString(), QStringLiteral("office@example.com"));
    EXPECT_TRUE(m["to"].toString().contains(QStringLiteral("ann@example.com")));
    EXPECT_TRUE(m["to"].toString().contains(QStringLiteral("bob@example.org")));
    EXPECT_EQ(m["subject"].toString(), QStringLiteral("Termine für Müller"));
    EXPECT_FALSE(m["date"].toString().isEmpty());
    QString body = m["body"].toString().remove(u'\r');
    while (body.endsWith(u'\n'))
        body.chop(1);
    EXPECT_EQ(body, QStringLiteral("\nFirst line\nSecond line"));
    EXPECT_TRUE(m["defects"].toArray().isEmpty());
    const QJsonArray attachments = m["attachments"].toArray();
    ASSERT_EQ(attachments.size(), 1);
    const QJsonObject a = attachments[0].toObject();
    EXPECT_EQ(a["filename"].toString(), QStringLiteral("schedule.pdf"));
    EXPECT_EQ(a["content_type"].toString(), QStringLiteral("application/pdf"));
    EXPECT_TRUE(QByteArray::fromBase64(a["head"].toString().toLatin1()).startsWith("%PDF-"));
    EXPECT_EQ(a["size"].toInt(), QFile(Pdf()).size());
}

TEST_F(CurlSmtpEngineTest, AMessageWithoutAttachmentGoesOutAsText)
{
    SmtpTestServer server({});
    CurlSmtpEngine engine;
    ASSERT_GE(Open(engine, server.Port()), 0);
    ASSERT_GE(engine.Send(QStringLiteral("<ann@example.com>"), {}, {}, QStringLiteral("Schedule for Ann"),
                          QStringLiteral("\nSchedule for Ann"), QString()),
              0);
    const auto messages = server.Messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0]["subject"].toString(), QStringLiteral("Schedule for Ann"));
    EXPECT_TRUE(messages[0]["attachments"].toArray().isEmpty());
    EXPECT_FALSE(messages[0]["tls"].toBool());
}

TEST_F(CurlSmtpEngineTest, ARefusedLoginFailsTheConnectWithTheServersReply)
{
    SmtpTestServer server({QStringLiteral("--refuse-login")});
    CurlSmtpEngine engine;
    const int rc = Open(engine, server.Port(), QStringLiteral("clerk"), QStringLiteral("wrong"));
    ASSERT_LT(rc, 0);
    EXPECT_TRUE(engine.ErrorText(rc).contains(QStringLiteral("535 5.7.8 Login refused by the test server")))
        << engine.ErrorText(rc).toStdString();
}

TEST_F(CurlSmtpEngineTest, ARefusedRecipientFailsTheSendWithTheServersReplyAndNothingArrives)
{
    SmtpTestServer server({QStringLiteral("--refuse-rcpt"), QStringLiteral("bob@example.org")});
    CurlSmtpEngine engine;
    ASSERT_GE(Open(engine, server.Port()), 0);
    const int rc = engine.Send(QStringLiteral("<ann@example.com>;<bob@example.org>"), {}, {},
                               QStringLiteral("Schedule"), QStringLiteral("\nx"), Pdf());
    ASSERT_LT(rc, 0);
    EXPECT_TRUE(engine.ErrorText(rc).startsWith(QStringLiteral("550 5.1.1 Mailbox unavailable")))
        << engine.ErrorText(rc).toStdString();
    EXPECT_TRUE(server.Messages().isEmpty());
}

TEST_F(CurlSmtpEngineTest, AServerCertificateNobodyVouchesForIsRefused)
{
    SmtpTestServer server({QStringLiteral("--starttls")});
    CurlSmtpEngine engine;
    const int rc = Open(engine, server.Port());
    ASSERT_LT(rc, 0);
    EXPECT_FALSE(engine.ErrorText(rc).isEmpty());
}

TEST_F(CurlSmtpEngineTest, NothingListeningFailsTheConnectWithAReason)
{
    // A port of 127.0.0.1 that was free a moment ago and is closed again.
    int port = 0;
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), size), 0);
        ASSERT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size), 0);
        port = ntohs(address.sin_port);
        ::close(fd);
    }
    CurlSmtpEngine engine;
    const int rc = Open(engine, port);
    ASSERT_LT(rc, 0);
    EXPECT_TRUE(engine.ErrorText(rc).contains(QStringLiteral("connect"), Qt::CaseInsensitive))
        << engine.ErrorText(rc).toStdString();
    EXPECT_LE(engine.ErrorText(rc).size(), kErrorTextLimit);
}

TEST_F(CurlSmtpEngineTest, AServerThatNeverAnswersIsGivenUpWithinTheLimits)
{
    SmtpTestServer server({QStringLiteral("--silent")});
    CurlSmtpEngine engine;
    engine.SetLimits({1, 1, 3});
    QElapsedTimer clock;
    clock.start();
    const int rc = Open(engine, server.Port());
    ASSERT_LT(rc, 0);
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_FALSE(engine.ErrorText(rc).isEmpty());
}

TEST_F(CurlSmtpEngineTest, AddressesThatCouldInjectCommandsAreRefusedBeforeAnythingIsSent)
{
    SmtpTestServer server({});
    CurlSmtpEngine engine;
    ASSERT_GE(Open(engine, server.Port()), 0);
    const QString bad[] = {
        QStringLiteral("<ann@example.com\r\nRCPT TO:<eve@example.com>>"),
        QStringLiteral("<ann@example.com>;<eve@example.com>\r\nDATA"),
        QStringLiteral("<ann@example.com\nBcc: eve@example.com>"),
    };
    for (const QString& to : bad) {
        const int rc = engine.Send(to, {}, {}, QStringLiteral("Schedule"), QStringLiteral("\nx"), Pdf());
        EXPECT_LT(rc, 0) << to.toStdString();
        EXPECT_TRUE(engine.ErrorText(rc).startsWith(QStringLiteral("Invalid e-mail address")))
            << engine.ErrorText(rc).toStdString();
    }
    EXPECT_TRUE(server.Messages().isEmpty());
}

TEST_F(CurlSmtpEngineTest, SendWithoutAttachOrConnectReportsWhy)
{
    CurlSmtpEngine engine;
    int rc = engine.Send(QStringLiteral("<ann@example.com>"), {}, {}, {}, {}, {});
    ASSERT_LT(rc, 0);
    EXPECT_EQ(engine.ErrorText(rc), QStringLiteral("Mail engine not attached"));
    engine.Attach();
    rc = engine.Connect(QStringLiteral("  "), kSender, kSender);
    ASSERT_LT(rc, 0);
    EXPECT_EQ(engine.ErrorText(rc), QStringLiteral("No SMTP server name in the e-mail settings"));
    rc = engine.SetPort(-4);
    ASSERT_LT(rc, 0);
    EXPECT_EQ(engine.ErrorText(rc), QStringLiteral("Invalid SMTP port -4"));
}

}  // namespace
}  // namespace tw::mail
