#pragma once
// The running program's settings that the setup dialog reads when shown and
// changes in its handlers. The main window owns them (and writes several to
// params.dbf at exit); the dialog's logic works on them by reference.

#include <QString>
#include <QStringList>

#include "platform/mail/mailsettings.h"

namespace tw::settings {

struct SetupSettings {
    // General page.
    int QBEdition = 0;  // 0 Canada, 1 US, 2 other (qbsetup.dbf USCAN)
    bool QBAccessChecked = false;  // the edition check passed; cleared when the edition changes
    int HelpLevel = 0;             // balloon help: 0 on, 1 off
    int ChartHintLevel = 0;
    bool ShowAssignedResources = true;
    int WorkCalendarMode = 0;  // 0 one calendar for all, 1 one per resource (mycomp.dbf PAPERO)
    int LastWorkCalendarMode = 0;
    int ResourceDisplayMode = 0;  // qbsetup.dbf MATCH
    bool TablesOpen = true;

    // Accounting page.
    int QBManualCompanyFile = 0;  // 0 automatic access, 1 located by hand (params.dbf CBID2 at exit)
    QString QBCompanyFile;        // qbsetup.dbf CPATH; empty: the file the accounting program has open

    // Security page.
    int AccessChoice = 0;  // 0 read/write, 1 read-only, 2 read/write with password (params.dbf CBID1)
    bool PasswordRequired = false;  // params.dbf USEPASSWD
    bool PasswordAccepted = false;  // the password was given in this run
    bool ReadOnlyAccess = false;    // params.dbf USEPOSTAL
    bool LoginRefused = false;      // the program is ending

    // E-mail page: how mail is sent, and eparams.dbf EMAILLI, kept and saved back.
    mail::MailSettings Email;
    QString EmailListText;

    // Job status page: Awarded, Closed, In progress, None, Not awarded, Pending.
    QStringList JobStatusTexts;

    // Auto backup page.
    bool NoAutoBackup = false;  // params.dbf SF3
    QString BackupFolder;       // params.dbf BUDIR
    QString StartDrive;         // the root of the volume the program started on: the fall-back
    bool Busy = false;          // keeps the drive, tree and list handlers idle while code moves them
};

}  // namespace tw::settings
