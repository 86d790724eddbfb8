#include "schedule/visualize/visualizepage.h"

#include "schedule/visualize/heldrepeat.h"
#include "chart/colourvalue.h"
#include "chart/resourceallocationchart.h"
#include "controls/base/fcformkeys.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/choices/fcchoicegroup.h"
#include "schedule/sync/calendartables.h"
#include "ui_visualizepage.h"

#include <QFont>
#include <QPainter>
#include <QSignalBlocker>
#include <QTimer>

#include <exception>

namespace tw::app {

namespace {

using chart::TResourceAllocationChart;
using visualize::TChart;

constexpr int kZoomInRepeatDelayMs = 25;
constexpr const char* kResourceConflict = "Resource conflict";

// The chart may move bars only on a copy that may change data. Its scroll
// bar shows only when there are more rows than fit: an empty chart has
// nothing to scroll.
chart::TResourceAllocationChartOptions ChartOptions(bool readOnly)
{
    chart::TResourceAllocationChartOptions options{chart::racAllowDragScroll, chart::racAutoHint,
                                                   chart::racDateAxisAtTop,
                                                   chart::racScrollBarOnlyIfNecessary};
    return readOnly ? options : options.With(chart::racAllowDragAllocation);
}

}  // namespace

TVisualizePage::TVisualizePage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TVisualizePage>())
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    elapsed_.start();
    ui->RAC->SetOptions(ChartOptions(false));

    ui->ShowJobsOnly->SetItems({QStringLiteral("Overall jobs only"), QStringLiteral("Individual tasks")});
    ui->ShowJobsOnly->SetItemIndex(1);
    // The sort items carry their blanks, as the chart's order list shows them.
    ui->ChartSortBy->SetItems({QStringLiteral("Resource"), QStringLiteral("Description    "),
                               QStringLiteral("Start date / time    "), QStringLiteral("Length  "),
                               QStringLiteral("Customer / start date   "), QStringLiteral("Customer / job   "),
                               QStringLiteral("Dependent group    ")});
    ui->ChartSortBy->SetItemIndex(0);
    // The choices' items keep the names the radio buttons had.
    for (int i = 0; i < ui->ChartSortBy->Count(); ++i)
        ui->ChartSortBy->Item(i)->setObjectName(QStringLiteral("ChartSortBy%1").arg(i));
    ui->ShowJobsOnly->Item(0)->setObjectName(QStringLiteral("ShowJobsOnlyJobs"));
    ui->ShowJobsOnly->Item(1)->setObjectName(QStringLiteral("ShowJobsOnlyTasks"));

    // The red button ends a dependency set-up, as the status bar says.
    ui->StopButton->SetColor(0x0000FF);  // red
    ui->StopButton->SetFontColor(controls::clWhite);

    microAdjust_ = new QTimer(this);
    microAdjust_->setObjectName(QStringLiteral("MicroAdjust"));
    microAdjust_->setSingleShot(true);
    microAdjust_->setInterval(kMicroAdjustMs);
    connect(microAdjust_, &QTimer::timeout, this, &TVisualizePage::MicroAdjustTimer);

    ConnectButtons();
    ConnectChart();
    // Until the logic says otherwise: nothing selected, no set-up running.
    const visualize::PageControls initial;
    ui->TaskControls->setEnabled(initial.TaskControlsEnabled);
    ui->ResetDependencies->setEnabled(initial.ResetDependenciesEnabled);
    ui->StopButton->setEnabled(initial.StopButtonEnabled);
}

TVisualizePage::~TVisualizePage()
{
    // The chart's events reach into the logic; neither may outlive the other.
    TResourceAllocationChart* rac = ui->RAC;
    rac->OnAllocationAutoHint = nullptr;
    rac->OnAllocationClick = nullptr;
    rac->OnAllocationDblClick = nullptr;
    rac->OnAllocationDragStart = nullptr;
    rac->OnAllocationDragEnd = nullptr;
    rac->OnDragPlotEnd = nullptr;
    rac->OnDateRangeChange = nullptr;
    rac->OnGetDateTimeLabelText = nullptr;
    rac->OnDrawProgress = nullptr;
    if (page_) {
        page_->Chart.SelectedBar = nullptr;
        page_->Chart.HighlightedBar = nullptr;
    }
}

