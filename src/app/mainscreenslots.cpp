// The main window's side of inserting and removing blocks of time: the two
// buttons of the Visualize page, the insert's 5-minute timer, the dialogs
// and what the operation needs of the program.
#include "app/mainscreen.h"
#include "app/visualizepage.h"

#include <QAbstractButton>
#include <QTimer>

#include "data/textroutines.h"
#include "schedule/visualize/visualizepagelogic.h"

namespace tw::app {

namespace {
constexpr int kRemoveSpaceMs = 300000;
}

timeblocks::SlotServices TMainScreen::SlotServices()
{
    return timeblocks::SlotServices{
        .Tables = *scheduleTables_,
        .State = State,
        .Adder = *adder_,
        .ComputeTaskEnd =
            [this](std::int32_t crew, TDateTime& startOut, TDateTime start, float hours) {
                return calendarTables_->ComputeTaskEnd(crew, startOut, start, hours);
            },
        .WorkingHoursBetween =
            [this](std::int32_t crew, TDateTime from, TDateTime to) {
                return calendarTables_->WorkingHoursBetween(crew, from, to);
            },
        .LoadedHoursPerDay = [this] { return calendarTables_->Loaded().HoursPerDay(); },
    };
}

void TMainScreen::CreateSlotDialogs()
{
    RemoveSpaceTimer = new QTimer(this);
    RemoveSpaceTimer->setObjectName(QStringLiteral("RemoveSpaceTimer"));
    RemoveSpaceTimer->setInterval(kRemoveSpaceMs);
    connect(RemoveSpaceTimer, &QTimer::timeout, this, &TMainScreen::RemoveSpaceTimerTimer);

    timeblocks::SlotHooks hooks;
    hooks.RestartRemoveSpaceTimer = [this] {
        RemoveSpaceTimer->stop();
        RemoveSpaceTimer->start();
    };
    hooks.StopRemoveSpaceTimer = [this] { RemoveSpaceTimer->stop(); };
    hooks.SetInsertSpaceEnabled = [this](bool on) { visualizePage_->InsertSpace()->setEnabled(on); };
    hooks.SetRemoveSpaceEnabled = [this](bool on) { visualizePage_->RemoveSpace()->setEnabled(on); };
    hooks.OpenInsertDialog = [this] { insertSlot_->Open(); };
    hooks.OpenRemoveDialog = [this] { removeSlot_->Open(); };
    hooks.RefreshChartsView = [this] {
        if (data_->ChartsTable.active())
            data_->ChartsTable.refresh();
    };
    slotOperations_ = std::make_unique<timeblocks::SlotOperations>(*sync_, State, std::move(hooks));

    auto context = [this] {
        return tasks::SlotDialogContext{
            .State = State,
            .Operations = *slotOperations_,
            .Services = [this] { return SlotServices(); },
            .GetCurrentResource =
                [this](std::string& description) {
                    const std::int32_t crew = taskEditorContext_->Hooks.GetCurrentResource
                        ? taskEditorContext_->Hooks.GetCurrentResource()
                        : State.CurrentResourceId;
                    description.clear();
                    db::Table& crews = data_->CrewsTable4;
                    if (crews.active() && crews.locate("CREWID", db::Value(double(crew))))
                        description = data::TrimBlanks(crews.fieldByName("DESC").asString());
                    return crew;
                },
            .LoadWorkCalendar =
                [this](std::int32_t crew) {
                    calendarTables_->LoadWorkCalendar(true, crew);
                    return calendarTables_->Loaded().WorkDayStart();
                },
            .PushChartUpdates = [this] { sync_->PushChartUpdates(); },
            // Job summaries follow their tasks, and the chart its records.
            .AfterInsert =
                [this] {
                    if (visualizePage_->Attached())
                        visualizePage_->Logic().Builder.UpdateJobSummaries();
                    RebuildChartFromRecords();
                },
            .AfterRemove = [this] { RebuildChartFromRecords(); },
            .UI = *userInterface_,
        };
    };
    insertSlot_ = std::make_unique<tasks::TInsertSlot>(context(), this);
    removeSlot_ = std::make_unique<tasks::TRemoveSlot>(context(), this);

    connect(visualizePage_->InsertSpace(), &controls::TFcControl::clicked, this, &TMainScreen::InsertSpaceClick);
    connect(visualizePage_->RemoveSpace(), &controls::TFcControl::clicked, this, &TMainScreen::RemoveSpaceClick);
    // Refresh ends whatever insert was going on.
    tabHandlers_->Hooks.ClearInsertSlotPending = [this] {
        slotOperations_->Pending.PendingInsert = false;
        RemoveSpaceTimer->stop();
    };
    tabHandlers_->Hooks.SetTimeSlotButtonsEnabled = [this](bool on) {
        visualizePage_->InsertSpace()->setEnabled(on);
        visualizePage_->RemoveSpace()->setEnabled(on);
    };
}

void TMainScreen::RebuildChartFromRecords()
{
    // The records moved under the bars: the bars go without being written
    // back, and come again from the records.
    SaveAndClearAllocations(false);
    BuildChart(false);
}

void TMainScreen::InsertSpaceClick()
{
    if (State.ReadOnlyCopy || !State.TablesOpen)
        return;
    Guarded([this] { slotOperations_->InsertSpaceClick(); });
}

void TMainScreen::RemoveSpaceClick()
{
    if (State.ReadOnlyCopy || !State.TablesOpen)
        return;
    Guarded([this] {
        const bool discarding = slotOperations_->Pending.PendingInsert;
        slotOperations_->RemoveSpaceClick();
        if (discarding) {
            RemoveSpaceTimer->stop();
            RebuildChartFromRecords();
        }
    });
}

void TMainScreen::RemoveSpaceTimerTimer()
{
    Guarded([this] { slotOperations_->RemoveSpaceTimerTimer(); });
}

}  // namespace tw::app
