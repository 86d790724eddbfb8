#pragma once
// The texts that go from editable fields into SMTP commands, mail headers and
// the mail program's command line. An address that could smuggle a second
// command or header (a line break, an angle bracket) is refused rather than
// cleaned, so that the user sees what was wrong.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tw::mail {

struct AddressCheck {
    QString Address;  // trimmed
    QString Error;    // empty when the address may be used
    bool Ok() const { return Error.isEmpty(); }
};

AddressCheck CheckAddress(const QString& text);

// Each address in angle brackets, joined with ";"; empty for no addresses.
QString RecipientText(const QStringList& addresses);
// The addresses of a recipient text, without their brackets.
QStringList RecipientAddresses(const QString& recipientText);

// Every line preceded by a line feed, so the text starts with one.
QString MessageText(const QStringList& lines);

// A header value as it may stand after "Subject: ": printable ASCII as it is,
// anything else as RFC 2047 encoded words in UTF-8, so that no line break
// and no raw 8-bit byte reaches the header.
QByteArray EncodedHeaderText(const QString& text);

// The Date header's value ("Thu, 10 Dec 2026 18:20:03 +0000"), in English
// whatever the locale.
QByteArray MailDateText(const QDateTime& when);

// Line feeds as CRLF, which the mail body needs on the wire.
QByteArray CrlfText(const QString& text);

}  // namespace tw::mail
