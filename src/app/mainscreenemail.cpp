// The main window's side of the e-mail window: it is made once with the
// window, reads the e-mail settings the start-up loaded, and is opened by the
// customer tab's e-mail button and by the print dialog.

#include "app/appservices.h"
#include "app/customerpage.h"
#include "app/mainscreen.h"
#include "platform/mail/curlsmtpengine.h"
#include "reports/email/customercontacts.h"
#include "reports/email/sendemailform.h"
#include "reports/printpreview.h"

#include <QPushButton>

namespace tw::app {

void TMainScreen::CreateSendEmail()
{
    sendEmail_ = new email::TSendEmail([this] { return Settings.Email; },
                                       [] { return std::make_unique<mail::CurlSmtpEngine>(); }, this);
    sendEmail_->setObjectName(QStringLiteral("SendEmail"));
    sendEmail_->SetContactsSource([this] {
        db::Table& customers = data_->CustomersTable;
        try {
            return email::ReadCustomerContacts(customers);
        } catch (const std::exception&) {
            return email::CustomerContacts{};
        }
    });
    sendEmail_->SetHelpHandler([this] {
        const QString page = QStringLiteral("email_config.htm");
        if (!OpenHelpPage(QString::fromStdString(State.ProgramFolder), page))
            ShowMessageBox(sendEmail_, "The help page " + page + " could not be opened",
                           QStringLiteral("Error"), MessageIcon::Stop, MessageModality::Window);
    });
    sendEmail_->SetPositionKeeper([this](int left, int top) {
        Layout.EmailLeft = left;
        Layout.EmailTop = top;
    });
    if (customerPage_) {
        if (auto* button = customerPage_->findChild<controls::TFcBitBtn*>(QStringLiteral("SendEmailToClient")))
            connect(button, &controls::TFcControl::clicked, this, &TMainScreen::SendEmailToClientClick);
    }
}

void TMainScreen::SendEmailToClientClick()
{
    SetStatusText(0, email::MailAccessStatusText(Settings.Email.UseMailProgram));
    email::CustomerContacts customer;
    Guarded([&] { customer = email::ReadCustomerContacts(data_->CustomersTable); });
    const QString message = email::CustomerMessageText(customer, State.TasksFound, State.CurrentTaskStart);
    sendEmail_->SetPosition(Layout.EmailLeft, Layout.EmailTop);
    sendEmail_->Open(State.HelpLevel, email::SendEmailLogic::CustomerMessage, 0, 0, 0, 0, 0, message);
    SetStatusText(0, QString());
}

void TMainScreen::OpenScheduleEmail(int helpLevel, const reports::ChartPeriod& period, const QString& message)
{
    reports::TPrintPreview* dialog = printPreview_;
    sendEmail_->SetScheduleReport(
        {dialog->ChartTypeIndex(), dialog->Options().Title, [dialog](const email::ReportPeriod&) {
             // The dialog made its report for the period it was opened with.
             const reports::PdfResult pdf = dialog->ChosenReportPdf();
             return email::PdfOutcome{pdf.Pdf, pdf.Message};
         }});
    // The e-mail window goes when the print dialog closes.
    connect(dialog, &QDialog::finished, sendEmail_, &QWidget::close, Qt::UniqueConnection);
    sendEmail_->SetPosition(Layout.EmailLeft, Layout.EmailTop);
    sendEmail_->Open(helpLevel, email::SendEmailLogic::ScheduleReport, period.SpanDays, period.GridInterval,
                     period.GridCount, period.Start, period.End, message);
}

}  // namespace tw::app
