#include "app/features/appearancefeature.h"


#include "chart/colourvalue.h"
#include "chart/resourceallocationchart.h"
#include "controls/foundation/fcbhints.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QWidget>

namespace tw::app {

namespace {

constexpr int kHintHidePauseMs = 14000;
constexpr int kHintCaptionWidth = 400;       // help level 0
constexpr int kShortHintCaptionWidth = 200;  // help level 1
constexpr int kChartHintCaptionWidth = 800;  // chart hints with dates, length, status and notes

}  // namespace

AppearanceFeature::AppearanceFeature(const data::MainScreenState& state, QWidget& window, QWidget* chartArea,
                                     QWidget* chartPage, chart::TResourceAllocationChart* chart)
    : state_(state),
      window_(window),
      chartArea_(chartArea),
      page_(chartPage),
      chart_(chart)
{
    // Installed after the balloons' own filter, this one sees a tool tip
    // first and keeps the hints a help level silences from the balloons.
    balloons_ = new controls::TFcBalloonHints(&window);
    qApp->installEventFilter(this);
}

void AppearanceFeature::ApplyColourScheme()
{
    dialogFieldColour_ = fieldColour_;
    static const char* const kFields[] = {
        "StartDayTime",    "EndDayTime",     "StartDownTime1",   "EndDownTime1",  "StartDownTime2",
        "EndDownTime2",    "StartDownTime3", "EndDownTime3",     "TaskStartDate", "TaskEndDate",
        "HolidayCalendar", "DriveComboBox",  "DirectoryListBox", "FileListBox",   "CustomerGrid",
        "JobsGrid",        "TasksGrid",      "CrewsGrid",
    };
    for (const char* name : kFields) {
        if (QWidget* field = window_.findChild<QWidget*>(QLatin1String(name))) {
            QPalette palette = field->palette();
            palette.setColor(QPalette::Base, fieldColour_);
            field->setPalette(palette);
        }
    }
    chart::TResourceAllocationChartAppearance& chart = chart_->ChartAppearance();
    chart.SetPlotBackColor(chart::ValueOfColour(fieldColour_));
    chart.SetPlotBackAlternateColor(chart::clWhite);
}

void AppearanceFeature::ApplyHelpLevel()
{
    const bool knownLevel = state_.HelpLevel == 0 || state_.HelpLevel == 1;
    if (knownLevel) {
        balloons_->SetHintHidePause(kHintHidePauseMs);
        balloons_->SetCaptionWidth(state_.HelpLevel == 0 ? kHintCaptionWidth : kShortHintCaptionWidth);
    }
    if (state_.HintMode == 0)
        balloons_->SetCaptionWidth(kChartHintCaptionWidth);
    if (!knownLevel)
        return;
    // Tips a control shows itself (the chart's bars) stay as long.
    for (QWidget* w : window_.findChildren<QWidget*>())
        w->setToolTipDuration(kHintHidePauseMs);
    // The chart keeps its hints at every level; its bars describe themselves.
    chartArea_->setToolTip(QString());
    chart_->setToolTip(QString());
    hintsShown_ = state_.HelpLevel == 0;
}

// The chart and what else sits in its container keep their hints; the
// buttons of the Visualize page under the chart do not.
bool AppearanceFeature::ShowsChartHints(const QWidget* widget) const
{
    const QWidget* chart = chart_;
    if (widget == chart || chart->isAncestorOf(widget))
        return true;
    if (widget == page_ || page_->isAncestorOf(widget))
        return false;
    return widget == chartArea_ || chartArea_->isAncestorOf(widget);
}

bool AppearanceFeature::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !hintsShown_ && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() == &window_ && !ShowsChartHints(widget))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tw::app
