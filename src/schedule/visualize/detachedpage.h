#pragma once
// The page's logic with nothing around it: no timer, no other pages, no
// shared tables, and no working-time engine, so a task keeps no length, as on
// a resource without a calendar. A benchmark or a test that reaches none of
// these builds the logic on it; a fake overrides what it wants to see.

#include "data/services/chartdisplay.h"
#include "schedule/visualize/visualizeview.h"

namespace tw::visualize {

class DetachedPage : public VisualizeView, public ChartSchedule, public WorkingTime, public OtherPages {
public:
    explicit DetachedPage(const schedule::WorkCalendar& loadedCalendar) : loaded_(loadedCalendar) {}

    PageLinks Links() { return {*this, *this, *this, *this}; }

    data::ChartDisplay Display;

    void StartMicroAdjust() override {}
    void StopMicroAdjust() override {}
    std::int64_t MonotonicMilliseconds() override;
    void ReadOtherPageControls(PageControls&) override {}
    void SetChartGrid(double, chart::TDateTimeStyle, TDateTime) override {}

    void PushChartUpdates() override {}
    void PushChartRecord(std::int32_t) override {}
    void PushChartRecords(const std::set<std::int32_t>&) override {}
    void KeepSyncLevels(const std::function<void()>& change) override { change(); }
    bool ResourcesAreFree(std::int32_t, TDateTime, TDateTime, std::int32_t) override { return true; }
    bool AddTaskToSchedule(const JobSummaryRow&) override { return false; }

    TDateTime ComputeTaskEnd(std::int32_t, TDateTime&, TDateTime start, float) override { return start; }
    float WorkingHoursBetween(std::int32_t, TDateTime, TDateTime) override { return 0.0f; }
    const schedule::WorkCalendar& LoadWorkCalendar(std::int32_t) override { return loaded_; }

    void ApplyCustomerQuery() override {}
    void UpdateSelectControls() override {}
    void ShowTaskEditor(int) override {}
    void OpenTaskListEditor() override {}
    void RefreshChart() override {}
    void ChartSortByClick() override {}

private:
    const schedule::WorkCalendar& loaded_;
};

}  // namespace tw::visualize
