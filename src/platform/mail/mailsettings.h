#pragma once
// How this workstation sends mail, as the start-up reads it from eparams.dbf:
// straight to an SMTP server, or through the desktop's mail program.

#include <QString>

namespace tw::mail {

struct MailSettings {
    QString Host, UserId, Password, From, MailProgram;
    bool UseAuthentication = false;
    bool UseMailProgram = false;
    int SmtpPort = 25;
};

}  // namespace tw::mail
