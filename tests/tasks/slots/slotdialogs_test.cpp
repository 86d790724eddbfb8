// The insert-time and remove-time dialogs: their defaults, their status
// texts, an OK that inserts or moves, a refused removal that keeps the dialog
// open, and a Cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimeEdit>
#include <QTimer>

#include <memory>

#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcglyphbutton.h"
#include "platform/datetime/localetexts.h"
#include "schedule/workingtime.h"
#include "tasks/slots/slotdialogs.h"
#include "onecalendar.h"
#include "workstation.h"

using namespace tw;
using namespace tw::tasks;
using namespace tw::timeblocks;
using namespace tw::schedule::test;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "tw_slotdialogs_test";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}

// The dialogs are opened by the tests themselves; no button or timer around them.
class NoTimeBlocksWindow : public TimeBlocksView {
public:
    void RestartRemoveSpaceTimer() override {}
    void StopRemoveSpaceTimer() override {}
    void SetInsertSpaceEnabled(bool) override {}
    void SetRemoveSpaceEnabled(bool) override {}
    void OpenInsertDialog() override {}
    void OpenRemoveDialog() override {}
    void RefreshChartsView() override {}
};

TDateTime At(int day, int h, int m = 0)
{
    return EncodeDate(2026, 12, day) + EncodeTime(h, m, 0, 0);
}

class SlotDialogs : public ::testing::Test,
                    protected OneWorkstation,
                    public NoTimeBlocksWindow,
                    public timeblocks::test::OneCalendar,
                    public SlotDialogHost {
protected:
    SlotDialogs()
    {
        App();
        locale::PinLocale("en_US");
        schedule::CalendarRecord r;
        r.START1 = EncodeTime(8, 0, 0, 0);
        r.END1 = EncodeTime(17, 0, 0, 0);
        calendar.Load(r);
        adder = std::make_unique<schedule::ScheduleAdder>(ws->tables, ws->state, ws->ui, ws->sync);
        ops = std::make_unique<SlotOperations>(ws->sync, ws->state, *this);
    }

    SlotDialogContext Context()
    {
        return SlotDialogContext{.State = ws->state, .Operations = *ops, .Host = *this, .UI = ws->ui};
    }

    // The program around the dialogs: one resource, "Crew 1", working 8:00 to 17:00.
    SlotServices Services() override
    {
        return SlotServices{
            .Tables = ws->tables,
            .State = ws->state,
            .Adder = *adder,
            .Time = *this,
        };
    }
    std::int32_t CurrentResource(std::string& description) override
    {
        description = "Crew 1";
        return 1;
    }
    TDateTime LoadWorkCalendar(std::int32_t) override { return EncodeTime(8, 0, 0, 0); }
    void PushChartUpdates() override { ++pushes; }
    void AfterInsert() override { ++afterInsert; }
    void AfterRemove() override { ++afterRemove; }

    void AddTask(std::int32_t key, TDateTime start, TDateTime end, float hours)
    {
        db::Table& c = ws->ChartsTable;
        c.append();
        c.fieldByName("CHARTSID").setAsInteger(key);
        c.fieldByName("CREWID").setAsInteger(1);
        c.fieldByName("SD").setAsFloat(start);
        c.fieldByName("ED").setAsFloat(end);
        c.fieldByName("HOURS").setAsFloat(hours);
        c.fieldByName("UPDATE").setAsFloat(1.1);
        c.post();
    }

    TDateTime StartOf(std::int32_t key)
    {
        ws->ChartsTable3.refresh();
        EXPECT_TRUE(ws->ChartsTable3.locate("CHARTSID", db::Value(static_cast<double>(key))));
        return ws->ChartsTable3.fieldByName("SD").asFloat();
    }

    // Runs `inside` while the modal dialog shows.
    template <class Dialog>
    void WhileOpen(Dialog& dialog, std::function<void()> inside)
    {
        QTimer::singleShot(0, [&, inside] {
            inside();
            if (dialog.isVisible())
                dialog.template findChild<controls::TFcBitBtn*>("Cancel")->Click();
        });
        dialog.Open();
    }

    std::unique_ptr<schedule::ScheduleAdder> adder;
    std::unique_ptr<SlotOperations> ops;
    int pushes = 0, afterInsert = 0, afterRemove = 0;
};

