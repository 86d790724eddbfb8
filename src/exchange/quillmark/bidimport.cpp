#include "exchange/quillmark/bidimport.h"

#include <exception>
#include <optional>
#include <vector>

#include "data/currency.h"
#include "data/nametexts.h"
#include "data/services/busyscopes.h"
#include "data/services/recordservices.h"
#include "data/textroutines.h"
#include "exchange/quillmark/bidsummaries.h"
#include "schedule/timeofday.h"

namespace tw::exchange::quillmark {

namespace {

QString Text(const std::string& s)
{
    return QString::fromStdString(s);
}

void AddNotesOf(db::Table& workOrders, std::int32_t pid, const std::string& section,
                std::vector<std::string>& notes)
{
    for (workOrders.first(); !workOrders.eof(); workOrders.next()) {
        if (workOrders.fieldByName("PID").asInteger() == pid
            && data::TrimBlanks(workOrders.fieldByName("SECTION").asString()) == section)
            notes.push_back(workOrders.fieldByName("NOTES").asMemo());
    }
}

std::vector<std::string> SectionNotes(QuillmarkTables& q, std::int32_t bidId, const std::string& section)
{
    std::vector<std::int32_t> projects;
    for (q.IProjectTable.first(); !q.IProjectTable.eof(); q.IProjectTable.next()) {
        if (q.IProjectTable.fieldByName("BIDID").asInteger() == bidId)
            projects.push_back(q.IProjectTable.fieldByName("PID").asInteger());
    }
    std::vector<std::string> notes;
    for (db::Table* wo : {&q.WorkOrder1Table, &q.WorkOrder2Table})
        for (std::int32_t pid : projects)
            AddNotesOf(*wo, pid, section, notes);
    return notes;
}

struct RunState {
    std::int32_t companyId = 0;
    std::int32_t bidId = 0;
    std::string jobName;
    std::string customerName;
    std::int32_t jobId = 0;
    std::string jobDescription;
    bool jobCreated = false;
    int taskCount = 0;
    bool refused = false;
    std::int32_t crewId = 0;
};

// Finds the customer of the bid's company by exact name or creates it from
// the company record. False when the company is not in company.dbf.
bool MatchOrCreateCustomer(BidImportServices& s, RunState& r)
{
    QuillmarkTables& q = s.quillmark;
    if (!q.CompanyTable.locate("CID", static_cast<double>(r.companyId)))
        return false;
    r.customerName = data::TrimBlanks(q.CompanyTable.fieldByName("NAME").asString());
    db::Table& customers = s.schedule.CustomersTable2;
    if (customers.locate("NAME", r.customerName)) {
        r.companyId = customers.fieldByName("CID").asInteger();
        return true;
    }
    // The company's CID becomes the customer's key only while customers.dbf
    // does not hold it already: two customers on one key would share jobs.
    std::int32_t key = r.companyId;
    {
        const data::BusyScope busy(s.busy.BusyFlag());
        if (s.schedule.CustomersTable3.locate("CID", static_cast<double>(key)))
            key = data::UniqueKeyValue(s.keys, s.schedule.CustomersTable3, "CID");
        customers.append();
        data::copy_record(false, q.CompanyTable, customers);
        customers.fieldByName("CID").setAsInteger(key);
        r.customerName = data::TrimBlanks(customers.fieldByName("NAME").asString());
        std::string first, last;
        data::SplitPersonName(r.customerName, first, last);
        customers.fieldByName("FIRST").setAsString(first);
        customers.fieldByName("LAST").setAsString(last);
        customers.post();
    }
    r.companyId = key;
    s.host.RefreshCustomers();
    s.host.SetCustomersLabel(QStringLiteral("All customers"));
    return true;
}

void MatchOrCreateJob(BidImportServices& s, RunState& r)
{
    db::Table& jobs = s.schedule.JobsTable2;
    if (jobs.locate("DESC;CUSTNAME", {r.jobName, r.customerName})) {
        r.jobId = jobs.fieldByName("JID").asInteger();
        r.jobDescription = data::TrimBlanks(jobs.fieldByName("DESC").asString());
        return;
    }
    r.jobDescription = r.jobName;
    {
        const data::BusyScope busy(s.busy.BusyFlag());
        r.jobId = data::UniqueKeyValue(s.keys, s.schedule.JobsTable3, "JID");
        jobs.append();
        jobs.fieldByName("JID").setAsInteger(r.jobId);
        jobs.fieldByName("BIDID").setAsInteger(r.bidId);
        jobs.fieldByName("CID").setAsInteger(r.companyId);
        jobs.fieldByName("DESC").setAsString(r.jobName);
        jobs.fieldByName("LISTID").setAsString("");
        jobs.fieldByName("FULLNAME").setAsString("");
        jobs.fieldByName("CUSTNAME").setAsString(r.customerName);
        jobs.post();
    }
    r.jobCreated = true;
    jobs.refresh();
    s.host.RefreshCustomers();
}

void AddSectionTasks(BidImportServices& s, RunState& r)
{
    QuillmarkTables& q = s.quillmark;
    const std::int32_t crewId = r.crewId;
    const TDateTime nominal =
        schedule::CombineDateTime(q.BidTable.fieldByName("DATE").asDate(), s.host.WorkDayStart());
    db::Table& m = q.MatssumTable;
    for (m.first(); !m.eof(); m.next()) {
        if (m.fieldByName("BIDID").asInteger() != r.bidId)
            continue;
        const float hours = static_cast<float>(m.fieldByName("HOURS").asFloat());
        const std::string section = data::TrimBlanks(m.fieldByName("MATSDESC").asString());
        if (!(hours > 0)) {
            s.status.ShowSectionStatus(Text(section + " has no labor hours"));
            continue;
        }
        const Currency labour = FixedFromSingle(m.fieldByName("LABORSUM").asFloat());
        const Currency rate = SectionHourlyRate(labour, hours);
        TDateTime start = nominal;
        const TDateTime end = s.host.ComputeTaskEnd(crewId, start, nominal, hours);

        schedule::NewScheduleItem item;
        item.Key = s.host.NewScheduleKey();
        item.CustomerName = r.customerName;
        item.JobName = r.jobDescription;
        item.Description = section;
        item.Notes = SectionNotes(q, r.bidId, section);
        item.Start = start;
        item.End = end;
        item.Hours = hours;
        item.HourlyRate = rate.ToDouble();
        item.TotalCost = labour.ToDouble();
        item.RepeatRule = 0;
        item.Active = true;
        item.JobRow = false;
        item.SingleAdd = false;
        item.JobStatus = 3;
        item.New = false;
        item.LengthUnit = -1;
        item.RepeatCount = 1;
        item.AddToTaskList = true;
        item.FindOrCreate = true;
        if (s.host.AddTaskToSchedule(item)) {
            ++r.taskCount;
        } else {
            r.refused = true;
            s.status.ShowSectionStatus(Text(section + " has already been imported"));
        }
    }
}

void Finish(BidImportServices& s, RunState& r)
{
    s.host.PushChartUpdates();
    if (r.refused) {
        const QString text = Text(r.jobName + " has already been imported");
        s.status.ShowBidStatus(text);
        s.host.ShowMainStatus(text);
    } else if (r.taskCount > 0) {
        s.status.ShowBidStatus(Text(r.jobName + " imported"));
        s.host.ShowMainStatus(QString::number(r.taskCount) + QStringLiteral(" tasks added"));
    } else {
        // Only the job made in this run goes, found by its own key: an older
        // job of the same bid keeps its tasks.
        db::Table& jobs = s.schedule.JobsTable2;
        if (r.jobCreated && jobs.locate("JID", static_cast<double>(r.jobId)))
            jobs.deleteRecord();
        jobs.refresh();
        s.status.ShowBidStatus(QStringLiteral("No valid tasks found"));
        s.host.ShowMainStatus(QStringLiteral("No valid tasks found"));
    }
    // Once, when everything is in: the pages follow the customers and jobs.
    s.host.ShowCustomerAndJob(r.companyId, r.jobId);
}

}  // namespace

Currency SectionHourlyRate(Currency labour, float hours)
{
    // Hours too small for four decimals have no rate to divide out.
    return labour.TruncatedQuotient(FixedFromSingle(hours)).value_or(Currency{});
}

void ImportFromQM(BidImportServices& s)
{
    QuillmarkTables& q = s.quillmark;
    s.status.ShowBidStatus(QString());
    s.status.ShowSectionStatus(QString());
    // Shown once the bid is known to be importable; outside the try, so that
    // a table error's box is read before it goes.
    std::optional<data::BusyScope> hourglass;
    try {
        const std::int32_t crewId = [&] {
            const data::BusyScope busy(s.busy.BusyFlag());
            return s.host.GetCurrentResource();
        }();
        s.host.RefreshCustomers();
        if (s.host.QMAliasInUse().empty() || !q.IsOpen()) {
            s.messages.ShowStopMessage(QStringLiteral("The Quillmark database must be selected before import"),
                                       QStringLiteral("Tarnwick"));
            return;
        }
        RunState r;
        r.crewId = crewId;
        if (q.BidTable.recNo() != 0) {
            r.companyId = q.BidTable.fieldByName("CID").asInteger();
            r.bidId = q.BidTable.fieldByName("BIDID").asInteger();
        }
        if (r.companyId < 1 || r.bidId < 1) {
            s.status.ShowBidStatus(QStringLiteral("Invalid customer or bid"));
            return;
        }
        r.jobName = data::CutToQuickBooksName(data::TrimBlanks(q.BidTable.fieldByName("DESC").asString()));
        hourglass.emplace(s.busy.Interface());
        // A company missing from company.dbf must not lend the bid to
        // whichever company record happens to be current.
        if (!MatchOrCreateCustomer(s, r)) {
            s.status.ShowBidStatus(QStringLiteral("Invalid customer or bid"));
            return;
        }
        MatchOrCreateJob(s, r);
        s.host.EnableJobsNavigator();
        SummariseBidSections(q, s.busy, s.keys, r.bidId);
        AddSectionTasks(s, r);
        Finish(s, r);
    } catch (const std::exception& e) {
        s.messages.ShowStopMessage(QString::fromStdString(e.what()), QStringLiteral("Dbi error"));
    }
}

}  // namespace tw::exchange::quillmark
