#pragma once
// The Add / Edit / Query page as a feature unit: the page (TQueryPage over
// its window-free query::QueryPageLogic), attached to the data module once
// the tables are open, its hooks reaching the Visualize and Work calendar
// pages, the task editor, the exchange windows, the custom fields and the
// schedule adder; and what other pages and a restore do to its grids, labels
// and navigators.

#include <cstdint>

#include <QString>

#include "app/features/featurecontext.h"
#include "query/querypage.h"
#include "query/querypagelogic.h"

namespace tw::visualize {
struct PageControls;
}

class QGridLayout;

namespace tw::app {

class TMainPageControl;

class QueryFeature : private query::QueryHost, private QueryPageHost {
public:
    // tabs: the main window's page control, which the page leaves and shows.
    QueryFeature(const FeatureContext& context, const MainFeatures& features, QWidget* area,
                 QGridLayout* areaLayout, TMainPageControl* tabs);
    ~QueryFeature();

    TQueryPage* Page() const { return page_; }
    // Attaches the page to the open tables.
    void Attach();
    void ApplyCustomerQuery();
    // Every page's "apply the customer query" comes here (the data module's
    // hook): the task navigator an empty database hid returns with a job.
    void ApplyQueryAndShowTasksNavigator();
    // An empty database says so on the page; with no job to add a task to,
    // the task navigator stays hidden until the first job exists.
    void ShowEmptyDatabase();
    void ResourceDisplayClick();
    // The resource selected on the page (one is made when there is none).
    std::int32_t CurrentResource();
    // The customers and jobs grids after customers.dbf or jobs.dbf changed.
    void RefreshCustomerViews();
    void SetCustomersLabel(const QString& caption);
    void EnableJobsNavigator();
    void UpdateSelectControls();
    // The restrictions and dates the chart and its status bar follow.
    void ReadRestrictions(visualize::PageControls& controls) const;

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

    FeatureContext context_;
    const MainFeatures& features_;
    TMainPageControl* tabs_;
    TQueryPage* page_ = nullptr;
};

}  // namespace tw::app