TEST_F(SlotDialogs, InsertDialogDefaultsStatusAndOk)
{
    AddTask(1, At(8, 9), At(8, 11), 2);
    TInsertSlot dialog(Context());
    EXPECT_EQ(dialog.windowTitle(), "Insert blank space in schedule");
    ops->InsertSpaceClick();
    WhileOpen(dialog, [&] {
        EXPECT_EQ(dialog.Controls.SlotLength->text(), "1");
        EXPECT_TRUE(dialog.Controls.Units[kSlotDays]->Checked());
        EXPECT_FALSE(dialog.Controls.ForAllResources());
        EXPECT_EQ(dialog.Controls.SlotStartDate->date(), QDate::currentDate());
        EXPECT_EQ(dialog.Controls.SlotStartTime->time(), QTime(8, 0));
        EXPECT_EQ(dialog.Controls.StatusBar->PanelText(0), "Push back Crew 1 resource");
        dialog.Controls.AllResources->SetChecked(true);
        EXPECT_EQ(dialog.Controls.StatusBar->PanelText(0), "Push back all resources");

        dialog.Controls.UpDown2->setValue(2);
        EXPECT_EQ(dialog.Controls.SlotLength->text(), "2");
        dialog.Controls.Units[kSlotHours]->SetChecked(true);
        dialog.Controls.SlotStartDate->setDate(QDate(2026, 12, 8));
        dialog.Controls.SlotStartTime->setTime(QTime(8, 0));
        dialog.findChild<controls::TFcBitBtn*>("Ok")->Click();
    });
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.IsOpen);
    EXPECT_EQ(afterInsert, 1);
    EXPECT_EQ(pushes, 1);  // at opening, with nothing pending
    EXPECT_TRUE(ops->Pending.PendingInsert);
    EXPECT_NEAR(StartOf(1), At(8, 10), 1e-6);

    // Opened again while the block is pending: nothing is pushed, and Cancel keeps it pending.
    ops->InsertSpaceClick();
    WhileOpen(dialog, [&] { EXPECT_EQ(dialog.Controls.SlotLength->text(), "2"); });
    EXPECT_EQ(pushes, 1);
    EXPECT_TRUE(ops->Pending.PendingInsert);
    EXPECT_TRUE(ws->state.InsertTimePending);
}

TEST_F(SlotDialogs, RemoveDialogRefusesABusyPeriodAndStaysOpen)
{
    AddTask(1, At(8, 11), At(8, 12), 1);
    AddTask(2, At(8, 14), At(8, 15), 1);
    TRemoveSlot dialog(Context());
    EXPECT_EQ(dialog.windowTitle(), "Remove a blank space in schedule");
    WhileOpen(dialog, [&] {
        dialog.Controls.Units[kSlotHours]->SetChecked(true);
        dialog.Controls.UpDown2->setValue(2);
        dialog.Controls.SlotStartDate->setDate(QDate(2026, 12, 8));
        dialog.Controls.SlotStartTime->setTime(QTime(10, 0));
        EXPECT_EQ(dialog.Controls.StatusBar->PanelText(0),
                  "Push up Crew 1 tasks to 12/8/2026 10:00:00 AM");
        dialog.findChild<controls::TFcBitBtn*>("Ok")->Click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.Controls.StatusBar->PanelText(0), "Crew 1 is assigned during this period");
        // A free period after the busy task: task 2 moves up to 12:00.
        dialog.Controls.SlotStartTime->setTime(QTime(12, 0));
        dialog.findChild<controls::TFcBitBtn*>("Ok")->Click();
    });
    EXPECT_EQ(afterRemove, 1);
    EXPECT_NEAR(StartOf(1), At(8, 11), 1e-6);
    EXPECT_NEAR(StartOf(2), At(8, 12), 1e-6);
    // The move went to the shared tables at once.
    ws->IChartsTable.refresh();
    EXPECT_TRUE(ws->IChartsTable.locate("CHARTSID", db::Value(2.0)));
    EXPECT_NEAR(ws->IChartsTable.fieldByName("SD").asFloat(), At(8, 12), 1e-6);
}

}  // namespace
