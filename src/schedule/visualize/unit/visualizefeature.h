#pragma once
// The Visualize page as a feature unit: the page with the resource allocation
// chart in its container, its window-free logic (visualize::VisualizePageLogic)
// attached to the session's chart cursors once the tables are open, the
// schedule under the chart (synchronisation, overlap test, task adder) and the
// other pages it reaches, and what the other pages ask of the chart (build it,
// write its bars back, its period and its status bar).

#include <memory>

#include "app/features/featurecontext.h"
#include "schedule/visualize/visualizepagehost.h"
#include "data/jobstatus.h"
#include "platform/datetime/datetime.h"
#include "schedule/visualize/visualizeview.h"

class QLayout;

namespace tw::app {

class TVisualizePage;

class VisualizeFeature : public visualize::ChartSchedule, public visualize::OtherPages,
                         private VisualizePageHost {
public:
    VisualizeFeature(const FeatureContext& context, const MainFeatures& features, QWidget* container,
                     QLayout* containerLayout);
    ~VisualizeFeature() override;

    TVisualizePage* Page() const { return page_; }
    bool Attached() const;
    // Takes up the tables just opened; once per run.
    void Attach();

    void BuildChart(bool writeBack);
    void SaveAndClearAllocations(bool recompute);
    // The bars went under the records: dropped without writing back, and
    // built again from the records.
    void RebuildFromRecords();
    void KeepChartScale(double widthRatio);
    // The period the chart shows, kept by the session for the shutdown; the
    // correction the chart made of it, as ChartDates::SetChartDateRange.
    const char* SetChartDateRange(bool update, TDateTime start, TDateTime end);
    // The period the chart shows, set on it again after a reload.
    void KeepChartPeriod();
    // The chart's period into the session, as the shutdown saves it.
    void StoreChartPeriod();
    void ShowTaskStatusBar();
    void SetResetDependenciesEnabled(bool enabled);
    void SetJobStatusTexts(const data::JobStatusTexts& texts);
    void ShowResourceCaptionMode(int mode);
    void SetSortChoice(int choice);

    // The schedule under the chart.
    void PushChartUpdates() override;
    void PushChartRecord(std::int32_t chartsId) override;
    void PushChartRecords(const std::set<std::int32_t>& chartsIds) override;
    void KeepSyncLevels(const std::function<void()>& change) override;
    bool ResourcesAreFree(std::int32_t crewId, TDateTime start, TDateTime end,
                          std::int32_t chartsId) override;
    bool AddTaskToSchedule(const visualize::JobSummaryRow& row) override;
    // The other pages the chart reaches.
    void ApplyCustomerQuery() override;
    void UpdateSelectControls() override;
    void ShowTaskEditor(int jobStatus) override;
    void OpenTaskListEditor() override;
    void RefreshChart() override;
    void ChartSortByClick() override;

private:
    // The Work calendar's working day and the query's restrictions, for the page.
    void ReadOtherPages(visualize::PageControls& controls) override;

    FeatureContext context_;
    const MainFeatures& features_;
    TVisualizePage* page_ = nullptr;
    std::unique_ptr<visualize::WorkingTime> workingTime_;
};

}  // namespace tw::app
