#include "app/features/pagecontrol.h"

#include "app/appservices.h"
#include "app/mainpagecontrol.h"

#include "customers/unit/customerfeature.h"
#include "reports/unit/printingfeature.h"
#include "query/unit/queryfeature.h"
#include "tasks/unit/taskeditorfeature.h"
#include "tasks/unit/timeblocksfeature.h"
#include "schedule/visualize/unit/visualizefeature.h"
#include "schedule/workcalendartab/unit/workcalendarfeature.h"
#include "query/querypage.h"
#include "app/session/startupsequence.h"
#include "schedule/visualize/visualizepage.h"
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

}  // namespace

PageControl::PageControl(const FeatureContext& context, const MainFeatures& features, TMainPageControl* tabs,
                         StartupWindow& pages, QTimer* pollTimer)
    : context_(context),
      features_(features),
      tabs_(tabs),
      pages_(pages),
      pollTimer_(pollTimer),
      handlers_(TabTablesOf(context.Session.Data()), context.Session.State, context.Session.Query,
                context.Session.Chart, context.UI, *this),
      poll_(context.Session.State, context.Session.Query, context.UI, *this)
{
    context_.Session.Data().Views().Pages = this;
    WatchTaskEditor();
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
    if (features_.Editor)
        new ShownFlag(features_.Editor->Editor(), context_.Session.Query.TaskEditorOpen);
}

void PageControl::TabControlChange()
{
    ShowingErrors(context_.UI, [this] { handlers_.TabControlChange(tabs_->currentIndex()); });
}

void PageControl::RefreshChartClick()
{
    ShowingErrors(context_.UI, [this] { handlers_.RefreshChartClick(); });
}

void PageControl::PrintPreviewButtonClick()
{
    ShowingErrors(context_.UI, [this] { handlers_.PrintPreviewButtonClick(); });
}

void PageControl::ChartSortByClick()
{
    if (!features_.Visualize->Attached())
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
    ShowingErrors(context_.UI, [this] { features_.Editor->CloseWindows(); });
    ShowingErrors(context_.UI, [this] { features_.Customers->CloseDialogs(); });
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
    pages_.AttachPages();
}

void PageControl::PushChartUpdates()
{
    context_.Session.Sync().PushChartUpdates();
}

void PageControl::SaveAndClearAllocations(bool recompute)
{
    features_.Visualize->SaveAndClearAllocations(recompute);
}

void PageControl::BuildChart(bool writeBack)
{
    features_.Visualize->BuildChart(writeBack);
}

void PageControl::KeepChartPeriod()
{
    features_.Visualize->KeepChartPeriod();
}

void PageControl::ShowTaskStatusBar()
{
    features_.Visualize->ShowTaskStatusBar();
}

void PageControl::SetResetDependenciesEnabled(bool enabled)
{
    features_.Visualize->SetResetDependenciesEnabled(enabled);
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
    features_.Query->Page()->SetChartSortBy2(choice);
}

void PageControl::ShowCalendarOf(bool allResources, std::int32_t resourceId)
{
    features_.Calendar->ShowCalendarOf(allResources, resourceId);
}

void PageControl::LoadHolidays()
{
    features_.Calendar->LoadHolidays();
}

// Every page's "apply the customer query", the data module's among them.
void PageControl::ApplyCustomerQuery()
{
    features_.Query->ApplyQueryAndShowTasksNavigator();
}

void PageControl::EndPendingInsert()
{
    features_.TimeBlocks->EndPendingInsert();
}

void PageControl::OpenPrintPreview(const PrintRequest& request)
{
    features_.Printing->Open(request);
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
    features_.Visualize->Page()->RefreshChart()->setEnabled(enabled);
}

void PageControl::ReopenMyCompanyTable()
{
    db::Table& myCompany = context_.Session.Data().MyCompanyTable;
    data::TableOperations::CloseTable(myCompany, true);
    myCompany.open();
}

int PageControl::ReadWorkCalendarMode()
{
    return context_.Session.SettingsTables().ReadWorkCalendarMode();
}

void PageControl::RecomputeAllTaskEnds()
{
    context_.Session.RecomputeAllTaskEnds();
}

bool PageControl::RemoveObsoleteTasks()
{
    return context_.Session.Sync().RemoveObsoleteTasks();
}

bool PageControl::PullChartUpdates(bool force)
{
    return context_.Session.Sync().PullChartUpdates(force);
}

void PageControl::ApplyQueryFilters()
{
    features_.Query->Page()->ApplyQueryFilters();
}

void PageControl::RefreshChartsTable()
{
    db::Table& charts = context_.Session.Data().ChartsTable;
    if (charts.active())
        charts.refresh();
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
