#pragma once
// The SMTP engine over libcurl. Port 465 speaks SMTPS from the first byte;
// any other port upgrades with STARTTLS when the server offers it, and the
// server's certificate is verified either way. Connect logs in and leaves, so
// that a wrong host or a refused login shows when the window opens; every
// send makes its own connection. Errors carry the server's own reply when
// there is one, curl's description otherwise.

#include <QString>

#include <map>

#include "platform/mail/smtpengine.h"

namespace tw::mail {

class CurlSmtpEngine : public SmtpEngine {
public:
    struct Limits {
        int ConnectSeconds = 20;
        // A transfer that moves nothing for this long is given up.
        int StallSeconds = 60;
        int TotalSeconds = 600;
    };

    CurlSmtpEngine();
    ~CurlSmtpEngine() override;

    int Attach() override;
    int SetAuthentication(const QString& user, const QString& password) override;
    int SetPort(int port) override;
    int Connect(const QString& host, const QString& sender, const QString& replyTo) override;
    int Send(const QString& to, const QString& cc, const QString& bcc, const QString& subject,
             const QString& message, const QString& attachment) override;
    QString ErrorText(int code) override;
    int Release() override;

    void SetLimits(const Limits& limits) { limits_ = limits; }
    // Certificates to trust besides the system's (a company's own CA).
    void SetCertificateFile(const QString& path) { caFile_ = path; }

private:
    struct Transfer;
    int Fail(const QString& text);
    int Prepare(Transfer& t) const;
    QString Url() const;

    bool attached_ = false;
    QString host_, sender_, user_, password_, caFile_;
    bool authenticate_ = false;
    int port_ = 25;
    Limits limits_;
    std::map<int, QString> errors_;
    int nextError_ = -1;
};

}  // namespace tw::mail
