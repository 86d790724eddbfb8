// Inserting and removing blocks of time in a working copy: what the pass does
// with each task, the push-back of the tasks after the block, series
// re-dated by their rule, and the removal that moves tasks up.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "data/quartergrid.h"
#include "platform/datetime/localetexts.h"
#include "schedule/repeat/repeatdates.h"
#include "schedule/slots/insertslot.h"
#include "schedule/slots/removeslot.h"
#include "schedule/slots/slotoperations.h"
#include "schedule/workingtime.h"
#include "workstation.h"

using namespace tw;
using namespace tw::timeblocks;
using namespace tw::schedule::test;

namespace {

// Monday 7 December 2026 and the days after it.
TDateTime At(int day, int h, int m = 0)
{
    return EncodeDate(2026, 12, day) + EncodeTime(h, m, 0, 0);
}

bool Near(TDateTime a, TDateTime b)
{
    return std::abs(a - b) < 1e-6;
}

struct Task {
    std::int32_t key;
    std::int32_t crew;
    TDateTime start;
    TDateTime end;
    float hours;
    bool job = false;
    std::int32_t repeat = 0;
    int rperiod = 0;
    std::int32_t link = 0;
    std::int32_t chain = 0;
};

class Slots : public ::testing::Test, protected OneWorkstation, public SlotWorkingTime {
protected:
    Slots()
    {
        locale::PinLocale("en_US");
        // Every resource works Monday to Friday, 08:00 to 17:00; resource 2 from 12:00.
        schedule::CalendarRecord eightToFive;
        eightToFive.START1 = EncodeTime(8, 0, 0, 0);
        eightToFive.END1 = EncodeTime(17, 0, 0, 0);
        schedule::CalendarRecord afternoons = eightToFive;
        afternoons.START1 = EncodeTime(12, 0, 0, 0);
        calendars[1].Load(eightToFive);
        calendars[2].Load(afternoons);
        calendars[3].Load(eightToFive);
        adder = std::make_unique<schedule::ScheduleAdder>(ws->tables, ws->state, ws->ui, ws->sync);
        ws->state.InsertTimePending = true;
    }

    SlotServices Services()
    {
        return SlotServices{
            .Tables = ws->tables,
            .State = ws->state,
            .Adder = *adder,
            .Time = *this,
        };
    }
    // Each resource on its own calendar; the notes are dated 1 December, 7:30.
    TDateTime ComputeTaskEnd(std::int32_t crew, TDateTime& startOut, TDateTime start, float hours) override
    {
        return schedule::ComputeTaskEnd(calendars[crew], holidays, startOut, start, hours);
    }
    float WorkingHoursBetween(std::int32_t crew, TDateTime from, TDateTime to) override
    {
        return schedule::WorkingHoursBetween(calendars[crew], holidays, from, to);
    }
    float LoadedHoursPerDay() override { return 9.0f; }
    TDateTime Now() override { return At(1, 7, 30); }

    void Add(const Task& t)
    {
        db::Table& c = ws->ChartsTable;
        c.append();
        c.fieldByName("CHARTSID").setAsInteger(t.key);
        c.fieldByName("CREWID").setAsInteger(t.crew);
        c.fieldByName("SD").setAsFloat(t.start);
        c.fieldByName("ED").setAsFloat(t.end);
        c.fieldByName("HOURS").setAsFloat(t.hours);
        c.fieldByName("DESC").setAsString("Task " + std::to_string(t.key));
        c.fieldByName("CUSTNAME").setAsString("Smith, John");
        c.fieldByName("JOBNAME").setAsString("Kitchen");
        c.fieldByName("TDESC").setAsString("Crew " + std::to_string(t.crew));
        c.fieldByName("JOB").setAsBoolean(t.job);
        c.fieldByName("REPEAT").setAsInteger(t.repeat);
        c.fieldByName("RPERIOD").setAsInteger(t.rperiod);
        c.fieldByName("LINK").setAsInteger(t.link);
        c.fieldByName("CHAIN").setAsInteger(t.chain);
        c.fieldByName("RCOUNT").setAsInteger(1);
        c.fieldByName("UPDATE").setAsFloat(1.1);
        c.fieldByName("SHOWIT").setAsBoolean(true);
        c.post();
    }