void TVisualizePage::Attach(const visualize::ChartTables& tables, data::MainScreenState& state,
                            data::ChartDisplay& display, data::UserInterface& userInterface,
                            const schedule::WorkCalendar& loadedCalendar, visualize::ChartSchedule& schedule,
                            visualize::WorkingTime& time, visualize::OtherPages& pages,
                            VisualizePageHost& host)
{
    userInterface_ = &userInterface;
    host_ = &host;
    page_ = std::make_unique<visualize::VisualizePageLogic>(
        *ui->RAC, tables, state, display, userInterface, statusTexts_, loadedCalendar,
        visualize::PageLinks{*this, schedule, time, pages});
    ReadControls();
}

void TVisualizePage::StartMicroAdjust()
{
    microAdjust_->start();
}

void TVisualizePage::StopMicroAdjust()
{
    microAdjust_->stop();
}

std::int64_t TVisualizePage::MonotonicMilliseconds()
{
    return clock_ ? clock_() : elapsed_.elapsed();
}

void TVisualizePage::ReadOtherPageControls(visualize::PageControls& controls)
{
    if (host_)
        host_->ReadOtherPages(controls);
}

void TVisualizePage::SetChartGrid(double interval, chart::TDateTimeStyle style, TDateTime base)
{
    chart::TResourceAllocationChartAppearance& appearance = ui->RAC->ChartAppearance();
    appearance.SetDateLineInterval(interval);
    appearance.SetPlotBackAlternateInterval(interval);
    appearance.SetDateTimeStyle(style);
    appearance.SetDateLabelBase(base);
    appearance.SetDateLineBase(base);
}

chart::TResourceAllocationChart* TVisualizePage::RAC() const
{
    return ui->RAC;
}

controls::TFcBitBtn* TVisualizePage::RefreshChart() const
{
    return ui->RefreshChart;
}

controls::TFcBitBtn* TVisualizePage::PrintPreviewButton() const
{
    return ui->PrintPreviewButton;
}

controls::TFcBitBtn* TVisualizePage::InsertSpace() const
{
    return ui->InsertSpace;
}

controls::TFcBitBtn* TVisualizePage::RemoveSpace() const
{
    return ui->RemoveSpace;
}

int TVisualizePage::SortChoice() const
{
    return ui->ChartSortBy->ItemIndex();
}

void TVisualizePage::SetSortChoice(int choice)
{
    if (choice >= 0 && choice < ui->ChartSortBy->Count()) {
        const QSignalBlocker quiet(ui->ChartSortBy);
        ui->ChartSortBy->SetItemIndex(choice);
    }
    if (page_)
        page_->Controls.ChartSortBy = SortChoice();
}

int TVisualizePage::DisplayChoice() const
{
    return ui->ShowJobsOnly->ItemIndex();
}

template <typename Work>
void TVisualizePage::Run(Work&& work)
{
    if (!page_)
        return;
    ReadControls();
    try {
        work();
    } catch (const std::exception& e) {
        userInterface_->ShowMessage(e.what(), "Error", data::MessageIcon::Stop);
    }
    ShowControls();
}

void TVisualizePage::ReadControls()
{
    visualize::PageControls& c = page_->Controls;
    c.ChartSortBy = SortChoice();
    c.ShowJobsOnly = DisplayChoice();
    ReadOtherPageControls(c);
}

void TVisualizePage::ShowControls()
{
    if (!page_)
        return;
    const visualize::PageControls& c = page_->Controls;
    const bool readOnly = page_->Context.State.ReadOnlyCopy;
    {
        const QSignalBlocker quietSort(ui->ChartSortBy);
        const QSignalBlocker quietDisplay(ui->ShowJobsOnly);
        if (c.ChartSortBy >= 0 && c.ChartSortBy < ui->ChartSortBy->Count())
            ui->ChartSortBy->SetItemIndex(c.ChartSortBy);
        if (c.ShowJobsOnly >= 0 && c.ShowJobsOnly < ui->ShowJobsOnly->Count())
            ui->ShowJobsOnly->SetItemIndex(c.ShowJobsOnly);
    }
    ui->TaskControls->setEnabled(c.TaskControlsEnabled && !readOnly);
    ui->ResetDependencies->setEnabled(c.ResetDependenciesEnabled);
    ui->SetDependencies->setEnabled(c.SetDependenciesEnabled && !readOnly);
    ui->StopButton->setEnabled(c.StopButtonEnabled);
    if (!c.ChartStartDateCaption.empty())
        ui->ChartStartDate->SetCaption(QString::fromStdString(c.ChartStartDateCaption));
    if (!c.ChartEndDateCaption.empty())
        ui->ChartEndDate->SetCaption(QString::fromStdString(c.ChartEndDateCaption));
}

