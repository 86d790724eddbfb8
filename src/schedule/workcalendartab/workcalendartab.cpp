#include "schedule/workcalendartab/workcalendartab.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "data/services/busyscopes.h"
#include "data/services/recordservices.h"
#include "data/textroutines.h"
#include "platform/datetime/localetexts.h"
#include "schedule/sync/calendarrecordio.h"

namespace tw::schedule {

namespace {

// Leaves no half-written record behind when a write fails.
template <typename Write>
void WriteRecord(db::Table& table, Write&& write)
{
    try {
        write();
        table.post();
    } catch (...) {
        if (table.state() == db::Table::State::Edit || table.state() == db::Table::State::Insert)
            table.cancel();
        throw;
    }
}

bool IsNoDate(TDateTime date)
{
    return std::trunc(date) <= 0;
}

}  // namespace

WorkCalendarTab::WorkCalendarTab(Tables tables, data::MainScreenState& state, HolidayList& holidays,
                                 data::UserInterface& ui, CalendarSchedule& schedule)
    : t_(tables),
      state_(state),
      holidays_(holidays),
      ui_(ui),
      schedule_(schedule)
{}

void WorkCalendarTab::FillCalendarResourceList(bool allResources)
{
    names_.clear();
    ids_.clear();
    if (allResources) {
        names_.push_back("Default for all resources");
        ids_.push_back(0);
        return;
    }
    db::Table& crews = t_.CrewsTable2;
    crews.refresh();
    for (crews.first(); !crews.eof(); crews.next()) {
        names_.push_back(data::TrimBlanks(crews.fieldByName("DESC").asString()));
        ids_.push_back(crews.fieldByName("CREWID").asInteger());
    }
}

std::optional<int> WorkCalendarTab::SelectCalendarResource(double resourceId) const
{
    const auto found = std::find(ids_.begin(), ids_.end(), resourceId);
    if (found == ids_.end())
        return std::nullopt;
    return static_cast<int>(found - ids_.begin());
}

namespace {

// The calendar's records for all resources: the text that tells the user
// when there is more than one, else nothing.
std::string DefaultRecordsNotice(db::Table& calendar)
{
    int defaults = 0;
    for (calendar.first(); !calendar.eof(); calendar.next())
        defaults += calendar.fieldByName("CREWID").asFloat() == 0;
    if (defaults < 2)
        return {};
    return std::to_string(defaults) + " calendars for all resources: the first one is used";
}

}  // namespace

std::optional<WorkCalendarTab::ShownCalendar> WorkCalendarTab::ShowWorkCalendar(double resourceId)
{
    db::Table& calendar = t_.CalendarTable;
    // A second calendar for all resources (a restored backup, another
    // program) is kept: it is the user's data. The first one is the one used
    // everywhere, and the user is told.
    if (const std::string notice = DefaultRecordsNotice(calendar); !notice.empty())
        ui_.SetStatusText(0, notice);
    if (!calendar.locate("CREWID", resourceId)) {
        const double workId = data::UniqueKeyValue(state_.Keys, t_.CalendarTable2, "WORKID");
        calendar.append();
        WriteRecord(calendar,
                    [&] { SaveWorkCalendar(calendar, DefaultCalendarRecord(workId, resourceId, Today())); });
        calendar.refresh();
    }
    if (!calendar.locate("CREWID", resourceId))
        return std::nullopt;

    ShownCalendar shown;
    shown.Controls = ControlsFromRecord(ReadCalendarRecord(calendar));
    const std::string name = CalendarName(resourceId);
    shown.HoursPanel = "Working hours for " + name;
    shown.WorkingDaysPanel = "Working days for " + name;
    return shown;
}

std::string WorkCalendarTab::CalendarName(double resourceId)
{
    data::BusyScope busy(state_);
    if (state_.WorkCalendarMode == 0)
        return "all";
    db::Table& crews = t_.CrewsTable2;
    if (crews.active() && crews.locate("CREWID", resourceId))
        return data::TrimBlanks(crews.fieldByName("DESC").asString());
    return "unknown";
}

bool WorkCalendarTab::CalendarOkClick(CalendarControls& controls, int selectedEntry)
{
    RoundPickerTimes(controls);
    if (const std::optional<std::string> refusal = CheckCalendarControls(controls)) {
        ui_.ShowMessage(*refusal, kWorkCalendarErrorCaption, data::MessageIcon::Stop);
        return false;
    }
    // With the schedule's tables closed (a database that did not open, or a
    // read-only folder) the resource list is empty too; asking for a choice
    // there would send the user looking in the wrong place.
    if (!t_.CalendarTable.active()) {
        ui_.ShowMessage("The work calendar cannot be saved: the schedule database's tables are not open",
                        kWorkCalendarErrorCaption, data::MessageIcon::Stop);
        return false;
    }
    if (selectedEntry < 0 || selectedEntry >= static_cast<int>(ids_.size())) {
        ui_.ShowMessage("Choose the calendar to save in the resource list", kWorkCalendarErrorCaption,
                        data::MessageIcon::Stop);
        return false;
    }
    {
        data::BusyScope busy(state_);
        const std::int32_t crewId = ids_[static_cast<std::size_t>(selectedEntry)];
        db::Table& calendar = t_.CalendarTable;
        double workId = 0;
        if (calendar.locate("CREWID", static_cast<double>(crewId))) {
            workId = calendar.fieldByName("WORKID").asFloat();
            calendar.edit();
        } else {
            // Deleted since it was shown (another workstation): saving it
            // anew keeps what the user entered, where writing nothing would
            // still report it saved.
            workId = data::UniqueKeyValue(state_.Keys, t_.CalendarTable2, "WORKID");
            calendar.append();
        }
        const CalendarRecord record = RecordFromControls(controls, workId, crewId);
        WriteRecord(calendar, [&] { SaveWorkCalendar(calendar, record); });
        calendar.refresh();

        schedule_.RecomputeAllTaskEnds();
        ui_.SetStatusText(0, "Schedule tasks updated");
        ui_.SetStatusText(1, "Work calendar saved");
        ui_.RepaintStatus();
    }
    state_.ChartRefreshNeeded = true;
    return true;
}

void WorkCalendarTab::Create247Click(CalendarControls& controls)
{
    SetAllDayEveryDay(controls);
    data::EmptyTable(t_.HolidaysTable);
    LoadHolidays();
}

bool WorkCalendarTab::LocateHoliday(TDateTime date)
{
    return t_.HolidaysTable.locate("DATE", db::DateValue{static_cast<std::int32_t>(std::trunc(date))});
}

void WorkCalendarTab::ReportHoliday(const std::string& text)
{
    ui_.SetStatusText(0, text);
    ui_.SetStatusText(1, "");
    ui_.RepaintStatus();
}

void WorkCalendarTab::SetHolidayClick(TDateTime date)
{
    if (IsNoDate(date))
        return;
    const double day = std::trunc(date);
    const std::string text = locale::DateToStr(day);
    if (LocateHoliday(day)) {
        ReportHoliday("");
        return;
    }
    db::Table& holidays = t_.HolidaysTable;
    const std::int32_t holiId = data::UniqueKeyValue(state_.Keys, t_.HolidaysTable2, "HOLIID");
    holidays.append();
    WriteRecord(holidays, [&] {
        holidays.fieldByName("HOLIID").setAsInteger(holiId);
        holidays.fieldByName("DATE").setAsDate(day);
    });
    holidays.refresh();
    holidays_.Add(DayNumber(day));
    ReportHoliday(text + " added as holiday");
}

void WorkCalendarTab::ClearHolidayClick(TDateTime date)
{
    if (IsNoDate(date))
        return;
    const double day = std::trunc(date);
    const std::string text = locale::DateToStr(day);
    if (!LocateHoliday(day)) {
        ReportHoliday("");
        return;
    }
    t_.HolidaysTable.deleteRecord();
    t_.HolidaysTable.refresh();
    holidays_.Remove(DayNumber(day));
    ReportHoliday(text + " removed as holiday");
}

void WorkCalendarTab::ClearAllHolidaysClick()
{
    // The table first: when it cannot be emptied the list still shows the
    // holidays that remain.
    data::EmptyTable(t_.HolidaysTable);
    holidays_.Assign({});
    ReportHoliday("All holidays removed");
}

void WorkCalendarTab::LoadHolidays()
{
    db::Table& holidays = t_.HolidaysTable;
    if (!holidays.active())
        return;
    std::vector<std::int64_t> days;
    for (holidays.first(); !holidays.eof(); holidays.next()) {
        const TDateTime date = holidays.fieldByName("DATE").asDate();
        // A blank date marks no day.
        if (date != 0)
            days.push_back(DayNumber(date));
    }
    holidays_.Assign(std::move(days));
}

std::vector<std::uint8_t> WorkCalendarTab::HolidayDaysOfMonth(int year, int month) const
{
    std::vector<std::uint8_t> days;
    if (!state_.StartupDone)
        return days;
    for (const std::int64_t day : holidays_.Days()) {
        const DateFields fields = DecodeDate(static_cast<TDateTime>(day));
        if (fields.year == year && fields.month == month && days.size() < 31)
            days.push_back(static_cast<std::uint8_t>(fields.day));
    }
    return days;
}

}  // namespace tw::schedule
