#include "tasks/editor/taskeditor.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "data/datetimetext.h"
#include "data/durationtext.h"
#include "data/nametexts.h"
#include "data/quartergrid.h"
#include "data/records/scheduleitemrecord.h"
#include "data/services/busyscopes.h"
#include "data/services/recordservices.h"
#include "data/textroutines.h"
#include "data/updatecount.h"
#include "schedule/sync/resourceoverlap.h"

namespace tw::tasks {

using data::LocateScheduleItem;
using data::ScheduleItemField;
using Item = data::ScheduleItemRecord;

namespace {

db::Value Number(std::int32_t v)
{
    return db::Value(static_cast<double>(v));
}

// A "join" of the two pickers: the day of one, the time of the other, on
// the quarter-hour grid.
TDateTime CombineDateTime(TDateTime date, TDateTime time)
{
    return data::RoundUpToQuarterHour(DatePart(date) + TimePart(time));
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The rows of an indexed field equal to value, through the tag on that field.
template <typename Visit>
void ForEachRow(db::Table& table, const char* field, std::int32_t value, Visit&& visit)
{
    const std::string savedIndex = table.indexName();
    table.setIndexName(field);
    table.refresh();
    if (table.locate(field, Number(value))) {
        const int f = table.fieldIndex(field);
        for (; !table.eof() && table.field(f).asInteger() == value; table.next())
            visit(table);
    }
    table.setIndexName(savedIndex);
}

// A key for a new schedule item (CHARTSID) or series (CHAIN), unused on
// every workstation.
std::int32_t NewItemKey(TaskEditorContext& ctx, std::int32_t Item::*member)
{
    return data::UniqueKeyValue(ctx.State.Keys, ctx.Tables.ChartsTable8, data::ScheduleItemFieldName(member));
}

}  // namespace

TaskEditor::TaskEditor(TaskEditorContext& context, TaskEditorView& view) : ctx_(context), view_(view) {}

const schedule::WorkCalendar& TaskEditor::CalendarOf(std::int32_t resourceId)
{
    ctx_.Calendars.LoadWorkCalendar(true, resourceId);
    return ctx_.Calendars.Loaded();
}

std::string TaskEditor::ResourceName(std::int32_t resourceId)
{
    db::Table& crews = ctx_.Tables.CrewsTable2;
    if (crews.active() && crews.locate("CREWID", Number(resourceId)))
        return data::TrimBlanks(crews.fieldByName("DESC").asString());
    return {};
}

std::string TaskEditor::ResourceText(std::int32_t primary, std::int32_t key)
{
    std::string name = ResourceName(primary);
    std::string text = name.empty() ? "Unknown" : name;
    std::vector<std::int32_t> others;
    ForEachRow(ctx_.Tables.ICrewsTable2, "CHARTSID", key, [&](db::Table& rows) {
        const std::int32_t crew = rows.fieldByName("CREWID").asInteger();
        if (crew != primary)
            others.push_back(crew);
    });
    for (std::int32_t crew : others) {
        name = ResourceName(crew);
        text += ", " + (name.empty() ? std::string("Unknown") : name);
    }
    return text;
}

TDateTime TaskEditor::Start() const
{
    return CombineDateTime(Form.TaskStartDate, Form.TaskStartTime);
}
TDateTime TaskEditor::End() const
{
    return CombineDateTime(Form.TaskEndDate, Form.TaskEndTime);
}

void TaskEditor::SetStart(TDateTime value)
{
    Form.TaskStartDate = DatePart(value);
    Form.TaskStartTime = TimePart(value);
}

void TaskEditor::SetEnd(TDateTime value)
{
    Form.TaskEndDate = DatePart(value);
    Form.TaskEndTime = TimePart(value);
}

void TaskEditor::ShowLengthOf(float hours)
{
    std::string word;
    int unit = Form.PeriodPanel;
    Form.TaskLength = data::DurationText(CalendarOf(CurrentResource()).Hours(), unit, hours, word);
    Form.PeriodPanel = unit;
}

void TaskEditor::LengthFromPickers()
{
    hours_ = ctx_.Calendars.WorkingHoursBetween(CurrentResource(), Start(), End());
    ShowLengthOf(hours_);
}

// ---------------------------------------------------------------- opening

void TaskEditor::ShowTaskEditor(const EditorArguments& args)
{
    if (open_) {
        RestoreRequested = true;
        return;
    }
    data::BusyScope hourglass(ctx_.UI);
    args_ = args;
    RestoreRequested = false;
    CloseRequested = false;
    reusedInEdit_ = false;
    Form.StatusBar.clear();
    Form.StatusItems.clear();
    for (int i = 0; i < data::JobStatusTexts::kStatusCount; ++i)
        Form.StatusItems.push_back(ctx_.StatusTexts.JobStatusName(i));

    if (args_.Edit)
        OpenForEdit();
    else
        OpenForAdd();
    WriteJobCustomerName();
    if (args_.HelpLevel == 1)
        Form.HintsShown = false;
    else if (args_.HelpLevel == 0)
        Form.HintsShown = true;
}

void TaskEditor::OpenForEdit()
{
    // A read-only copy shows the task; a save would only be undone by the
    // next pull.
    const bool writable = !ctx_.State.ReadOnlyCopy;
    Form.ResetRateEnabled = writable;
    Form.EditNextEnabled = writable;
    Form.EditPrevEnabled = writable;
    Form.DoneEnabled = writable;
    guard_ = false;
    Form.GroupCaption = "Edit task details";

    db::Table& t = *args_.Table;
    key_ = ScheduleItemField(t, &Item::CHARTSID).asInteger();
    ctx_.Sync.PullChartRecord(key_, false);
    t.refresh();
    LocateScheduleItem(t, key_);
    for (int panel = 0; panel < 3; ++panel)
        ctx_.UI.SetStatusText(panel, "");

    Form.ReuseEnabled = false;
    Form.RepeatEnabled = false;
    Form.RepeatCountEnabled = false;

    ctx_.State.CurrentResourceId = ScheduleItemField(t, &Item::CREWID).asInteger();
    customerKey_ = ScheduleItemField(t, &Item::CID).asInteger();
    Form.Resource = ResourceText(CurrentResource(), key_);

    const std::int32_t count = ScheduleItemField(t, &Item::RCOUNT).asInteger();
    Form.RepeatCount = count == 0 ? 1 : count;
    storedRepeatPeriod_ = ScheduleItemField(t, &Item::RPERIOD).asInteger();
    Form.RepeatPeriod = storedRepeatPeriod_;
    reoccurring_ = ScheduleItemField(t, &Item::CHAIN).asInteger() > 0;
    Form.Caption = "Edit task";

    endSpecified_ = ScheduleItemField(t, &Item::NEW).asBoolean();
    Form.AutoEndDate = !endSpecified_;
    const TDateTime sd = ScheduleItemField(t, &Item::SD).asFloat();
    const TDateTime ed = ScheduleItemField(t, &Item::ED).asFloat();
    hours_ = static_cast<float>(ScheduleItemField(t, &Item::HOURS).asFloat());
    Form.PeriodPanel = ScheduleItemField(t, &Item::PIN).asInteger() - 1;
    ShowLengthOf(hours_);

    Form.TaskStatus = args_.Status;
    Form.IsActive = ScheduleItemField(t, &Item::SHOWIT).asBoolean();
    Form.HourlyRate = Currency::FromDouble(ScheduleItemField(t, &Item::COST).asCurrency()).ToText(2);
    Form.TaskDesc = ScheduleItemField(t, &Item::DESC).asString();
    SetStart(data::RoundUpToQuarterHour(sd));
    SetEnd(data::RoundUpToQuarterHour(ed));

    if (!schedule::ResourcesAreFree(ctx_.Schedule, ctx_.UI, true, CurrentResource(), Start(), End(), key_))
        Form.StatusBar = "Resource conflict.  Changes task dates or assign a different resource";

    db::Table& customers = ctx_.Tables.CustomersTable2;
    if (customers.active() && customers.locate("CID", Number(customerKey_))) {
        Form.Customer = customers.fieldByName("NAME").asString();
        // A customer renamed since carries the new name into the task.
        if (ScheduleItemField(t, &Item::CUSTNAME).asString() != Form.Customer && writable) {
            t.edit();
            ScheduleItemField(t, &Item::CUSTNAME).setAsString(Form.Customer);
            t.post();
        }
    } else {
        Form.Customer = ScheduleItemField(t, &Item::CUSTNAME).asString();
    }
    Form.Notes = data::SplitLines(ScheduleItemField(t, &Item::NOTES).asString());

    open_ = true;
    // The stored hours stand: the length text shows them rounded (10 hours
    // read "1.2" days), and reading them back from it would change a task
    // that the user only looked at.
    keepStoredHours_ = true;
    AutoEndDateClick();
    keepStoredHours_ = false;
}

void TaskEditor::OpenForAdd()
{
    Form.ResetRateEnabled = false;
    Form.EditNextEnabled = false;
    Form.EditPrevEnabled = false;
    Form.DoneEnabled = !ctx_.State.ReadOnlyCopy;
    guard_ = false;
    reused_ = false;
    key_ = 0;
    {
        data::BusyScope busy(ctx_.State);
        ctx_.State.CurrentResourceId = ctx_.Host.CurrentResource();
        const schedule::WorkCalendar& calendar = CalendarOf(CurrentResource());

        const std::optional<PendingBlock> pending = ctx_.Host.PendingInsert();
        if (pending) {
            SetStart(pending->Start);
            Form.PeriodPanel = pending->Unit;
            hours_ = pending->Hours;
            ShowLengthOf(hours_);
        } else {
            SetStart(args_.Start ? *args_.Start : CombineDateTime(Today(), calendar.WorkDayStart()));
            Form.PeriodPanel = UnitHours;
            Form.TaskLength = "1";
            hours_ = 1.0f;
        }
        const std::string name = ResourceName(CurrentResource());
        Form.Resource = name.empty() ? "Unknown resource" : name;
    }
    Form.GroupCaption = "Specify task details";
    Form.ReuseEnabled = true;
    Form.RepeatEnabled = true;
    Form.AutoEndDate = true;
    endSpecified_ = false;
    Form.RepeatCount = 1;
    Form.RepeatPeriod = 0;
    Form.TaskStatus = args_.Status;
    Form.IsActive = true;
    Form.Caption = args_.AddMissingData ? "Add missing data" : "Add task";

    double rate = 0;
    db::Table& crews = ctx_.Tables.CrewsTable;
    if (crews.active() && crews.locate("CREWID", Number(CurrentResource())))
        rate = crews.fieldByName("RATE").asCurrency();
    Form.HourlyRate = Currency::FromDouble(rate).ToText(2);
    db::Table& customers = ctx_.Tables.CustomersTable;
    Form.Customer =
        customers.active() && !customers.isEmpty() ? customers.fieldByName("NAME").asString() : std::string();
    if (ctx_.Tables.JobsTable.active())
        ctx_.Tables.JobsTable.refresh();
    Form.TaskDesc = args_.Description;
    Form.Notes = data::SplitLines(args_.NotesText);

    open_ = true;
    RepeatPeriodClick();
    Form.TaskLengthEnabled = true;
    Form.EndPickersEnabled = false;
    RecalcEndDate(true, true, false);
}

// The job's customer name follows the customer shown: a new task's job is the
// current one; an edited task's own job is found by its key, so that no other
// job is touched.
void TaskEditor::WriteJobCustomerName()
{
    if (ctx_.State.ReadOnlyCopy || !ctx_.Host.CustomerGridEnabled())
        return;
    db::Table* job = nullptr;
    if (!args_.Edit) {
        if (ctx_.Tables.JobsTable.active() && !ctx_.Tables.JobsTable.isEmpty())
            job = &ctx_.Tables.JobsTable;
    } else {
        db::Table& jobs = ctx_.Tables.JobsTable2;
        const std::int32_t jobKey = ScheduleItemField(*args_.Table, &Item::JID).asInteger();
        if (jobs.active() && jobKey != 0 && jobs.locate("JID", Number(jobKey)))
            job = &jobs;
    }
    if (job == nullptr || job->fieldByName("CUSTNAME").asString() == Form.Customer)
        return;
    data::BusyScope busy(ctx_.State);
    job->edit();
    job->fieldByName("CUSTNAME").setAsString(Form.Customer);
    job->post();
}

void TaskEditor::RepeatPeriodClick()
{
    if (!open_)
        return;
    // A stored series stays a series: "None" snaps back to its period.
    if (args_.Edit && storedRepeatPeriod_ > schedule::kRepeatNone
        && Form.RepeatPeriod == schedule::kRepeatNone)
        Form.RepeatPeriod = storedRepeatPeriod_;
    if (Form.RepeatPeriod == schedule::kRepeatNone) {
        Form.RepeatCountEnabled = false;
        Form.RepeatCount = 1;
        return;
    }
    // A custom period may repeat as often as a monthly one.
    Form.RepeatCountMax = schedule::RepeatCountMaximum(Form.RepeatPeriod, 12);
    Form.RepeatCountEnabled = true;
    if (Form.RepeatCount <= 1)
        Form.RepeatCount = 2;
    // The count of a new series follows the up-down's range; a stored series
    // shows its own count.
    if (!args_.Edit && Form.RepeatCount > Form.RepeatCountMax)
        Form.RepeatCount = Form.RepeatCountMax;
}

void TaskEditor::SpinCount(int step)
{
    if (!open_ || !Form.RepeatCountEnabled)
        return;
    const int count = Form.RepeatCount + step;
    if (count >= 1 && count <= Form.RepeatCountMax)
        Form.RepeatCount = count;
}

void TaskEditor::MarkReused(int repeatCode)
{
    if (args_.Edit)
        reusedInEdit_ = true;
    reused_ = true;
    reusedRepeatCode_ = repeatCode;
}

void TaskEditor::ReusedTaskCopied()
{
    if (!open_)
        return;
    endSpecified_ = false;
    Form.TaskLengthEnabled = true;
    Form.EndPickersEnabled = false;
    Form.Label6 = "Calculated end date:";
    Form.Label7 = "Calculated end time:";
    Form.EndDateHint = "Calculated task end date";
    Form.EndTimeHint = "Calculated task end time";
    if (!args_.Edit)
        RepeatPeriodClick();
    RecalcEndDate(true, true, false);
}

// ------------------------------------------------------- length and end

float TaskEditor::LengthToHours(std::int32_t resourceId, int unit, const std::string& lengthText)
{
    return tasks::LengthToHours(CalendarOf(resourceId), unit, lengthText);
}

bool TaskEditor::RecalcEndDate(bool writeStartBack, bool readLength, bool testLimit)
{
    data::BusyScope hourglass(ctx_.UI);
    if (readLength)
        hours_ = LengthToHours(CurrentResource(), Form.PeriodPanel, Form.TaskLength);
    if (testLimit && hours_ > kHourLimit)
        return false;
    TDateTime moved = Start();
    const TDateTime end =
        data::RoundUpToQuarterHour(ctx_.Calendars.ComputeTaskEnd(CurrentResource(), moved, Start(), hours_));
    if (writeStartBack)
        SetStart(moved);
    SetEnd(end);
    return true;
}

void TaskEditor::AutoEndDateClick()
{
    if (!open_)
        return;
    if (Form.AutoEndDate) {
        Form.TaskLengthEnabled = true;
        endSpecified_ = false;
        Form.EndPickersEnabled = false;
        Form.EndDateHint = "Calculated task end date";
        Form.EndTimeHint = "Calculated task end time";
        RecalcEndDate(true, !keepStoredHours_, false);
        Form.Label6 = "Calculated end date:";
        Form.Label7 = "Calculated end time:";
    } else {
        Form.TaskLengthEnabled = false;
        endSpecified_ = true;
        Form.EndPickersEnabled = true;
        Form.EndDateHint = "Specified task end date";
        Form.EndTimeHint = "Specified task end time";
        Form.Label6 = "Choose end date:";
        Form.Label7 = "Choose end time:";
        LengthFromPickers();
        // A new task with a chosen end is never repeated; a stored series
        // keeps the period and count it was stored with, which Done writes back.
        if (args_.Edit && storedRepeatPeriod_ > schedule::kRepeatNone) {
            Form.RepeatPeriod = storedRepeatPeriod_;
        } else {
            Form.RepeatPeriod = schedule::kRepeatNone;
            Form.RepeatCount = 1;
        }
        Form.RepeatCountEnabled = false;
    }
}

void TaskEditor::PeriodPanelClick()
{
    if (!open_)
        return;
    if (!Form.AutoEndDate) {
        LengthFromPickers();
        return;
    }
    if (args_.Edit) {
        if (!guard_) {
            guard_ = true;
            hours_ = schedule::CeilQuarterHour(1.0f, hours_);
            ShowLengthOf(hours_);
            guard_ = false;
        }
    } else if (Form.PeriodPanel != UnitHours) {
        Form.TaskLength = WholeLength(Form.TaskLength);
    }
    RecalcEndDate(true, !args_.Edit, true);
}

void TaskEditor::TaskLengthChange()
{
    if (!open_ || guard_ || !Form.AutoEndDate)
        return;
    if (RecalcEndDate(true, true, true))
        return;
    guard_ = true;
    Form.TaskLength = "1";
    Form.PeriodPanel = UnitHours;
    guard_ = false;
    RecalcEndDate(true, true, false);
}

void TaskEditor::StartChange(bool dateChanged)
{
    if (!open_)
        return;
    if (!Form.AutoEndDate)
        LengthFromPickers();
    else if (!guard_)
        RecalcEndDate(dateChanged, !args_.Edit, false);
}

void TaskEditor::EndChange()
{
    if (!open_ || guard_)
        return;
    if (!Form.AutoEndDate) {
        LengthFromPickers();
        return;
    }
    TDateTime moved = Start();
    ctx_.Calendars.ComputeTaskEnd(CurrentResource(), moved, Start(), hours_);
    SetStart(moved);
}

void TaskEditor::Spin(bool up)
{
    if (!open_)
        return;
    Form.TaskLength = SpinLength(Form.TaskLength, Form.PeriodPanel, up);
    TaskLengthChange();
}

// ---------------------------------------------------------------- saving

void TaskEditor::Refuse(const std::string& text)
{
    ctx_.UI.ShowMessage(text, "Tarnwick", data::MessageIcon::Stop);
}

bool TaskEditor::ValidateTaskInput()
{
    const Validation v = tasks::ValidateTaskInput(Form.TaskLength, Form.HourlyRate, Form.TaskDesc);
    if (!v.Input)
        Refuse(v.Refusal);
    return v.Input.has_value();
}

void TaskEditor::SaveTask(bool goToNext, bool goToPrevious)
{
    if (!open_ || !Form.DoneEnabled)
        return;
    // A refusal is shown with the normal cursor; the hourglass is for the save.
    result_ = true;
    const Validation v = tasks::ValidateTaskInput(Form.TaskLength, Form.HourlyRate, Form.TaskDesc);
    if (!v.Input) {
        Refuse(v.Refusal);
        return;
    }
    // The Shorter arrow and the typed text can leave a count of 1 or less; a period makes a series.
    if (Form.RepeatPeriod != schedule::kRepeatNone && Form.RepeatCount < 2)
        Form.RepeatCount = 2;
    data::BusyScope hourglass(ctx_.UI);
    const bool saved = args_.Edit ? SaveEdit(*v.Input, Start(), End()) : SaveAdd(*v.Input, Start(), End());
    if (!saved) {
        Close();
        return;
    }
    AfterSave(goToNext, goToPrevious);
}

bool TaskEditor::SaveEdit(const TaskInput& input, TDateTime start, TDateTime end)
{
    db::Table& t = *args_.Table;
    LocateScheduleItem(t, key_);
    std::string customFields[7];
    for (int i = 0; i < 7; ++i)
        customFields[i] = t.fieldByName("CFV" + std::to_string(i + 1)).asString();
    // The few fields the save reads, not the whole row with its notes.
    const bool root = ScheduleItemField(t, &Item::ROOT).asBoolean();
    const std::int32_t repeatCode = ScheduleItemField(t, &Item::CREPEATH).asInteger();

    // A Reoccurring series must still be able to place a next occurrence.
    bool free = true;
    if (ScheduleItemField(t, &Item::CHAIN).asInteger() > 0) {
        if (Form.RepeatPeriod == schedule::kRepeatCustom) {
            data::NormalCursor normal(ctx_.UI);
            customRepeatCode_ = view_.CustomRepeat(repeatCode, start);
        }
        TDateTime nextStart = start;
        TDateTime nextEnd = end;
        free = schedule::NextRepeatDate(RepeatRules(), false, repeatCode, end, start, Form.RepeatPeriod,
                                        hours_, nextStart, nextEnd);
    }
    if (!free
        || !schedule::ResourcesAreFree(ctx_.Schedule, ctx_.UI, false, CurrentResource(), start, end, key_)) {
        result_ = false;
        ctx_.UI.SetStatusText(1, input.Description + " NOT updated");
        return false;
    }
    const Currency total = TotalCost(input.HourlyRate, hours_);
    const std::string notes = JoinLines(Form.Notes);
    const float update =
        data::NextUpdateCount(static_cast<float>(ScheduleItemField(t, &Item::UPDATE).asFloat()));
    ctx_.State.UpdateCounter = update;
    // What the record and its task-list twin both take from the form.
    Item saved;
    saved.BIDID = Form.TaskStatus;
    saved.DESC = input.Description;
    saved.NOTES = notes;
    saved.SD = saved.SDD = start;
    saved.ED = saved.EDD = end;
    saved.HOURS = hours_;
    saved.COST = input.HourlyRate.ToDouble();
    saved.TCOST = total.ToDouble();
    saved.NEW = endSpecified_;
    saved.PIN = Form.PeriodPanel + 1;
    const auto writeSaved = [&](db::Table& target, bool active, float change) {
        saved.SHOWIT = active;
        saved.UPDATE = change;
        data::WriteScheduleItemFields(target, saved, &Item::BIDID, &Item::SHOWIT, &Item::DESC,
                                          &Item::NOTES, &Item::SD, &Item::ED, &Item::SDD, &Item::EDD,
                                          &Item::HOURS, &Item::UPDATE, &Item::COST, &Item::TCOST);
    };
    t.edit();
    data::WriteScheduleItemFields(t, saved, &Item::NEW, &Item::PIN);
    writeSaved(t, Form.IsActive, update);
    t.post();
    t.refresh();
    ctx_.Sync.PushChartRecord(key_);
    ctx_.Host.ShowTaskStatusBar();
    Form.StatusBar = input.Description + " updated";

    if (reusedInEdit_ || root)
        return true;
    db::Table& twin = ctx_.Tables.TasksTable3;
    twin.refresh();
    if (!LocateScheduleItem(twin, key_)) {
        Form.StatusBar = "Cannot locate TasksTable3 record";
        return true;
    }
    twin.edit();
    for (int i = 0; i < 7; ++i)
        twin.fieldByName("CFV" + std::to_string(i + 1)).setAsString(customFields[i]);
    saved.CREPEATH = repeatCode;
    data::WriteScheduleItemFields(twin, saved, &Item::CREPEATH);
    writeSaved(twin, true,
               data::NextUpdateCount(
                   static_cast<float>(ScheduleItemField(twin, &Item::UPDATE).asFloat())));
    twin.post();
    return true;
}

bool TaskEditor::SaveAdd(const TaskInput& input, TDateTime start, TDateTime end)
{
    const std::string customerName = data::CutToQuickBooksName(data::TrimBlanks(Form.Customer));
    db::Table& jobs = ctx_.Tables.JobsTable;
    std::string jobName;
    if (jobs.active() && !jobs.isEmpty())
        jobName = data::CutToQuickBooksName(data::TrimBlanks(jobs.fieldByName("DESC").asString()));
    const bool pushNow = !ctx_.State.InsertTimePending;
    TDateTime moved = start;
    end = ctx_.Calendars.ComputeTaskEnd(CurrentResource(), moved, start, hours_);
    start = moved;

    // A resource without a rate takes the task's. A rate of 0 over a stored
    // 0 would write the record as it stands (and flush crews.dbf at every
    // add): only a blank one is written then.
    db::Table& crews = ctx_.Tables.CrewsTable;
    if (crews.active() && crews.locate("CREWID", Number(CurrentResource()))
        && crews.fieldByName("RATE").asCurrency() == 0
        && (input.HourlyRate.ToDouble() != 0 || crews.fieldByName("RATE").isNull())) {
        crews.edit();
        crews.fieldByName("RATE").setAsCurrency(input.HourlyRate.ToDouble());
        crews.post();
        crews.refresh();
    }

    schedule::NewScheduleItem item;
    item.CustomerName = customerName;
    item.JobName = jobName;
    item.Description = input.Description;
    item.Notes = Form.Notes;
    item.Start = start;
    item.End = end;
    item.Hours = hours_;
    item.HourlyRate = input.HourlyRate.ToDouble();
    item.TotalCost = TotalCost(input.HourlyRate, hours_).ToDouble();
    item.Active = Form.IsActive;
    item.CustomerListId = args_.CustomerListId;
    item.ItemListId = args_.ListId;
    item.JobListId = args_.JobListId;
    item.FullName = args_.FullName;
    item.SingleAdd = pushNow;
    item.JobStatus = Form.TaskStatus;
    item.New = endSpecified_;
    item.LengthUnit = Form.PeriodPanel + 1;
    item.RepeatCount = 1;
    item.AddToTaskList = !reused_;
    item.FindOrCreate = true;

    bool added = false;
    if (Form.RepeatPeriod != schedule::kRepeatNone) {
        added = AddSeries(input, item, pushNow);
    } else if (args_.SkipOverlapCheck
               || schedule::ResourcesAreFree(ctx_.Schedule, ctx_.UI, false, CurrentResource(), start, end,
                                             0)) {
        key_ = NewItemKey(ctx_, &Item::CHARTSID);
        item.Key = key_;
        added = ctx_.Adder.AddTaskToSchedule(item);
    }
    if (!added) {
        result_ = false;
        ctx_.UI.SetStatusText(1, input.Description + " NOT added");
        ctx_.Tables.ChartsTable.refresh();
        return false;
    }
    if (args_.AddMissingData) {
        const std::string imported = customerName + ":" + input.Description + " imported";
        ctx_.UI.SetStatusText(0, imported);
        ctx_.UI.SetStatusText(1, "1 task added");
    } else {
        Form.StatusBar = input.Description + " added";
        ctx_.Host.ShowTaskStatusBar();
    }
    if (jobs.active())
        jobs.locate("DESC;CUSTNAME", {db::Value(jobName), db::Value(customerName)});
    args_.Table->refresh();
    LocateScheduleItem(*args_.Table, key_);
    return true;
}

schedule::RepeatCalendar TaskEditor::RepeatRules()
{
    schedule::RepeatCalendar rules;
    const std::int32_t resource = CurrentResource();
    rules.ComputeTaskEnd = [this, resource](TDateTime& startOut, TDateTime start, float hours) {
        return ctx_.Calendars.ComputeTaskEnd(resource, startOut, start, hours);
    };
    rules.LoadedHoursPerDay = CalendarOf(resource).Hours().HoursPerDay;
    rules.UI = &ctx_.UI;
    rules.CountMaximum = &Form.RepeatCountMax;
    return rules;
}

// Every occurrence is placed and checked before the first is written: a
// series is added whole or not at all, and pushed once, with its last
// occurrence.
bool TaskEditor::AddSeries(const TaskInput& input, const schedule::NewScheduleItem& first, bool pushNow)
{
    const int count = Form.RepeatCount;
    const int period = Form.RepeatPeriod;
    if (period == schedule::kRepeatCustom) {
        const int code = reused_ ? reusedRepeatCode_ : 0;
        data::NormalCursor normal(ctx_.UI);
        customRepeatCode_ = view_.CustomRepeat(code, first.Start);
    }
    {
        data::NormalCursor normal(ctx_.UI);
        reoccurring_ = view_.AskRepeatMode();
    }

    const schedule::RepeatCalendar rules = RepeatRules();
    if (period == schedule::kRepeatCustom && !(rules.LoadedHoursPerDay > 0)) {
        ctx_.UI.ShowMessage("The work calendar has no working hours in a day, so a custom repeat period "
                            "cannot be laid onto it",
                            "Task repeat error", data::MessageIcon::Stop);
        return false;
    }
    std::vector<std::pair<TDateTime, TDateTime>> dates{{first.Start, first.End}};
    for (int i = 1; i < count; ++i) {
        auto [start, end] = dates.back();
        TDateTime nextStart = start;
        TDateTime nextEnd = end;
        if (!schedule::NextRepeatDate(rules, false, customRepeatCode_, end, start, period, hours_, nextStart,
                                      nextEnd))
            return false;
        dates.emplace_back(nextStart, nextEnd);
    }
    for (const auto& [start, end] : dates)
        if (!schedule::ResourcesAreFree(ctx_.Schedule, ctx_.UI, false, CurrentResource(), start, end, 0))
            return false;

    // Keys drawn one after another differ; the set only guards that.
    std::vector<std::int32_t> keys;
    while (static_cast<int>(keys.size()) < count) {
        const std::int32_t key = NewItemKey(ctx_, &Item::CHARTSID);
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    }
    const std::int32_t chain = reoccurring_ ? NewItemKey(ctx_, &Item::CHAIN) : 0;
    key_ = keys.front();

    bool added = true;
    const auto addOccurrence = [&](int i) {
        schedule::NewScheduleItem item = first;
        const bool last = i == count - 1;
        item.Key = keys[static_cast<std::size_t>(i)];
        item.Description = NumberedDescription(input.Description, i);
        item.Start = dates[static_cast<std::size_t>(i)].first;
        item.End = dates[static_cast<std::size_t>(i)].second;
        item.RepeatRule = keys.front();
        item.RepeatHours = customRepeatCode_;
        item.Link = last ? 0 : keys[static_cast<std::size_t>(i) + 1];
        item.Chain = chain;
        item.Root = i > 0;
        item.RepeatPeriod = period;
        item.RepeatCount = reoccurring_ ? count : 1;
        item.AddToTaskList = i == 0 && !reused_;
        item.SingleAdd = last && pushNow;
        if (!ctx_.Adder.AddTaskToSchedule(item))
            added = false;
    };
    {
        // The occurrences before the last reach the tables as one write;
        // the last one's push carries them all.
        db::WriteBatch batch;
        for (int i = 0; i < count - 1; ++i)
            addOccurrence(i);
        batch.commit();
    }
    if (count > 0)
        addOccurrence(count - 1);
    return added;
}

void TaskEditor::AfterSave(bool goToNext, bool goToPrevious)
{
    if (!goToNext && !goToPrevious) {
        Close();
        return;
    }
    if (ctx_.State.ReadOnlyCopy || ctx_.State.DependencySetupMode)
        return;
    db::Table& t = *args_.Table;
    if (goToNext)
        t.next();
    else
        t.prior();
    if (ScheduleItemField(t, &Item::JOB).asBoolean()) {
        LocateScheduleItem(t, key_);
        Form.StatusBar = "Cannot edit job";
        return;
    }
    EditorArguments next;
    next.Table = args_.Table;
    next.IsMainView = args_.IsMainView;
    next.Edit = true;
    next.HelpLevel = args_.HelpLevel;
    next.RebuildOnClose = true;
    next.Status = ScheduleItemField(t, &Item::BIDID).asInteger();
    open_ = false;
    Form.StatusBar.clear();
    ShowTaskEditor(next);
}

// ----------------------------------------------------------- small buttons

void TaskEditor::CancelClick()
{
    db::Table& t = *args_.Table;
    if (!args_.Edit && t.state() == db::Table::State::Insert)
        t.cancel();
    t.refresh();
    result_ = false;
    Close();
}

void TaskEditor::AddTimeStampClick()
{
    if (open_)
        Form.Notes.push_back(data::DateTimeText(Now()) + ": ");
}

void TaskEditor::ResetRateClick()
{
    if (!open_ || !args_.Edit)
        return;
    Currency sum;
    std::vector<std::int32_t> crews;
    ForEachRow(ctx_.Tables.ICrewsTable2, "CHARTSID", key_,
               [&](db::Table& rows) { crews.push_back(rows.fieldByName("CREWID").asInteger()); });
    db::Table& lookup = ctx_.Tables.CrewsTable2;
    for (std::int32_t crew : crews)
        if (lookup.locate("CREWID", Number(crew)))
            sum += Currency::FromDouble(lookup.fieldByName("RATE").asCurrency());
    Form.HourlyRate = sum.ToText(2);
}

void TaskEditor::FormClose()
{
    if (!open_)
        return;
    open_ = false;
    CloseRequested = false;
    if (args_.RebuildOnClose) {
        ctx_.Host.BuildChart();
        ctx_.Tables.ChartsTable.refresh();
        LocateScheduleItem(ctx_.Tables.ChartsTable, key_);
    }
}

}  // namespace tw::tasks
