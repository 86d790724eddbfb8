#pragma once
// The page control as a feature unit: what a change of page, the Visualize
// page's Refresh button and its sort choice do (the window-free TabHandlers),
// the 15-second poll (UpdatePoll), and the dialogs closed at the shutdown; the
// pages' units answer through their interfaces (PageControlUnits). It is also the data module's view of the window (the
// page shown, the query applied, a resource's working hours, the end of the
// program), and keeps the poll aside while the task editor is on screen.

#include "app/features/featurecontext.h"
#include "app/features/pagecontrolunit.h"
#include "app/tabs/tabhandlers.h"
#include "app/tabs/updatepoll.h"

#include <memory>

class QTimer;

namespace tw::app {

class CalendarPages;
class ChartButtons;
class ChartPage;
class CustomerDialogs;
class PendingBlocks;
class QueryFilters;
class QueryScreens;
class TMainPageControl;
class TaskEditing;

// The units whose pages and windows the page control prepares and closes.
struct PageControlUnits {
    ChartPage& Chart;
    ChartButtons& Buttons;
    CalendarPages& Calendar;
    QueryFilters& Filters;
    QueryScreens& Query;
    PendingBlocks& Blocks;
    TaskEditing& Editor;
    CustomerDialogs& Customers;
};

class PageControl final : public PageTurns, private TabView, private PollView, private data::PageControlView {
public:
    // tabs: the main window's page control; pollTimer: the 15-second timer of the poll.
    PageControl(const FeatureContext& context, const PageControlUnits& units, TMainPageControl* tabs,
                QTimer* pollTimer);
    ~PageControl() override;
    PageControl(const PageControl&) = delete;
    PageControl& operator=(const PageControl&) = delete;

    void TabControlChange() override;
    void RefreshChartClick();
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
    // What the poll tells the window (PollView) beyond the above.
    void SetPollTimerEnabled(bool enabled) override;
    void SetRefreshChartEnabled(bool enabled) override;
    // What the data module asks (data::PageControlView) beyond the above.
    bool SelectPageIsCurrent() const override;
    float WorkingHoursBetween(std::int32_t resourceId, TDateTime start, TDateTime end) override;
    void TerminateApplication() override;

    FeatureContext context_;
    PageControlUnits units_;
    TMainPageControl* tabs_;
    QTimer* pollTimer_;
    TabHandlers handlers_;
    std::unique_ptr<PollSchedule> pollSchedule_;  // the session's, for the poll
    UpdatePoll poll_;
};

}  // namespace tw::app
