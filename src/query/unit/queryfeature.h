#pragma once
// The Add / Edit / Query page as a feature unit: the page (TQueryPage over
// its window-free query::QueryPageLogic), attached to the data module once
// the tables are open; the resource buttons of its tasks
// (schedule::TaskResources); what other units ask of it (queryunit.h); and
// its grids refreshed on the schedule notice. It reads the Work calendar's
// and the chart's choices; the task editor, the custom fields and the
// exchange windows answer its requests.

#include <cstdint>
#include <memory>

#include <QString>

#include "app/features/featurecontext.h"
#include "query/unit/queryunit.h"
#include "query/querypage.h"
#include "data/services/schedulenotice.h"
#include "query/querypagelogic.h"

namespace tw::schedule {
class TaskResources;
}

class QGridLayout;

namespace tw::app {

class CalendarPages;
class ChartPage;
class ChartSelection;
class ChartSettings;
class TMainPageControl;

class QueryFeature final : public QuerySelection,
                           public QueryFilters,
                           public QueryScreens,
                           public QueryRequests,
                           private query::QueryHost,
                           private QueryPageHost {
public:
    // tabs: the main window's page control, which the page leaves and shows.
    QueryFeature(const FeatureContext& context, CalendarPages& calendar, ChartPage& chart,
                 ChartSelection& chartSelection, ChartSettings& chartSettings, QWidget* area,
                 QGridLayout* areaLayout, TMainPageControl* tabs);
    ~QueryFeature() override;

    TQueryPage* Page() const { return page_; }

    // QuerySelection
    bool Attached() const override { return page_->Attached(); }
    std::int32_t CurrentResource() override;
    double CurrentResourceRate() const override;
    void ReadRestrictions(visualize::PageControls& controls) const override;
    reports::SelectionState ReportSelection(int chartSortBy, std::int32_t currentResourceId) const override;
    QString ReportTitle(const QString& caption) const override;
    bool CustomerGridEnabled() const override;
    // QueryFilters
    void ApplyCustomerQuery() override;
    void ApplyQueryFilters() override;
    void UpdateSelectControls() override;
    void RestrictToCustomer() override;
    void RestrictTasksToCrew() override;
    void SetCustomersLabel(const std::string& text) override;
    // QueryScreens
    void Attach() override;
    void ShowEmptyDatabase() override;
    void ShowTitle(const std::string& title) override;
    void ResourceDisplayClick() override;
    void EnableJobsNavigator() override;
    void RefreshCustomerViews() override;
    void ShowJobStatusTexts(const data::JobStatusTexts& texts) override;
    void ApplyReadOnlyAccess(bool readOnly) override;
    void SetChartSortBy2(int choice) override;
    int TaskStatusIndex() const override;
    void SetTaskStatusIndex(int index) override;
    void UntickRestrictToSelectedStatus() override;
    query::QueryPageLogic& Logic() override { return page_->Logic(); }
    // QueryRequests
    void OnOpenTaskEditor(std::function<void(const query::TaskEditorRequest&)> action) override;
    void OnCustomFields(std::function<void(Fields)> action) override;
    void OnExchange(std::function<void(Exchange)> action) override;

    // Every page's "apply the customer query" comes here (the data module's
    // hook): the task navigator an empty database hid returns with a job.
    void ApplyQueryAndShowTasksNavigator();

private:
    // What the page's logic reaches: the other feature units and the session.
    void OpenTaskEditor(const query::TaskEditorRequest& request) override;
    void ShowTaskStatusBar() override;
    void LoadCustomFieldValues(int ownerKind) override;
    void SearchCustomFields() override;
    void DeleteCrewIndexRows(std::int32_t chartsId) override;
    void ShowWorkCalendar(std::int32_t resourceId) override;
    void FillCalendarResourceList(bool allResources) override;
    std::pair<TDateTime, TDateTime> WorkingDay() override;
    int ChartDisplayChoice() const override;
    void SetChartSortBy(int choice) override;
    bool SaveTasksGridWidths(const std::array<int, 4>& widths) override;
    TDateTime Now() const override;
    // What the page's buttons open: the task resources, the custom fields,
    // the customer tab and the exchange windows; and the Work calendar's
    // working day choice it reads.
    bool SpecifyWorkingDay() const override;
    void AddResourceClick() override;
    void RemoveResourceClick() override;
    void CrewsGridDblClick() override;
    void TasksCustomFieldsClick() override;
    void CrewsCustomFieldsClick() override;
    void CustomerGridDblClick() override;
    void ImportFromQMClick() override;
    void ExportToQBClick() override;
    void ImportFromQBClick() override;
    void ConnectTaskResources();
    void ScheduleChanged(data::ScheduleChanges changes);

    FeatureContext context_;
    CalendarPages& calendar_;
    ChartPage& chart_;
    ChartSelection& chartSelection_;
    ChartSettings& chartSettings_;
    TMainPageControl* tabs_;
    TQueryPage* page_ = nullptr;
    std::unique_ptr<schedule::TaskResources> taskResources_;
    std::function<void(const query::TaskEditorRequest&)> openTaskEditor_;
    std::function<void(Fields)> customFields_;
    std::function<void(Exchange)> exchange_;
    data::ScheduleNotice::Subscription changes_;
};

}  // namespace tw::app
