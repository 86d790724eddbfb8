#pragma once
// The Work calendar tab's page: one calendar record (the default one of all
// resources, or the chosen resource's) on check boxes and time pickers, and
// the company holidays in bold on a month calendar.
//
// The page only moves values between its controls and the window-free
// WorkCalendarTab, which does the work on the tables. It does nothing until
// Attach hands it the data module's cursors and the run's state; the main
// window's calendar members call into it.

#include "data/services/mainstate.h"
#include "data/services/userinterface.h"
#include "schedule/holidaylist.h"
#include "schedule/workcalendartab/workcalendartab.h"

#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class TWorkCalendarPage;
}

class QDateTimeEdit;
namespace tw::controls {
class TFcGroupBox;
}

namespace tw::app {

class TWorkCalendarPage : public QWidget {
    Q_OBJECT
public:
    explicit TWorkCalendarPage(QWidget* parent = nullptr);
    ~TWorkCalendarPage() override;

    void Attach(schedule::WorkCalendarTab::Tables tables, data::MainScreenState& state,
                schedule::HolidayList& holidays, data::UserInterface& ui,
                schedule::CalendarSchedule& schedule);
    bool Attached() const { return tab_ != nullptr; }

    // What the main window and the other tabs call.
    void LoadHolidays();
    void FillCalendarResourceList(bool allResources);
    void SelectCalendarResource(double resourceId);
    void ShowWorkCalendar(double resourceId);
    void UpdateCalendarPanels();
    // The default calendar, or the current resource's, as the calendar mode
    // has it; the resource list is enabled only with a calendar per resource.
    void RefreshWorkCalendar();

    // The calendar as the controls show it, and back.
    schedule::CalendarControls Controls() const;
    void SetControls(const schedule::CalendarControls& controls);

    // Handlers of the controls.
    void CalendarOkClick();
    void Create247Click();
    void ResourceListChange(int index);
    void OverrideClick();
    void WorkingHoursChange();
    void SpecifyWorkingDayClick();
    void SpecifyDownTimeClick(int downTime);  // 0..2
    void CalendarControlsChanged();
    void SetHolidayClick();
    void ClearHolidayClick();
    void ClearAllHolidaysClick();
    void HolidayCalendarGetBoldDays(QObject* sender, int year, int month, std::uint32_t& dayMask);

private:
    // Database failures reach the user as the engine's own text.
    template <typename Work>
    void Guarded(Work&& work);
    void SetDownTimeEnabled(int downTime, bool enabled);
    QDateTimeEdit* StartPicker(int downTime) const;
    QDateTimeEdit* EndPicker(int downTime) const;

    std::unique_ptr<Ui::TWorkCalendarPage> ui;
    std::unique_ptr<schedule::WorkCalendarTab> tab_;
    data::MainScreenState* state_ = nullptr;
    data::UserInterface* userInterface_ = nullptr;
    controls::TFcGroupBox* startDownPanels_[3] = {};
    controls::TFcGroupBox* endDownPanels_[3] = {};
};

}  // namespace tw::app
