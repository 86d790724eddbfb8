#include "app/features/pagecontrol.h"

#include "app/appservices.h"
#include "app/mainpagecontrol.h"

#include "customers/unit/customerunit.h"
#include "query/unit/queryunit.h"
#include "tasks/unit/taskeditorunit.h"
#include "tasks/unit/timeblocksunit.h"
#include "schedule/visualize/unit/visualizeunit.h"
#include "schedule/workcalendartab/unit/workcalendarunit.h"
#include "app/session/startupsequence.h"
#include "tasks/addtaskform.h"

#include <QAbstractButton>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tw::app {

namespace {

TabTables TabTablesOf(data::TEstimateData& d)
{
    return {d.CustomersTable, d.CustomersTable2, d.ChartsTable, d.ChartsTable2};
}

// Holds the flag while the watched window is on screen. Every way out of the
// task editor (Done, Cancel, its close button, the shutdown) hides it; a
// minimised editor is still open.
class ShownFlag final : public QObject {
public:
    ShownFlag(QWidget* window, bool& shown)
        : QObject(window),
          shown_(shown)
    {
        shown_ = window->isVisible();
        window->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            shown_ = true;
        else if (event->type() == QEvent::Hide && !event->spontaneous())
            shown_ = false;
        return false;
    }

private:
    bool& shown_;
};

// What the poll takes from the session: its settings table, calendars and
// synchronisation.
class SessionPollSchedule final : public PollSchedule {
public:
    explicit SessionPollSchedule(AppSession& session) : session_(session) {}

    void ReopenMyCompanyTable() override
    {
        db::Table& myCompany = session_.Data().MyCompanyTable;
        data::TableOperations::CloseTable(myCompany, true);
        myCompany.open();
    }
    int ReadWorkCalendarMode() override { return session_.SettingsTables().ReadWorkCalendarMode(); }
    void RecomputeAllTaskEnds() override { session_.RecomputeAllTaskEnds(); }
    bool RemoveObsoleteTasks() override { return session_.Sync().RemoveObsoleteTasks(); }
    bool PullChartUpdates(bool force) override { return session_.Sync().PullChartUpdates(force); }
    void RefreshChartsTable() override
    {
        db::Table& charts = session_.Data().ChartsTable;
        if (charts.active())
            charts.refresh();
    }

private:
    AppSession& session_;
};

}  // namespace

PageControl::PageControl(const FeatureContext& context, const PageControlUnits& units, TMainPageControl* tabs,
                         QTimer* pollTimer)
    : context_(context),
      units_(units),
      tabs_(tabs),
      pollTimer_(pollTimer),
      handlers_(TabTablesOf(context.Session.Data()), context.Session.State, context.Session.Query,
                context.Session.Chart, context.UI, *this),
      pollSchedule_(std::make_unique<SessionPollSchedule>(context.Session)),
      poll_(context.Session.State, context.Session.Query, context.UI, *pollSchedule_,
            PollPages{units.Chart, units.Filters}, *this)
{
    context_.Session.Data().Views().Pages = this;
    WatchTaskEditor();
    units_.Buttons.OnRefresh([this] { RefreshChartClick(); });
    units_.Buttons.OnSortChosen([this] { ChartSortByClick(); });
}

PageControl::~PageControl()
{
    data::DataModuleViews& views = context_.Session.Data().Views();
    if (views.Pages == this)
        views.Pages = nullptr;
}

// A pull while the editor is open would bring another workstation's values
// under the user's unsaved edit: the poll stands aside meanwhile.
void PageControl::WatchTaskEditor()
{
    new ShownFlag(units_.Editor.EditorWindow(), context_.Session.Query.TaskEditorOpen);
}

void PageControl::TabControlChange()
{
    ShowingErrors(context_.UI, [this] { handlers_.TabControlChange(tabs_->currentIndex()); });
}

void PageControl::RefreshChartClick()
{
    ShowingErrors(context_.UI, [this] { handlers_.RefreshChartClick(); });
}

