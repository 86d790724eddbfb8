#pragma once
// The page control as a feature unit: what a change of page, the Visualize
// page's Refresh and print buttons and its sort choice do (the window-free
// TabHandlers), answered by the pages' feature units through the TabView
// interface.

#include "app/features/featurecontext.h"
#include "app/tabs/tabhandlers.h"

namespace tw::app {

class StartupWindow;
class TMainPageControl;

class PageControl final : private TabView {
public:
    // tabs: the main window's page control; pages: the window's side of the
    // start-up, which attaches the pages to tables opened again.
    PageControl(const FeatureContext& context, const MainFeatures& features, TMainPageControl* tabs,
                StartupWindow& pages);

    void TabControlChange();
    void RefreshChartClick();
    void PrintPreviewButtonClick();
    void ChartSortByClick();
    TabHandlers& Handlers() { return handlers_; }

private:
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
    void ShowCalendarOf(bool allResources, std::int32_t resourceId) override;
    void LoadHolidays() override;
    void ApplyCustomerQuery() override;
    void EndPendingInsert() override;
    void OpenPrintPreview(const PrintRequest& request) override;

    FeatureContext context_;
    const MainFeatures& features_;
    TMainPageControl* tabs_;
    StartupWindow& pages_;
    TabHandlers handlers_;
};

}  // namespace tw::app
