#pragma once
// The window "Send schedule via E-Mail": the recipients of the current
// customer, the subject, the message and the attachment, sent by SMTP or
// handed to the user's mail program. Modeless, on top, one for the whole
// run; its widgets only carry values to and from email::SendEmailLogic.

#include <QWidget>

#include <functional>
#include <memory>

#include "reports/email/sendemaillogic.h"

namespace Ui {
class TSendEmail;
}

class QLabel;

namespace tw::email {

class TSendEmail : public QWidget, public SendEmailControls {
    Q_OBJECT
public:
    TSendEmail(std::function<MailSettings()> settings, SendEmailLogic::EngineFactory engines,
               QWidget* parent = nullptr);
    ~TSendEmail() override;

    void SetContactsSource(std::function<CustomerContacts()> source);
    void SetScheduleReport(ScheduleReportSource source);
    // Opens the help page "email_config.htm".
    void SetHelpHandler(std::function<void()> help) { help_ = std::move(help); }
    // Where the window was when it closed, for the main window to keep.
    void SetPositionKeeper(std::function<void(int left, int top)> keep) { keepPosition_ = std::move(keep); }
    void SetPosition(int left, int top)
    {
        left_ = left;
        top_ = top;
    }

    void Open(int helpLevel, SendEmailLogic::Mode mode, double spanDays, double gridInterval,
              double gridCount, double chartStart, double chartEnd, const QString& messageText);
    SendEmailLogic& Logic() { return *logic_; }

    // SendEmailControls
    QStringList ToList() const override;
    void SetToList(const QStringList& addresses) override;
    bool FirstRecipientChecked() const override;
    bool SecondRecipientChecked() const override;
    void SetRecipientChecks(bool first, bool second) override;
    void ShowContacts(const CustomerContacts& customer) override;
    QString Subject() const override;
    void SetSubject(const QString& text) override;
    QStringList MemoLines() const override;
    void SetMemo(const QString& text) override;
    QString AttachmentList() const override;
    void SetAttachmentList(const QString& path) override;
    void SetAttachmentEnabled(bool enabled) override;
    void SetHintsShown(bool shown) override;
    void SetEmailStatus(const QString& label, const QString& value) override;
    void SetBusy(bool busy) override;
    void ShowWindow() override;
    void RestoreWindow() override;
    void HideWindow() override;

    QString StatusLabel() const;
    QString StatusValue() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::TSendEmail> ui;
    std::unique_ptr<SendEmailLogic> logic_;
    std::function<void()> help_;
    std::function<void(int, int)> keepPosition_;
    int left_ = 400, top_ = 300;
    bool hidingFromLogic_ = false;
};

}  // namespace tw::email
