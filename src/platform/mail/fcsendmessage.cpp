#include "platform/mail/fcsendmessage.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/mail/mailtexts.h"

namespace tw::mail {

namespace {

// xdg-email's own exit statuses.
QString ExitReason(int status)
{
    switch (status) {
    case 1: return QStringLiteral("the mail program refused its command line");
    case 2: return QStringLiteral("an attachment does not exist");
    case 3: return QStringLiteral("no mail program is set up on this desktop");
    case 4: return QStringLiteral("the mail program could not take the message");
    case 5: return QStringLiteral("no permission to read an attachment");
    default: return QStringLiteral("the mail program ended with status %1").arg(status);
    }
}

}  // namespace

TFcSendMessage::TFcSendMessage(const QString& program) : program_(program.trimmed()) {}

QString TFcSendMessage::ResolvedProgram() const
{
    const QString name = program_.isEmpty() ? QStringLiteral("xdg-email") : program_;
    if (name.contains(u'/')) {
        const QFileInfo info(name);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(name);
}

void TFcSendMessage::ClearLists()
{
    Subject.clear();
    message_.clear();
    to_.clear();
    bcc_.clear();
    attachments_.clear();
    if (ResolvedProgram().isEmpty())
        throw MailProgramError(QStringLiteral("Mail program not found: ")
                               + (program_.isEmpty() ? QStringLiteral("xdg-email") : program_));
}

QStringList TFcSendMessage::Arguments() const
{
    QStringList args{QStringLiteral("--utf8")};
    args << QStringLiteral("--subject") << Subject;
    args << QStringLiteral("--body") << message_.join(u'\n');
    for (const QString& path : attachments_)
        if (!path.isEmpty())
            args << QStringLiteral("--attach") << path;
    for (const QString& a : bcc_)
        args << QStringLiteral("--bcc") << a;
    args << to_;
    return args;
}

void TFcSendMessage::Send(int timeoutMs)
{
    // Addresses end up as the program's own arguments: one that looks like
    // an option would be read as one.
    for (const QStringList* list : {&to_, &bcc_}) {
        for (const QString& a : *list) {
            const AddressCheck check = CheckAddress(a);
            if (!check.Ok())
                throw MailProgramError(check.Error);
            if (check.Address.startsWith(u'-'))
                throw MailProgramError(QStringLiteral("Invalid e-mail address: ") + check.Address);
        }
    }
    if (to_.isEmpty())
        throw MailProgramError(QStringLiteral("No mailing address"));
    const QString program = ResolvedProgram();
    if (program.isEmpty())
        throw MailProgramError(QStringLiteral("Mail program not found: ")
                               + (program_.isEmpty() ? QStringLiteral("xdg-email") : program_));
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, Arguments());
    if (!process.waitForStarted(timeoutMs))
        throw MailProgramError(QStringLiteral("could not start ") + program + QStringLiteral(": ")
                               + process.errorString());
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        throw MailProgramError(program + QStringLiteral(" did not finish in time"));
    }
    if (process.exitStatus() != QProcess::NormalExit)
        throw MailProgramError(program + QStringLiteral(" crashed"));
    if (process.exitCode() != 0) {
        QString reason = ExitReason(process.exitCode());
        const QString said =
            QString::fromLocal8Bit(process.readAllStandardError()).trimmed().section(u'\n', 0, 0);
        if (!said.isEmpty())
            reason += QStringLiteral(": ") + said;
        throw MailProgramError(reason);
    }
}

}  // namespace tw::mail