void PageControl::ChartSortByClick()
{
    if (!units_.Chart.Attached())
        return;
    ShowingErrors(context_.UI, [this] { handlers_.ChartSortByClick(); });
}

void PageControl::UpdatePollTimer()
{
    ShowingErrors(context_.UI, [this] { poll_.UpdatePollTimer(); });
}

// Every window the pages opened closes as its own close button leaves it,
// while the tables are still open: the task editor first, then the dialogs
// owned by the main window (print preview, e-mail, blocks of time, import, ...).
void PageControl::CloseDialogs()
{
    ShowingErrors(context_.UI, [this] { units_.Editor.CloseWindows(); });
    ShowingErrors(context_.UI, [this] { units_.Customers.CloseDialogs(); });
    QList<QPointer<QWidget>> open;
    for (QWidget* child : context_.Window.findChildren<QWidget*>()) {
        if (child->isWindow() && child->isVisible())
            open.append(child);
    }
    for (const QPointer<QWidget>& window : open) {
        if (window)
            ShowingErrors(context_.UI, [&window] { window->close(); });
    }
}

int PageControl::ActivePage() const
{
    return tabs_->currentIndex();
}

void PageControl::ReopenAllTables()
{
    data::TableOperations& tables = context_.Session.Tables();
    tables.CloseAllTables();
    ShowingErrors(context_.UI, [&] { tables.OpenAllTables(false); });
    // The pages take up the tables opened again, as the start-up attached them.
    units_.Calendar.Attach();
    units_.Chart.Attach();
    units_.Query.Attach();
}

void PageControl::PushChartUpdates()
{
    context_.Session.Sync().PushChartUpdates();
}

void PageControl::SaveAndClearAllocations(bool recompute)
{
    units_.Chart.SaveAndClearAllocations(recompute);
}

void PageControl::BuildChart(bool writeBack)
{
    units_.Chart.BuildChart(writeBack);
}

void PageControl::KeepChartPeriod()
{
    units_.Chart.KeepChartPeriod();
}

void PageControl::ShowTaskStatusBar()
{
    units_.Chart.ShowTaskStatusBar();
}

void PageControl::SetResetDependenciesEnabled(bool enabled)
{
    units_.Chart.SetResetDependenciesEnabled(enabled);
}

int PageControl::ChartSortBy() const
{
    return context_.Session.Chart.ChartSortBy;
}

bool PageControl::SortChoiceRestored() const
{
    return context_.Session.Chart.SortChoiceRestored;
}

void PageControl::SetChartSortBy2(int choice)
{
    units_.Query.SetChartSortBy2(choice);
}

void PageControl::ShowCalendarOf(bool allResources, std::int32_t resourceId)
{
    units_.Calendar.ShowCalendarOf(allResources, resourceId);
}

void PageControl::LoadHolidays()
{
    units_.Calendar.LoadHolidays();
}

// Every page's "apply the customer query", the data module's among them.
void PageControl::ApplyCustomerQuery()
{
    units_.Filters.ApplyCustomerQuery();
}

void PageControl::EndPendingInsert()
{
    units_.Blocks.EndPendingInsert();
}

void PageControl::SetPollTimerEnabled(bool enabled)
{
    if (enabled)
        pollTimer_->start();
    else
        pollTimer_->stop();
}

void PageControl::SetRefreshChartEnabled(bool enabled)
{
    units_.Buttons.SetRefreshEnabled(enabled);
}

bool PageControl::SelectPageIsCurrent() const
{
    return tabs_->currentIndex() == SelectPage;
}

float PageControl::WorkingHoursBetween(std::int32_t resourceId, TDateTime start, TDateTime end)
{
    return context_.Session.Calendars().WorkingHoursBetween(resourceId, start, end);
}

void PageControl::TerminateApplication()
{
    app::TerminateApplication();
}

}  // namespace tw::app
