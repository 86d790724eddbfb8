#include "chart/charttime.h"

#include <cmath>
#include <cstdint>

#include "platform/datetime/localetexts.h"

namespace tw::chart {

TDateTime RoundDateTimeToStep(TDateTime DateTime, TDateTime Step)
{
    const auto s = static_cast<std::int64_t>(std::nearbyint(Step * kSecondsPerDay));
    if (s == 0)
        return DateTime;
    const auto k =
        static_cast<std::int64_t>(std::nearbyint(DateTime * kSecondsPerDay / static_cast<double>(s)));
    return static_cast<double>(k * s) / kSecondsPerDay;
}

double AutomaticLabelInterval(int LabelWidth, int PlotWidth, double SpanDays)
{
    if (LabelWidth <= 0)
        LabelWidth = 1;
    const int n = PlotWidth / LabelWidth - 1;
    if (n == 0)
        return 0;
    if (n < 0)
        return -1;
    const auto span = static_cast<std::int64_t>(std::nearbyint(SpanDays * kSecondsPerDay));
    const std::int64_t perLabel = span / n;
    std::int64_t unit = 86400;
    if (span <= 60)
        unit = 10;
    else if (span <= 300)
        unit = 60;
    else if (span <= 3600)
        unit = 300;
    else if (span <= 86400)
        unit = 3600;
    else if (span <= 172800)
        unit = 21600;
    return static_cast<double>((perLabel / unit + 1) * unit) / kSecondsPerDay;
}

TDateTime FirstSteppedInstant(TDateTime Base, double Interval, TDateTime StartAt)
{
    TDateTime t;
    if (Base > 0) {
        t = Base;
        if (t > StartAt)
            t = Base - std::ceil((Base - StartAt) / Interval) * Interval;
        // The division above can land one step either side through rounding.
        while (t > StartAt)
            t -= Interval;
    } else {
        t = RoundDateTimeToStep(StartAt, Interval);
    }
    if (t < StartAt) {
        const TDateTime origin = t;
        double k = std::floor((StartAt - origin) / Interval);
        t = origin + k * Interval;
        while (t < StartAt) {
            k += 1;
            t = origin + k * Interval;
        }
    }
    return t;
}

TDateTime FirstBandStart(TDateTime DateLineBase, double Interval, TDateTime StartAt)
{
    double k;
    TDateTime t0;
    if (DateLineBase > 0) {
        k = DateLineBase > StartAt ? std::trunc((DateLineBase - StartAt) / Interval) : 0;
        if (std::fmod(k, 2.0) != 0)
            k += 1;
        t0 = DateLineBase - k * Interval;
    } else {
        k = std::trunc(StartAt / Interval);
        if (std::fmod(k, 2.0) != 0)
            k += 1;
        t0 = k * Interval;
    }
    return t0 - Interval;
}

QString MyDateToStr(TDateTime DateTime, const QString& DateFormat)
{
    if (!DateFormat.isEmpty())
        return QString::fromStdString(tw::locale::FormatDateTime(DateFormat.toStdString(), DateTime));
    return QString::fromStdString(tw::locale::DateToStr(DateTime));
}

QString MyTimeToStr(TDateTime DateTime, const QString& TimeFormat)
{
    if (!TimeFormat.isEmpty())
        return QString::fromStdString(tw::locale::FormatDateTime(TimeFormat.toStdString(), DateTime));
    return QString::fromStdString(tw::locale::TimeToStr(DateTime));
}

namespace {

QString LengthText(TDateTime Start, TDateTime End, const QString& TimeFormat)
{
    QString format =
        TimeFormat.isEmpty() ? QString::fromStdString(tw::locale::Formats().longTimeFormat) : TimeFormat;
    // A length is not a time of day: it always reads on a 24-hour clock.
    format.replace(QLatin1Char('h'), QLatin1Char('H'));
    format.remove(QStringLiteral("AMPM"));
    format = format.trimmed();
    const double length = std::nearbyint((End - Start) * kSecondsPerDay) / kSecondsPerDay;
    const auto time = [&](double v) {
        return QString::fromStdString(tw::locale::FormatDateTime(format.toStdString(), v));
    };
    if (length < 1)
        return QStringLiteral(" (") + time(length) + QStringLiteral(")");
    const double days = std::floor(length);
    return QStringLiteral(" (") + QString::number(static_cast<long long>(days)) + QLatin1Char(' ')
        + time(length - days) + QStringLiteral(")");
}

}  // namespace

QString AutoHintText(TDateTimeStyle Style, TDateTime Start, TDateTime End, const QString& DateFormat,
                     const QString& TimeFormat)
{
    const auto D = [&](TDateTime v) { return MyDateToStr(v, DateFormat); };
    const auto T = [&](TDateTime v) { return MyTimeToStr(v, TimeFormat); };
    const bool sameDay = std::floor(Start) == std::floor(End);
    const QString dash = QStringLiteral(" - ");
    const QString sp = QStringLiteral(" ");
    QString text;
    switch (Style) {
    case dtTimeOnly: text = T(Start) + dash + T(End); break;
    case dtDateOnly: text = D(Start) + dash + D(End); break;
    case dtTimeAndDate:
        text = T(Start) + sp + D(Start) + dash + T(End);
        if (!sameDay)
            text += sp + D(End);
        break;
    case dtDateAndTime:
        text = D(Start) + sp + T(Start) + dash;
        text += sameDay ? T(End) : D(End) + sp + T(End);
        break;
    case dtNone: return {};
    case dtFirstDateAndTime: text = D(Start) + sp + T(Start) + dash + T(End); break;
    case dtTimeAndFirstDate: text = T(Start) + sp + D(Start) + dash + T(End); break;
    }
    return text + LengthText(Start, End, TimeFormat);
}

}  // namespace tw::chart
