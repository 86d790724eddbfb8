// The main window's side of the page control and the Visualize page's
// Refresh, print and sort controls, and the update poll: the work is done by
// the window-free handlers, which reach the window, its pages and the
// synchronisation through the hooks filled here.
#include "app/mainscreen.h"
#include "app/visualizepage.h"
#include "chart/resourceallocationchart.h"
#include "ui_mainscreen.h"

#include <QAbstractButton>
#include <QTabWidget>
#include <QTimer>

namespace tw::app {

void TMainScreen::ConnectTabHandlers()
{
    tabHandlers_ = std::make_unique<TabHandlers>(
        TabTables{data_->CustomersTable, data_->CustomersTable2, data_->ChartsTable, data_->ChartsTable2},
        State, *userInterface_);
    TabHooks& h = tabHandlers_->Hooks;
    h.ActivePage = [this] { return ui->TabControl->currentIndex(); };
    h.CloseAllTables = [this] { CloseAllTables(); };
    h.OpenAllTables = [this](bool rebuildAllowed) { OpenAllTables(rebuildAllowed); };
    h.PushChartUpdates = [this] { sync_->PushChartUpdates(); };
    h.SaveAndClearAllocations = [this](bool recompute) { SaveAndClearAllocations(recompute); };
    h.BuildChart = [this](bool writeBack) { BuildChart(writeBack); };
    h.ChartStartAt = [this] { return visualizePage_->RAC()->StartAt(); };
    h.ChartEndAt = [this] { return visualizePage_->RAC()->EndAt(); };
    h.SetChartPeriod = [this](TDateTime start, TDateTime end) { visualizePage_->SetChartPeriod(start, end); };
    h.ShowTaskStatusBar = [this] {
        if (visualizePage_->Attached())
            visualizePage_->Logic().Status.ShowTaskStatusBar();
    };
    h.SetResetDependenciesEnabled = [this](bool enabled) {
        if (!visualizePage_->Attached())
            return;
        visualizePage_->Logic().Controls.ResetDependenciesEnabled = enabled;
        visualizePage_->ShowControls();
    };
    h.ChartSortBy = [this] { return Chart.ChartSortBy; };
    h.SortChoiceRestored = [this] { return Chart.SortChoiceRestored; };
    h.FillCalendarResourceList = [this](bool allResources) { FillCalendarResourceList(allResources); };
    h.SelectCalendarResource = [this](std::int32_t id) { SelectCalendarResource(id); };
    h.ShowWorkCalendar = [this](std::int32_t id) { ShowWorkCalendar(id); };
    h.LoadHolidays = [this] { LoadHolidays(); };
    h.ApplyCustomerQuery = [this] { ApplyCustomerQuery(); };
    h.OpenPrintPreview = [this](int helpLevel, double span, double interval, double count, TDateTime start,
                                TDateTime end) {
        OpenPrintPreview(helpLevel, span, interval, count, start, end);
    };
}

void TMainScreen::ConnectUpdatePoll()
{
    poll_ = std::make_unique<app::UpdatePoll>(State, *userInterface_);
    PollHooks& h = poll_->Hooks;
    h.SetPollTimerEnabled = [this](bool enabled) {
        if (enabled)
            UpdatePoll->start();
        else
            UpdatePoll->stop();
    };
    h.SetRefreshChartEnabled = [this](bool enabled) { visualizePage_->RefreshChart()->setEnabled(enabled); };
    h.ActivePage = [this] { return ui->TabControl->currentIndex(); };
    h.ReopenMyCompanyTable = [this] {
        data::TableOperations::CloseTable(data_->MyCompanyTable, true);
        data_->MyCompanyTable.open();
    };
    h.ReadWorkCalendarMode = [this] { return settingsTables_->ReadWorkCalendarMode(); };
    h.RecomputeAllTaskEnds = [this] { RecomputeAllTaskEnds(); };
    h.RemoveObsoleteTasks = [this] { return RemoveObsoleteTasks(); };
    h.PullChartUpdates = [this](bool force) { return PullChartUpdates(force); };
    h.SaveAndClearAllocations = [this](bool recompute) { SaveAndClearAllocations(recompute); };
    h.BuildChart = [this](bool writeBack) { BuildChart(writeBack); };
    h.RefreshChartsTable = [this] {
        if (data_->ChartsTable.active())
            data_->ChartsTable.refresh();
    };
}

void TMainScreen::TabControlChange()
{
    Guarded([this] { tabHandlers_->TabControlChange(ui->TabControl->currentIndex()); });
}

void TMainScreen::UpdatePollTimer()
{
    poll_->UpdatePollTimer();
}

void TMainScreen::RefreshChartClick()
{
    Guarded([this] { tabHandlers_->RefreshChartClick(); });
}

void TMainScreen::PrintPreviewButtonClick()
{
    tabHandlers_->PrintPreviewButtonClick();
}

void TMainScreen::ChartSortByClick()
{
    if (!visualizePage_->Attached())
        return;
    Guarded([this] { tabHandlers_->ChartSortByClick(); });
}

}  // namespace tw::app
