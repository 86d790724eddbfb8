#pragma once
// The page control as a feature unit: what a change of page, the Visualize
// page's Refresh and print buttons and its sort choice do (the window-free
// TabHandlers), the 15-second poll (UpdatePoll), and the dialogs closed at
// the shutdown; the pages' feature units answer through the TabView and
// PollView interfaces. It is also the data module's view of the window (the
// page shown, the query applied, a resource's working hours, the end of the
// program), and keeps the poll aside while the task editor is on screen.

#include "app/features/featurecontext.h"
#include "app/tabs/tabhandlers.h"
#include "app/tabs/updatepoll.h"

class QTimer;

namespace tw::app {

class StartupWindow;
class TMainPageControl;

class PageControl final : private TabView, private PollView, private data::PageControlView {
public:
    // tabs: the main window's page control; pages: the window's side of the
    // start-up, which attaches the pages to tables opened again; pollTimer:
    // the 15-second timer of the poll.
    PageControl(const FeatureContext& context, const MainFeatures& features, TMainPageControl* tabs,
                StartupWindow& pages, QTimer* pollTimer);
    ~PageControl();
    PageControl(const PageControl&) = delete;
    PageControl& operator=(const PageControl&) = delete;

    void TabControlChange();
    void RefreshChartClick();
    void PrintPreviewButtonClick();
    void ChartSortByClick();
    // The poll timer's handler: takes in the other workstations' changes.
    void UpdatePollTimer();
    // Closes every dialog and window the pages opened, saving what they show.
    void CloseDialogs();

private:
    void WatchTaskEditor();
    int ActivePage() const override;
    void ReopenAllTables() override;
    void PushChartUpdates() override;
    void SaveAndClearAllocations(bool recompute) override;
    void BuildChart(bool writeBack) override;
    void KeepChartPeriod() override;
    void ShowTaskStatusBar() override;
    void SetResetDependenciesEnabled(bool enabled) override;
    int ChartSortBy() const override;
    bool SortChoiceRestored() const override;
    void SetChartSortBy2(int choice) override;
    void ShowCalendarOf(bool allResources, std::int32_t resourceId) override;
    void LoadHolidays() override;
    void ApplyCustomerQuery() override;
    void EndPendingInsert() override;
    void OpenPrintPreview(const PrintRequest& request) override;
    // What the poll asks (PollView) beyond the above.
    void SetPollTimerEnabled(bool enabled) override;
    void SetRefreshChartEnabled(bool enabled) override;
    void ReopenMyCompanyTable() override;
    int ReadWorkCalendarMode() override;
    void RecomputeAllTaskEnds() override;
    bool RemoveObsoleteTasks() override;
    bool PullChartUpdates(bool force) override;
    void ApplyQueryFilters() override;
    void RefreshChartsTable() override;
    // What the data module asks (data::PageControlView) beyond the above.
    bool SelectPageIsCurrent() const override;
    float WorkingHoursBetween(std::int32_t resourceId, TDateTime start, TDateTime end) override;
    void TerminateApplication() override;

    FeatureContext context_;
    const MainFeatures& features_;
    TMainPageControl* tabs_;
    StartupWindow& pages_;
    QTimer* pollTimer_;
    TabHandlers handlers_;
    UpdatePoll poll_;
};

}  // namespace tw::app
