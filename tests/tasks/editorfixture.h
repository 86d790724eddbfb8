#pragma once
// A workstation with a small schedule for the task editor: two resources on
// one Monday-to-Friday 8:00-16:00 calendar, one customer and job, and tasks
// added through the program's own schedule adder (working copy, task list,
// assignment row, shared tables).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/datetime/localetexts.h"
#include "schedule/calendars.h"
#include "schedule/sync/workstation.h"
#include "schedule/sync/calendarrecordio.h"
#include "tasks/editor/taskeditor.h"
#include "support/recordinguserinterface.h"

namespace tw::tasks::testing {

using schedule::testing::Day;
using schedule::testing::kMonday;
using schedule::testing::kTuesday;

inline constexpr std::int32_t kAnn = 1;
inline constexpr std::int32_t kBob = 2;

// Counts the hourglass: every step that sets it must put it back.
struct EditorInterface : data::RecordingUserInterface {
    void SetBusyCursor(bool busy) override { Hourglasses += busy ? 1 : -1; }
    int Hourglasses = 0;
};

// The editor's window and the pages around it as the editor reaches them:
// the chart builds, the repeat dialogs' answers and the codes they were shown
// on; a new task is for the state's current resource.
class FakeEditorWindow : public TaskEditorView, public TaskEditorHost {
public:
    explicit FakeEditorWindow(data::MainScreenState& state) : state_(state) {}

    int chartBuilds = 0;
    bool reoccurring = false;  // the repeat mode's answer
    int modeQuestions = 0;
    int customAnswer = 0;  // the custom period's result code
    std::vector<int> customCodesShown;

    bool AskRepeatMode() override
    {
        ++modeQuestions;
        return reoccurring;
    }
    int CustomRepeat(int code, TDateTime) override
    {
        customCodesShown.push_back(code);
        return customAnswer;
    }
    std::int32_t CurrentResource() override { return state_.CurrentResourceId; }
    std::optional<PendingBlock> PendingInsert() override { return std::nullopt; }
    void BuildChart() override { ++chartBuilds; }
    void ShowTaskStatusBar() override {}
    bool CustomerGridEnabled() override { return true; }

private:
    data::MainScreenState& state_;
};

class EditorFixture : public schedule::test::OneWorkstation {
public:
    EditorFixture()
    {
        locale::PinLocale("en_US");
        schedule::test::Workstation::Open(ChartsTable8, prog.path(), "Charts.DBF");
        schedule::test::Workstation::Open(CrewsTable, shared.path(), "crews.dbf");
        schedule::CalendarRecord r;
        r.START1 = schedule::testing::Time(8, 0);
        r.END1 = schedule::testing::Time(16, 0);
        ws->CalendarTable.append();
        schedule::SaveWorkCalendar(ws->CalendarTable, r);
        ws->CalendarTable.post();
        Resource(kAnn, "Ann", 40);
        Resource(kBob, "Bob", 0);
        ws->CustomersTable.append();
        ws->CustomersTable.fieldByName("CID").setAsInteger(10);
        ws->CustomersTable.fieldByName("NAME").setAsString("Ames");
        ws->CustomersTable.post();
        ws->JobsTable.append();
        ws->JobsTable.fieldByName("JID").setAsInteger(20);
        ws->JobsTable.fieldByName("CID").setAsInteger(10);
        ws->JobsTable.fieldByName("DESC").setAsString("Kitchen");
        ws->JobsTable.fieldByName("CUSTNAME").setAsString("Ames");
        ws->JobsTable.post();
        ws->state.StartupDone = true;
    }

    void Resource(std::int32_t key, const std::string& name, double rate)
    {
        ws->CrewsTable2.append();
        ws->CrewsTable2.fieldByName("CREWID").setAsInteger(key);
        ws->CrewsTable2.fieldByName("DESC").setAsString(name);
        ws->CrewsTable2.fieldByName("RATE").setAsCurrency(rate);
        ws->CrewsTable2.post();
    }

    // A task of the resource added as the program adds one; its key.
    std::int32_t AddTask(std::int32_t resource, const std::string& description, TDateTime start, float hours,
                         bool jobRow = false)
    {
        ws->state.CurrentResourceId = resource;
        schedule::NewScheduleItem item;
        item.Key = nextKey_++;
        item.CustomerName = "Ames";
        item.JobName = "Kitchen";
        item.Description = description;
        item.Start = start;
        TDateTime moved = start;
        item.End = calendars.ComputeTaskEnd(resource, moved, start, hours);
        item.Hours = hours;
        item.HourlyRate = 40;
        item.JobRow = jobRow;
        item.LengthUnit = 1;
        item.AddToTaskList = !jobRow;
        adder.AddTaskToSchedule(item);
        return item.Key;
    }

    // A field of a record in the working copy, or in the shared table.
    double Working(std::int32_t key, const char* field) { return FieldOf(ws->ChartsTable5, key, field); }
    double Shared(std::int32_t key, const char* field) { return FieldOf(ws->IChartsTable, key, field); }
    static double FieldOf(db::Table& t, std::int32_t key, const char* field)
    {
        t.refresh();
        if (!t.locate("CHARTSID", db::Value(double(key))))
            return -1;
        return t.fieldByName(field).asFloat();
    }
    static std::string TextOf(db::Table& t, std::int32_t key, const char* field)
    {
        t.refresh();
        if (!t.locate("CHARTSID", db::Value(double(key))))
            return "<missing>";
        return t.fieldByName(field).asString();
    }

    // Opens the editor in edit mode on a task of ChartsTable3.
    void Edit(std::int32_t key)
    {
        ws->ChartsTable3.refresh();
        if (!ws->ChartsTable3.locate("CHARTSID", db::Value(double(key))))
            return;
        EditorArguments args;
        args.Table = &ws->ChartsTable3;
        args.Edit = true;
        args.RebuildOnClose = true;
        args.Status = ws->ChartsTable3.fieldByName("BIDID").asInteger();
        editor.ShowTaskEditor(args);
    }
    // Opens the editor in add mode for the resource.
    void Add(std::int32_t resource, const std::string& description, std::optional<TDateTime> start)
    {
        ws->state.CurrentResourceId = resource;
        EditorArguments args;
        args.Table = &ws->ChartsTable;
        args.IsMainView = true;
        args.Description = description;
        args.Start = start;
        args.RebuildOnClose = true;
        editor.ShowTaskEditor(args);
    }
    // Closes the editor the way its window does.
    void CloseEditor()
    {
        if (editor.CloseRequested)
            editor.FormClose();
    }

    db::Table ChartsTable8, CrewsTable;
    EditorInterface ui;
    schedule::HolidayList holidays;
    schedule::CalendarTables calendars{ws->CalendarTable, holidays, ws->state};
    schedule::ScheduleAdder adder{ws->tables, ws->state, ws->ui, ws->sync};
    FakeEditorWindow window{ws->state};
    TaskEditorContext context{
        .Tables = {ws->ChartsTable, ws->ChartsTable3, ChartsTable8, ws->TasksTable3, CrewsTable,
                   ws->CrewsTable2, ws->ICrewsTable2, ws->CustomersTable, ws->CustomersTable2, ws->JobsTable,
                   ws->JobsTable2},
        .Schedule = ws->tables,
        .Sync = ws->sync,
        .Adder = adder,
        .Calendars = calendars,
        .State = ws->state,
        .UI = ui,
        .StatusTexts = {},
        .Host = window,
    };
    TaskEditor editor{context, window};

private:
    std::int32_t nextKey_ = 100;
};

}  // namespace tw::tasks::testing
