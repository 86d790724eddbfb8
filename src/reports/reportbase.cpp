#include "reports/reportbase.h"

#include <algorithm>

#include "data/datetimetext.h"
#include "data/quartergrid.h"

namespace tw::reports {

ReportBase::ReportBase(ReportTables& tables, const ReportServices& services, const SelectionState& selection,
                       const ReportOptions& options)
    : tables_(tables),
      services_(services),
      selection_(selection),
      options_(options)
{}

void ReportBase::PreparePage(int paperCode, const QString& company, int pageCount)
{
    PaperCode = paperCode;
    Company = company.trimmed();
    pageOf_ = QStringLiteral("of  ") + QString::number(pageCount);
    Page.ApplyPageFormatCode(paperCode);
    width_ = Page.PrintableWidth();
    address_ = CustomerAddress(tables_.CustomersTable, selection_);
}

void ReportBase::StartRun(BandWriter& writer, std::function<Band()> header)
{
    PageCounter = 1;
    writer.PageHeader = [header = std::move(header)](int) { return header(); };
    writer.PageFooter = [this, &writer](int) {
        return PageFooterBand(writer.Measure(), width_, Company, PageCounter, pageOf_);
    };
    writer.OnEndPage = [this] { ++PageCounter; };
}

void ReportBase::PrintResourceLines(BandWriter& writer, const ResourceDirectory& directory,
                                    std::int32_t chartsId, double left)
{
    if (!options_.IncludeResources)
        return;
    for (const ResourceDirectory::Resource* r : directory.ResourcesOf(chartsId)) {
        QString text = r->Description;
        if (options_.IncludeResourceNotes) {
            const data::CalendarHours own =
                services_.LoadWorkCalendar ? services_.LoadWorkCalendar(r->Id) : data::CalendarHours{};
            text += QStringLiteral(".  ") + r->Notes + QStringLiteral(", ")
                + QString::number(static_cast<double>(own.HoursPerWeek)) + QStringLiteral(" hours per week");
        }
        Band line;
        line.Label(writer.Measure(), QStringLiteral("ResourceName"), left, 0, width_ - 2 * left, 17, text,
                   {10, false, true});
        line.Height = 18;
        writer.Print(line);
    }
}

void ReportBase::PrintGroupLine(BandWriter& writer, GroupKeys& keys, const QString& customer,
                                const QString& job, double top, double minimumHeight)
{
    if (keys.Started && customer == keys.Customer && job == keys.Job)
        return;
    keys = {customer, job, true};
    Band group;
    group.Label(writer.Measure(), QStringLiteral("CustomerJob"), 0, top, width_, 17,
                customer + QStringLiteral(" : ") + job, {10, true}, Qt::AlignLeft | Qt::AlignTop, true);
    group.Height = std::max(group.Height, minimumHeight);
    writer.Print(group);
}

QString ReportBase::LengthText(std::int32_t resourceId, int unit, float hours) const
{
    const data::CalendarHours calendar =
        services_.LoadWorkCalendar ? services_.LoadWorkCalendar(resourceId) : data::CalendarHours{};
    std::string word;
    const std::string amount = data::DurationText(calendar, unit, hours, word);
    return QString::fromStdString(amount + word);
}

QString ReportBase::InstantText(TDateTime instant)
{
    return QString::fromStdString(data::DateTimeText(data::RoundUpToQuarterHour(instant)));
}

}  // namespace tw::reports