void TVisualizePage::ConnectButtons()
{
    using visualize::ChartAdjuster;
    const struct {
        controls::TFcBitBtn* button;
        void (ChartAdjuster::*click)();
    } adjustments[] = {
        {ui->DecreSchedule, &ChartAdjuster::DecreScheduleClick},
        {ui->IncreSchedule, &ChartAdjuster::IncreScheduleClick},
        {ui->MoveTaskLeft, &ChartAdjuster::MoveTaskLeftClick},
        {ui->MoveTaskRight, &ChartAdjuster::MoveTaskRightClick},
        {ui->ZoomOut, &ChartAdjuster::ZoomOutClick},
        {ui->ZoomIn, &ChartAdjuster::ZoomInClick},
        {ui->AlignLeft, &ChartAdjuster::AlignLeftClick},
        {ui->AlignRight, &ChartAdjuster::AlignRightClick},
        {ui->ZoomForward, &ChartAdjuster::ZoomForwardClick},
        {ui->ZoomBackward, &ChartAdjuster::ZoomBackwardClick},
    };
    for (const auto& a : adjustments) {
        connect(a.button, &controls::TFcControl::clicked, this,
                [this, click = a.click] { Run([&] { (page_->Adjuster.*click)(); }); });
    }
    // The two groups repeat their click while held.
    for (controls::TFcBitBtn* held : {ui->DecreSchedule, ui->IncreSchedule, ui->MoveTaskLeft, ui->MoveTaskRight,
                                      ui->ZoomOut, ui->AlignLeft, ui->AlignRight})
        new THeldRepeat(held);
    new THeldRepeat(ui->ZoomIn, kZoomInRepeatDelayMs);

    connect(ui->SetDependencies, &controls::TFcControl::clicked, this,
            [this] { Run([&] { page_->Dependencies.SetDependenciesClick(); }); });
    connect(ui->StopButton, &controls::TFcControl::clicked, this,
            [this] { Run([&] { page_->Dependencies.StopButtonClick(); }); });
    connect(ui->ResetDependencies, &controls::TFcControl::clicked, this,
            [this] { Run([&] { page_->Dependencies.ResetDependenciesClick(); }); });
    connect(ui->EditChartButton, &controls::TFcControl::clicked, this,
            [this] { Run([&] { page_->Handlers.EditChartButtonClick(); }); });
    connect(ui->ShowJobsOnly, &controls::TFcControl::clicked, this,
            [this] { ShowJobsOnlyClick(ui->ShowJobsOnly->ItemIndex()); });
    connect(ui->ChartSortBy, &controls::TFcControl::clicked, this, [this] {
        const int choice = ui->ChartSortBy->ItemIndex();
        if (page_)
            page_->Controls.ChartSortBy = choice;
        emit ChartSortByClicked(choice);
    });
}

void TVisualizePage::ConnectChart()
{
    TResourceAllocationChart* rac = ui->RAC;
    rac->OnAllocationAutoHint = [this](TChart*, chart::TRACResource*, chart::TResourceAllocation* bar,
                                       TDateTime, TDateTime, chart::TRACResource*, QString& hint) {
        if (!page_)
            return;
        try {
            hint = QString::fromStdString(page_->Handlers.RACAllocationAutoHint(bar));
        } catch (const std::exception&) {
            hint.clear();  // a hint is never worth a message box
        }
    };
    rac->OnAllocationClick = [this](TChart*, chart::TRACResource*, chart::TResourceAllocation* bar) {
        Run([&] { page_->Handlers.RACAllocationClick(bar); });
        // The chart reports the release of every move as a click too; the
        // click's task times must not hide why the move was refused.
        if (bar == refusedMove_) {
            userInterface_->SetStatusText(2, kResourceConflict);
            userInterface_->RepaintStatus();
        }
        refusedMove_ = nullptr;
    };
    rac->OnAllocationDblClick = [this](TChart*, chart::TRACResource*, chart::TResourceAllocation* bar) {
        Run([&] { page_->Handlers.RACAllocationDblClick(bar); });
    };
    rac->OnAllocationDragStart = [this](TChart*, chart::TRACResource*, chart::TResourceAllocation* bar,
                                        bool& allow) {
        // The chart's options say whether this copy may move bars at all.
        if (!page_ || !allow) {
            allow = false;
            return;
        }
        ReadControls();
        allow = page_->Handlers.RACAllocationDragStart(bar);
    };
    rac->OnAllocationDragEnd = [this](TChart*, chart::TRACResource*, chart::TResourceAllocation* bar) {
        Run([&] { page_->Handlers.RACAllocationDragEnd(bar); });
        if (page_ && userInterface_->StatusText(2) == kResourceConflict)
            refusedMove_ = bar;
    };
    rac->OnDragPlotEnd = [this](TChart*) { Run([&] { page_->Dates.RACDragPlotEnd(); }); };
    rac->OnDateRangeChange = [this](TChart*) {
        if (page_)
            page_->Dates.RACDateRangeChange();
    };
    rac->OnGetDateTimeLabelText = [this](TChart*, TDateTime dateTime, QString& dateText, QString& timeText) {
        if (!page_)
            return;
        std::string date;
        std::string time;
        page_->Dates.RACGetDateTimeLabelText(dateTime, date, time);
        dateText = QString::fromStdString(date);
        timeText = QString::fromStdString(time);
    };
    rac->OnDrawProgress = [this](TChart*, QPainter* canvas, const chart::TRect&,
                                 chart::TDrawProgress progress) {
        if (progress == chart::dpShadowsDone)
            DrawHeadingBands(canvas);
    };
}

