#include "reports/schedulereport.h"

#include <algorithm>
#include <cmath>

#include "data/textroutines.h"
#include "data/records/scheduleitemrecord.h"

namespace tw::reports {

namespace {
constexpr double kTotalWidth = 80, kLengthWidth = 100, kDateWidth = 75;
constexpr double kOriginalLabelWidth = 289, kCurrentLabelWidth = 256;
constexpr double kMinimumDescWidth = 100;
const TextStyle kItalic{10, false, true};
const TextStyle kBold{10, true, false};
}  // namespace

TPrintScheduleReport::TPrintScheduleReport(ReportTables& tables, const ReportServices& services,
                                           const SelectionState& selection, const ReportOptions& options)
    : ReportBase(tables, services, selection, options)
{}

bool TPrintScheduleReport::PrepareScheduleReport(int paperCode, const QString& company, int pageCount)
{
    PreparePage(paperCode, company, pageCount);

    c_ = Columns();
    c_.Total = width_ - kTotalWidth;
    c_.Length = c_.Total - kLengthWidth;
    c_.End = c_.Length - kDateWidth;
    c_.Start = c_.End - kDateWidth;
    c_.CurrentLabel = width_ - kCurrentLabelWidth;
    if (options_.IncludeOriginal) {
        c_.OriginalLabel = c_.Start - kOriginalLabelWidth - 45;
        c_.CustomerJobWidth = c_.OriginalLabel - 10;
        c_.OTotal = c_.Start - kTotalWidth - 10;
        c_.OLength = c_.OTotal - kLengthWidth;
        c_.OED = c_.OLength - kDateWidth;
        c_.OSD = c_.OED - kDateWidth;
        c_.DescWidth = c_.OSD - 10;
    } else {
        c_.CustomerJobWidth = c_.CurrentLabel - 10;
        c_.DescWidth = c_.Start - 10;
    }
    originalTotal_ = currentTotal_ = 0;
    return c_.DescWidth >= kMinimumDescWidth;
}

Band TPrintScheduleReport::Header() const
{
    const TextMeasure& m = *Measure;
    const bool totals = options_.IncludeTotals, original = options_.IncludeOriginal;
    Band band;
    AddTitleBlock(band, m, width_, options_.Title, address_);
    band.Label(m, QStringLiteral("CustomerJobLabel"), 0, 98, c_.CustomerJobWidth, 17,
               QStringLiteral("Customer : Job"), kBold);
    if (original) {
        band.Label(m, QStringLiteral("OriginalLabel"), c_.OriginalLabel, 98, kOriginalLabelWidth, 17,
                   totals ? QStringLiteral("Original start, end, length and labor cost")
                          : QStringLiteral("Original start, end, and length"),
                   kItalic, Qt::AlignRight | Qt::AlignTop)
            .Opaque = true;
        band.Label(m, QStringLiteral("OSDLabel"), c_.OSD, 120, kDateWidth, 17, QStringLiteral("Start"),
                   kItalic)
            .Opaque = true;
        band.Label(m, QStringLiteral("OEDLabel"), c_.OED, 120, kDateWidth, 17, QStringLiteral("End"), kItalic)
            .Opaque = true;
        band.Label(m, QStringLiteral("OLengthLabel"), c_.OLength, 120, kLengthWidth, 37,
                   QStringLiteral("All resource labor"), kItalic, Qt::AlignLeft | Qt::AlignTop, true)
            .Opaque = true;
        if (totals)
            band.Label(m, QStringLiteral("OTotalLabel"), c_.OTotal, 120, kTotalWidth, 17,
                       QStringLiteral("Total"), kItalic, Qt::AlignRight | Qt::AlignTop)
                .Opaque = true;
    }
    band.Label(m, QStringLiteral("CurrentLabel"), c_.CurrentLabel, 98, kCurrentLabelWidth, 17,
               totals ? QStringLiteral("Current start, end, length and labor cost")
                      : QStringLiteral("Current start, end, and length"),
               {}, Qt::AlignRight | Qt::AlignTop);
    band.Label(m, QStringLiteral("DescLabel"), 8, 120, c_.DescWidth, 17,
               selection_.JobsOnly ? QStringLiteral("Job") : QStringLiteral("Task"));
    band.Label(m, QStringLiteral("StartLabel"), c_.Start, 120, kDateWidth, 17, QStringLiteral("Start"));
    band.Label(m, QStringLiteral("EndLabel"), c_.End, 120, kDateWidth, 17, QStringLiteral("End"));
    band.Label(m, QStringLiteral("LengthLabel"), c_.Length, 120, kLengthWidth, 37,
               QStringLiteral("All resource labor"), {}, Qt::AlignLeft | Qt::AlignTop, true);
    if (totals)
        band.Label(m, QStringLiteral("TotalLabel"), c_.Total, 120, kTotalWidth, 17, QStringLiteral("Total"),
                   {}, Qt::AlignRight | Qt::AlignTop);
    band.Label(m, QStringLiteral("ResourceLabel"), 16, 136, 200, 17,
               options_.IncludeResources ? QStringLiteral("Assigned resource") : QString(), kItalic);
    band.Line(QStringLiteral("TopLine2"), 0, 155, width_);
    band.Height = 177;
    return band;
}

void TPrintScheduleReport::Print(BandWriter& writer)
{
    const TextMeasure& m = *Measure;
    StartRun(writer, [this] { return Header(); });
    originalTotal_ = currentTotal_ = 0;

    const bool totals = options_.IncludeTotals, original = options_.IncludeOriginal;
    const ResourceDirectory directory(tables_.ICrewsTable2, tables_.CrewsTable2);
    db::Table& charts = tables_.ChartsTable3;
    GroupKeys keys;
    auto hoursOf = [&](std::int32_t crew, TDateTime from, TDateTime to) {
        return services_.WorkingHoursBetween ? services_.WorkingHoursBetween(crew, from, to) : 0.0f;
    };

    if (charts.active()) {
        using data::ScheduleItemField;
        using Item = data::ScheduleItemRecord;
        db::Field showIt = ScheduleItemField(charts, &Item::SHOWIT),
                  job = ScheduleItemField(charts, &Item::JOB),
                  custName = ScheduleItemField(charts, &Item::CUSTNAME),
                  jobName = ScheduleItemField(charts, &Item::JOBNAME),
                  pin = ScheduleItemField(charts, &Item::PIN), desc = ScheduleItemField(charts, &Item::DESC),
                  crewId = ScheduleItemField(charts, &Item::CREWID),
                  chartsId = ScheduleItemField(charts, &Item::CHARTSID),
                  osd = ScheduleItemField(charts, &Item::OSD), sd = ScheduleItemField(charts, &Item::SD),
                  oed = ScheduleItemField(charts, &Item::OED), ed = ScheduleItemField(charts, &Item::ED),
                  notes = ScheduleItemField(charts, &Item::NOTES);
        for (charts.first(); !charts.eof(); charts.next()) {
            if (!showIt.asBoolean())
                continue;
            const bool isJob = job.asBoolean();
            PrintGroupLine(writer, keys, QString::fromStdString(custName.asString()),
                           QString::fromStdString(jobName.asString()), 0, 24);
            if (selection_.JobsOnly != isJob)
                continue;

            const std::int32_t key = static_cast<std::int32_t>(chartsId.asFloat());
            const std::int32_t primary = static_cast<std::int32_t>(crewId.asFloat());
            const int unit = static_cast<int>(pin.asFloat()) - 1;
            const TDateTime oStart = osd.asFloat(), oEnd = oed.asFloat(), start = sd.asFloat(),
                            end = ed.asFloat();
            // The labour of every assigned resource, each on its own
            // calendar and at its own rate.
            float originalHours = 0, currentHours = 0;
            Money originalCost = 0, currentCost = 0;
            for (std::int32_t crew : directory.AssignmentsOf(key)) {
                const float o = hoursOf(crew, oStart, oEnd), c = hoursOf(crew, start, end);
                originalHours += o;
                currentHours += c;
                const ResourceDirectory::Resource* r = directory.Find(crew);
                const Money rate = r ? r->Rate : 0;
                originalCost += LaborCharge(o, rate);
                currentCost += LaborCharge(c, rate);
            }

            Band line;
            line.Label(m, QStringLiteral("Desc"), 8, 0, c_.DescWidth, 37,
                       isJob ? QString() : QString::fromStdString(desc.asString()), {},
                       Qt::AlignLeft | Qt::AlignTop, true);
            if (original) {
                line.Label(m, QStringLiteral("OSD"), c_.OSD, 0, kDateWidth, 37, InstantText(oStart), kItalic,
                           Qt::AlignLeft | Qt::AlignTop, true)
                    .Opaque = true;
                line.Label(m, QStringLiteral("OED"), c_.OED, 0, kDateWidth, 37, InstantText(oEnd), kItalic,
                           Qt::AlignLeft | Qt::AlignTop, true)
                    .Opaque = true;
                line.Label(m, QStringLiteral("OLength"), c_.OLength, 0, kLengthWidth, 17,
                           LengthText(primary, unit, originalHours), kItalic)
                    .Opaque = true;
                originalTotal_ += originalCost;
                if (totals)
                    line.Label(m, QStringLiteral("OTotal"), c_.OTotal, 0, kTotalWidth, 17,
                               MoneyText(originalCost), kItalic, Qt::AlignRight | Qt::AlignTop)
                        .Opaque = true;
            }
            line.Label(m, QStringLiteral("Start"), c_.Start, 0, kDateWidth, 37, InstantText(start), {},
                       Qt::AlignLeft | Qt::AlignTop, true);
            line.Label(m, QStringLiteral("End"), c_.End, 0, kDateWidth, 37, InstantText(end), {},
                       Qt::AlignLeft | Qt::AlignTop, true);
            line.Label(m, QStringLiteral("Length"), c_.Length, 0, kLengthWidth, 17,
                       LengthText(primary, unit, currentHours));
            currentTotal_ += currentCost;
            if (totals)
                line.Label(m, QStringLiteral("Total"), c_.Total, 0, kTotalWidth, 17, MoneyText(currentCost),
                           {}, Qt::AlignRight | Qt::AlignTop);
            line.Height = std::max(line.Height, 47.0);
            writer.Print(line);

            if (options_.IncludeNotes) {
                const QString text = QString::fromStdString(notes.asString());
                if (!text.trimmed().isEmpty()) {
                    Band note;
                    note.Label(m, QStringLiteral("NotesSpace"), 8, 8, width_ - kTotalWidth, 17, text, kItalic,
                               Qt::AlignLeft | Qt::AlignTop, true);
                    note.Height = std::max(note.Height + 4, 24.0);
                    writer.Print(note);
                }
            }
            PrintResourceLines(writer, directory, key, 16);
        }
    }
    if (totals) {
        Band summary;
        if (original) {
            summary
                .Label(m, QStringLiteral("OGrandTotalLabel"), c_.OLength, 16, kLengthWidth, 17,
                       QStringLiteral("Grand total:"), kItalic)
                .Opaque = true;
            summary
                .Label(m, QStringLiteral("OGrandTotal"), c_.OTotal, 16, kTotalWidth, 17,
                       MoneyText(originalTotal_), kItalic, Qt::AlignRight | Qt::AlignTop)
                .Opaque = true;
        }
        summary.Label(m, QStringLiteral("GrandTotalLabel"), c_.Length, 16, kLengthWidth, 17,
                      QStringLiteral("Grand total:"), kBold);
        summary.Label(m, QStringLiteral("GrandTotal"), c_.Total, 16, kTotalWidth, 17,
                      MoneyText(currentTotal_), kBold, Qt::AlignRight | Qt::AlignTop);
        summary.Height = 40;
        writer.Print(summary);
    }
    writer.Finish();
}

}  // namespace tw::reports
