#include "schedule/sync/addtask.h"

#include <algorithm>
#include <utility>

#include "data/services/busyscopes.h"
#include "data/services/recordservices.h"
#include "data/records/scheduleitemrecord.h"

namespace tw::schedule {

using data::ScheduleItemRecord;
using data::WriteScheduleItem;

namespace {

db::Value Number(std::int32_t v)
{
    return db::Value(static_cast<double>(v));
}

// Keeps TablesBusy set while adding and drops an append that a failure left
// unposted, so that the windows' handlers and the poll run again.
class BusyWhileAdding {
public:
    BusyWhileAdding(data::MainScreenState& state, std::initializer_list<db::Table*> tables)
        : busy_(state),
          tables_(tables)
    {}
    ~BusyWhileAdding()
    {
        for (db::Table* t : tables_) {
            if (t->state() == db::Table::State::Edit || t->state() == db::Table::State::Insert) {
                try {
                    t->cancel();
                } catch (...) {
                }
            }
        }
    }
    BusyWhileAdding(const BusyWhileAdding&) = delete;
    BusyWhileAdding& operator=(const BusyWhileAdding&) = delete;

private:
    data::BusyScope busy_;
    std::vector<db::Table*> tables_;
};

std::string NotesText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

}  // namespace

ScheduleAdder::ScheduleAdder(ScheduleTables& tables, data::MainScreenState& state, data::UserInterface& ui,
                             ScheduleSync& sync, AddTaskHooks hooks)
    : t_(tables),
      state_(state),
      ui_(ui),
      sync_(sync),
      hooks_(std::move(hooks))
{}

bool ScheduleAdder::AddCrewIndexRow(std::int32_t itemKey, std::int32_t resourceKey, std::int32_t jobKey)
{
    t_.ICrewsTable2.refresh();
    if (t_.ICrewsTable2.locate("CHARTSID;CREWID", {Number(itemKey), Number(resourceKey)}))
        return false;
    const std::int32_t rowKey = data::UniqueKeyValue(state_.Keys, t_.ICrewsTable3, "ICREWID");
    db::Table& rows = t_.ICrewsTable3;
    rows.append();
    rows.fieldByName("ICREWID").setAsInteger(rowKey);
    rows.fieldByName("CHARTSID").setAsInteger(itemKey);
    rows.fieldByName("CREWID").setAsInteger(resourceKey);
    rows.fieldByName("JID").setAsInteger(jobKey);
    rows.fieldByName("JOB").setAsBoolean(false);
    rows.post();
    t_.ICrewsTable2.refresh();
    t_.ICrewsTable.refresh();
    return true;
}

void ScheduleAdder::DeleteCrewIndexRows(std::int32_t itemKey)
{
    t_.ICrewsTable2.refresh();
    while (t_.ICrewsTable2.locate("CHARTSID", Number(itemKey))) {
        t_.ICrewsTable2.deleteRecord();
        t_.ICrewsTable2.refresh();
    }
    t_.ICrewsTable.refresh();
}

void ScheduleAdder::FindOrCreateCustomer(const NewScheduleItem& item)
{
    db::Table& customers = t_.CustomersTable3;
    t_.CustomersTable.refresh();
    t_.CustomersTable2.refresh();
    customers.refresh();
    if (!item.CustomerListId.empty() && customers.locate("LISTID", db::Value(item.CustomerListId))) {
        customerKey_ = customers.fieldByName("CID").asInteger();
        return;
    }
    if (customers.locate("NAME", db::Value(item.CustomerName))) {
        customerKey_ = customers.fieldByName("CID").asInteger();
        return;
    }
    customerKey_ = data::UniqueKeyValue(state_.Keys, customers, "CID");
    state_.KeepNewCustomer = true;
    customers.append();
    customers.fieldByName("S1").setAsBoolean(false);
    customers.fieldByName("S3").setAsBoolean(false);
    customers.fieldByName("USEALT").setAsBoolean(false);
    customers.fieldByName("CID").setAsInteger(customerKey_);
    customers.fieldByName("LISTID").setAsString(item.CustomerListId);
    customers.fieldByName("NAME").setAsString(item.CustomerName);
    customers.fieldByName("FULLNAME").setAsString(item.FullName);
    customers.fieldByName("PHOTO").setAsBoolean(false);
    customers.post();
    t_.CustomersTable.refresh();
    t_.CustomersTable2.refresh();
    if (hooks_.SetCustomersLabel)
        hooks_.SetCustomersLabel("All customers");
}

void ScheduleAdder::FindOrCreateJob(const NewScheduleItem& item)
{
    db::Table& jobs = t_.JobsTable2;
    jobs.refresh();
    if (!item.CustomerListId.empty() && jobs.locate("LISTID", db::Value(item.ItemListId))) {
        jobKey_ = jobs.fieldByName("JID").asInteger();
        return;
    }
    if (jobs.locate("DESC;CUSTNAME", {db::Value(item.JobName), db::Value(item.CustomerName)})) {
        jobKey_ = jobs.fieldByName("JID").asInteger();
        return;
    }
    jobKey_ = data::UniqueKeyValue(state_.Keys, t_.JobsTable3, "JID");
    state_.KeepNewJob = true;
    db::Table& append = t_.JobsTable3;
    append.append();
    append.fieldByName("JID").setAsInteger(jobKey_);
    append.fieldByName("BIDID").setAsInteger(0);
    append.fieldByName("CID").setAsInteger(customerKey_);
    append.fieldByName("DESC").setAsString(item.JobName);
    append.fieldByName("LISTID").setAsString(item.ItemListId);
    append.fieldByName("CUSTNAME").setAsString(item.CustomerName);
    append.fieldByName("FULLNAME").setAsString(item.FullName);
    append.post();
    if (hooks_.EnableTasksNavigator)
        hooks_.EnableTasksNavigator();
    t_.JobsTable.refresh();
    jobs.refresh();
}

void ScheduleAdder::WriteItemFields(db::Table& table, const NewScheduleItem& item, std::int32_t number,
                                    std::int32_t resourceKey, const std::string& resourceName,
                                    std::int32_t order, bool taskList)
{
    const TDateTime start = std::min(item.Start, item.End);
    const TDateTime end = std::max(item.Start, item.End);
    ScheduleItemRecord r;
    r.TID = number;
    r.JID = jobKey_;
    r.CID = customerKey_;
    r.PID = 0;
    r.LISTID = item.ItemListId;
    r.JLID = item.JobListId;
    r.CREWID = resourceKey;
    r.CHARTSID = item.Key;
    r.PARENT = false;
    r.SHOWIT = item.Active;
    r.USED = false;
    r.CHILD = 0;
    r.OFFSET = 0.0;
    r.UPDATE = state_.UpdateCounter;
    r.BIDID = item.JobStatus;
    r.DESC = item.Description;
    r.TDESC = taskList || !item.JobRow ? resourceName : std::string();
    r.CUSTNAME = item.CustomerName;
    r.JOBNAME = item.JobName;
    r.SD = r.OSD = r.SDD = start;
    r.ED = r.OED = r.EDD = end;
    r.HOURS = r.OHOURS = item.Hours;
    r.CREPEATH = item.RepeatHours;
    r.COST = item.HourlyRate;
    r.TCOST = item.TotalCost;
    r.JOB = taskList ? false : item.JobRow;
    r.ORDER = order;
    r.LINK = item.Link;
    r.CHAIN = item.Chain;
    r.RESOURCE = item.Row;
    r.ROOT = item.Root;
    r.RPERIOD = item.RepeatPeriod;
    r.RCOUNT = item.RepeatCount;
    r.REPEAT = item.RepeatRule;
    // The task list lacks the chart's own fields (DG, DGN, NEW, PTR, PIN);
    // the write passes them over.
    r.DG = 0;
    r.DGN = 0;
    r.NEW = item.New;
    r.PTR = 0;
    r.PIN = item.LengthUnit;
    if (item.Notes)
        r.NOTES = NotesText(*item.Notes);
    WriteScheduleItem(table, r);
}

bool ScheduleAdder::AddTaskToSchedule(const NewScheduleItem& item)
{
    db::Table& charts = t_.ChartsTable5;
    if (item.SingleAdd) {
        t_.ChartsTable.refresh();
        t_.ChartsTable2.refresh();
        charts.refresh();
        // A job is named within its customer: another customer's job of the same
        // name is a job of its own, and must get its summary row.
        if (item.JobRow
            && charts.locate("JOB;JOBNAME;CUSTNAME",
                             {db::Value(true), db::Value(item.JobName), db::Value(item.CustomerName)})) {
            ui_.SetStatusText(0, "Duplicate job name- choose a different name");
            ui_.RepaintStatus();
            return false;
        }
    }

    // What the push after a single add must compare: only this item and its
    // twin when the working copy was level with the shared tables before.
    ScheduleSync::PushLevel level;
    if (item.SingleAdd && !state_.InsertTimePending)
        level = sync_.LevelBeforeChange();

    std::string resourceName;
    std::int32_t resourceKey = 0;
    std::int32_t order = 0;
    {
        BusyWhileAdding busy(
            state_, {&charts, &t_.TasksTable3, &t_.CustomersTable3, &t_.JobsTable3, &t_.ICrewsTable3});
        if (item.ResourceId) {
            resourceKey = *item.ResourceId;
            resourceName = item.ResourceName;
        } else {
            resourceKey = hooks_.GetCurrentResource ? hooks_.GetCurrentResource(resourceName)
                                                    : state_.CurrentResourceId;
        }
        order = static_cast<std::int32_t>(25 * charts.recordCount());

        if (item.FindOrCreate) {
            FindOrCreateCustomer(item);
            FindOrCreateJob(item);
        }
        if (!item.CustomerListId.empty() && charts.locate("LISTID", db::Value(item.ItemListId)))
            return false;

        state_.KeepNewTask = true;
        const std::int32_t number = data::UniqueKeyValue(state_.Keys, charts, "TID");
        charts.append();
        WriteItemFields(charts, item, number, resourceKey, resourceName, order, false);
        charts.post();
        t_.ChartsTable.refresh();

        if (!item.JobRow)
            AddCrewIndexRow(item.Key, resourceKey, jobKey_);
    }
    state_.AverageRate = item.HourlyRate;

    if (!item.JobRow && item.AddToTaskList) {
        BusyWhileAdding busy(state_, {&t_.TasksTable3});
        db::Table& tasks = t_.TasksTable3;
        tasks.refresh();
        if (!tasks.locate("CHARTSID", Number(item.Key))) {
            const std::int32_t number = data::UniqueKeyValue(state_.Keys, t_.TasksTable2, "TID");
            tasks.append();
            WriteItemFields(tasks, item, number, resourceKey, resourceName, order, true);
            tasks.post();
            t_.TasksTable.refresh();
        }
    }

    if (item.SingleAdd) {
        // An inserted block of time waiting for its timer is not pushed
        // along with this item; the timer pushes both.
        if (!state_.InsertTimePending)
            sync_.PushChartUpdates(level, {item.Key});
        t_.CustomersTable.locate("CID", Number(customerKey_));
    }
    return true;
}

}  // namespace tw::schedule
