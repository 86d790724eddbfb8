#pragma once
// The SMTP engine as the e-mail window drives it: attach, authenticate, port,
// connect, send, error text, release, in that order. Every call returns a
// negative code on failure, and ErrorText turns the code into the text shown
// to the user. The calls block; the window makes them off its own thread, one
// at a time.

#include <QString>

namespace tw::mail {

class SmtpEngine {
public:
    virtual ~SmtpEngine() = default;

    virtual int Attach() = 0;
    virtual int SetAuthentication(const QString& user, const QString& password) = 0;
    virtual int SetPort(int port) = 0;
    // sender and replyTo as "<address>".
    virtual int Connect(const QString& host, const QString& sender, const QString& replyTo) = 0;
    // to, cc and bcc as recipient texts ("<a>;<b>"); an empty attachment sends
    // the message alone.
    virtual int Send(const QString& to, const QString& cc, const QString& bcc, const QString& subject,
                     const QString& message, const QString& attachment) = 0;
    // At most 127 characters, as the window shows it.
    virtual QString ErrorText(int code) = 0;
    virtual int Release() = 0;
};

inline constexpr int kErrorTextLimit = 127;

}  // namespace tw::mail
