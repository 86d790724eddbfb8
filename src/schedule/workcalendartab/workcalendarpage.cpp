#include "schedule/workcalendartab/workcalendarpage.h"

#include <QComboBox>

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "controls/fccalendar.h"
#include "controls/typedpicker.h"
#include "ui_workcalendarpage.h"

#include "controls/choices/fcglyphbutton.h"
#include "controls/panels/fcgroupbox.h"
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QSignalBlocker>

#include <deque>
#include <exception>

namespace tw::app {

namespace {

// Pickers keep wall-clock instants: no time zone may move them.
QDateTime ToPicker(TDateTime value)
{
    DateFields date;
    TimeFields time;
    DecodeDateTime(value, date, time);
    return QDateTime(QDate(date.year, date.month, date.day),
                     QTime(time.hour, time.minute, time.second, time.msec), Qt::UTC);
}

TDateTime FromPicker(const QDateTimeEdit* picker)
{
    const QDateTime value = picker->dateTime();
    const QDate date = value.date();
    const QTime time = value.time();
    return ComposeDateTime(EncodeDate(date.year(), date.month(), date.day()),
                           EncodeTime(time.hour(), time.minute(), time.second(), time.msec()));
}

}  // namespace

TWorkCalendarPage::TWorkCalendarPage(QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TWorkCalendarPage>())
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    startDownPanels_[0] = ui->StartDownPanel1;
    startDownPanels_[1] = ui->StartDownPanel2;
    startDownPanels_[2] = ui->StartDownPanel3;
    endDownPanels_[0] = ui->EndDownPanel1;
    endDownPanels_[1] = ui->EndDownPanel2;
    endDownPanels_[2] = ui->EndDownPanel3;

    // Captions are never cut: the page asks for the room they need and the
    // main window grows to it.
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui->SpecifyWorkingDay, ui->SpecifyDownTime1, ui->SpecifyDownTime2, ui->SpecifyDownTime3,
             ui->StartDayPanel, ui->EndDayPanel, ui->StartDownPanel1, ui->StartDownPanel2,
             ui->StartDownPanel3, ui->EndDownPanel1, ui->EndDownPanel2, ui->EndDownPanel3})
        w->setSizePolicy(QSizePolicy::Minimum, w->sizePolicy().verticalPolicy());
    // The resource list asks for the width of its longest entry, so that
    // "Default for all resources" shows whole; where the window is too
    // narrow for that it may elide, down to 12 characters, so that the page
    // still fits the main window's default width with every caption whole.
    ui->ResourceList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ui->ResourceList->setMinimumContentsLength(12);

    for (controls::TFcCheckBox* day :
         {ui->Sunday, ui->Monday, ui->Tuesday, ui->Wednesday, ui->Thursday, ui->Friday, ui->Saturday})
        connect(day, &controls::TFcControl::clicked, this, &TWorkCalendarPage::CalendarControlsChanged);
    for (QDateTimeEdit* picker :
         {ui->StartDayTime, ui->EndDayTime, ui->StartDownTime1, ui->EndDownTime1, ui->StartDownTime2,
          ui->EndDownTime2, ui->StartDownTime3, ui->EndDownTime3}) {
        picker->setTimeSpec(Qt::UTC);
        // A typed time counts once it is typed in full.
        controls::TypedPicker::Watch(picker, [this] { CalendarControlsChanged(); });
    }
    connect(ui->SpecifyWorkingDay, &controls::TFcControl::clicked, this, &TWorkCalendarPage::SpecifyWorkingDayClick);
    const controls::TFcCheckBox* downTimes[3] = {ui->SpecifyDownTime1, ui->SpecifyDownTime2, ui->SpecifyDownTime3};
    for (int i = 0; i < 3; ++i)
        connect(downTimes[i], &controls::TFcControl::clicked, this, [this, i] { SpecifyDownTimeClick(i); });
    connect(ui->Override, &controls::TFcControl::clicked, this, &TWorkCalendarPage::OverrideClick);
    connect(ui->WorkingHours, &QLineEdit::textChanged, this, &TWorkCalendarPage::WorkingHoursChange);
    connect(ui->ResourceList, &QComboBox::currentIndexChanged, this, &TWorkCalendarPage::ResourceListChange);
    connect(ui->CalendarOk, &controls::TFcControl::clicked, this, &TWorkCalendarPage::CalendarOkClick);
    connect(ui->Create247, &controls::TFcControl::clicked, this, &TWorkCalendarPage::Create247Click);
    connect(ui->SetHoliday, &controls::TFcControl::clicked, this, &TWorkCalendarPage::SetHolidayClick);
    connect(ui->ClearHoliday, &controls::TFcControl::clicked, this, &TWorkCalendarPage::ClearHolidayClick);
    connect(ui->ClearAllHolidays, &controls::TFcControl::clicked, this, &TWorkCalendarPage::ClearAllHolidaysClick);
    ui->HolidayCalendar->OnGetBoldDays = [this](QObject* sender, int year, int month, std::uint32_t& mask) {
        HolidayCalendarGetBoldDays(sender, year, month, mask);
    };

    // Until a calendar is shown the page shows the one every resource gets.
    SetControls(schedule::ControlsFromRecord(schedule::DefaultCalendarRecord(0, 0, Today())));
}