    struct Stored {
        TDateTime start = 0, end = 0;
        float hours = 0;
        std::string notes;
        int rcount = 0;
        float update = 0;
        std::int32_t link = 0;
        bool root = false;
    };
    Stored Get(std::int32_t key)
    {
        db::Table& c = ws->ChartsTable3;
        c.refresh();
        EXPECT_TRUE(c.locate("CHARTSID", db::Value(static_cast<double>(key)))) << key;
        return {c.fieldByName("SD").asFloat(),
                c.fieldByName("ED").asFloat(),
                static_cast<float>(c.fieldByName("HOURS").asFloat()),
                c.fieldByName("NOTES").asString(),
                c.fieldByName("RCOUNT").asInteger(),
                static_cast<float>(c.fieldByName("UPDATE").asFloat()),
                c.fieldByName("LINK").asInteger(),
                c.fieldByName("ROOT").asBoolean()};
    }
    int Count()
    {
        ws->ChartsTable.refresh();
        return static_cast<int>(ws->ChartsTable.recordCount());
    }

    std::map<std::int32_t, schedule::WorkCalendar> calendars;
    schedule::HolidayList holidays;
    std::unique_ptr<schedule::ScheduleAdder> adder;
    PendingInsertState pending;
};

TEST(SlotOutcome, DecisionTable)
{
    const TDateTime S = At(8, 10), E = At(8, 12);
    struct Row {
        const char* name;
        TDateTime a, b;
        SlotOutcome outcome;
    } rows[] = {
        {"exactly the block", S, E, SlotOutcome::Delay},
        {"around the block", At(8, 9), At(8, 13), SlotOutcome::SplitAtStart},
        {"inside the block", At(8, 10, 30), At(8, 11), SlotOutcome::Delay},
        {"runs into the block", At(8, 9), At(8, 11), SlotOutcome::SplitAtStart},
        {"starts inside, ends after", At(8, 11), At(8, 13), SlotOutcome::Delay},
        {"ends at the block's start", At(8, 8), S, SlotOutcome::Protect},
        {"starts at the block's end", E, At(8, 14), SlotOutcome::None},
        {"wholly before", At(8, 8), At(8, 9), SlotOutcome::Protect},
        {"wholly after", At(8, 13), At(8, 14), SlotOutcome::None},
        {"starts with the block, ends inside", S, At(8, 11), SlotOutcome::Delay},
        {"starts inside, ends with the block", At(8, 11), E, SlotOutcome::Delay},
        {"starts with the block, ends after", S, At(8, 13), SlotOutcome::Delay},
        {"starts before, ends with the block", At(8, 9), E, SlotOutcome::SplitRemainder},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DecideSlotOutcome(row.a, row.b, S, E), row.outcome) << row.name;

    // A block of no length: only a task across it is split; one ending at it is left unprotected.
    EXPECT_EQ(DecideSlotOutcome(At(8, 9), At(8, 11), S, S), SlotOutcome::SplitAtStart);
    EXPECT_EQ(DecideSlotOutcome(At(8, 8), At(8, 9), S, S), SlotOutcome::Protect);
    EXPECT_EQ(DecideSlotOutcome(At(8, 9), S, S, S), SlotOutcome::None);
}

TEST(SlotBlock, LengthsAndUnits)
{
    EXPECT_FLOAT_EQ(SlotLengthFromText(" 2.5 "), 2.5f);
    EXPECT_FLOAT_EQ(SlotLengthFromText("abc"), 1);
    EXPECT_FLOAT_EQ(SlotLengthFromText(""), 1);

    const SlotBlock hours = ComputeSlotBlock(At(8, 10, 5), 2, kSlotHours);
    EXPECT_TRUE(Near(hours.Start, At(8, 10, 15)));
    EXPECT_TRUE(Near(hours.End, At(8, 12, 15)));
    EXPECT_FLOAT_EQ(hours.Hours, 2);
    const SlotBlock weeks = ComputeSlotBlock(At(8, 10), 1, kSlotWeeks);
    EXPECT_TRUE(Near(weeks.End, At(15, 10)));
    EXPECT_FLOAT_EQ(weeks.Hours, 168);

    // One month from 31 January: no 31 February, so 1 March, in a leap year too; 744 hours.
    for (int year : {2027, 2028}) {
        const SlotBlock month =
            ComputeSlotBlock(EncodeDate(year, 1, 31) + EncodeTime(9, 0, 0, 0), 1, kSlotMonths);
        EXPECT_TRUE(Near(month.End, EncodeDate(year, 3, 1) + EncodeTime(9, 0, 0, 0))) << year;
        EXPECT_FLOAT_EQ(month.Hours, 744);
    }
    // 2.5 months count three, across the year end: December, January, February.
    const SlotBlock across = ComputeSlotBlock(EncodeDate(2026, 12, 15), 2.5f, kSlotMonths);
    EXPECT_FLOAT_EQ(across.Hours, 24 * (31 + 31 + 28));
    EXPECT_TRUE(Near(across.End, EncodeDate(2027, 3, 15)));

    int y = 2026, m = 12, d = 32;
    AdvancePastMonthEnd(y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20270101);
}

TEST_F(Slots, DelaySplitProtectAndPushBack)
{
    // A 2-hour block from 8:00 on Tuesday 8 December for every resource; after a resource's first
    // delayed task, the pass leaves its later tasks to the push-back.
    Add({1, 1, At(8, 9), At(8, 11), 2});   // delayed by a 2-hour block from 8:00 on Tuesday
    Add({2, 1, At(8, 13), At(8, 15), 2});  // after it: pushed back
    Add({3, 2, At(8, 12), At(8, 14), 2});  // another resource ending at the block's start
    Add({4, 3, At(7, 8), At(7, 9), 1});    // wholly before
    Add({5, 3, At(8, 10), At(8, 12), 2});  // starts exactly at the block's end
    InsertSlot insert(Services(), pending);
    const SlotBlock block = ComputeSlotBlock(At(8, 8), 2, kSlotHours);
    ASSERT_TRUE(insert.InsertBlock(block, 0));

    const Stored delayed = Get(1);
    EXPECT_TRUE(Near(delayed.start, At(8, 10)));
    EXPECT_TRUE(Near(delayed.end, At(8, 12)));
    EXPECT_EQ(delayed.notes,
              "12/1/2026 7:30 AM:  This task has been delayed 1 hours to accomodate an inserted slot\n");
    EXPECT_FLOAT_EQ(delayed.update, 2.1f);
    // Pushed back by the 1 working hour the delay cost crew 1, measured on each record's own calendar.
    const Stored after = Get(2);
    EXPECT_TRUE(Near(after.start, At(8, 14)));
    EXPECT_TRUE(Near(after.end, At(8, 16)));
    EXPECT_NE(after.notes.find("This task has been pushed back 1 hours to accomodate an inserted slot"),
              std::string::npos);
    // Crew 2 works from 12:00: 11:00 to 12:00 is no working time for it, so it does not move.
    EXPECT_TRUE(Near(Get(3).start, At(8, 12)));
    EXPECT_TRUE(Near(Get(4).start, At(7, 8)));
    EXPECT_TRUE(Get(4).notes.empty());
    // Starts exactly at the block's end: not delayed by the pass, pushed back by the hour.
    EXPECT_TRUE(Near(Get(5).start, At(8, 11)));
    EXPECT_TRUE(Near(Get(5).end, At(8, 13)));

    EXPECT_TRUE(pending.PendingInsert);
    EXPECT_TRUE(Near(pending.PendingInsertStart, At(8, 8)));
    EXPECT_FLOAT_EQ(pending.PendingInsertHours, 2);
    EXPECT_EQ(pending.PendingInsertUnit, kSlotHours);

    // A second call finds every record protected.
    insert.PushBackDependants(At(8, 12), At(9, 12));
    EXPECT_TRUE(Near(Get(2).start, At(8, 14)));
}

TEST_F(Slots, ASplitTaskKeepsItsFirstPieceAndAddsTheRemainderAfterTheBlock)
{
    Add({10, 1, At(8, 8), At(8, 12), 4});
    InsertSlot insert(Services(), pending);
    ASSERT_TRUE(insert.InsertBlock(ComputeSlotBlock(At(8, 10), 1, kSlotDays), 0));

    const Stored first = Get(10);
    EXPECT_TRUE(Near(first.start, At(8, 8)));
    EXPECT_TRUE(Near(first.end, At(8, 10)));
    EXPECT_FLOAT_EQ(first.hours, 2);
    EXPECT_EQ(first.rcount, 2);
    EXPECT_EQ(first.notes, "12/1/2026 7:30 AM:  This task has been split to accomodate an inserted slot\n");

    ASSERT_EQ(Count(), 2);
    ASSERT_EQ(insert.ProtectedTasks.size(), 2u);
    const std::int32_t pieceKey = insert.ProtectedTasks[1];
    const Stored piece = Get(pieceKey);
    EXPECT_TRUE(Near(piece.start, At(9, 10)));
    EXPECT_TRUE(Near(piece.end, At(9, 12)));
    EXPECT_FLOAT_EQ(piece.hours, 2);
    EXPECT_EQ(piece.rcount, 2);
    EXPECT_EQ(piece.notes, "12/1/2026 7:30 AM:  This task has been split off from Task 10\n");
    // The piece keeps the resource and has its assignment row; nothing is pushed yet.
    ws->ChartsTable3.locate("CHARTSID", db::Value(static_cast<double>(pieceKey)));
    EXPECT_EQ(ws->ChartsTable3.fieldByName("CREWID").asInteger(), 1);
    EXPECT_TRUE(ws->ICrewsTable.locate("CHARTSID;CREWID",
                                       {db::Value(static_cast<double>(pieceKey)), db::Value(1.0)}));
    ws->IChartsTable.refresh();
    EXPECT_EQ(ws->IChartsTable.recordCount(), 0);
}

TEST_F(Slots, JobSummaryRowsAreNeitherSplitNorMoved)
{
    Add({20, 1, At(8, 8), At(8, 16), 8, true});
    Add({21, 1, At(8, 9), At(8, 11), 2});
    InsertSlot insert(Services(), pending);
    ASSERT_TRUE(insert.InsertBlock(ComputeSlotBlock(At(8, 10), 1, kSlotHours), 0));
    EXPECT_EQ(Count(), 3);  // task 21 split; the job row is not
    EXPECT_TRUE(Near(Get(20).start, At(8, 8)));
    EXPECT_TRUE(Near(Get(20).end, At(8, 16)));
    EXPECT_TRUE(Get(20).notes.empty());
}

// A rain day on Monday 7 December for crew 1: the task through Monday is split, the Friday task
// before the block stays where it is whichever of the two is stored first, and Wednesday's task is
// pushed back.
TEST_F(Slots, ATaskThatEndsBeforeTheBlockNeverMoves)
{
    struct Order {
        const char* name;
        bool fridayFirst;
    } orders[] = {{"Friday task stored first", true}, {"Friday task stored after the split one", false}};
    for (const Order& order : orders) {
        SCOPED_TRACE(order.name);
        for (ws->ChartsTable.first(); !ws->ChartsTable.eof();)
            ws->ChartsTable.deleteRecord();
        const Task friday{70, 1, At(4, 8), At(4, 12), 4};
        const Task throughMonday{71, 1, At(4, 16), At(7, 12), 5};
        if (order.fridayFirst)
            Add(friday);
        Add(throughMonday);
        if (!order.fridayFirst)
            Add(friday);
        Add({72, 1, At(9, 8), At(9, 10), 2});

        InsertSlot insert(Services(), pending);
        ASSERT_TRUE(insert.InsertBlock(ComputeSlotBlock(At(7, 8), 1, kSlotDays), 1));

        EXPECT_TRUE(Near(Get(70).start, At(4, 8)));
        EXPECT_TRUE(Near(Get(70).end, At(4, 12)));
        EXPECT_TRUE(Get(70).notes.empty());
        EXPECT_TRUE(Near(Get(71).start, At(4, 16)));
        EXPECT_TRUE(Near(Get(71).end, At(7, 8)));
        EXPECT_FLOAT_EQ(Get(71).hours, 1);
        // The split-off piece ends a day later than the task did, and so does Wednesday's task.
        EXPECT_TRUE(Near(Get(72).start, At(10, 8)));
        EXPECT_EQ(Count(), 4);
    }
}

TEST_F(Slots, TheSelectedResourceOnlyLeavesTheOthersWhereTheyAre)
{
    Add({30, 1, At(8, 9), At(8, 11), 2});
    Add({31, 3, At(8, 9), At(8, 11), 2});
    Add({32, 3, At(8, 13), At(8, 14), 1});
    InsertSlot insert(Services(), pending);
    ASSERT_TRUE(insert.InsertBlock(ComputeSlotBlock(At(8, 8), 2, kSlotHours), 1));
    EXPECT_TRUE(Near(Get(30).start, At(8, 10)));
    EXPECT_TRUE(Near(Get(31).start, At(8, 9)));
    EXPECT_TRUE(Near(Get(32).start, At(8, 13)));
}

TEST_F(Slots, LaterOccurrencesOfASeriesFollowTheirRule)
{
    // A weekly series on crew 3 after the block: its first occurrence is pushed back by the hour that
    // crew 1's delay cost, and the next one is re-dated a week after it, not moved by the same hour.
    Add({40, 1, At(8, 9), At(8, 11), 2});
    Add({41, 3, At(8, 13), At(8, 14), 1, false, 7, schedule::kRepeatWeekly, 42, 0});
    Add({42, 3, At(15, 16), At(15, 17), 1, false, 7, schedule::kRepeatWeekly, 0, 0});
    InsertSlot insert(Services(), pending);
    ASSERT_TRUE(insert.InsertBlock(ComputeSlotBlock(At(8, 8), 2, kSlotHours), 0));
    EXPECT_TRUE(Near(Get(41).start, At(8, 14)));
    EXPECT_TRUE(Near(Get(41).end, At(8, 15)));
    EXPECT_TRUE(Near(Get(42).start, At(15, 14)));
    EXPECT_TRUE(Near(Get(42).end, At(15, 15)));
    EXPECT_NE(Get(42).notes.find("pushed back 1 hours"), std::string::npos);
}

TEST_F(Slots, RemovalMovesTheLaterTasksUp)
{
    Add({50, 1, At(8, 8), At(8, 10), 2});
    Add({51, 1, At(8, 13), At(8, 15), 2});
    Add({52, 1, At(9, 9), At(9, 10), 1});
    Add({53, 3, At(8, 16), At(8, 17), 1});
    RemoveSlot remove(Services());
    const SlotBlock block = ComputeSlotBlock(At(8, 10), 2, kSlotHours);
    std::string refusal;
    ASSERT_EQ(remove.RemoveBlock(block, 1, "Crew 1", refusal), RemoveSlot::Result::Moved);
    // N = 13:00, T = 3 calendar hours.
    EXPECT_TRUE(Near(Get(51).start, At(8, 10)));
    EXPECT_TRUE(Near(Get(51).end, At(8, 12)));
    EXPECT_EQ(Get(51).notes, "12/1/2026 7:30 AM:  This task has been moved up 3 hours.\n");
    EXPECT_TRUE(Near(Get(52).start, At(9, 8)));  // 9:00 - 3 h = 6:00, snapped to 8:00
    EXPECT_EQ(Get(52).notes, "12/1/2026 7:30 AM:  This task has been moved up 1 hours.\n");
    EXPECT_TRUE(Near(Get(50).start, At(8, 8)));
    EXPECT_TRUE(Near(Get(53).start, At(8, 16)));  // another resource
}

TEST_F(Slots, RemovalRefusesAPeriodInWhichSomebodyWorks)
{
    Add({60, 1, At(8, 11), At(8, 12), 1});
    Add({61, 3, At(8, 13), At(8, 14), 1});
    const SlotBlock block = ComputeSlotBlock(At(8, 10), 2, kSlotHours);
    std::string refusal;
    {
        RemoveSlot remove(Services());
        EXPECT_EQ(remove.RemoveBlock(block, 1, "Crew 1", refusal), RemoveSlot::Result::Refused);
        EXPECT_EQ(refusal, "Crew 1 is assigned during this period");
    }
    {
        RemoveSlot remove(Services());
        EXPECT_EQ(remove.RemoveBlock(block, 0, "", refusal), RemoveSlot::Result::Refused);
        EXPECT_EQ(refusal, "One or more resources are assigned during this period");
    }
    EXPECT_TRUE(Near(Get(61).start, At(8, 13)));
    EXPECT_TRUE(Get(61).notes.empty());
    // Crew 3 alone is free then, and its task moves up.
    RemoveSlot remove(Services());
    EXPECT_EQ(remove.RemoveBlock(block, 3, "Crew 3", refusal), RemoveSlot::Result::Moved);
    EXPECT_TRUE(Near(Get(61).start, At(8, 10)));
}

// The insert as an operation of the program: nothing reaches the shared tables until the timer fires,
// a second Cancel keeps the pending block, "Remove time" discards it, and a removal is pushed at once.
class SlotStates : public Slots, public TimeBlocksView {
protected:
    SlotStates()
    {
        CreateProgramFolder(progB.path());
        b = std::make_unique<Workstation>(progB.path(), shared.path());
        Add({1, 1, At(8, 9), At(8, 11), 2});
        Add({2, 1, At(8, 13), At(8, 15), 2});
        ws->sync.PushChartUpdates();
    }

