#include "reports/resourcereport.h"

#include <set>
#include <unordered_map>

#include "data/filtertexts.h"
#include "platform/datetime/localetexts.h"
#include "data/records/scheduleitemrecord.h"

namespace tw::reports {

using data::ScheduleItemField;
using data::ScheduleItemRecord;

namespace {
constexpr double kValueWidth = 83, kHoursWidth = 75, kDatesWidth = 160;
constexpr double kResourceGap = 12;
const TextStyle kBold{10, true, false};
const TextStyle kItalic{10, false, true};
}  // namespace

TPrintResourceReport::TPrintResourceReport(ReportTables& tables, const ReportServices& services,
                                           const SelectionState& selection, const ReportOptions& options)
    : ReportBase(tables, services, selection, options)
{}

bool TPrintResourceReport::PrepareResourceReport(int paperCode, const QString& company, int pageCount)
{
    PreparePage(paperCode, company, pageCount);
    valueLeft_ = width_ - kValueWidth;
    hoursLeft_ = valueLeft_ - 93;
    datesLeft_ = hoursLeft_ - 176;
    // TopLine1 starts at 8 and spans the printable width.
    const int w = (static_cast<int>(width_) - 350) / 3;
    clientWidth_ = w;
    appointmentLeft_ = 16 + w + 10;
    appointmentWidth_ = 2 * w;
    return true;
}

Band TPrintResourceReport::Header() const
{
    const TextMeasure& m = *Measure;
    Band band;
    AddTitleBlock(band, m, width_, options_.Title, address_);
    band.Label(m, QStringLiteral("ResourceHeaderLabel"), 0, 104, 200, 17, QStringLiteral("Resource"), kBold);
    band.Label(m, QStringLiteral("ClientHeaderLabel"), 16, 128, clientWidth_, 17, QStringLiteral("Customers"),
               kItalic);
    band.Label(m, QStringLiteral("AppointmentHeaderLabel"), appointmentLeft_, 128, appointmentWidth_, 17,
               QStringLiteral("Tasks"));
    band.Label(m, QStringLiteral("DatesHeaderLabel"), datesLeft_, 128, kDatesWidth, 17,
               QStringLiteral("Dates"), {}, Qt::AlignRight | Qt::AlignTop);
    band.Label(m, QStringLiteral("HoursHeaderLabel"), hoursLeft_, 128, kHoursWidth, 17,
               QStringLiteral("Hours"), {}, Qt::AlignRight | Qt::AlignTop);
    band.Label(m, QStringLiteral("ValueHeaderLabel"), valueLeft_, 128, kValueWidth, 17,
               options_.IncludeTotals ? QStringLiteral("Labor charges") : QString(), {},
               Qt::AlignRight | Qt::AlignTop);
    band.Line(QStringLiteral("TopLine2"), 8, 155, width_);
    band.Height = 177;
    return band;
}

void TPrintResourceReport::Print(BandWriter& writer)
{
    const TextMeasure& m = *Measure;
    StartRun(writer, [this] { return Header(); });
    totalHours_ = 0;
    totalCharges_ = 0;

    // The tasks of the selection, read once: what a locate by CHARTSID in the
    // working copy as the query presents it would find.
    struct Task {
        QString Customer, Description;
        TDateTime Start = 0, End = 0;
    };
    std::unordered_map<std::int32_t, Task> tasks;
    db::Table& charts = tables_.ChartsTable3;
    if (charts.active()) {
        db::Field id = ScheduleItemField(charts, &ScheduleItemRecord::CHARTSID),
                  cust = ScheduleItemField(charts, &ScheduleItemRecord::CUSTNAME),
                  desc = ScheduleItemField(charts, &ScheduleItemRecord::DESC),
                  sd = ScheduleItemField(charts, &ScheduleItemRecord::SD),
                  ed = ScheduleItemField(charts, &ScheduleItemRecord::ED);
        ForEachRecord(charts, [&] {
            tasks.try_emplace(static_cast<std::int32_t>(id.asFloat()),
                              Task{QString::fromStdString(cust.asString()),
                                   QString::fromStdString(desc.asString()), sd.asFloat(), ed.asFloat()});
        });
    }
    struct Assignment {
        std::int32_t Crew, Task;
    };
    std::vector<Assignment> rows;
    db::Table& assignments = tables_.ICrewsTable2;
    if (assignments.active()) {
        db::Field crew = assignments.fieldByName("CREWID"), task = assignments.fieldByName("CHARTSID");
        ForEachRecord(assignments, [&] {
            rows.push_back(
                {static_cast<std::int32_t>(crew.asFloat()), static_cast<std::int32_t>(task.asFloat())});
        });
    }

    db::Table& resources = tables_.CrewsTable3;
    if (resources.active()) {
        db::Field crewId = resources.fieldByName("CREWID"), rateField = resources.fieldByName("RATE"),
                  desc = resources.fieldByName("DESC");
        for (resources.first(); !resources.eof(); resources.next()) {
            const std::int32_t crew = static_cast<std::int32_t>(crewId.asFloat());
            const Money rate = ToMoney(rateField.asCurrency());
            bool works = false;
            for (const Assignment& a : rows)
                if (a.Crew == crew && tasks.count(a.Task)) {
                    works = true;
                    break;
                }
            if (!works)
                continue;
            // The space above keeps the name from reading as one more task of the resource before.
            Band name;
            name.Label(m, QStringLiteral("QRDBText1"), 0, kResourceGap, width_, 17,
                       QString::fromStdString(desc.asString()), kBold);
            name.Height = kResourceGap + 24;
            writer.Print(name);
            for (const Assignment& a : rows) {
                if (a.Crew != crew)
                    continue;
                const auto found = tasks.find(a.Task);
                if (found == tasks.end())
                    continue;
                const Task& t = found->second;
                const float hours = services_.WorkingHoursBetween
                    ? services_.WorkingHoursBetween(crew, t.Start, t.End)
                    : 0.0f;
                totalHours_ += hours;
                const Money charge = LaborCharge(hours, rate);
                totalCharges_ += charge;
                Band line;
                line.Label(m, QStringLiteral("Client"), 16, 0, clientWidth_, 17, t.Customer, kItalic);
                line.Label(m, QStringLiteral("Appointment"), appointmentLeft_, 0, appointmentWidth_, 17,
                           t.Description);
                const QString dates = QString::fromStdString(locale::DateToStr(t.Start))
                    + QStringLiteral(" - ") + QString::fromStdString(locale::DateToStr(t.End));
                line.Label(m, QStringLiteral("Dates"), datesLeft_, 0, kDatesWidth, 17, dates, {},
                           Qt::AlignRight | Qt::AlignTop);
                line.Label(m, QStringLiteral("Hours"), hoursLeft_, 0, kHoursWidth, 17, HoursText(hours), {},
                           Qt::AlignRight | Qt::AlignTop);
                line.Label(m, QStringLiteral("Value"), valueLeft_, 0, kValueWidth, 17,
                           options_.IncludeTotals ? MoneyText(charge) : QString(), {},
                           Qt::AlignRight | Qt::AlignTop);
                line.Height = 18;
                writer.Print(line);
            }
        }
    }
    Band summary;
    summary.Label(m, QStringLiteral("HoursTotal"), hoursLeft_, 8, kHoursWidth, 17, HoursText(totalHours_),
                  kBold, Qt::AlignRight | Qt::AlignTop);
    summary.Label(m, QStringLiteral("DollarTotal"), valueLeft_ - 40, 8, kValueWidth + 40, 17,
                  options_.IncludeTotals ? MoneyText(totalCharges_) : QString(), kBold,
                  Qt::AlignRight | Qt::AlignTop);
    summary.Height = 40;
    writer.Print(summary);
    writer.Finish();
}

std::string ResourceSummaryFilter(db::Table& charts, db::Table& assignments, const SelectionState& selection)
{
    if (selection.ResourceSearchActive)
        return selection.ResourceSearchFilter;
    if (selection.RestrictTasksToCrew)
        return "CREWID = " + std::to_string(selection.CurrentResourceId);
    // Every resource assigned to a shown task, each named once.
    std::set<std::int32_t> shown;
    if (charts.active()) {
        db::Field id = ScheduleItemField(charts, &ScheduleItemRecord::CHARTSID);
        ForEachRecord(charts, [&] { shown.insert(static_cast<std::int32_t>(id.asFloat())); });
    }
    std::set<std::int32_t> crews;
    std::vector<std::int32_t> order;
    if (assignments.active()) {
        db::Field task = assignments.fieldByName("CHARTSID"), crew = assignments.fieldByName("CREWID");
        ForEachRecord(assignments, [&] {
            const auto c = static_cast<std::int32_t>(crew.asFloat());
            if (shown.count(static_cast<std::int32_t>(task.asFloat())) && crews.insert(c).second)
                order.push_back(c);
        });
    }
    data::OrFilter filter;
    filter.FilterTextRestart = true;
    for (std::int32_t c : order)
        filter.AddOrFilter("CREWID = " + std::to_string(c));
    return filter.FilterText;
}

void SetResourceCursor(db::Table& resources, const std::string& filter)
{
    if (resources.active())
        resources.refresh();
    resources.close();
    resources.setFilter(filter);
    resources.setFiltered(!filter.empty());
    resources.open();
    resources.first();
}

}  // namespace tw::reports
