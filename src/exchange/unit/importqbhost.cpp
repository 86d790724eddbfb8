#include "exchange/unit/importqbhost.h"

#include "customers/customerpage.h"
#include "customers/unit/customerfeature.h"
#include "tasks/unit/taskeditorfeature.h"
#include "schedule/visualize/unit/visualizefeature.h"
#include "schedule/workcalendartab/unit/workcalendarfeature.h"
#include "query/unit/queryfeature.h"
#include "settings/unit/utilitiesfeature.h"
#include "query/querypage.h"
#include "app/session/appsession.h"
#include "customers/customfields.h"
#include "data/records/scheduleitemrecord.h"
#include "exchange/qb/sessionfactory.h"
#include "platform/registry/registry.h"
#include "settings/setupdialog.h"
#include "tasks/addtaskform.h"
#include "tasks/editor/taskeditor.h"

namespace tw::app {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

QuickBooksImportHost::QuickBooksImportHost(const FeatureContext& context, const MainFeatures& features)
    : SessionExchangeHooks(context.Session),
      SessionScheduleAdding(context.Session),
      session_(context.Session),
      context_(context),
      features_(features)
{}

exchange::ExchangeSettings& QuickBooksImportHost::Settings()
{
    return features_.Utilities->SetupDialog().AccountingSettings();
}

exchange::SetupEditionView& QuickBooksImportHost::Setup()
{
    return features_.Utilities->SetupDialog().EditionView();
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
    query::QueryPageLogic& page = features_.Query->Page()->Logic();
    const std::int32_t id = page.GetCurrentResource();
    session_.State.AverageRate = page.CurrentResourceRate();
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
    tasks::TAddTask* editor = features_.Editor->Editor();
    return editor && editor->Editor().IsOpen();
}

bool QuickBooksImportHost::ShowTaskEditor(const tasks::EditorArguments& a)
{
    tasks::TAddTask* editor = features_.Editor->Editor();
    if (!editor || !a.Table)
        return false;
    editor->ShowTaskEditor(*a.Table, a.IsMainView, a.Edit, a.HelpLevel, a.Description, a.Start,
                           a.AddMissingData, a.NotesText, a.CustomerListId, a.ListId, a.JobListId, a.FullName,
                           a.RebuildOnClose, a.Status, a.Modal, a.SkipOverlapCheck);
    return editor->Result();
}

void QuickBooksImportHost::ApplyCustomerQuery()
{
    features_.Query->ApplyCustomerQuery();
}

void QuickBooksImportHost::UpdateSelectControls()
{
    features_.Query->UpdateSelectControls();
}

void QuickBooksImportHost::SortWorkTables()
{
    // The chart's rebuild sorts the working tables in the chosen order.
    features_.Visualize->BuildChart(false);
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
    return features_.Customers->Page()->CustomFieldsLogic().DefineCustomField(kind, "", name.toStdString());
}

void QuickBooksImportHost::LoadCustomFieldNames(int kind)
{
    features_.Customers->Page()->CustomFieldsLogic().LoadCustomFieldNames(kind);
}

void QuickBooksImportHost::ShowWorkCalendar(std::int32_t resourceId)
{
    features_.Calendar->ShowWorkCalendar(resourceId);
}

}  // namespace tw::app