TWorkCalendarPage::~TWorkCalendarPage() = default;

void TWorkCalendarPage::Attach(schedule::WorkCalendarTab::Tables tables, data::MainScreenState& state,
                               schedule::HolidayList& holidays, data::UserInterface& userInterface,
                               schedule::CalendarSchedule& schedule)
{
    state_ = &state;
    userInterface_ = &userInterface;
    tab_ = std::make_unique<schedule::WorkCalendarTab>(tables, state, holidays, userInterface, schedule);
}

template <typename Work>
void TWorkCalendarPage::Guarded(Work&& work)
{
    if (!tab_)
        return;
    try {
        work();
    } catch (const std::exception& e) {
        userInterface_->ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
    }
}

QDateTimeEdit* TWorkCalendarPage::StartPicker(int downTime) const
{
    QDateTimeEdit* pickers[3] = {ui->StartDownTime1, ui->StartDownTime2, ui->StartDownTime3};
    return pickers[downTime];
}

QDateTimeEdit* TWorkCalendarPage::EndPicker(int downTime) const
{
    QDateTimeEdit* pickers[3] = {ui->EndDownTime1, ui->EndDownTime2, ui->EndDownTime3};
    return pickers[downTime];
}

schedule::CalendarControls TWorkCalendarPage::Controls() const
{
    schedule::CalendarControls c;
    const controls::TFcCheckBox* days[7] = {ui->Sunday,   ui->Monday, ui->Tuesday, ui->Wednesday,
                                ui->Thursday, ui->Friday, ui->Saturday};
    for (int i = 0; i < 7; ++i)
        c.Weekdays[i] = days[i]->Checked();
    c.SpecifyWorkingDay = ui->SpecifyWorkingDay->Checked();
    c.StartDayTime = FromPicker(ui->StartDayTime);
    c.EndDayTime = FromPicker(ui->EndDayTime);
    const controls::TFcCheckBox* downTimes[3] = {ui->SpecifyDownTime1, ui->SpecifyDownTime2, ui->SpecifyDownTime3};
    for (int i = 0; i < 3; ++i) {
        c.SpecifyDownTime[i] = downTimes[i]->Checked();
        c.StartDownTime[i] = FromPicker(StartPicker(i));
        c.EndDownTime[i] = FromPicker(EndPicker(i));
    }
    c.Override = ui->Override->Checked();
    c.WorkingHours = ui->WorkingHours->text().toStdString();
    return c;
}

