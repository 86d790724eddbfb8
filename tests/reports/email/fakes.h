#pragma once
// Stand-ins for the e-mail window's tests: an SMTP engine that records the
// calls it gets and answers as told, and controls that are plain values.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/mail/smtpengine.h"
#include "reports/email/sendemaillogic.h"

namespace tw::email::test {

// What the engine was asked, shared with the test after the engine is gone.
struct EngineLog {
    std::mutex lock;
    QStringList calls;
    QByteArray attachmentBytes;  // the attachment as it was when sent
    QString connectError, sendError;

    QStringList Calls()
    {
        std::lock_guard<std::mutex> g(lock);
        return calls;
    }
};

class RecordingEngine : public mail::SmtpEngine {
public:
    explicit RecordingEngine(std::shared_ptr<EngineLog> log) : log_(std::move(log)) {}

    int Attach() override { return Record(QStringLiteral("Attach")); }
    int SetAuthentication(const QString& user, const QString& password) override
    {
        return Record(QStringLiteral("SetAuthentication %1 %2").arg(user, password));
    }
    int SetPort(int port) override { return Record(QStringLiteral("SetPort %1").arg(port)); }
    int Connect(const QString& host, const QString& sender, const QString& replyTo) override
    {
        Record(QStringLiteral("Connect %1 %2 %3").arg(host, sender, replyTo));
        std::lock_guard<std::mutex> g(log_->lock);
        return log_->connectError.isEmpty() ? 0 : -7;
    }
    int Send(const QString& to, const QString& cc, const QString& bcc, const QString& subject,
             const QString& message, const QString& attachment) override
    {
        Record(QStringLiteral("Send to=%1 cc=%2 bcc=%3 subject=%4 message=%5 attachment=%6")
                   .arg(to, cc, bcc, subject, QString(message).replace(u'\n', QStringLiteral("\\n")),
                        attachment));
        std::lock_guard<std::mutex> g(log_->lock);
        QFile file(attachment);
        if (!attachment.isEmpty() && file.open(QIODevice::ReadOnly))
            log_->attachmentBytes = file.readAll();
        return log_->sendError.isEmpty() ? 0 : -9;
    }
    QString ErrorText(int code) override
    {
        Record(QStringLiteral("ErrorText %1").arg(code));
        std::lock_guard<std::mutex> g(log_->lock);
        return code == -7 ? log_->connectError : log_->sendError;
    }
    int Release() override { return Record(QStringLiteral("Release")); }

private:
    int Record(const QString& call)
    {
        std::lock_guard<std::mutex> g(log_->lock);
        log_->calls << call;
        return 0;
    }
    std::shared_ptr<EngineLog> log_;
};

class PlainControls : public SendEmailControls {
public:
    QStringList toList;
    bool first = false, second = false;
    CustomerContacts shown;
    QString subject, memo, attachment;
    bool attachmentEnabled = true, hintsShown = true, visible = false, busy = false;
    int restored = 0;
    std::vector<std::pair<QString, QString>> statuses;

    QStringList ToList() const override { return toList; }
    void SetToList(const QStringList& a) override { toList = a; }
    bool FirstRecipientChecked() const override { return first; }
    bool SecondRecipientChecked() const override { return second; }
    void SetRecipientChecks(bool f, bool s) override { first = f, second = s; }
    void ShowContacts(const CustomerContacts& c) override { shown = c; }
    QString Subject() const override { return subject; }
    void SetSubject(const QString& t) override { subject = t; }
    QStringList MemoLines() const override { return memo.split(u'\n'); }
    void SetMemo(const QString& t) override { memo = t; }
    QString AttachmentList() const override { return attachment; }
    void SetAttachmentList(const QString& p) override { attachment = p; }
    void SetAttachmentEnabled(bool e) override { attachmentEnabled = e; }
    void SetHintsShown(bool s) override { hintsShown = s; }
    void SetEmailStatus(const QString& l, const QString& v) override { statuses.emplace_back(l, v); }
    void SetBusy(bool b) override { busy = b; }
    void ShowWindow() override { visible = true; }
    void RestoreWindow() override { ++restored; }
    void HideWindow() override { visible = false; }

    std::pair<QString, QString> LastStatus() const
    {
        return statuses.empty() ? std::pair<QString, QString>{} : statuses.back();
    }
};

// Lets the worker's results arrive.
inline bool Settle(SendEmailLogic& logic, int timeoutMs = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (logic.IsBusy() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !logic.IsBusy();
}

inline CustomerContacts Customer(bool useAlt = false)
{
    CustomerContacts c;
    c.First = QStringLiteral("Ann");
    c.Last = QStringLiteral("Archer");
    c.Contact1 = QStringLiteral("Ann Archer");
    c.Email1 = QStringLiteral("ann@example.com");
    c.Contact2 = QStringLiteral("Bob Archer");
    c.Email2 = QStringLiteral("bob@example.org");
    c.UseAlt = useAlt;
    return c;
}

}  // namespace tw::email::test
