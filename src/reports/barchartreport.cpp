#include "reports/barchartreport.h"

#include <cmath>

#include "data/records/scheduleitemrecord.h"
#include "schedule/axislabels.h"

namespace tw::reports {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

namespace {
constexpr int kMaxTicks = 24;
const QString kTick = QStringLiteral("|");
}  // namespace

TPrintAltChartReport::TPrintAltChartReport(ReportTables& tables, const ReportServices& services,
                                           const SelectionState& selection, const ReportOptions& options)
    : ReportBase(tables, services, selection, options)
{}

bool TPrintAltChartReport::Prepare(int totalPages)
{
    return PrepareBarChartReport(PaperCode, Company, Period.Start, Period.End, Period.SpanDays,
                                 Period.GridInterval, Period.GridCount, totalPages);
}

bool TPrintAltChartReport::PrepareBarChartReport(int paperCode, const QString& company, TDateTime periodStart,
                                                 TDateTime periodEnd, double spanDays, double gridInterval,
                                                 double gridCount, int pageCount)
{
    PreparePage(paperCode, company, pageCount);
    Period = {periodStart, periodEnd, spanDays, gridInterval, gridCount};
    axisStart_ = periodStart;
    axisEnd_ = periodEnd;
    axisMinutes_ = spanDays * 24 * 60;
    tickCount_ = static_cast<int>(std::ceil(gridCount));
    barHeight_ = selection_.JobsOnly ? 12 : 6;
    labelWidth_ = std::trunc(width_ * 0.25);
    barLeft_ = labelWidth_ + 10;
    barWidth_ = std::trunc(width_ * 0.6);
    tickSpacing_ = tickCount_ > 0 ? static_cast<int>(barWidth_) / tickCount_ : 0;
    return true;
}

int TPrintAltChartReport::BarX(TDateTime instant) const
{
    if (instant < axisStart_)
        instant = axisStart_;
    if (axisMinutes_ <= 0)
        return 0;
    const double minutes = (instant - axisStart_) * 24 * 60;
    return static_cast<int>(std::trunc(barWidth_ * minutes / axisMinutes_));
}

int TPrintAltChartReport::BarWidth(TDateTime start, TDateTime end) const
{
    if (start < axisStart_)
        start = axisStart_;
    if (end > axisEnd_)
        end = axisEnd_;
    int width = 0;
    if (axisMinutes_ > 0)
        width = static_cast<int>(std::trunc(barWidth_ * (end - start) * 24 * 60 / axisMinutes_));
    return width < 5 ? 5 : width;
}

Band TPrintAltChartReport::Header() const
{
    const TextMeasure& m = *Measure;
    Band band;
    AddTitleBlock(band, m, width_, options_.Title, address_);
    band.Label(m, QStringLiteral("CustomerJobLabel"), 0, 106, labelWidth_, 17,
               QStringLiteral("Customer : Job"), {10, true});
    band.Label(m, QStringLiteral("DescLabel"), 0, 128, labelWidth_, 17,
               selection_.JobsOnly ? QStringLiteral("Job") : QStringLiteral("Task"));
    band.Label(m, QStringLiteral("DescLabel2"), 12, 144, labelWidth_ - 12, 28,
               QStringLiteral("Assigned resources"), {10, false, true});

    const double span = Period.SpanDays;
    const QString calendarLeft = QString::fromStdString(schedule::ChartDateLabelText(axisStart_, span));
    const QString timeLeft = QString::fromStdString(schedule::TimeTextWithoutSeconds(axisStart_));
    const QString calendarRight = QString::fromStdString(schedule::ChartDateLabelText(axisEnd_, span));
    const QString timeRight = QString::fromStdString(schedule::TimeTextWithoutSeconds(axisEnd_));
    const double axisRight = barLeft_ + barWidth_;
    band.AutoLabel(m, QStringLiteral("CalendarLeft"), barLeft_, 106, calendarLeft);
    const PageItem& timeLeftItem = band.AutoLabel(m, QStringLiteral("TimeLeft"), barLeft_, 136, timeLeft);
    const double timeLeftEnd = timeLeftItem.Rect.right();
    const double calendarRightWidth = std::ceil(m.Width(calendarRight, {}));
    band.AutoLabel(m, QStringLiteral("CalendarRight"), axisRight - calendarRightWidth, 106, calendarRight);
    const double timeRightLeft = axisRight - std::ceil(m.Width(timeRight, {}));
    band.AutoLabel(m, QStringLiteral("TimeRight"), timeRightLeft, 136, timeRight);

    // Dates at a third and two thirds of the period, where they leave the
    // corner labels readable.
    const double third = span / 3;
    if (third >= 1.0) {
        const TDateTime d1 = axisStart_ + third, d2 = d1 + third;
        const double left1 = BarX(d1) + barLeft_;
        const QString text1 = QString::fromStdString(schedule::ChartDateLabelText(d1, span));
        if (timeLeftEnd < left1) {
            band.AutoLabel(m, QStringLiteral("Date1"), left1, 120, text1);
            band.AutoLabel(m, QStringLiteral("Date1Tick"), left1, 136, kTick);
        }
        const double left2 = BarX(d2) + barLeft_;
        const QString text2 = QString::fromStdString(schedule::ChartDateLabelText(d2, span));
        if (left2 + std::ceil(m.Width(text2, {})) < timeRightLeft) {
            band.AutoLabel(m, QStringLiteral("Date2"), left2, 120, text2);
            band.AutoLabel(m, QStringLiteral("Date2Tick"), left2, 136, kTick);
        }
    }
    double tickLeft = barLeft_;
    for (int k = 1; k <= kMaxTicks && k <= tickCount_; ++k) {
        if (k >= 2)
            tickLeft += tickSpacing_;
        band.AutoLabel(m, QStringLiteral("T%1").arg(k), tickLeft, 156, kTick);
    }
    band.AutoLabel(m, QStringLiteral("TE"), axisRight, 156, kTick);
    const QString status = QStringLiteral("Status");
    const double statusWidth = std::ceil(m.Width(status, {}));
    band.Label(m, QStringLiteral("StatusHeader"), width_ - statusWidth, 128, statusWidth, 17, status, {},
               Qt::AlignRight | Qt::AlignTop);
    band.Height = 177;
    return band;
}

void TPrintAltChartReport::Print(BandWriter& writer)
{
    const TextMeasure& m = *Measure;
    StartRun(writer, [this] { return Header(); });

    db::Table& charts = tables_.ChartsTable3;
    const ResourceDirectory directory(tables_.ICrewsTable2, tables_.CrewsTable2);
    GroupKeys keys;
    if (charts.active()) {
        using Item = ScheduleItemRecord;
        db::Field showIt = ScheduleItemField(charts, &Item::SHOWIT),
                  job = ScheduleItemField(charts, &Item::JOB),
                  custName = ScheduleItemField(charts, &Item::CUSTNAME),
                  jobName = ScheduleItemField(charts, &Item::JOBNAME),
                  pin = ScheduleItemField(charts, &Item::PIN), desc = ScheduleItemField(charts, &Item::DESC),
                  dgn = ScheduleItemField(charts, &Item::DGN), sd = ScheduleItemField(charts, &Item::SD),
                  ed = ScheduleItemField(charts, &Item::ED), hours = ScheduleItemField(charts, &Item::HOURS),
                  crewId = ScheduleItemField(charts, &Item::CREWID),
                  bidId = ScheduleItemField(charts, &Item::BIDID),
                  chartsId = ScheduleItemField(charts, &Item::CHARTSID);
        for (charts.first(); !charts.eof(); charts.next()) {
            if (!showIt.asBoolean())
                continue;
            const bool isJob = job.asBoolean();
            PrintGroupLine(writer, keys, QString::fromStdString(custName.asString()),
                           QString::fromStdString(jobName.asString()), 4, 30);
            // Task line: job rows in "Overall jobs only", task rows otherwise.
            if (selection_.JobsOnly != isJob)
                continue;
            Band line;
            line.Label(m, QStringLiteral("Desc"), 0, 0, labelWidth_, 35,
                       isJob ? QString() : QString::fromStdString(desc.asString()), {},
                       Qt::AlignLeft | Qt::AlignTop, true);
            const int group = static_cast<int>(dgn.asFloat());
            QColor colour = selection_.PlainBar;
            if (group != 0) {
                if (selection_.ChartSortBy == 6)
                    colour = group == 1 ? selection_.FirstGroupBar : selection_.LaterGroupBar;
                else
                    colour = selection_.GroupedBar;
            }
            const TDateTime start = sd.asFloat(), end = ed.asFloat();
            const double barLeft = BarX(start) + barLeft_;
            const double barWidth = BarWidth(start, end);
            line.Rect(QStringLiteral("Bar"), barLeft, 4, barWidth, barHeight_, colour);

            const QString range = InstantText(start) + QStringLiteral("  to  ") + InstantText(end)
                + QStringLiteral("  ")
                + LengthText(static_cast<std::int32_t>(crewId.asFloat()), static_cast<int>(pin.asFloat()) - 1,
                             static_cast<float>(hours.asFloat()));
            const double rangeWidth = std::ceil(m.Width(range, {10, false, true}));
            double rangeLeft = barLeft;
            int rangeAlign = Qt::AlignLeft | Qt::AlignTop;
            if (rangeLeft + rangeWidth > barLeft_ + barWidth_) {
                rangeLeft = barLeft + barWidth - rangeWidth;
                rangeAlign = Qt::AlignRight | Qt::AlignTop;
            }
            rangeLeft = std::max(rangeLeft, 0.0);  // never left of the description column
            line.Label(m, QStringLiteral("DateRange"), rangeLeft, 18, rangeWidth, m.LineHeight({}), range,
                       {10, false, true}, rangeAlign);
            const QString status = services_.JobStatusName
                ? QString::fromStdString(services_.JobStatusName(static_cast<int>(bidId.asFloat())))
                : QString();
            line.Label(m, QStringLiteral("Status"), width_ - 65, 0, 65, 17, status, {},
                       Qt::AlignRight | Qt::AlignTop);
            line.Height = std::max(line.Height, 42.0);
            writer.Print(line);

            // Resource lines: only those of this very task, and none for a
            // task without assignment rows.
            PrintResourceLines(writer, directory, static_cast<std::int32_t>(chartsId.asFloat()), 12);
        }
    }
    writer.Finish();
}

}  // namespace tw::reports
