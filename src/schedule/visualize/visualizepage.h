#pragma once
// The Visualize tab's page: the resource allocation chart RAC over the
// buttons that nudge the selected task, zoom and align the chart, set up
// task dependencies, and choose what is shown and in which order.
//
// The page only moves values between its widgets and the window-free
// visualize::VisualizePageLogic, which does the work on the data module's
// cursors; it answers the logic's questions of its window (VisualizeView).
// It does nothing until Attach hands it those cursors, the run's state, and
// what answers for the schedule and the other pages (the feature unit).

#include "schedule/visualize/visualizepagehost.h"
#include "controls/buttons/fcbitbtn.h"
#include "data/jobstatus.h"
#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "schedule/visualize/visualizepagelogic.h"

#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class TVisualizePage;
}

class QTimer;

namespace tw::schedule {
class CalendarTables;
}

namespace tw::chart {
class TResourceAllocation;
class TResourceAllocationChart;
}  // namespace tw::chart

namespace tw::app {

class TVisualizePage : public QWidget, public visualize::VisualizeView {
    Q_OBJECT
public:
    static constexpr int kMicroAdjustMs = 1000;

    explicit TVisualizePage(QWidget* parent = nullptr);
    ~TVisualizePage() override;

    void Attach(const visualize::ChartTables& tables, data::MainScreenState& state,
                data::ChartDisplay& display, data::UserInterface& ui,
                const schedule::WorkCalendar& loadedCalendar, visualize::ChartSchedule& schedule,
                visualize::WorkingTime& time, visualize::OtherPages& pages, VisualizePageHost& host);
    bool Attached() const { return page_ != nullptr; }
    // The page's logic. Only once attached.
    visualize::VisualizePageLogic& Logic() { return *page_; }

    chart::TResourceAllocationChart* RAC() const;
    controls::TFcBitBtn* RefreshChart() const;
    controls::TFcBitBtn* PrintPreviewButton() const;
    controls::TFcBitBtn* InsertSpace() const;
    controls::TFcBitBtn* RemoveSpace() const;
    // Fires a nudged task's write when it runs out; see MicroAdjustTimer.
    QTimer* MicroAdjust() const { return microAdjust_; }

    // The job status texts of the settings, for the hints.
    void SetJobStatusTexts(const data::JobStatusTexts& texts) { statusTexts_ = texts; }

    // The sort choice, 0 "Resource" ... 6 "Dependent group"; setting it
    // fires no click.
    int SortChoice() const;
    void SetSortChoice(int choice);
    int DisplayChoice() const;

    // What the main window and the other tabs call.
    void BuildChart(bool writeBack);
    void SaveAndClearAllocations(bool recompute);
    const char* SetChartDateRange(bool update, TDateTime start, TDateTime end);
    void SetChartPeriod(TDateTime start, TDateTime end);
    // A wider window shows more time at the same scale.
    void KeepChartScale(double widthRatio);
    // A read-only copy shows tasks and cannot move them.
    void ApplyReadOnlyAccess(bool readOnly);
    // The logic's view of the controls, written into the widgets.
    void ShowControls();
    // A clock other than the steady one (a test drives drags with its own).
    void SetClock(std::function<std::int64_t()> now) { clock_ = std::move(now); }

    // What the logic asks of the window.
    void StartMicroAdjust() override;
    void StopMicroAdjust() override;
    std::int64_t MonotonicMilliseconds() override;
    void ReadOtherPageControls(visualize::PageControls& controls) override;
    void SetChartGrid(double interval, chart::TDateTimeStyle style, TDateTime base) override;

    // Handlers of the controls.
    void MicroAdjustTimer();
    void ShowJobsOnlyClick(int choice);

signals:
    // The user chose another sort order.
    void ChartSortByClicked(int choice);

private:
    // Reads the choices into the logic, runs the work, and shows what it left
    // in the controls; database failures reach the user as the engine's text.
    template <typename Work>
    void Run(Work&& work);
    void ReadControls();
    void ConnectChart();
    void ConnectButtons();
    void DrawHeadingBands(QPainter* canvas);

    std::unique_ptr<Ui::TVisualizePage> ui;
    std::unique_ptr<visualize::VisualizePageLogic> page_;
    data::JobStatusTexts statusTexts_;
    data::UserInterface* userInterface_ = nullptr;
    QTimer* microAdjust_ = nullptr;
    QElapsedTimer elapsed_;
    std::function<std::int64_t()> clock_;
    VisualizePageHost* host_ = nullptr;
    // The bar whose move was just refused for a resource conflict.
    const chart::TResourceAllocation* refusedMove_ = nullptr;
};

}  // namespace tw::app
