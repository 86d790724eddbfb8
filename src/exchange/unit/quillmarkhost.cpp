#include "exchange/unit/quillmarkhost.h"

#include "app/session/appsession.h"

namespace tw::app {

QuillmarkHost::QuillmarkHost(AppSession& session, QuillmarkImportWindow& window)
    : SessionExchangeHooks(session), SessionScheduleAdding(session), session_(session), window_(window)
{}

std::string QuillmarkHost::QMAliasInUse() const
{
    return session_.State.EstimatorAlias;
}

std::int32_t QuillmarkHost::GetCurrentResource()
{
    return window_.CurrentResource();
}

// The working day of the resource the tasks go to.
TDateTime QuillmarkHost::WorkDayStart() const
{
    schedule::CalendarTables& calendars = session_.Calendars();
    calendars.LoadWorkCalendar(true, session_.State.CurrentResourceId);
    return calendars.Loaded().WorkDayStart();
}

TDateTime QuillmarkHost::ComputeTaskEnd(std::int32_t crewId, TDateTime& start, TDateTime startValue,
                                        float hours)
{
    return session_.Calendars().ComputeTaskEnd(crewId, start, startValue, hours);
}

void QuillmarkHost::PushChartUpdates()
{
    session_.Sync().PushChartUpdates();
}

void QuillmarkHost::RefreshCustomers()
{
    window_.RefreshCustomerViews();
}

void QuillmarkHost::SetCustomersLabel(const QString& caption)
{
    window_.SetCustomersLabel(caption);
}

void QuillmarkHost::EnableJobsNavigator()
{
    window_.EnableJobsNavigator();
}

void QuillmarkHost::ShowCustomerAndJob(std::int32_t customerId, std::int32_t jobId)
{
    // Moving the views shows the customer on the status bar; the import's
    // own text stays there instead.
    data::UserInterface& ui = session_.Interface();
    const std::string status = ui.StatusText(0);
    data::TEstimateData& d = session_.Data();
    d.CustomersTable.refresh();
    d.CustomersTable.locate("CID", db::Value(double(customerId)));
    d.JobsTable.refresh();
    d.JobsTable.locate("JID", db::Value(double(jobId)));
    session_.Changes.Raise(data::ScheduleChange::Customers | data::ScheduleChange::Jobs);
    ui.SetStatusText(0, status);
    ui.RepaintStatus();
}

void QuillmarkHost::ShowMainStatus(const QString& text)
{
    data::UserInterface& ui = session_.Interface();
    ui.SetStatusText(0, text.toStdString());
    ui.RepaintStatus();
}

}  // namespace tw::app
