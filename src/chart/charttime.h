#pragma once
// Time arithmetic of the chart's axis and gestures that needs no window:
// rounding dragged instants, the automatic distance between date labels, the
// first instant of a stepped series, the start of the alternating background
// bands, and the texts of instants and of the automatic bar hint.

#include <QString>

#include "chart/chartprimitives.h"

namespace tw::chart {

// t rounded to the nearest multiple of Step (both in days, the step taken in
// whole seconds, halves to even); t itself when the step is under half a second.
TDateTime RoundDateTimeToStep(TDateTime DateTime, TDateTime Step);

// Days between automatic date labels; 0 or less means "label only the two
// ends". LabelWidth is the wider of a date and a time text in pixels.
double AutomaticLabelInterval(int LabelWidth, int PlotWidth, double SpanDays);

// First instant of the series Base + k x Interval (or, with no Base, of the
// multiples of Interval) that is not before StartAt.
TDateTime FirstSteppedInstant(TDateTime Base, double Interval, TDateTime StartAt);

// Start of the band before the first full band, chosen so that a band's colour
// depends only on its calendar position, never on where the period starts.
TDateTime FirstBandStart(TDateTime DateLineBase, double Interval, TDateTime StartAt);

// DateFormat / TimeFormat patterns of the appearance; empty means the
// system's short date / long time.
QString MyDateToStr(TDateTime DateTime, const QString& DateFormat);
QString MyTimeToStr(TDateTime DateTime, const QString& TimeFormat);

// The automatic hint of a bar from Start to End, with its length on a
// 24-hour clock.
QString AutoHintText(TDateTimeStyle Style, TDateTime Start, TDateTime End, const QString& DateFormat,
                     const QString& TimeFormat);

}  // namespace tw::chart
