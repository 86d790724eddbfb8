#pragma once
// How a chart is drawn: colours, fonts, line styles, the date axis and the row
// geometry. The chart owns one for the screen; a report may build its own and
// paint the chart with it onto a page, leaving the screen's settings alone.

#include <QFont>
#include <QString>

#include "chart/chartprimitives.h"

namespace tw::chart {

class TResourceAllocationChart;

class TResourceAllocationChartAppearance {
public:
    TResourceAllocationChartAppearance();
    explicit TResourceAllocationChartAppearance(TResourceAllocationChart* Chart);

    void SetDefaults();
    void Assign(const TResourceAllocationChartAppearance& Source);

    void BeginUpdate();
    void EndUpdate();
    void Changed();

    TColor Color() const { return color_; }
    void SetColor(TColor v) { Set(color_, v); }
    const QString& DateFormat() const { return dateFormat_; }
    void SetDateFormat(const QString& v) { Set(dateFormat_, v); }
    TDateTime DateLabelBase() const { return dateLabelBase_; }
    void SetDateLabelBase(TDateTime v) { Set(dateLabelBase_, v); }
    double DateLabelInterval() const { return dateLabelInterval_; }
    void SetDateLabelInterval(double v) { Set(dateLabelInterval_, v); }
    TDateTime DateLineBase() const { return dateLineBase_; }
    void SetDateLineBase(TDateTime v) { Set(dateLineBase_, v); }
    TColor DateLineColor() const { return dateLineColor_; }
    void SetDateLineColor(TColor v) { Set(dateLineColor_, v); }
    double DateLineInterval() const { return dateLineInterval_; }
    void SetDateLineInterval(double v) { Set(dateLineInterval_, v); }
    Qt::PenStyle DateLineStyle() const { return dateLineStyle_; }
    void SetDateLineStyle(Qt::PenStyle v) { Set(dateLineStyle_, v); }
    const QFont& DateTimeFont() const { return dateTimeFont_; }
    void SetDateTimeFont(const QFont& v) { Set(dateTimeFont_, v); }
    // QFont carries no colour; the font's colour is kept beside it.
    TColor DateTimeFontColor() const { return dateTimeFontColor_; }
    void SetDateTimeFontColor(TColor v) { Set(dateTimeFontColor_, v); }
    TDateTimeStyle DateTimeStyle() const { return dateTimeStyle_; }
    void SetDateTimeStyle(TDateTimeStyle v) { Set(dateTimeStyle_, v); }
    TColor PlotBackAlternateColor() const { return plotBackAlternateColor_; }
    void SetPlotBackAlternateColor(TColor v) { Set(plotBackAlternateColor_, v); }
    double PlotBackAlternateInterval() const { return plotBackAlternateInterval_; }
    void SetPlotBackAlternateInterval(double v) { Set(plotBackAlternateInterval_, v); }
    TColor PlotBackColor() const { return plotBackColor_; }
    void SetPlotBackColor(TColor v) { Set(plotBackColor_, v); }
    TColor PlotBorderColor() const { return plotBorderColor_; }
    void SetPlotBorderColor(TColor v) { Set(plotBorderColor_, v); }
    int ResourceBottomMarginRows() const { return resourceBottomMarginRows_; }
    void SetResourceBottomMarginRows(int v) { SetCount(resourceBottomMarginRows_, v); }
    TColor ResourceLineColor() const { return resourceLineColor_; }
    void SetResourceLineColor(TColor v) { Set(resourceLineColor_, v); }
    Qt::PenStyle ResourceLineStyle() const { return resourceLineStyle_; }
    void SetResourceLineStyle(Qt::PenStyle v) { Set(resourceLineStyle_, v); }
    int ResourceLineWidth() const { return resourceLineWidth_; }
    void SetResourceLineWidth(int v) { SetCount(resourceLineWidth_, v); }
    Qt::Alignment ResourceNameAlignment() const { return resourceNameAlignment_; }
    void SetResourceNameAlignment(Qt::Alignment v) { Set(resourceNameAlignment_, v); }
    const QFont& ResourceNameFont() const { return resourceNameFont_; }
    void SetResourceNameFont(const QFont& v) { Set(resourceNameFont_, v); }
    TColor ResourceNameFontColor() const { return resourceNameFontColor_; }
    void SetResourceNameFontColor(TColor v) { Set(resourceNameFontColor_, v); }
    // 0: the widest name + 8; negative: no name column.
    int ResourceNameWidth() const { return resourceNameWidth_; }
    void SetResourceNameWidth(int v) { Set(resourceNameWidth_, v); }
    TColor ResourceSeparatorLineColor() const { return resourceSeparatorLineColor_; }
    void SetResourceSeparatorLineColor(TColor v) { Set(resourceSeparatorLineColor_, v); }
    Qt::PenStyle ResourceSeparatorLineStyle() const { return resourceSeparatorLineStyle_; }
    void SetResourceSeparatorLineStyle(Qt::PenStyle v) { Set(resourceSeparatorLineStyle_, v); }
    int ResourceSeparatorLineWidth() const { return resourceSeparatorLineWidth_; }
    void SetResourceSeparatorLineWidth(int v) { SetCount(resourceSeparatorLineWidth_, v); }
    int ResourceTopMarginRows() const { return resourceTopMarginRows_; }
    void SetResourceTopMarginRows(int v) { SetCount(resourceTopMarginRows_, v); }
    int RowGap() const { return rowGap_; }
    void SetRowGap(int v) { SetCount(rowGap_, v); }
    // 0: the height of "Hg" in the name font, rounded up to even.
    int RowHeight() const { return rowHeight_; }
    void SetRowHeight(int v) { SetCount(rowHeight_, v); }
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor v) { Set(shadowColor_, v); }
    int ShadowDepth() const { return shadowDepth_; }
    void SetShadowDepth(int v) { SetCount(shadowDepth_, v); }
    const QString& TimeFormat() const { return timeFormat_; }
    void SetTimeFormat(const QString& v) { Set(timeFormat_, v); }

private:
    template <typename T>
    void Set(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    // The counts and widths take no negative value.
    void SetCount(int& field, int value) { Set(field, value < 0 ? 0 : value); }

    TResourceAllocationChart* chart_ = nullptr;
    TColor color_ = clBtnFace;
    QString dateFormat_;
    TDateTime dateLabelBase_ = 0;
    double dateLabelInterval_ = 0;
    TDateTime dateLineBase_ = 0;
    TColor dateLineColor_ = clGrayText;
    double dateLineInterval_ = 1.0;
    Qt::PenStyle dateLineStyle_ = Qt::DotLine;
    QFont dateTimeFont_;
    TColor dateTimeFontColor_ = clWindowText;
    TDateTimeStyle dateTimeStyle_ = dtDateAndTime;
    TColor plotBackAlternateColor_ = clInfoBk;
    double plotBackAlternateInterval_ = 0;
    TColor plotBackColor_ = clWindow;
    TColor plotBorderColor_ = clWindowText;
    int resourceBottomMarginRows_ = 0;
    TColor resourceLineColor_ = clGrayText;
    Qt::PenStyle resourceLineStyle_ = Qt::NoPen;
    int resourceLineWidth_ = 1;
    Qt::Alignment resourceNameAlignment_ = Qt::AlignLeft;
    QFont resourceNameFont_;
    TColor resourceNameFontColor_ = clWindowText;
    int resourceNameWidth_ = 0;
    TColor resourceSeparatorLineColor_ = clGrayText;
    Qt::PenStyle resourceSeparatorLineStyle_ = Qt::NoPen;
    int resourceSeparatorLineWidth_ = 1;
    int resourceTopMarginRows_ = 0;
    int rowGap_ = 4;
    int rowHeight_ = 0;
    TColor shadowColor_ = clBtnFace;
    int shadowDepth_ = 4;
    QString timeFormat_;
};

}  // namespace tw::chart
