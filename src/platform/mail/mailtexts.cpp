#include "platform/mail/mailtexts.h"

namespace tw::mail {

AddressCheck CheckAddress(const QString& text)
{
    AddressCheck check;
    check.Address = text.trimmed();
    if (check.Address.isEmpty()) {
        check.Error = QStringLiteral("Empty e-mail address");
        return check;
    }
    for (QChar c : check.Address) {
        if (c == u'<' || c == u'>' || c.unicode() < 0x20 || c.unicode() == 0x7F) {
            check.Error = QStringLiteral("Invalid e-mail address: ") + check.Address.simplified();
            return check;
        }
    }
    return check;
}

QString RecipientText(const QStringList& addresses)
{
    QStringList enclosed;
    for (const QString& a : addresses)
        enclosed << u'<' + a + u'>';
    return enclosed.join(u';');
}

QStringList RecipientAddresses(const QString& recipientText)
{
    QStringList result;
    for (QString item : recipientText.split(u';', Qt::SkipEmptyParts)) {
        item = item.trimmed();
        if (item.startsWith(u'<') && item.endsWith(u'>'))
            item = item.mid(1, item.size() - 2).trimmed();
        if (!item.isEmpty())
            result << item;
    }
    return result;
}

QString MessageText(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += u'\n' + line;
    return text;
}

QByteArray EncodedHeaderText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    bool plain = utf8.size() <= 900;
    for (char c : utf8)
        plain = plain && c >= 0x20 && c < 0x7F;
    if (plain && !utf8.contains("=?"))
        return utf8;
    // Encoded words stay within 75 characters: 45 bytes give 60 of base64,
    // and a UTF-8 sequence is never cut between two words.
    constexpr int kChunk = 45;
    QByteArray out;
    int at = 0;
    while (at < utf8.size()) {
        int end = std::min<int>(at + kChunk, utf8.size());
        while (end < utf8.size() && end > at && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        if (!out.isEmpty())
            out += ' ';
        out += "=?UTF-8?B?" + utf8.mid(at, end - at).toBase64() + "?=";
        at = end;
    }
    return out;
}

QByteArray MailDateText(const QDateTime& when)
{
    static const char* const kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDateTime utc = when.toUTC();
    const QDate d = utc.date();
    const QTime t = utc.time();
    return QStringLiteral("%1, %2 %3 %4 %5:%6:%7 +0000")
        .arg(QLatin1StringView(kDays[d.dayOfWeek() - 1]))
        .arg(d.day())
        .arg(QLatin1StringView(kMonths[d.month() - 1]))
        .arg(d.year())
        .arg(t.hour(), 2, 10, QChar(u'0'))
        .arg(t.minute(), 2, 10, QChar(u'0'))
        .arg(t.second(), 2, 10, QChar(u'0'))
        .toLatin1();
}

QByteArray CrlfText(const QString& text)
{
    QByteArray utf8 = text.toUtf8();
    utf8.replace("\r\n", "\n");
    utf8.replace('\r', "\n");
    utf8.replace("\n", "\r\n");
    return utf8;
}

}  // namespace tw::mail