    // The buttons and the timer as they stand; a dialog does what the test sets.
    void RestartRemoveSpaceTimer() override { timerRunning = true; }
    void StopRemoveSpaceTimer() override { timerRunning = false; }
    void SetInsertSpaceEnabled(bool on) override { insertEnabled = on; }
    void SetRemoveSpaceEnabled(bool on) override { removeEnabled = on; }
    void OpenInsertDialog() override { RunDialog(); }
    void OpenRemoveDialog() override { RunDialog(); }
    void RefreshChartsView() override {}
    void RunDialog()
    {
        if (dialog)
            dialog();
    }

    TDateTime StartOnB(std::int32_t key)
    {
        b->sync.PullChartUpdates(false);
        b->ChartsTable3.refresh();
        EXPECT_TRUE(b->ChartsTable3.locate("CHARTSID", db::Value(static_cast<double>(key))));
        return b->ChartsTable3.fieldByName("SD").asFloat();
    }

    void InsertTwoHours()
    {
        dialog = [this] {
            InsertSlot insert(Services(), ops.Pending);
            insert.InsertBlock(ComputeSlotBlock(At(8, 8), 2, kSlotHours), 0);
            ops.InsertDialogClosed();
        };
        ops.InsertSpaceClick();
    }

    TempFolder progB;
    std::unique_ptr<Workstation> b;
    bool timerRunning = false;
    bool insertEnabled = true;
    bool removeEnabled = true;
    std::function<void()> dialog;
    SlotOperations ops{ws->sync, ws->state, *this};
};

TEST_F(SlotStates, APendingInsertReachesTheOtherWorkstationOnlyWhenTheTimerFires)
{
    InsertTwoHours();
    EXPECT_TRUE(ws->state.InsertTimePending);
    EXPECT_TRUE(ops.Pending.PendingInsert);
    EXPECT_TRUE(timerRunning);
    EXPECT_TRUE(removeEnabled);
    EXPECT_TRUE(Near(StartOnB(1), At(8, 9)));
    // The working copy is not pulled over while the insert is under way.
    EXPECT_FALSE(ws->sync.PullChartUpdates(true));
    EXPECT_TRUE(Near(Get(1).start, At(8, 10)));

    // Opened again and cancelled: the earlier block stays pending and the timer runs on.
    dialog = [this] { ops.InsertCancelClick(); };
    ops.InsertSpaceClick();
    EXPECT_TRUE(ws->state.InsertTimePending);
    EXPECT_TRUE(ops.Pending.PendingInsert);
    EXPECT_TRUE(timerRunning);

    ops.RemoveSpaceTimerTimer();
    EXPECT_FALSE(timerRunning);
    EXPECT_FALSE(ws->state.InsertTimePending);
    EXPECT_FALSE(ops.Pending.PendingInsert);
    EXPECT_TRUE(Near(StartOnB(1), At(8, 10)));
    EXPECT_TRUE(Near(StartOnB(2), At(8, 14)));
}

TEST_F(SlotStates, CancelWithNothingPendingReturnsToIdle)
{
    dialog = [this] { ops.InsertCancelClick(); };
    ops.InsertSpaceClick();
    EXPECT_FALSE(ws->state.InsertTimePending);
    EXPECT_FALSE(timerRunning);
    EXPECT_TRUE(removeEnabled);
}

TEST_F(SlotStates, RemoveTimeDiscardsAPendingInsert)
{
    Add({3, 3, At(7, 15), At(8, 9), 3});
    ws->sync.PushChartUpdates();
    InsertTwoHours();
    ASSERT_TRUE(ops.Pending.PendingInsert);
    EXPECT_EQ(Count(), 4);  // task 3 was split
    dialog = nullptr;
    ops.RemoveSpaceClick();
    EXPECT_FALSE(ops.Pending.PendingInsert);
    EXPECT_FALSE(ws->state.InsertTimePending);
    EXPECT_FALSE(removeEnabled);
    EXPECT_EQ(Count(), 3);
    EXPECT_TRUE(Near(Get(1).start, At(8, 9)));
    EXPECT_TRUE(Near(Get(3).end, At(8, 9)));
    // The status says what the user did, not how the split-off piece went.
    EXPECT_EQ(ws->ui.Status[1], "Inserted time removed");
    EXPECT_EQ(ws->ui.Status[0], "");
    EXPECT_EQ(ws->ui.Status[2], "");
}

TEST_F(SlotStates, ARemovalIsPushedAtOnce)
{
    dialog = [this] {
        EXPECT_FALSE(insertEnabled);  // no insert while the remove dialog is open
        RemoveSlot remove(Services());
        std::string refusal;
        if (remove.RemoveBlock(ComputeSlotBlock(At(8, 11), 1, kSlotHours), 0, "", refusal)
            == RemoveSlot::Result::Moved)
            ops.RemoveDialogMovedTasks();
        ops.RemoveDialogClosed();
    };
    ops.RemoveSpaceClick();
    EXPECT_TRUE(insertEnabled);
    EXPECT_TRUE(Near(StartOnB(2), At(8, 11)));
    // The next poll on this workstation keeps the move.
    ws->sync.PullChartUpdates(false);
    EXPECT_TRUE(Near(Get(2).start, At(8, 11)));
}

TEST(SlotTexts, StatusPanels)
{
    locale::PinLocale("en_US");
    EXPECT_EQ(InsertSlotStatusText(true, "Crew 1"), "Push back all resources");
    EXPECT_EQ(InsertSlotStatusText(false, "Crew 1"), "Push back Crew 1 resource");
    EXPECT_EQ(RemoveSlotStatusText(true, "", At(8, 10)), "Push up all tasks to 12/8/2026 10:00:00 AM");
    EXPECT_EQ(RemoveSlotStatusText(false, "Crew 1", At(8, 10)),
              "Push up Crew 1 tasks to 12/8/2026 10:00:00 AM");
}

}  // namespace