void TWorkCalendarPage::SetControls(const schedule::CalendarControls& c)
{
    // Filled as a whole, then the panels and figures follow once, which is
    // where the handlers of each box would have left them.
    {
        std::deque<QSignalBlocker> blockers;
        for (QWidget* w : findChildren<QWidget*>())
            blockers.emplace_back(w);
        controls::TFcCheckBox* days[7] = {ui->Sunday,   ui->Monday, ui->Tuesday, ui->Wednesday,
                              ui->Thursday, ui->Friday, ui->Saturday};
        for (int i = 0; i < 7; ++i)
            days[i]->SetChecked(c.Weekdays[i]);
        ui->SpecifyWorkingDay->SetChecked(c.SpecifyWorkingDay);
        ui->StartDayTime->setDateTime(ToPicker(c.StartDayTime));
        ui->EndDayTime->setDateTime(ToPicker(c.EndDayTime));
        controls::TFcCheckBox* downTimes[3] = {ui->SpecifyDownTime1, ui->SpecifyDownTime2, ui->SpecifyDownTime3};
        for (int i = 0; i < 3; ++i) {
            downTimes[i]->SetChecked(c.SpecifyDownTime[i]);
            StartPicker(i)->setDateTime(ToPicker(c.StartDownTime[i]));
            EndPicker(i)->setDateTime(ToPicker(c.EndDownTime[i]));
        }
        ui->Override->SetChecked(c.Override);
        ui->WorkingHours->setText(QString::fromStdString(c.WorkingHours));
        ui->WorkingHours->setReadOnly(!c.Override);
    }
    UpdateCalendarPanels();
    CalendarControlsChanged();
}

void TWorkCalendarPage::LoadHolidays()
{
    Guarded([&] {
        tab_->LoadHolidays();
        ui->HolidayCalendar->Invalidate();
    });
}

void TWorkCalendarPage::FillCalendarResourceList(bool allResources)
{
    Guarded([&] {
        tab_->FillCalendarResourceList(allResources);
        const QSignalBlocker quiet(ui->ResourceList);
        ui->ResourceList->clear();
        for (const std::string& name : tab_->ResourceNames())
            ui->ResourceList->Add(QString::fromStdString(name));
    });
}

void TWorkCalendarPage::SelectCalendarResource(double resourceId)
{
    if (!tab_)
        return;
    if (const std::optional<int> entry = tab_->SelectCalendarResource(resourceId)) {
        const QSignalBlocker quiet(ui->ResourceList);
        ui->ResourceList->setCurrentIndex(*entry);
    }
}

void TWorkCalendarPage::ShowWorkCalendar(double resourceId)
{
    Guarded([&] {
        const auto shown = tab_->ShowWorkCalendar(resourceId);
        if (!shown)
            return;
        SetControls(shown->Controls);
        ui->HoursPanel->SetCaption(QString::fromStdString(shown->HoursPanel));
        ui->WorkingDaysPanel->SetCaption(QString::fromStdString(shown->WorkingDaysPanel));
    });
}

void TWorkCalendarPage::RefreshWorkCalendar()
{
    if (!state_)
        return;
    const bool allResources = state_->WorkCalendarMode == 0;
    const double resourceId = allResources ? 0 : state_->CurrentResourceId;
    FillCalendarResourceList(allResources);
    SelectCalendarResource(resourceId);
    ShowWorkCalendar(resourceId);
    ui->CalendarSelectionPanel->setEnabled(!allResources);
}

void TWorkCalendarPage::SetDownTimeEnabled(int downTime, bool enabled)
{
    startDownPanels_[downTime]->setEnabled(enabled);
    endDownPanels_[downTime]->setEnabled(enabled);
}

void TWorkCalendarPage::UpdateCalendarPanels()
{
    const bool workingDay = ui->SpecifyWorkingDay->Checked();
    controls::TFcCheckBox* downTimes[3] = {ui->SpecifyDownTime1, ui->SpecifyDownTime2, ui->SpecifyDownTime3};
    for (controls::TFcCheckBox* box : downTimes)
        box->setEnabled(workingDay);
    ui->StartDayPanel->setEnabled(workingDay);
    ui->EndDayPanel->setEnabled(workingDay);
    for (int i = 0; i < 3; ++i)
        SetDownTimeEnabled(i, workingDay && downTimes[i]->Checked());
}

