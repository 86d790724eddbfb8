#pragma once
// The Visualize page as a feature unit: the page with the resource allocation
// chart in its container, its window-free logic (visualize::VisualizePageLogic)
// attached to the session's chart cursors once the tables are open, the
// schedule under the chart (synchronisation, overlap test, task adder), and
// what the other units ask of the chart (visualizeunit.h). The chart is built
// again when the schedule notice says the tasks changed; the page's buttons
// go to the units that listen to them.

#include <memory>

#include "app/features/featurecontext.h"
#include "schedule/visualize/unit/visualizeunit.h"
#include "schedule/visualize/visualizepagehost.h"
#include "data/jobstatus.h"
#include "data/services/schedulenotice.h"
#include "platform/datetime/datetime.h"
#include "schedule/visualize/visualizeview.h"

class QLayout;

namespace tw::app {

class CalendarPages;
class QueryFilters;
class QuerySelection;
class TVisualizePage;

class VisualizeFeature final : public ChartPage,
                               public ChartSelection,
                               public ChartSettings,
                               public ChartButtons,
                               public visualize::ChartSchedule,
                               public visualize::OtherPages,
                               private VisualizePageHost {
public:
    VisualizeFeature(const FeatureContext& context, CalendarPages& calendar, QWidget* container,
                     QLayout* containerLayout);
    ~VisualizeFeature() override;
    // The query is made after the chart and reads the chart's choices; the
    // chart reads the query's restriction from here on.
    void ConnectQuery(QuerySelection& selection, QueryFilters& filters);

    TVisualizePage* Page() const { return page_; }

    // ChartPage
    bool Attached() const override;
    void Attach() override;
    void BuildChart(bool writeBack) override;
    void SaveAndClearAllocations(bool recompute) override;
    void RebuildFromRecords() override;
    void KeepChartPeriod() override;
    void ShowTaskStatusBar() override;
    void SetResetDependenciesEnabled(bool enabled) override;
    // ChartSelection
    std::optional<std::int32_t> SelectedBarResource() override;
    int DisplayChoice() const override;
    chart::TResourceAllocationChart& PrintedChart() override;
    // ChartSettings
    const char* SetChartDateRange(bool update, TDateTime start, TDateTime end) override;
    void SetJobStatusTexts(const data::JobStatusTexts& texts) override;
    void ShowResourceCaptionMode(int mode) override;
    void SetSortChoice(int choice) override;
    void ChooseSort(int choice) override;
    void ApplyReadOnlyAccess(bool readOnly) override;
    // ChartButtons
    void OnRefresh(Action action) override { refresh_ = std::move(action); }
    void OnPrint(Action action) override { print_ = std::move(action); }
    void OnSortChosen(Action action) override { sortChosen_ = std::move(action); }
    void OnInsertTime(Action action) override { insertTime_ = std::move(action); }
    void OnRemoveTime(Action action) override { removeTime_ = std::move(action); }
    void OnEditTask(std::function<void(int)> action) override { editTask_ = std::move(action); }
    void OnOpenTaskList(Action action) override { openTaskList_ = std::move(action); }
    void SetRefreshEnabled(bool enabled) override;
    void SetInsertTimeEnabled(bool enabled) override;
    void SetRemoveTimeEnabled(bool enabled) override;

    void KeepChartScale(double widthRatio);

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
    static void Run(const Action& action);

    FeatureContext context_;
    CalendarPages& calendar_;
    QuerySelection* query_ = nullptr;
    QueryFilters* queryFilters_ = nullptr;
    TVisualizePage* page_ = nullptr;
    std::unique_ptr<visualize::WorkingTime> workingTime_;
    Action refresh_, print_, sortChosen_, insertTime_, removeTime_, openTaskList_;
    std::function<void(int)> editTask_;
    data::ScheduleNotice::Subscription changes_;
};

}  // namespace tw::app
