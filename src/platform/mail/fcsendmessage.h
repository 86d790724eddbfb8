#pragma once
// The mail sender that hands a message to the user's own mail program. On
// this desktop that is xdg-email (or the program the e-mail settings name in
// its place), given the subject, the body, the attachments and the
// recipients on its command line; its exit status says whether the hand-off
// worked.

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace tw::mail {

class MailProgramError : public std::runtime_error {
public:
    explicit MailProgramError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& Text() const { return text_; }

private:
    QString text_;
};

class TFcSendMessage {
public:
    // An empty program means xdg-email from the search path.
    explicit TFcSendMessage(const QString& program = {});

    // The program that would run; empty when it cannot be found.
    QString ResolvedProgram() const;

    // Throws MailProgramError when no mail program can be started, which
    // means this way of sending cannot be used.
    void ClearLists();

    QString Subject;
    void SetMailMessage(const QStringList& lines) { message_ = lines; }
    void SetToRecipients(const QStringList& addresses) { to_ = addresses; }
    void SetBccRecipients(const QStringList& addresses) { bcc_ = addresses; }
    void SetAttachments(const QStringList& paths) { attachments_ = paths; }

    // The command line Send runs, for the record.
    QStringList Arguments() const;
    // Blocks until the program ends or the time is up; throws
    // MailProgramError with the reason when it failed.
    void Send(int timeoutMs = 60000);

private:
    QString program_;
    QStringList message_, to_, bcc_, attachments_;
};

}  // namespace tw::mail
