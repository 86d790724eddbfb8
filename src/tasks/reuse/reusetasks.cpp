#include "tasks/reuse/reusetasks.h"
#include "data/records/scheduleitemrecord.h"

#include <cmath>

#include "data/currency.h"
#include "data/durationtext.h"
#include "data/quartergrid.h"
#include "data/services/busyscopes.h"
#include "data/textroutines.h"
#include "schedule/repeat/repeatdates.h"
#include "tasks/editor/taskeditor.h"

namespace tw::tasks {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

namespace {

const char* const kSortTags[] = {"DESC", "SD", "HOURS", "CUSTNAME"};

std::string RightAligned(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

bool ReuseTasks::Execute(int helpLevel)
{
    if (open_) {
        RestoreRequested = true;
        return false;
    }
    db::Table& tasks = ctx_.TasksTable;
    tasks.refresh();
    if (tasks.isEmpty())
        return false;
    data::BusyScope hourglass(ctx_.UI);
    open_ = true;
    CloseRequested = false;
    RestoreRequested = false;
    SortByPanelClick();
    tasks.first();
    FillFromTask();
    if (helpLevel == 1)
        Form.HintsShown = false;
    else if (helpLevel == 0)
        Form.HintsShown = true;
    return true;
}

void ReuseTasks::SortByPanelClick()
{
    if (!open_ || Form.SortByPanel < 0 || Form.SortByPanel > 3)
        return;
    db::Table& tasks = ctx_.TasksTable;
    const std::int32_t key =
        tasks.isEmpty() ? 0 : ScheduleItemField(tasks, &ScheduleItemRecord::CHARTSID).asInteger();
    tasks.setIndexName(kSortTags[Form.SortByPanel]);
    tasks.refresh();
    if (key != 0)
        data::LocateScheduleItem(tasks, key);
}

void ReuseTasks::FillFromTask()
{
    db::Table& t = ctx_.TasksTable;
    if (t.isEmpty())
        return;
    Form.TaskStatus = ScheduleItemField(t, &ScheduleItemRecord::BIDID).asInteger();
    repeatCode_ = ScheduleItemField(t, &ScheduleItemRecord::CREPEATH).asInteger();

    // The stored length in the unit that suits it on its resource's calendar.
    ctx_.Calendars.LoadWorkCalendar(true, ScheduleItemField(t, &ScheduleItemRecord::CREWID).asInteger());
    int unit = -1;
    std::string word;
    const float hours = static_cast<float>(ScheduleItemField(t, &ScheduleItemRecord::HOURS).asFloat());
    const std::string amount = data::DurationText(ctx_.Calendars.Loaded().Hours(), unit, hours, word);
    Form.PeriodPanel = unit;
    Form.TaskLength = RightAligned(amount, 15);

    Form.RepeatPeriod = ScheduleItemField(t, &ScheduleItemRecord::RPERIOD).asInteger();
    Form.RepeatCount = ScheduleItemField(t, &ScheduleItemRecord::RCOUNT).asInteger();
    Form.Customer = ScheduleItemField(t, &ScheduleItemRecord::CUSTNAME).asString();
    Form.HourlyRate = Currency::FromDouble(ScheduleItemField(t, &ScheduleItemRecord::COST).asCurrency()).ToText(2);
    Form.TaskDesc = ScheduleItemField(t, &ScheduleItemRecord::DESC).asString();
    const TDateTime start = data::RoundUpToQuarterHour(ScheduleItemField(t, &ScheduleItemRecord::SD).asFloat());
    Form.TaskStartDate = DatePart(start);
    Form.TaskStartTime = TimePart(start);
    Form.Notes = data::SplitLines(ScheduleItemField(t, &ScheduleItemRecord::NOTES).asString());
}

void ReuseTasks::RepeatPeriodClick()
{
    if (!open_)
        return;
    if (Form.RepeatPeriod == schedule::kRepeatNone)
        Form.RepeatCount = 1;
    Form.RepeatCountMax = schedule::RepeatCountMaximum(Form.RepeatPeriod, Form.RepeatCountMax);
    if (Form.RepeatCount > Form.RepeatCountMax)
        Form.RepeatCount = Form.RepeatCountMax;
}

void ReuseTasks::NavigatorClick(Move move)
{
    db::Table& t = ctx_.TasksTable;
    switch (move) {
    case Move::First: t.first(); break;
    case Move::Prior: t.prior(); break;
    case Move::Next:
        t.next();
        if (t.eof())
            t.last();
        break;
    case Move::Last: t.last(); break;
    }
    FillFromTask();
}

void ReuseTasks::DeleteClick()
{
    db::Table& t = ctx_.TasksTable;
    if (t.isEmpty())
        return;
    const std::int32_t key = ScheduleItemField(t, &ScheduleItemRecord::CHARTSID).asInteger();
    t.deleteRecord();

    // Otherwise the next pull of the shared list would bring the entry back.
    ctx_.Lock.WithSharedTables([&] {
        db::Table& shared = ctx_.ITasksTable;
        const bool openedHere = !shared.active();
        if (openedHere)
            shared.open();
        shared.refresh();
        if (data::LocateScheduleItem(shared, key))
            shared.deleteRecord();
        shared.refresh();
        if (openedHere)
            shared.close();
    });
    t.refresh();
    if (t.isEmpty()) {
        CloseRequested = true;
        return;
    }
    if (t.eof())
        t.last();
    FillFromTask();
}

void ReuseTasks::ReuseTaskClick(TaskEditor& editor)
{
    editor.MarkReused(repeatCode_);
    TaskForm& f = editor.Form;
    f.TaskStatus = Form.TaskStatus;
    f.IsActive = true;
    f.PeriodPanel = Form.PeriodPanel;
    f.TaskLength = data::TrimBlanks(Form.TaskLength);
    f.HourlyRate = Form.HourlyRate;
    f.AutoEndDate = true;
    f.TaskStartDate = Form.TaskStartDate;
    f.TaskStartTime = Form.TaskStartTime;
    f.RepeatPeriod = Form.RepeatPeriod;
    f.RepeatCount = Form.RepeatCount;
    f.Customer = Form.Customer;
    f.TaskDesc = Form.TaskDesc;
    editor.ReusedTaskCopied();
    f.Notes = Form.Notes;
    CloseRequested = true;
}

}  // namespace tw::tasks
