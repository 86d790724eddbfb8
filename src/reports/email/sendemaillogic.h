#pragma once
// The e-mail window without its widgets: opening in one of its two modes,
// the recipients from the current customer, making the schedule PDF and
// sending by SMTP or through the user's mail program, with the status texts
// as each step happens.
//
// Everything that waits on the network or on another program runs on a
// worker thread of its own, one step at a time and in the order asked, while
// the window is shown busy; the results come back on the window's thread.
//
//   SendEmailLogic logic(controls, [&] { return settings; }, [] { return
//   std::make_unique<mail::CurlSmtpEngine>(); }); logic.SetContactsSource([&] { return
//   ReadCustomerContacts(customers); }); logic.SetScheduleReport({chartType, title, [&] { return MakePdf();
//   }}); logic.Open(helpLevel, SendEmailLogic::ScheduleReport, period, "schedule.pdf is attached");
//   logic.SendEMailAttachmentClick();

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <optional>

#include "platform/mail/mailsettings.h"
#include "platform/mail/privatefolder.h"
#include "platform/mail/smtpengine.h"
#include "reports/email/customercontacts.h"
#include "reports/email/sendemailcontrols.h"

namespace tw::email {

// The e-mail settings as the start-up loaded them.
using MailSettings = mail::MailSettings;

// The print dialog's period values, passed on to the bar chart.
struct ReportPeriod {
    double SpanDays = 0, GridInterval = 0, GridCount = 0;
    double Start = 0, End = 0;
};

struct PdfOutcome {
    QByteArray Pdf;   // empty when the report refused or failed
    QString Message;  // why
};

// The report chosen in the print dialog.
struct ScheduleReportSource {
    int ChartType = 0;  // 0 Gantt image, 1 bar chart, 2 text, 3 resource summary
    QString Title;      // the print dialog's title, the default subject
    std::function<PdfOutcome(const ReportPeriod&)> Make;
};

inline const QString kAttachmentName = QStringLiteral("schedule.pdf");
// What the window says when no SMTP server is set: where the user sets one.
inline constexpr const char* kNoServerText =
    "No e-mail server is set: enter it on the E-Mail page of Setup on the Utilities tab";

class SendEmailLogic : public QObject {
    Q_OBJECT
public:
    enum Mode : unsigned char { ScheduleReport = 0, CustomerMessage = 1 };
    using EngineFactory = std::function<std::unique_ptr<mail::SmtpEngine>()>;

    // settings gives the main window's e-mail settings; they are read at every opening.
    SendEmailLogic(SendEmailControls& controls, std::function<MailSettings()> settings,
                   EngineFactory engines);
    ~SendEmailLogic() override;

    void SetContactsSource(std::function<CustomerContacts()> source) { contacts_ = std::move(source); }
    void SetScheduleReport(ScheduleReportSource source) { report_ = std::move(source); }

    void Open(int helpLevel, Mode mode, const ReportPeriod& period, const QString& messageText);
    void SendEMailAttachmentClick();
    void FillRecipients();
    void AddNameClick();
    void ClearRecipsClick();
    void FormClose();

    bool IsOpen() const { return open_; }
    bool IsBusy() const { return pending_ > 0; }
    bool SmtpConnected() const { return connected_; }
    bool MailProgramReady() const { return mailProgramReady_; }
    // Where the PDF is written; a folder of this run that only this user reads.
    QString AttachmentPath() const;

    // Blocks until the worker has done everything asked of it (shutdown, tests).
    void WaitForWorker();

    inline static const QString kPlaceholderAddress = QStringLiteral("name@example.com");

signals:
    // After every step the worker finished and the window took its result.
    void stepFinished();

private:
    void SmtpConnect();
    void SetAttachmentName();
    void SmtpSend(const QString& messageText, const QStringList& recipients);
    void MailProgramSend(const QString& messageText, const QStringList& recipients);
    bool MakeSchedulePdf();
    void SetEmailStatus(const QString& label, const QString& value)
    {
        controls_.SetEmailStatus(label, value);
    }
    // Runs work on the worker; done gets its result on this object's thread.
    void RunInBackground(std::function<QString()> work, std::function<void(const QString&)> done);

    SendEmailControls& controls_;
    std::function<MailSettings()> readSettings_;
    MailSettings settings_;
    EngineFactory engines_;
    std::function<CustomerContacts()> contacts_;
    std::optional<ScheduleReportSource> report_;

    Mode mode_ = ScheduleReport;
    ReportPeriod period_;
    bool open_ = false;
    bool connected_ = false;
    bool attached_ = false;
    bool mailProgramReady_ = false;
    QStringList messageList_;

    std::shared_ptr<mail::SmtpEngine> engine_;
    std::unique_ptr<mail::PrivateFolder> folder_;
    QThreadPool worker_;
    int pending_ = 0;
};

// The message list of the mail program path: the message text as its only line.
QStringList MessageList(const QString& messageText);

}  // namespace tw::email
