#include "reports/email/unit/emailfeature.h"

#include <QDialog>

#include "app/appservices.h"
#include "customers/unit/customerunit.h"
#include "controls/buttons/fcbitbtn.h"
#include "platform/mail/curlsmtpengine.h"
#include "reports/email/customercontacts.h"
#include "reports/email/sendemailform.h"
#include "reports/printpreview.h"

namespace tw::app {

EmailFeature::EmailFeature(const FeatureContext& context, CustomerDialogs& customers)
    : context_(context)
{
    AppSession& s = context_.Session;
    WindowLayout& layout = context_.Layout;
    sendEmail_ = new email::TSendEmail([&s] { return s.Settings.Email; },
                                       [] { return std::make_unique<mail::CurlSmtpEngine>(); }, &context_.Window);
    sendEmail_->setObjectName(QStringLiteral("SendEmail"));
    sendEmail_->SetContactsSource([&s] {
        try {
            return email::ReadCustomerContacts(s.Data().CustomersTable);
        } catch (const std::exception&) {
            return email::CustomerContacts{};
        }
    });
    sendEmail_->SetHelpHandler([this, &s] {
        ShowHelpPage(sendEmail_, QString::fromStdString(s.State.ProgramFolder),
                     QStringLiteral("email_config.htm"));
    });
    sendEmail_->SetPositionKeeper([&layout](int left, int top) {
        layout.EmailLeft = left;
        layout.EmailTop = top;
    });
    customers.OnSendEmail([this] { SendEmailToClientClick(); });
}

void EmailFeature::SendEmailToClientClick()
{
    AppSession& s = context_.Session;
    context_.UI.SetStatusText(0, email::MailAccessStatusText(s.Settings.Email.UseMailProgram).toStdString());
    email::CustomerContacts customer;
    ShowingErrors(context_.UI, [&] { customer = email::ReadCustomerContacts(s.Data().CustomersTable); });
    const QString message =
        email::CustomerMessageText(customer, s.Chart.TasksFound, s.Chart.CurrentTaskStart);
    sendEmail_->SetPosition(context_.Layout.EmailLeft, context_.Layout.EmailTop);
    sendEmail_->Open(s.State.HelpLevel, email::SendEmailLogic::CustomerMessage, 0, 0, 0, 0, 0, message);
    context_.UI.SetStatusText(0, std::string());
}

void EmailFeature::OpenScheduleEmail(reports::TPrintPreview* dialog, int helpLevel,
                                     const reports::ChartPeriod& period, const QString& message)
{
    sendEmail_->SetScheduleReport(
        {dialog->ChartTypeIndex(), dialog->Options().Title, [dialog](const email::ReportPeriod&) {
             // The dialog made its report for the period it was opened with.
             const reports::PdfResult pdf = dialog->ChosenReportPdf();
             return email::PdfOutcome{pdf.Pdf, pdf.Message};
         }});
    // The e-mail window goes when the print dialog closes.
    QObject::connect(dialog, &QDialog::finished, sendEmail_, &QWidget::close, Qt::UniqueConnection);
    sendEmail_->SetPosition(context_.Layout.EmailLeft, context_.Layout.EmailTop);
    sendEmail_->Open(helpLevel, email::SendEmailLogic::ScheduleReport, period.SpanDays, period.GridInterval,
                     period.GridCount, period.Start, period.End, message);
}

void EmailFeature::Close()
{
    sendEmail_->close();
}

}  // namespace tw::app
