#include "exchange/unit/importqbhost.h"

#include "customers/unit/customerunit.h"
#include "query/unit/queryunit.h"
#include "tasks/unit/taskeditorunit.h"
#include "settings/unit/utilitiesunit.h"
#include "schedule/workcalendartab/unit/workcalendarunit.h"
#include "app/session/appsession.h"
#include "data/records/scheduleitemrecord.h"
#include "exchange/qb/sessionfactory.h"
#include "platform/registry/registry.h"
#include "settings/setupdialog.h"
#include "tasks/editor/editorarguments.h"

namespace tw::app {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

QuickBooksImportHost::QuickBooksImportHost(const FeatureContext& context, const ExchangeUnits& units)
    : SessionExchangeHooks(context.Session),
      SessionScheduleAdding(context.Session),
      session_(context.Session),
      context_(context),
      units_(units)
{}

exchange::ExchangeSettings& QuickBooksImportHost::Settings()
{
    return units_.Setup.SetupDialog().AccountingSettings();
}

exchange::SetupEditionView& QuickBooksImportHost::Setup()
{
    return units_.Setup.SetupDialog().EditionView();
}

std::unique_ptr<qb::SessionManager> QuickBooksImportHost::CreateSessionManager()
{
    registry::TRegistry registry;
    return qb::CreateSessionManager(registry);
}

QStringList QuickBooksImportHost::JobStatusTexts() const
{
    return session_.Settings.JobStatusTexts;
}

void QuickBooksImportHost::SetJobStatusTexts(const QStringList& texts)
{
    session_.Settings.JobStatusTexts = texts;
}

Currency QuickBooksImportHost::AverageRate() const
{
    return Currency::FromDouble(session_.State.AverageRate);
}

void QuickBooksImportHost::SetAverageRate(Currency rate)
{
    session_.State.AverageRate = rate.ToDouble();
}

int QuickBooksImportHost::TaskEditorLeft() const
{
    return context_.Layout.AddTaskLeft;
}

int QuickBooksImportHost::WorkCalendarMode() const
{
    return session_.State.WorkCalendarMode;
}

std::int32_t QuickBooksImportHost::GetCurrentResource()
{
    const std::int32_t id = units_.Query.CurrentResource();
    session_.State.AverageRate = units_.Query.CurrentResourceRate();
    return id;
}

float QuickBooksImportHost::WorkingHoursBetween(std::int32_t crewId, TDateTime start, TDateTime end)
{
    return session_.Calendars().WorkingHoursBetween(crewId, start, end);
}

TDateTime QuickBooksImportHost::ComputeTaskEnd(std::int32_t crewId, TDateTime& start, TDateTime startValue,
                                               float hours)
{
    return session_.Calendars().ComputeTaskEnd(crewId, start, startValue, hours);
}

// The working day of the resource the tasks go to.
TDateTime QuickBooksImportHost::WorkDayStart()
{
    schedule::CalendarTables& calendars = session_.Calendars();
    calendars.LoadWorkCalendar(true, session_.State.CurrentResourceId);
    return calendars.Loaded().WorkDayStart();
}

TDateTime QuickBooksImportHost::WorkDayEnd()
{
    schedule::CalendarTables& calendars = session_.Calendars();
    calendars.LoadWorkCalendar(true, session_.State.CurrentResourceId);
    return calendars.Loaded().WorkDayEnd();
}

void QuickBooksImportHost::AddThenPush(const std::function<std::set<std::int32_t>()>& adds)
{
    session_.Sync().AddThenPush(adds);
}

bool QuickBooksImportHost::TaskEditorOpen() const
{
    return units_.Editor.TaskEditorOpen();
}

bool QuickBooksImportHost::ShowTaskEditor(const tasks::EditorArguments& a)
{
    return units_.Editor.ShowTaskEditor(a);
}

void QuickBooksImportHost::ApplyCustomerQuery()
{
    units_.Filters.ApplyCustomerQuery();
}

void QuickBooksImportHost::ScheduleChanged(data::ScheduleChanges changes)
{
    session_.Changes.Raise(changes);
}

void QuickBooksImportHost::ShowCustomerCount()
{
    session_.Tables().ShowCustomerCount();
}

std::int32_t QuickBooksImportHost::CurrentTaskKey()
{
    db::Table& charts = session_.Data().ChartsTable;
    if (!charts.active() || charts.eof() || charts.recNo() == 0)
        return 0;
    return ScheduleItemField(charts, &ScheduleItemRecord::CHARTSID).asInteger();
}

void QuickBooksImportHost::LocateCurrentTask(std::int32_t chartsId)
{
    db::Table& charts = session_.Data().ChartsTable;
    if (charts.active() && chartsId != 0)
        data::LocateScheduleItem(charts, chartsId);
}

void QuickBooksImportHost::ShowMainStatus(int panel, const QString& text)
{
    data::UserInterface& ui = session_.Interface();
    ui.SetStatusText(panel, text.toStdString());
    ui.RepaintStatus();
}

bool QuickBooksImportHost::DefineCustomField(int kind, const QString& name)
{
    return units_.Customers.DefineCustomField(kind, name.toStdString());
}

void QuickBooksImportHost::LoadCustomFieldNames(int kind)
{
    units_.Customers.LoadCustomFieldNames(kind);
}

void QuickBooksImportHost::ShowWorkCalendar(std::int32_t resourceId)
{
    units_.Calendar.ShowWorkCalendar(resourceId);
}

}  // namespace tw::app
