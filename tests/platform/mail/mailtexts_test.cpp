#include "platform/mail/mailtexts.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTimeZone>

namespace tw::mail {
namespace {

TEST(CheckAddress, TrimsGoodAddressesAndRefusesThoseThatCouldBreakACommandOrHeader)
{
    struct Case {
        const char* name;
        QString text;
        bool ok;
    };
    const Case cases[] = {
        {"plain", QStringLiteral("ann@example.com"), true},
        {"blanks around", QStringLiteral("  ann@example.com \t"), true},
        {"line feed", QStringLiteral("ann@example.com\nRCPT TO:<eve@example.com>"), false},
        {"carriage return", QStringLiteral("ann@example.com\rX"), false},
        {"opening bracket", QStringLiteral("<ann@example.com"), false},
        {"closing bracket", QStringLiteral("ann@example.com>"), false},
        {"bracket pair inside", QStringLiteral("a>;<eve@example.com"), false},
        {"tab inside", QStringLiteral("ann\t@example.com"), false},
        {"only blanks", QStringLiteral("   "), false},
    };
    for (const Case& c : cases) {
        const AddressCheck check = CheckAddress(c.text);
        EXPECT_EQ(check.Ok(), c.ok) << c.name;
        if (c.ok)
            EXPECT_EQ(check.Address, QStringLiteral("ann@example.com")) << c.name;
        else
            EXPECT_FALSE(check.Error.contains(u'\n') || check.Error.contains(u'\r')) << c.name;
    }
}

TEST(RecipientText, EnclosesEachAddressAndJoinsWithSemicolons)
{
    EXPECT_EQ(RecipientText({QStringLiteral("a@x.com"), QStringLiteral("b@y.com")}),
              QStringLiteral("<a@x.com>;<b@y.com>"));
    EXPECT_EQ(RecipientText({}), QString());
    EXPECT_EQ(RecipientAddresses(QStringLiteral("<a@x.com>;<b@y.com>")),
              (QStringList{QStringLiteral("a@x.com"), QStringLiteral("b@y.com")}));
    EXPECT_TRUE(RecipientAddresses(QString()).isEmpty());
}

TEST(MessageText, PutsALineFeedBeforeEveryLineAndNoneAtTheEnd)
{
    EXPECT_EQ(MessageText({QStringLiteral("first"), QStringLiteral("second")}),
              QStringLiteral("\nfirst\nsecond"));
    EXPECT_EQ(MessageText({QStringLiteral("schedule.pdf is attached")}),
              QStringLiteral("\nschedule.pdf is attached"));
    EXPECT_EQ(CrlfText(QStringLiteral("\nfirst\nsecond")), QByteArray("\r\nfirst\r\nsecond"));
}

QString DecodeWords(const QByteArray& header)
{
    static const QRegularExpression word(QStringLiteral("=\\?UTF-8\\?B\\?([A-Za-z0-9+/=]*)\\?="));
    QByteArray utf8;
    auto it = word.globalMatch(QString::fromLatin1(header));
    while (it.hasNext())
        utf8 += QByteArray::fromBase64(it.next().captured(1).toLatin1());
    return QString::fromUtf8(utf8);
}

TEST(EncodedHeaderText, KeepsPlainSubjectsAndEncodesTheRestWithoutRawLineBreaks)
{
    EXPECT_EQ(EncodedHeaderText(QStringLiteral("Schedule for Ann")), QByteArray("Schedule for Ann"));

    const QString cases[] = {
        QStringLiteral("Termine für Müller"),
        QStringLiteral("Schedule\r\nBcc: eve@example.com"),
        QStringLiteral("Looks =?UTF-8?B?encoded?= already"),
        QString(40, QChar(0x00E9)) + QStringLiteral(" and ") + QString(30, QChar(0x4E2D)),
    };
    for (const QString& subject : cases) {
        const QByteArray header = EncodedHeaderText(subject);
        EXPECT_FALSE(header.contains('\r') || header.contains('\n')) << subject.toStdString();
        for (char c : header)
            EXPECT_TRUE(c >= 0x20 && c < 0x7F) << subject.toStdString();
        for (const QByteArray& w : header.split(' '))
            EXPECT_LE(w.size(), 75) << subject.toStdString();
        // Each word decodes on its own, so a character is never cut in two.
        QString joined;
        for (const QByteArray& w : header.split(' ')) {
            const QString part = DecodeWords(w);
            EXPECT_FALSE(part.contains(QChar::ReplacementCharacter)) << subject.toStdString();
            joined += part;
        }
        EXPECT_EQ(joined, subject);
    }
}

TEST(MailDateText, IsEnglishUtcWhateverTheLocale)
{
    const QDateTime when(QDate(2026, 12, 10), QTime(18, 5, 3), QTimeZone::utc());
    EXPECT_EQ(MailDateText(when), QByteArray("Thu, 10 Dec 2026 18:05:03 +0000"));
}

}  // namespace
}  // namespace tw::mail