void TWorkCalendarPage::CalendarControlsChanged()
{
    const schedule::HoursFigures figures = schedule::CalendarControlsChanged(Controls());
    const QSignalBlocker quiet(ui->WorkingHours);
    ui->WorkingHours->setText(QString::fromStdString(figures.WorkingHours));
    ui->WorkingHoursPerWeek->setText(QString::fromStdString(figures.WorkingHoursPerWeek));
}

void TWorkCalendarPage::SpecifyWorkingDayClick()
{
    const bool workingDay = ui->SpecifyWorkingDay->Checked();
    controls::TFcCheckBox* downTimes[3] = {ui->SpecifyDownTime1, ui->SpecifyDownTime2, ui->SpecifyDownTime3};
    for (controls::TFcCheckBox* box : downTimes) {
        if (!workingDay)
            box->SetChecked(false);
        box->setEnabled(workingDay);
    }
    ui->StartDayPanel->setEnabled(workingDay);
    ui->EndDayPanel->setEnabled(workingDay);
    for (int i = 0; i < 3; ++i)
        SetDownTimeEnabled(i, workingDay);
    CalendarControlsChanged();
}

void TWorkCalendarPage::SpecifyDownTimeClick(int downTime)
{
    controls::TFcCheckBox* downTimes[3] = {ui->SpecifyDownTime1, ui->SpecifyDownTime2, ui->SpecifyDownTime3};
    SetDownTimeEnabled(downTime, downTimes[downTime]->Checked());
    CalendarControlsChanged();
}

void TWorkCalendarPage::OverrideClick()
{
    const bool overridden = ui->Override->Checked();
    ui->WorkingHours->setReadOnly(!overridden);
    if (!overridden)
        CalendarControlsChanged();
}

void TWorkCalendarPage::WorkingHoursChange()
{
    if (!ui->Override->Checked())
        return;
    const schedule::CalendarControls c = Controls();
    const double typed = schedule::TypedHours(c.WorkingHours);
    ui->WorkingHoursPerWeek->setText(QString::fromStdString(schedule::HoursPerWeekText(c, typed)));
}

void TWorkCalendarPage::ResourceListChange(int index)
{
    if (!tab_ || state_->TablesBusy || index < 0)
        return;
    const std::vector<std::int32_t>& ids = tab_->CalendarResourceIds();
    if (index >= static_cast<int>(ids.size()))
        return;
    const double resourceId = ids[static_cast<std::size_t>(index)];
    SelectCalendarResource(resourceId);
    ShowWorkCalendar(resourceId);
}

void TWorkCalendarPage::CalendarOkClick()
{
    Guarded([&] {
        schedule::CalendarControls c = Controls();
        tab_->CalendarOkClick(c, ui->ResourceList->currentIndex());
        // The pickers show their rounded times whether or not it was saved.
        SetControls(c);
    });
}

void TWorkCalendarPage::Create247Click()
{
    Guarded([&] {
        schedule::CalendarControls c = Controls();
        tab_->Create247Click(c);
        SetControls(c);
        ui->HolidayCalendar->Invalidate();
    });
}

void TWorkCalendarPage::SetHolidayClick()
{
    Guarded([&] {
        tab_->SetHolidayClick(ui->HolidayCalendar->Date());
        ui->HolidayCalendar->Invalidate();
    });
}

void TWorkCalendarPage::ClearHolidayClick()
{
    Guarded([&] {
        tab_->ClearHolidayClick(ui->HolidayCalendar->Date());
        ui->HolidayCalendar->Invalidate();
    });
}

void TWorkCalendarPage::ClearAllHolidaysClick()
{
    Guarded([&] {
        tab_->ClearAllHolidaysClick();
        ui->HolidayCalendar->Invalidate();
    });
}

void TWorkCalendarPage::HolidayCalendarGetBoldDays(QObject* /*sender*/, int year, int month,
                                                   std::uint32_t& dayMask)
{
    if (!tab_)
        return;
    const std::vector<std::uint8_t> days = tab_->HolidayDaysOfMonth(year, month);
    if (!days.empty())
        dayMask = controls::TFcCalendar::DaysToBitmask(days.data(), static_cast<int>(days.size()));
}

}  // namespace tw::app