// A job's heading row is a band with the customer (and job) in bold, drawn
// under the bars.
void TVisualizePage::DrawHeadingBands(QPainter* canvas)
{
    if (!page_ || ui->RAC->DisplayedCount() <= 0)
        return;
    const chart::TResourceAllocationChart& rac = *ui->RAC;
    canvas->save();
    QFont bold = canvas->font();
    bold.setBold(true);
    canvas->setFont(bold);
    canvas->setPen(Qt::black);
    for (int i = rac.FirstDisplayedIndex(); i <= rac.LastDisplayedIndex(); ++i) {
        const chart::TRACResource* row = rac.Resources(i);
        const std::string* caption = row ? page_->Handlers.HeadingCaption(row) : nullptr;
        if (caption == nullptr)
            continue;
        const chart::TRect r = row->DisplayRect();
        const QRect band(r.Left, r.Top, r.Width(), r.Height());
        canvas->fillRect(band, chart::ColourFromValue(visualize::kHeadingBandColour));
        canvas->drawText(band.adjusted(5, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromStdString(*caption));
    }
    canvas->restore();
}

void TVisualizePage::MicroAdjustTimer()
{
    Run([&] { page_->Adjuster.MicroAdjustTimer(); });
}

void TVisualizePage::ShowJobsOnlyClick(int choice)
{
    Run([&] { page_->Handlers.ShowJobsOnlyClick(choice); });
}

void TVisualizePage::BuildChart(bool writeBack)
{
    Run([&] { page_->Builder.BuildChart(writeBack); });
}

void TVisualizePage::SaveAndClearAllocations(bool recompute)
{
    Run([&] { page_->Builder.SaveAndClearAllocations(recompute); });
}

const char* TVisualizePage::SetChartDateRange(bool update, TDateTime start, TDateTime end)
{
    const char* correction = nullptr;
    Run([&] { correction = page_->Dates.SetChartDateRange(update, start, end); });
    return correction;
}

void TVisualizePage::SetChartPeriod(TDateTime start, TDateTime end)
{
    Run([&] { page_->Dates.SetChartPeriod(start, end); });
}

void TVisualizePage::KeepChartScale(double widthRatio)
{
    if (widthRatio == 1.0)
        return;
    Run([&] {
        const TDateTime start = ui->RAC->StartAt();
        const TDateTime end = start + (ui->RAC->EndAt() - start) * widthRatio;
        page_->Dates.SetChartDateRange(true, start, end);
        data::ChartDisplay& display = page_->Context.Display;
        if (start < display.EarliestBarStart)
            display.EarliestBarStart = start;
        if (end > display.LatestBarEnd)
            display.LatestBarEnd = end;
        page_->Dates.SetChartPeriod(start, end);
    });
}

void TVisualizePage::ApplyReadOnlyAccess(bool readOnly)
{
    if (readOnly) {
        {
            const QSignalBlocker quiet(ui->ShowJobsOnly);
            ui->ShowJobsOnly->SetItemIndex(1);
        }
        if (page_)
            page_->Controls.ShowJobsOnly = 1;
    }
    ui->RAC->SetOptions(ChartOptions(readOnly));
}

}  // namespace tw::app
