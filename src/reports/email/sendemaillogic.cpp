#include "reports/email/sendemaillogic.h"

#include <QFile>
#include <QMetaObject>

#include <exception>

#include "platform/mail/fcsendmessage.h"
#include "platform/mail/mailtexts.h"

namespace tw::email {

namespace {

constexpr int kDefaultSmtpPort = 25;

QString Enclosed(const QString& address)
{
    return u'<' + address.trimmed() + u'>';
}

}  // namespace

QStringList MessageList(const QString& messageText)
{
    return QStringList{messageText};
}

SendEmailLogic::SendEmailLogic(SendEmailControls& controls, std::function<MailSettings()> settings,
                               EngineFactory engines)
    : controls_(controls),
      readSettings_(std::move(settings)),
      engines_(std::move(engines))
{
    // One worker, so that connect, send and release keep their order.
    worker_.setMaxThreadCount(1);
    worker_.setExpiryTimeout(-1);
    controls_.SetRecipientChecks(false, false);
}

SendEmailLogic::~SendEmailLogic()
{
    worker_.waitForDone();
}

void SendEmailLogic::WaitForWorker()
{
    worker_.waitForDone();
}

QString SendEmailLogic::AttachmentPath() const
{
    return folder_ ? folder_->FilePath(kAttachmentName) : QString();
}

void SendEmailLogic::RunInBackground(std::function<QString()> work, std::function<void(const QString&)> done)
{
    if (++pending_ == 1)
        controls_.SetBusy(true);
    worker_.start([this, work = std::move(work), done = std::move(done)] {
        QString result = work();
        QMetaObject::invokeMethod(
            this,
            [this, done, result] {
                if (done)
                    done(result);
                if (--pending_ == 0)
                    controls_.SetBusy(false);
                emit stepFinished();
            },
            Qt::QueuedConnection);
    });
}

void SendEmailLogic::Open(int helpLevel, Mode mode, const ReportPeriod& period, const QString& messageText)
{
    if (open_) {
        controls_.RestoreWindow();
        return;
    }
    settings_ = readSettings_ ? readSettings_() : MailSettings{};
    if (settings_.SmtpPort == 0)
        settings_.SmtpPort = kDefaultSmtpPort;
    open_ = true;
    mode_ = mode;
    period_ = period;
    controls_.SetHintsShown(helpLevel == 0);

    if (mode_ == CustomerMessage) {
        controls_.SetAttachmentEnabled(false);
        controls_.SetSubject(messageText);
    } else {
        controls_.SetAttachmentEnabled(true);
        controls_.SetSubject(report_ ? report_->Title : QString());
    }

    const CustomerContacts customer = contacts_ ? contacts_() : CustomerContacts{};
    controls_.ShowContacts(customer);
    controls_.SetRecipientChecks(!customer.UseAlt, customer.UseAlt);

    controls_.SetMemo(messageText);
    messageList_.clear();

    if (settings_.UseMailProgram) {
        // The desktop starts the user's mail program itself when the message
        // is handed over; what can be checked now is that the hand-off
        // program is there.
        mail::TFcSendMessage sender(settings_.MailProgram);
        SetEmailStatus(QString(),
                       sender.ResolvedProgram().isEmpty() ? QStringLiteral("Mail program not found")
                                                          : QStringLiteral("Mail program found"));
        if (!mailProgramReady_) {
            try {
                sender.ClearLists();
                mailProgramReady_ = true;
            } catch (const mail::MailProgramError&) {
                SetEmailStatus(QString(), QStringLiteral("Mail program interface failed"));
            }
        }
    } else {
        if (!attached_) {
            engine_ = engines_();
            attached_ = true;
            std::shared_ptr<mail::SmtpEngine> engine = engine_;
            RunInBackground([engine] { return engine->Attach() < 0 ? QStringLiteral("-") : QString(); }, {});
        }
        if (!connected_)
            SmtpConnect();
    }

    if (mode_ == CustomerMessage)
        controls_.SetAttachmentList(QString());
    else
        SetAttachmentName();
    FillRecipients();
    controls_.ShowWindow();
}

void SendEmailLogic::SmtpConnect()
{
    const QString sender = Enclosed(settings_.From);
    const MailSettings s = settings_;
    if (s.Host.trimmed().isEmpty()) {
        connected_ = false;
        SetEmailStatus(QStringLiteral("Connect failed "), QString::fromLatin1(kNoServerText));
        return;
    }
    std::shared_ptr<mail::SmtpEngine> engine = engine_;
    SetEmailStatus(QStringLiteral("Connecting to server"), QString());
    RunInBackground(
        [engine, s, sender]() -> QString {
            int rc = s.UseAuthentication ? engine->SetAuthentication(s.UserId, s.Password) : 0;
            if (rc >= 0)
                rc = engine->SetPort(s.SmtpPort);
            if (rc >= 0)
                rc = engine->Connect(s.Host, sender, sender);
            return rc >= 0 ? QString() : engine->ErrorText(rc);
        },
        [this, host = s.Host](const QString& error) {
            connected_ = error.isEmpty();
            if (connected_)
                SetEmailStatus(QStringLiteral("Connected to "), host);
            else
                SetEmailStatus(QStringLiteral("Connect failed "), error);
        });
}

void SendEmailLogic::FillRecipients()
{
    if (!open_)
        return;
    const CustomerContacts customer = contacts_ ? contacts_() : CustomerContacts{};
    QStringList list;
    if (controls_.FirstRecipientChecked())
        list << customer.Email1;
    if (controls_.SecondRecipientChecked())
        list << customer.Email2;
    controls_.SetToList(list);
}

void SendEmailLogic::AddNameClick()
{
    controls_.SetToList(controls_.ToList() << kPlaceholderAddress);
}

void SendEmailLogic::ClearRecipsClick()
{
    controls_.SetToList({});
}

void SendEmailLogic::SetAttachmentName()
{
    if (!folder_)
        folder_ = std::make_unique<mail::PrivateFolder>();
    controls_.SetAttachmentList(AttachmentPath());
}

bool SendEmailLogic::MakeSchedulePdf()
{
    if (!report_ || !report_->Make) {
        SetEmailStatus(QStringLiteral("Send mail failed "), QStringLiteral("No report to attach"));
        return false;
    }
    if (report_->ChartType == 0)
        SetEmailStatus(QStringLiteral("Creating chart image"), QString());
    PdfOutcome pdf;
    try {
        pdf = report_->Make(period_);
    } catch (const std::exception& e) {
        SetEmailStatus(QStringLiteral("Send mail failed "), QString::fromLocal8Bit(e.what()));
        return false;
    }
    if (pdf.Pdf.isEmpty()) {
        SetEmailStatus(pdf.Message.isEmpty() ? QStringLiteral("Use Landscape page format") : pdf.Message,
                       QString());
        return false;
    }
    SetAttachmentName();
    QString error;
    if (!folder_->Write(kAttachmentName, pdf.Pdf, &error)) {
        SetEmailStatus(QStringLiteral("Send mail failed "), error);
        return false;
    }
    return true;
}

void SendEmailLogic::SendEMailAttachmentClick()
{
    if (IsBusy())
        return;
    if (mode_ == ScheduleReport && !MakeSchedulePdf())
        return;
    const QString messageText = mail::MessageText(controls_.MemoLines());
    const QStringList recipients = controls_.ToList();
    if (!recipients.isEmpty())
        SmtpSend(messageText, recipients);
    else
        SetEmailStatus(QString(), QStringLiteral("No mailing address"));
}

void SendEmailLogic::SmtpSend(const QString& messageText, const QStringList& recipients)
{
    QStringList addresses;
    for (const QString& r : recipients) {
        const mail::AddressCheck check = mail::CheckAddress(r);
        if (!check.Ok()) {
            SetEmailStatus(QStringLiteral("Send mail failed "), check.Error);
            return;
        }
        addresses << check.Address;
    }
    const QString to = mail::RecipientText(addresses);
    SetEmailStatus(QStringLiteral("Sending mail to "), to);
    if (settings_.UseMailProgram) {
        MailProgramSend(messageText, addresses);
        return;
    }
    if (!engine_) {
        SetEmailStatus(QStringLiteral("Send mail failed "), QStringLiteral("Mail engine not attached"));
        return;
    }
    std::shared_ptr<mail::SmtpEngine> engine = engine_;
    const QString subject = controls_.Subject().trimmed();
    const QString attachment = controls_.AttachmentList().trimmed();
    const bool removeAfterwards = mode_ == ScheduleReport;
    RunInBackground(
        [engine, to, subject, messageText, attachment]() -> QString {
            const int rc = engine->Send(to, QString(), QString(), subject, messageText, attachment);
            const QString error = rc >= 0 ? QString() : engine->ErrorText(rc);
            return error;
        },
        [this, attachment, removeAfterwards](const QString& error) {
            if (removeAfterwards && !attachment.isEmpty())
                QFile::remove(attachment);
            if (error.isEmpty())
                SetEmailStatus(QString(), QStringLiteral("Mail sent"));
            else
                SetEmailStatus(QStringLiteral("Send mail failed "), error);
        });
}

void SendEmailLogic::MailProgramSend(const QString& messageText, const QStringList& recipients)
{
    if (!mailProgramReady_) {
        SetEmailStatus(QStringLiteral("Send mail failed "), QStringLiteral("Mail program interface failed"));
        return;
    }
    messageList_ = MessageList(messageText);
    const QString program = settings_.MailProgram;
    const QString subject = controls_.Subject().trimmed();
    const QStringList message = messageList_;
    QStringList attachments;
    // The mail program reads the file after the hand-off, so it stays until
    // the next PDF replaces it or the program ends.
    if (!controls_.AttachmentList().trimmed().isEmpty())
        attachments << controls_.AttachmentList().trimmed();
    RunInBackground(
        [program, subject, message, recipients, attachments]() -> QString {
            try {
                mail::TFcSendMessage sender(program);
                sender.ClearLists();
                sender.Subject = subject;
                sender.SetMailMessage(message);
                sender.SetToRecipients(recipients);
                sender.SetBccRecipients({});
                sender.SetAttachments(attachments);
                sender.Send();
                return QString();
            } catch (const mail::MailProgramError& e) {
                return e.Text().isEmpty() ? QStringLiteral("unknown failure") : e.Text();
            }
        },
        [this](const QString& error) {
            if (error.isEmpty())
                SetEmailStatus(QString(), QStringLiteral("Mail sent"));
            else
                SetEmailStatus(QStringLiteral("Send mail failed "), error);
        });
}

void SendEmailLogic::FormClose()
{
    if (!open_)
        return;
    open_ = false;
    if (!settings_.UseMailProgram && attached_) {
        std::shared_ptr<mail::SmtpEngine> engine = std::move(engine_);
        attached_ = false;
        RunInBackground(
            [engine] {
                engine->Release();
                return QString();
            },
            {});
    }
    messageList_.clear();
    connected_ = false;
    controls_.HideWindow();
}

}  // namespace tw::email
