#include "chart/resourceallocationchartappearance.h"

#include "chart/resourceallocationchart.h"

namespace tw::chart {

namespace {

QFont DefaultFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(10);
    return font;
}

}  // namespace

TResourceAllocationChartAppearance::TResourceAllocationChartAppearance()
{
    SetDefaults();
}

TResourceAllocationChartAppearance::TResourceAllocationChartAppearance(TResourceAllocationChart* Chart)
{
    SetDefaults();
    // Only now, so that setting the defaults does not repaint the chart.
    chart_ = Chart;
}

void TResourceAllocationChartAppearance::BeginUpdate()
{
    if (chart_)
        chart_->BeginUpdate();
}

void TResourceAllocationChartAppearance::EndUpdate()
{
    if (chart_)
        chart_->EndUpdate();
}

void TResourceAllocationChartAppearance::Changed()
{
    if (chart_)
        chart_->AppearanceChanged();
}

void TResourceAllocationChartAppearance::SetDefaults()
{
    BeginUpdate();
    SetColor(clBtnFace);
    SetDateFormat(QString());
    SetDateLabelBase(0);
    SetDateLabelInterval(0);
    SetDateLineBase(0);
    SetDateLineColor(clGrayText);
    SetDateLineInterval(1.0);
    SetDateLineStyle(Qt::DotLine);
    SetDateTimeFont(DefaultFont());
    SetDateTimeFontColor(clWindowText);
    SetDateTimeStyle(dtDateAndTime);
    SetPlotBackAlternateColor(clInfoBk);
    SetPlotBackAlternateInterval(0);
    SetPlotBackColor(clWindow);
    SetPlotBorderColor(clWindowText);
    SetResourceBottomMarginRows(0);
    SetResourceLineColor(clGrayText);
    SetResourceLineStyle(Qt::NoPen);
    SetResourceLineWidth(1);
    SetResourceNameAlignment(Qt::AlignLeft);
    SetResourceNameFont(DefaultFont());
    SetResourceNameFontColor(clWindowText);
    SetResourceNameWidth(0);
    SetResourceSeparatorLineColor(clGrayText);
    SetResourceSeparatorLineStyle(Qt::NoPen);
    SetResourceSeparatorLineWidth(1);
    SetResourceTopMarginRows(0);
    SetRowGap(4);
    SetRowHeight(0);
    SetShadowColor(clBtnFace);
    SetShadowDepth(4);
    SetTimeFormat(QString());
    EndUpdate();
}

void TResourceAllocationChartAppearance::Assign(const TResourceAllocationChartAppearance& Source)
{
    if (&Source == this)
        return;
    BeginUpdate();
    SetColor(Source.Color());
    SetDateFormat(Source.DateFormat());
    SetDateLabelBase(Source.DateLabelBase());
    SetDateLabelInterval(Source.DateLabelInterval());
    SetDateLineBase(Source.DateLineBase());
    SetDateLineColor(Source.DateLineColor());
    SetDateLineInterval(Source.DateLineInterval());
    SetDateLineStyle(Source.DateLineStyle());
    SetDateTimeFont(Source.DateTimeFont());
    SetDateTimeFontColor(Source.DateTimeFontColor());
    SetDateTimeStyle(Source.DateTimeStyle());
    SetPlotBackAlternateColor(Source.PlotBackAlternateColor());
    SetPlotBackAlternateInterval(Source.PlotBackAlternateInterval());
    SetPlotBackColor(Source.PlotBackColor());
    SetPlotBorderColor(Source.PlotBorderColor());
    SetResourceBottomMarginRows(Source.ResourceBottomMarginRows());
    SetResourceLineColor(Source.ResourceLineColor());
    SetResourceLineStyle(Source.ResourceLineStyle());
    SetResourceLineWidth(Source.ResourceLineWidth());
    SetResourceNameAlignment(Source.ResourceNameAlignment());
    SetResourceNameFont(Source.ResourceNameFont());
    SetResourceNameFontColor(Source.ResourceNameFontColor());
    SetResourceNameWidth(Source.ResourceNameWidth());
    SetResourceSeparatorLineColor(Source.ResourceSeparatorLineColor());
    SetResourceSeparatorLineStyle(Source.ResourceSeparatorLineStyle());
    SetResourceSeparatorLineWidth(Source.ResourceSeparatorLineWidth());
    SetResourceTopMarginRows(Source.ResourceTopMarginRows());
    SetRowGap(Source.RowGap());
    SetRowHeight(Source.RowHeight());
    SetShadowColor(Source.ShadowColor());
    SetShadowDepth(Source.ShadowDepth());
    SetTimeFormat(Source.TimeFormat());
    EndUpdate();
}

}  // namespace tw::chart
