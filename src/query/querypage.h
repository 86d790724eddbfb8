#pragma once
// The Add / Edit / Query tab's page: the customers, jobs, tasks and
// resources grids with their navigators, and the Query group that restricts
// what the grids, the chart and the reports show.
//
// The page only moves values between its widgets and the window-free
// query::QueryPageLogic, which works on the data module's cursors. It does
// nothing until Attach hands it the data module, the run's state and what
// the logic reaches of the rest of the program (its feature unit).

#include "query/querypagelogic.h"
#include "data/jobstatus.h"

#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class TQueryPage;
}

class QTableView;

namespace tw::controls {
class CursorModel;
class RecordNavigator;
}  // namespace tw::controls

namespace tw::app {

// What the page's buttons open on the other pages and windows, and what it
// reads of their controls; the Add / Edit / Query feature implements it.
class QueryPageHost {
public:
    virtual ~QueryPageHost() = default;

    // The Work calendar page's "specify working day" box.
    virtual bool SpecifyWorkingDay() const = 0;
    // The resources of the current task.
    virtual void AddResourceClick() = 0;
    virtual void RemoveResourceClick() = 0;
    virtual void CrewsGridDblClick() = 0;
    // The custom-fields window for tasks and for resources.
    virtual void TasksCustomFieldsClick() = 0;
    virtual void CrewsCustomFieldsClick() = 0;
    // A double click on a customer shows the customer tab.
    virtual void CustomerGridDblClick() = 0;
    // "Import from Quillmark", "Export to QuickBooks", "Import from QuickBooks".
    virtual void ImportFromQMClick() = 0;
    virtual void ExportToQBClick() = 0;
    virtual void ImportFromQBClick() = 0;
};

// Once attached, the page is the data module's view of the query: its moves
// run the query and the resources display through the page's controls.
class TQueryPage : public QWidget, private query::QueryView, private data::QueryPageView {
    Q_OBJECT
public:
    explicit TQueryPage(QueryPageHost& host, QWidget* parent = nullptr);
    ~TQueryPage() override;

    void Attach(data::TEstimateData& data, data::MainScreenState& state, query::QueryState& query,
                data::UserInterface& ui, query::QueryHost& host);
    bool Attached() const { return logic_ != nullptr; }
    // The page's logic; only once attached.
    query::QueryPageLogic& Logic() { return *logic_; }

    // What the main window and the other pages call.
    void ApplyCustomerQuery();
    void ApplyQueryFilters() override;
    void UpdateSelectControls();
    void ResourceDisplayClick();
    void SelectExit();
    // Reads the views afresh into the grids and shows the logic's view of the controls.
    void ShowControls();
    void SetJobStatusTexts(const data::JobStatusTexts& texts);
    // Shows the chart's sort order in the tab's own choice; fires no click.
    void SetChartSortBy2(int choice);
    // The tasks grid's columns: the first fills the grid, or the widths the user set.
    void SetTasksGridWidths(bool autoWidth, const std::array<int, 4>& widths);
    // A read-only copy adds, changes and removes nothing.
    void ApplyReadOnlyAccess(bool readOnly);

    QTableView* TasksGrid() const;
    QTableView* CrewsGrid() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Confirm(const std::string& text, const std::string& caption) override;
    void ShowResourcesOfTask(std::int32_t chartsId) override;
    bool RestrictTasksToCrew() const override;
    template <typename Work>
    void Run(Work&& work, bool userAction = true);
    template <typename Work>
    bool Guard(Work&& work);
    void PostTyped();
    void ReadControls();
    void ConnectControls();
    void ConnectNavigator(controls::RecordNavigator* navigator, query::QueryPageLogic::Navigator which);
    void ConnectGrid(QTableView* grid, controls::CursorModel* model, query::QueryPageLogic::Navigator which);
    void ShowGrid(QTableView* grid, controls::CursorModel* model);
    void FitTasksGridFirstColumn();
    void SizeCrewsGridColumns();
    std::array<int, 4> TasksGridWidths() const;

    std::unique_ptr<Ui::TQueryPage> ui;
    QueryPageHost& host_;
    std::unique_ptr<query::QueryPageLogic> logic_;
    data::DataModuleViews* moduleViews_ = nullptr;
    data::UserInterface* userInterface_ = nullptr;
    data::JobStatusTexts statusTexts_;
    controls::CursorModel* customers_ = nullptr;
    controls::CursorModel* jobs_ = nullptr;
    controls::CursorModel* tasks_ = nullptr;
    controls::CursorModel* crews_ = nullptr;
    bool showing_ = false;
    int runDepth_ = 0;  // handlers running; only the outermost shows the controls
    bool readOnly_ = false;
    bool tasksAutoWidth_ = true;
};

}  // namespace tw::app
