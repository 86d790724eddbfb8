#include "tasks/unit/timeblocksfeature.h"

#include <QAbstractButton>
#include <QTimer>

#include "tasks/unit/currentresource.h"
#include "data/textroutines.h"

namespace tw::app {

namespace {
constexpr int kRemoveSpaceMs = 300000;
}

TimeBlocksFeature::TimeBlocksFeature(const FeatureContext& context, ChartPage& chart, ChartButtons& buttons,
                                     ChartSelection& chartSelection, QuerySelection& query)
    : context_(context),
      chart_(chart),
      buttons_(buttons),
      chartSelection_(chartSelection),
      query_(query)
{
    removeSpaceTimer_ = new QTimer(&context_.Window);
    removeSpaceTimer_->setObjectName(QStringLiteral("RemoveSpaceTimer"));
    removeSpaceTimer_->setInterval(kRemoveSpaceMs);
    QObject::connect(removeSpaceTimer_, &QTimer::timeout, removeSpaceTimer_, [this] { RemoveSpaceTimerTimer(); });

    operations_ =
        std::make_unique<timeblocks::SlotOperations>(context_.Session.Sync(), context_.Session.State, *this);
    insertSlot_ = std::make_unique<tasks::TInsertSlot>(DialogContext(), &context_.Window);
    removeSlot_ = std::make_unique<tasks::TRemoveSlot>(DialogContext(), &context_.Window);

    buttons_.OnInsertTime([this] { InsertSpaceClick(); });
    buttons_.OnRemoveTime([this] { RemoveSpaceClick(); });
}

TimeBlocksFeature::~TimeBlocksFeature() = default;

void TimeBlocksFeature::RestartRemoveSpaceTimer()
{
    removeSpaceTimer_->stop();
    removeSpaceTimer_->start();
}

void TimeBlocksFeature::StopRemoveSpaceTimer()
{
    removeSpaceTimer_->stop();
}

void TimeBlocksFeature::SetInsertSpaceEnabled(bool enabled)
{
    buttons_.SetInsertTimeEnabled(enabled);
}

void TimeBlocksFeature::SetRemoveSpaceEnabled(bool enabled)
{
    buttons_.SetRemoveTimeEnabled(enabled);
}

void TimeBlocksFeature::OpenInsertDialog()
{
    insertSlot_->Open();
}

void TimeBlocksFeature::OpenRemoveDialog()
{
    removeSlot_->Open();
}

void TimeBlocksFeature::RefreshChartsView()
{
    db::Table& charts = context_.Session.Data().ChartsTable;
    if (charts.active())
        charts.refresh();
}

TDateTime TimeBlocksFeature::ComputeTaskEnd(std::int32_t crewId, TDateTime& startOut, TDateTime start,
                                            float hours)
{
    return context_.Session.Calendars().ComputeTaskEnd(crewId, startOut, start, hours);
}

float TimeBlocksFeature::WorkingHoursBetween(std::int32_t crewId, TDateTime from, TDateTime to)
{
    return context_.Session.Calendars().WorkingHoursBetween(crewId, from, to);
}

float TimeBlocksFeature::LoadedHoursPerDay()
{
    return context_.Session.Calendars().Loaded().HoursPerDay();
}

TDateTime TimeBlocksFeature::Now()
{
    return tw::Now();
}

timeblocks::SlotServices TimeBlocksFeature::Services()
{
    return timeblocks::SlotServices{
        .Tables = context_.Session.ScheduleTables(),
        .State = context_.Session.State,
        .Adder = context_.Session.Adder(),
        .Time = *this,
    };
}

tasks::SlotDialogContext TimeBlocksFeature::DialogContext()
{
    return tasks::SlotDialogContext{
        .State = context_.Session.State,
        .Operations = *operations_,
        .Host = *this,
        .UI = context_.UI,
    };
}

std::int32_t TimeBlocksFeature::CurrentResource(std::string& description)
{
    const std::int32_t crew = CurrentResourceOf(query_, chartSelection_, context_.Session.State.CurrentResourceId);
    description.clear();
    db::Table& crews = context_.Session.Data().CrewsTable4;
    if (crews.active() && crews.locate("CREWID", db::Value(double(crew))))
        description = data::TrimBlanks(crews.fieldByName("DESC").asString());
    return crew;
}

TDateTime TimeBlocksFeature::LoadWorkCalendar(std::int32_t crewId)
{
    schedule::CalendarTables& calendars = context_.Session.Calendars();
    calendars.LoadWorkCalendar(true, crewId);
    return calendars.Loaded().WorkDayStart();
}

void TimeBlocksFeature::PushChartUpdates()
{
    context_.Session.Sync().PushChartUpdates();
}

// The chart follows its records; in "Overall jobs only" its build brings
// the job summaries up to date. The task display makes none.
void TimeBlocksFeature::AfterInsert()
{
    chart_.RebuildFromRecords();
}

void TimeBlocksFeature::AfterRemove()
{
    chart_.RebuildFromRecords();
}

void TimeBlocksFeature::InsertSpaceClick()
{
    const data::MainScreenState& state = context_.Session.State;
    if (state.ReadOnlyCopy || !state.TablesOpen)
        return;
    ShowingErrors(context_.UI, [this] { operations_->InsertSpaceClick(); });
}

void TimeBlocksFeature::RemoveSpaceClick()
{
    const data::MainScreenState& state = context_.Session.State;
    if (state.ReadOnlyCopy || !state.TablesOpen)
        return;
    ShowingErrors(context_.UI, [this] {
        const bool discarding = operations_->Pending.PendingInsert;
        operations_->RemoveSpaceClick();
        if (discarding) {
            removeSpaceTimer_->stop();
            chart_.RebuildFromRecords();
        }
    });
}

void TimeBlocksFeature::RemoveSpaceTimerTimer()
{
    ShowingErrors(context_.UI, [this] { operations_->RemoveSpaceTimerTimer(); });
}

void TimeBlocksFeature::EndPendingInsert()
{
    operations_->Pending.PendingInsert = false;
    removeSpaceTimer_->stop();
    SetButtonsEnabled(true);
}

void TimeBlocksFeature::SetButtonsEnabled(bool enabled)
{
    buttons_.SetInsertTimeEnabled(enabled);
    buttons_.SetRemoveTimeEnabled(enabled);
}

std::optional<tasks::PendingBlock> TimeBlocksFeature::PendingBlock() const
{
    const timeblocks::PendingInsertState& p = operations_->Pending;
    if (!p.PendingInsert)
        return std::nullopt;
    return tasks::PendingBlock{p.PendingInsertStart, p.PendingInsertHours, p.PendingInsertUnit};
}

}  // namespace tw::app
