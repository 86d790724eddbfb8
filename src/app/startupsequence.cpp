// The main window's side of the start-up: what StartupSequence
// (app/session/startupsequence.h) shows on the window, the pages taking up the
// opened tables, the selection restored at the end and the settings the
// shutdown stores.

#include "app/appservices.h"
#include "app/mainscreen.h"
#include "app/querypage.h"
#include "app/visualizepage.h"
#include "app/workcalendarpage.h"
#include "data/services/busyscopes.h"
#include "chart/resourceallocationchart.h"
#include "schedule/sync/resourceoverlap.h"
#include "schedule/visualize/calendarhooks.h"
#include "schedule/visualize/visualizecontext.h"
#include "ui_mainscreen.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <cstdint>

namespace tw::app {

void TMainScreen::CloseAllTables()
{
    tables_->CloseAllTables();
}

void TMainScreen::ApplyReadOnlyAccess(bool readOnly)
{
    // The controls that change data; those not on the window yet join as
    // their tabs are built.
    static const char* const kReadOnlyControls[] = {
        "Reverse",          "UseAlt",          "PhotoPanel",     "Copy",
        "ShowJobsOnly",     "ImportFromQB",    "ImportFromQM",   "ExportToQB",
        "ReIndexDb",        "EmptyDatabase",   "Restore",        "HoursPanel",
        "WorkingDaysPanel", "HolidaysPanel",   "MyCompanyPanel", "TaskControls",
        "MarkAllActive",    "MarkAllInactive", "ResourceList",   "CalendarOk",
        "Create247",        "InsertSpace",     "RemoveSpace",    "SetDependencies",
        "ChartManagement",
    };
    for (const char* name : kReadOnlyControls) {
        if (QWidget* control = findChild<QWidget*>(QLatin1String(name)))
            control->setEnabled(!readOnly);
    }
    visualizePage_->ApplyReadOnlyAccess(readOnly);
    queryPage_->ApplyReadOnlyAccess(readOnly);
}

void TMainScreen::OpenAllTables(bool rebuildAllowed)
{
    Guarded([&] { tables_->OpenAllTables(rebuildAllowed); });
    AttachPages();
}

void TMainScreen::AttachPages()
{
    AttachWorkCalendar();
    AttachVisualizePage();
    AttachQueryPage();
}

void TMainScreen::ShowScheduleDatabaseInUse(const std::string& text)
{
    ui->TWDatabaseInUse->setText(QString::fromStdString(text));
}

void TMainScreen::ShowEstimatingDatabaseInUse(const std::string& text)
{
    ui->QMDatabaseInUse->setText(QString::fromStdString(text));
}

void TMainScreen::LayOut()
{
    LayoutMainWindow(false);
    ApplyHelpLevel();
}

void TMainScreen::ShowChartPeriod(TDateTime start, TDateTime end)
{
    SetChartDateRange(true, start, end);
}

void TMainScreen::ShowJobStatusTexts(const data::JobStatusTexts& texts)
{
    visualizePage_->SetJobStatusTexts(texts);
    queryPage_->SetJobStatusTexts(texts);
    SetTaskEditorStatusTexts(texts);
}

void TMainScreen::ShowResourceCaptionMode(int mode)
{
    if (visualizePage_->Attached())
        visualizePage_->Logic().Controls.ResourceCaptionMode = mode;
}

void TMainScreen::RecomputeAllTaskEnds()
{
    startup_.RecomputeAllTaskEnds();
}

void TMainScreen::AttachWorkCalendar()
{
    if (!workCalendarPage_ || workCalendarPage_->Attached())
        return;
    data::TEstimateData& d = *data_;
    schedule::WorkCalendarTab::Hooks hooks;
    hooks.RecomputeAllTaskEnds = [this] { RecomputeAllTaskEnds(); };
    const schedule::WorkCalendarTab::Tables tables{d.CalendarTable, d.CalendarTable2, d.HolidaysTable,
                                                   d.HolidaysTable2, d.CrewsTable2};
    workCalendarPage_->Attach(tables, State, Holidays, *userInterface_, std::move(hooks));
}

void TMainScreen::AttachVisualizePage()
{
    if (visualizePage_->Attached())
        return;
    visualizePage_->Attach(visualize::ChartTablesOf(*data_), State, *userInterface_,
                           calendarTables_->Loaded());
    visualize::VisualizeHooks& hooks = visualizePage_->Logic().Hooks;
    hooks.PushChartUpdates = [this] { sync_->PushChartUpdates(); };
    hooks.PushChartRecord = [this](std::int32_t key) { sync_->PushChartRecord(key); };
    hooks.KeepSyncLevels = [this](const std::function<void()>& change) { sync_->KeepLevelsThrough(change); };
    visualize::ConnectCalendarTables(hooks, *calendarTables_);
    hooks.ResourcesAreFree = [this](std::int32_t crewId, TDateTime start, TDateTime end, std::int32_t key) {
        return schedule::ResourcesAreFree(*scheduleTables_, *userInterface_, true, crewId, start, end, key);
    };
    hooks.AddTaskToSchedule = [this](const visualize::JobSummaryRow& row) {
        // A job's summary row, with the values chart building gives every one.
        schedule::NewScheduleItem item;
        item.Key = row.ChartsId;
        item.CustomerName = row.CustomerName;
        item.JobName = row.JobName;
        item.Description = row.Description;
        item.Start = row.Start;
        item.End = row.End;
        item.Hours = row.Hours;
        item.HourlyRate = row.Rate;
        item.TotalCost = row.TotalCost;
        item.JobRow = true;
        item.Active = true;
        item.JobStatus = 3;
        item.LengthUnit = -1;
        item.RepeatCount = 1;
        item.SingleAdd = true;
        item.AddToTaskList = false;
        item.FindOrCreate = true;
        // The adder makes the item's customer current, as the task editor
        // wants; a summary row is only drawn, so the user's customer stays.
        db::Table& customers = data_->CustomersTable;
        const bool hadCustomer = customers.active() && !customers.eof() && !customers.isEmpty();
        const double customer = hadCustomer ? customers.fieldByName("CID").asFloat() : 0;
        AddTaskToSchedule(item);
        if (hadCustomer)
            customers.locate("CID", db::Value(customer));
    };
    hooks.ApplyCustomerQuery = [this] { ApplyCustomerQuery(); };
    // The task editor and the task list editor rebuild the chart they found
    // cleared when they close; until they exist, the chart comes back at once.
    hooks.ShowTaskEditor = [this](int jobStatus) { EditTask(jobStatus); };
    hooks.OpenTaskListEditor = [this] { OpenEditChart(); };
    hooks.RefreshChart = [this] { RefreshChartClick(); };
    hooks.ChartSortByClick = [this] {
        // The dependency set-up chose the order; the choice shows it first.
        visualizePage_->ShowControls();
        Chart.ChartSortBy = visualizePage_->SortChoice();
        ChartSortByClick();
    };
    visualizePage_->ReadOtherPages = [this](visualize::PageControls& controls) {
        const schedule::CalendarControls calendar = workCalendarPage_->Controls();
        controls.SpecifyWorkingDay = calendar.SpecifyWorkingDay;
        controls.StartDayTime = calendar.StartDayTime;
    };
    visualizePage_->ApplyReadOnlyAccess(State.ReadOnlyCopy);
}

void TMainScreen::SetChartDateRange(bool update, TDateTime start, TDateTime end)
{
    Chart.ChartStartAt = start;
    Chart.ChartEndAt = end;
    visualizePage_->SetChartDateRange(update, start, end);
}

void TMainScreen::RefreshWorkCalendar()
{
    startup_.ReadWorkCalendarMode();
    workCalendarPage_->RefreshWorkCalendar();
    workCalendarPage_->LoadHolidays();
    workCalendarPage_->UpdateCalendarPanels();
}

void TMainScreen::RestoreSelection()
{
    data::TEstimateData& d = *data_;
    Guarded([&] {
        settingsTables_->ReadCompanyName();
        settingsTables_->ReadSortChoice();
        visualizePage_->SetSortChoice(Chart.ChartSortBy);
        Chart.SortChoiceRestored = true;
        if (d.CustomersTable.isEmpty() && d.JobsTable.isEmpty() && d.ChartsTable.isEmpty())
            setWindowTitle(QStringLiteral("Tarnwick"));
    });

    const int page = Settings.SavedPage >= CustomerTabPage && Settings.SavedPage <= MyCompanyPage
        ? Settings.SavedPage
        : UtilitiesPage;
    if (page == SchedulePage)
        State.ChartRefreshNeeded = true;
    ui->TabControl->setCurrentIndex(page);

    Guarded([&] {
        if (!d.CustomersTable.locate("CID", db::Value(double(Settings.SavedCustomerId))))
            d.CustomersTable.first();
        data::TablesBusyScope busy(State);
        const bool found = d.CrewsTable.locate("CREWID", db::Value(double(State.CurrentResourceId)));
        if (!found)
            d.CrewsTable.first();
    });
    State.TablesBusy = false;
    ApplyCustomerQuery();
    Guarded([&] { d.ChartsTable.locate("CHARTSID", db::Value(double(Settings.SavedScheduleItemId))); });
    ResourceDisplayClick();
    // The chart of a start on the Visualize page is built once, by the page
    // change that ends the start-up (StartTimer), not here as well.
}

void TMainScreen::SaveRunSettings(int page)
{
    data::TEstimateData& d = *data_;
    if (visualizePage_->Attached()) {
        Chart.ChartStartAt = visualizePage_->RAC()->StartAt();
        Chart.ChartEndAt = visualizePage_->RAC()->EndAt();
    }
    Guarded([&] {
        settingsTables_->SaveRunSettings(page, CurrentKey(d.CustomersTable, "CID"),
                                         CurrentKey(d.ChartsTable, "CHARTSID"),
                                         CurrentKey(d.CrewsTable, "CREWID"));
    });
}

bool TMainScreen::PullChartUpdates(bool force)
{
    return sync_->PullChartUpdates(force);
}

bool TMainScreen::RemoveObsoleteTasks()
{
    return sync_->RemoveObsoleteTasks();
}

bool TMainScreen::UpdateAccessRecord(bool take)
{
    return lock_->UpdateAccessRecord(take);
}

}  // namespace tw::app
