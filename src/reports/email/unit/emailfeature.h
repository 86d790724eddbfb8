#pragma once
// E-mail as a feature unit: the e-mail window (email::TSendEmail over its
// window-free email::SendEmailLogic, which talks to it through
// email::SendEmailControls), made once with the main window, reading the
// e-mail settings the start-up loaded; the customer tab's e-mail button opens
// it on the current customer, the print dialog on the report chosen there.

#include <QString>

#include "reports/email/unit/emailunit.h"
#include "app/features/featurecontext.h"

namespace tw::email {
class TSendEmail;
}

namespace tw::reports {
struct ChartPeriod;
class TPrintPreview;
}  // namespace tw::reports

namespace tw::app {

class CustomerDialogs;

class EmailFeature final : public ScheduleEmail {
public:
    EmailFeature(const FeatureContext& context, CustomerDialogs& customers);

    email::TSendEmail* Window() const { return sendEmail_; }
    // A message to the current customer, naming the tasks found by the
    // restriction and the first one's start.
    void SendEmailToClientClick();
    // The report chosen in the print dialog as "schedule.pdf".
    void OpenScheduleEmail(reports::TPrintPreview* dialog, int helpLevel, const reports::ChartPeriod& period,
                           const QString& message) override;
    void Close();

private:
    FeatureContext context_;
    email::TSendEmail* sendEmail_ = nullptr;
};

}  // namespace tw::app
