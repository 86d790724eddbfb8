#include "exchange/importqb/importqblogic.h"

#include "data/services/busyscopes.h"
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <set>
#include <utility>

#include "data/nametexts.h"
#include "data/records/scheduleitemrecord.h"
#include "data/services/recordservices.h"
#include "data/textroutines.h"
#include "platform/db/dbf_format.h"
#include "platform/datetime/localetexts.h"
#include "schedule/timeofday.h"

namespace tw::exchange {
namespace {

const QString kTarnwick = QStringLiteral("Tarnwick");
const QString kNoDate = QStringLiteral("No date");

// The defaults of the six job status texts, by number.
const char* const kDefaultStatusTexts[] = {"Awarded", "Closed",      "In progress",
                                           "None",    "Not awarded", "Pending"};

// What a job import tells the pages at its end: the customers and jobs it
// found or made, and the tasks it added.
constexpr data::ScheduleChanges kJobImportChanges =
    data::ScheduleChange::Customers | data::ScheduleChange::Jobs | data::ScheduleChange::Tasks;

// ListOptions box -> job status number; box 5 ("Inactive") is no status.
constexpr int kBoxStatus[] = {5, 0, 2, 1, 4, -1, 3};

int BoxOfStatus(int status)
{
    for (int box = 0; box < 7; ++box)
        if (kBoxStatus[box] == status)
            return box;
    return -1;
}

QLocale RateLocale()
{
    return QLocale(QString::fromStdString(locale::Formats().name));
}

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string S(const QString& s)
{
    return s.toStdString();
}

TDateTime DayOf(const QDate& date)
{
    return EncodeDate(date.year(), date.month(), date.day());
}

}  // namespace

ImportQBLayout FormResize(int width, int height, int indexWidth)
{
    ImportQBLayout l;
    l.windowWidth = std::max(width, 800);
    l.windowHeight = std::max(height, 550);
    l.jobPanelHeight = l.windowHeight - 180;
    l.jobPanelWidth = l.windowWidth - 40;
    l.listHeight = l.jobPanelHeight - 136;
    l.listWidth = l.jobPanelWidth - 30;
    constexpr int kJobPanelTop = 8, kListTop = 88, kOtherPanelHeight = 81;
    l.importAllTop = kListTop + l.listHeight + 15;
    l.otherPanelTop = kJobPanelTop + l.jobPanelHeight + 15;
    l.doneTop = l.otherPanelTop + 20;
    l.statusBarTop = l.otherPanelTop + kOtherPanelHeight + 15;
    const int w = (l.listWidth - 269) / 3;
    l.columns = {indexWidth, w - 46, w - 26, w + 33, 80, 70, 80, 38};
    return l;
}

Currency JobCost(float hours, Currency rate)
{
    return Currency::FromDoubleHalfEven(hours).TruncatedProduct(rate);
}

QString RateText(Currency rate)
{
    QString text = Q(rate.ToText(4));
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text.replace(u'.', RateLocale().decimalPoint());
}

std::optional<Currency> RateFromText(const QString& text)
{
    const QLocale loc = RateLocale();
    QString plain = text.trimmed();
    if (plain.isEmpty())
        return std::nullopt;
    plain.remove(loc.groupSeparator());
    const QString point = loc.decimalPoint();
    if (point != u".") {
        if (plain.contains(u'.'))
            return std::nullopt;
        plain.replace(point, QStringLiteral("."));
    }
    const int dot = plain.indexOf(u'.');
    if (dot >= 0 && plain.size() - dot - 1 > 4)
        return std::nullopt;  // more decimals than the rate keeps
    return Currency::FromText(S(plain));
}

void SetFieldText(db::Field field, const QString& text)
{
    const int width = field.def().width;
    QString fitted;
    fitted.reserve(text.size());
    for (const QChar c : text.trimmed()) {
        if (fitted.size() >= width)
            break;
        std::string ansi;
        // What the code page cannot hold arrives as '?', as the accounting library hands it over.
        fitted += db::Utf8ToAnsi(QString(c).toStdString(), ansi) ? c : QChar(u'?');
    }
    field.setAsString(fitted.trimmed().toStdString());
}

ImportQBLogic::ImportQBLogic(data::TEstimateData& data, data::RecordKeys& keys, const ImportQBHosts& hosts,
                             ImportQBView& view)
    : d_(data),
      keys_(keys),
      hosts_(hosts),
      view_(view)
{}

ExchangeServices ImportQBLogic::Services()
{
    ImportExchangeHost& exchange = hosts_.Exchange;
    return {exchange.Messages(), view_, exchange.Busy(), exchange.Settings(), exchange.Setup()};
}

void ImportQBLogic::FollowEdition()
{
    view_.SetEmployeesEnabled(hosts_.Exchange.Settings().QBEdition() != 0);
}

void ImportQBLogic::Open(int helpLevel)
{
    if (isOpen_) {
        view_.RestoreWindow();
        return;
    }
    helpLevel_ = helpLevel;
    view_.PlaceWindow(std::max(0, hosts_.Tasks.TaskEditorLeft() - view_.WindowWidth()));
    view_.ShowStatus(QString());
    d_.CrewsTable.refresh();
    isOpen_ = true;
    FollowEdition();
    if (helpLevel == 0 || helpLevel == 1)
        view_.SetHintsShown(helpLevel == 0);
    QStringList texts = hosts_.Settings.JobStatusTexts();
    while (texts.size() < 6)
        texts << QString();
    bool defaulted = false;
    for (int status = 0; status < 6; ++status)
        if (texts[status].trimmed().isEmpty()) {
            texts[status] = QString::fromLatin1(kDefaultStatusTexts[status]);
            defaulted = true;
        }
    if (defaulted)
        hosts_.Settings.SetJobStatusTexts(texts);
    for (int box = 0; box < 7; ++box)
        if (kBoxStatus[box] >= 0)
            view_.SetListOptionCaption(box, texts[kBoxStatus[box]]);
    view_.SetHourlyRateText(RateText(hosts_.Settings.AverageRate()));
    ClearLists();
    view_.ReloadRows();
    view_.LayOut();
    view_.ShowWindow();
}

void ImportQBLogic::FormClose()
{
    if (!isOpen_)
        return;
    ClearLists();
    isOpen_ = false;
}

void ImportQBLogic::ClearLists()
{
    rows_.clear();
}

// ------------------------------------------------------------ the job list

void ImportQBLogic::ShowQBCustomersClick()
{
    ExchangeServices services = Services();
    QbSessionFrame frame(services, [this] { return hosts_.Exchange.CreateSessionManager(); });
    frame.Run(QbOperation::CustomerJobList, [this](QbSession& session) { ListQBCustomerJobs(session); });
    FollowEdition();
}

void ImportQBLogic::ListQBCustomerJobs(QbSession& session)
{
    ClearLists();
    view_.ReloadRows();
    int entries = 0;
    // The count reaches the status bar whichever way the work ends.
    struct CountOnExit {
        ImportQBView& view;
        int& entries;
        ~CountOnExit() { view.ShowStatus(QStringLiteral("%1 customers found").arg(entries)); }
    } countOnExit{view_, entries};

    const bool inactive = view_.ListOptionChecked(5);
    QStringList statusTexts = hosts_.Settings.JobStatusTexts();
    while (statusTexts.size() < 6)
        statusTexts << QString();
    const QbSession::Sent sent = session.Send(
        [inactive](qb::MsgSetRequest& set) {
            qb::CustomerQueryRq* query = set.AppendCustomerQueryRq();
            if (!query)
                return false;
            query->ActiveStatus = inactive ? qb::ENActiveStatus::All : qb::ENActiveStatus::ActiveOnly;
            return true;
        },
        {.onError = 1, .nothingFoundText = QStringLiteral("No QuickBooks customers found")});
    if (sent.outcome != QbSession::Outcome::Found)
        return;
    const auto* customers = sent.response->DetailAs<qb::CustomerRet>();
    if (!customers)
        return;
    // Each job's customer by its parents, so that a job whose customer is not
    // listed (an inactive one) is never given the customer listed before it.
    QHash<QString, QString> parentOf;
    for (const qb::CustomerRet& c : *customers)
        if (c.ListID && c.ParentRef && c.ParentRef->ListID)
            parentOf.insert(*c.ListID, *c.ParentRef->ListID);
    const auto topCustomer = [&parentOf](QString id) {
        for (int depth = 0; depth < 100 && parentOf.contains(id); ++depth)
            id = parentOf.value(id);
        return id;
    };
    QString currentCustomerId;
    for (const qb::CustomerRet& c : *customers) {
        ++entries;
        if (!c.FullName || !c.ListID)
            continue;  // nothing to import it by
        const QString fullName = *c.FullName;
        const std::string full = S(fullName);
        QBJobRow row;
        row.Index = static_cast<int>(rows_.size());
        row.Customer = Q(data::TextBeforeColon(full));
        row.Level = data::FullNameLevel(full);
        row.Job = Q(data::FullNameSecondPart(full));
        row.Task = row.Level >= 2 ? Q(data::FullNamePart(row.Level, full)) : row.Job;
        row.Start = c.JobStartDate;
        row.ProjectedEnd = c.JobProjectedEndDate;
        if (c.JobStatus) {
            row.Status = static_cast<int>(*c.JobStatus);
            const int box = BoxOfStatus(row.Status);
            if (box >= 0 && view_.ListOptionChecked(box))
                row.StatusText = statusTexts[row.Status];
        }
        if (row.Level == 0)
            currentCustomerId = *c.ListID;
        else if (c.ParentRef)
            currentCustomerId = topCustomer(*c.ListID);
        row.Notes = c.Notes.value_or(QString());
        row.ParentListID = currentCustomerId;
        row.ListID = *c.ListID;
        row.EditSequence = c.EditSequence.value_or(QString());
        row.FullName = fullName;
        rows_.push_back(std::move(row));
    }
    view_.ReloadRows();
}

// ------------------------------------------------------------ job import

void ImportQBLogic::ImportQBJobClick()
{
    std::int32_t shownTask = hosts_.Tasks.CurrentTaskKey();
    importedReport_.clear();
    if (const std::optional<int> index = view_.SelectedIndex()) {
        QString customerListId;
        ImportQBJob(*index, shownTask, customerListId);
        stopAll_ = false;
        // Without its customer's ListID the refresh would take every customer.
        if (!customerListId.isEmpty())
            OpenQBSessionForCustomers(customerListId);
    } else {
        hosts_.Exchange.Messages().ShowStopMessage(QStringLiteral("Please select a client"), kTarnwick);
    }
    d_.CustomersTable.refresh();
    hosts_.Records.ScheduleChanged(kJobImportChanges);
    // The chart's rebuild sorted the working tables and moved their cursor;
    // the task shown before is found again in the new order.
    hosts_.Tasks.LocateCurrentTask(shownTask);
    // The customer's refresh and the pages brought up to date wrote their
    // own lines over the report; the user is to read the report.
    if (!importedReport_.isEmpty()) {
        hosts_.Tasks.ShowMainStatus(0, importedReport_);
        hosts_.Tasks.ShowMainStatus(1, QStringLiteral("1 task added"));
    }
}

void ImportQBLogic::ImportAllQBJobsClick()
{
    const std::vector<int> indexes = view_.ShownIndexes();
    int imported = 0;
    QStringList refreshed;
    data::BusyScope busy(hosts_.Exchange.Busy().BusyFlag());
    stopAll_ = false;
    view_.BeginProgress(static_cast<int>(indexes.size()));
    struct EndOnExit {
        ImportQBView& view;
        ~EndOnExit() { view.EndProgress(); }
    } endOnExit{view_};
    // A run of dated rows is added in one write batch and pushed once at its
    // end (or at a Stop). An undated row ends the run, since the task editor
    // it opens waits on the user.
    const auto dated = [&](std::size_t i) {
        const int index = indexes[i];
        if (index < 0 || index >= static_cast<int>(rows_.size()))
            return false;
        const QBJobRow& row = rows_[static_cast<std::size_t>(index)];
        return row.Start && row.ProjectedEnd;
    };
    bool stopped = false;
    // One row, the new task's key into newKey; false when "Import all" ends here.
    const auto importRow = [&](std::size_t i, std::int32_t& newKey) {
        if (!view_.StepProgress(static_cast<int>(i))) {
            stopped = true;
            return false;
        }
        QString customerListId;
        if (!ImportQBJob(indexes[i], newKey, customerListId)) {
            newKey = 0;
            stopped = stopAll_;
            return !stopAll_;
        }
        ++imported;
        if (!customerListId.isEmpty() && !refreshed.contains(customerListId)) {
            refreshed << customerListId;
            OpenQBSessionForCustomers(customerListId);
        }
        return true;
    };
    for (std::size_t i = 0; i < indexes.size() && !stopped;) {
        if (!dated(i)) {
            std::int32_t key = 0;
            importRow(i++, key);
            continue;
        }
        hosts_.Schedule.AddThenPush([&] {
            std::set<std::int32_t> added;
            const bool wasGathering = std::exchange(gathering_, true);
            struct Restore {
                bool& flag;
                bool value;
                ~Restore() { flag = value; }
            } restore{gathering_, wasGathering};
            while (i < indexes.size() && dated(i)) {
                std::int32_t key = 0;
                const bool more = importRow(i++, key);
                if (key != 0)
                    added.insert(key);
                if (!more)
                    break;
            }
            return added;
        });
    }
    stopAll_ = false;
    view_.StepProgress(static_cast<int>(indexes.size()));
    d_.CustomersTable.refresh();
    view_.ShowStatus(QStringLiteral("%1 Jobs imported").arg(imported));
    hosts_.Records.ScheduleChanged(kJobImportChanges);
}

bool ImportQBLogic::ImportQBJob(int index, std::int32_t& newTaskKey, QString& customerListId)
{
    if (index < 0 || index >= static_cast<int>(rows_.size()))
        return false;
    {
        data::BusyScope busy(hosts_.Exchange.Busy().BusyFlag());
        d_.CrewsTable.refresh();
        hosts_.Schedule.GetCurrentResource();
    }
    const QBJobRow& row = rows_[static_cast<std::size_t>(index)];
    customerListId = row.ParentListID;
    if (row.Start && row.ProjectedEnd)
        return ImportDatedJob(row, newTaskKey);
    return ImportUndatedJob(row);
}

bool ImportQBLogic::ImportDatedJob(const QBJobRow& row, std::int32_t& newTaskKey)
{
    const std::int32_t crew = hosts_.Schedule.GetCurrentResource();
    TDateTime start = DayOf(*row.Start);
    TDateTime end = DayOf(*row.ProjectedEnd);
    if (start > end)
        std::swap(start, end);
    float hours = hosts_.Schedule.WorkingHoursBetween(crew, start, end);
    if (!(hours > 0)) {
        start = schedule::CombineDateTime(start, hosts_.Schedule.WorkDayStart());
        end = schedule::CombineDateTime(end, hosts_.Schedule.WorkDayEnd());
        hours = hosts_.Schedule.WorkingHoursBetween(crew, start, end);
    }
    if (const std::optional<Currency> typed = RateFromText(view_.HourlyRateText());
        typed && typed->Raw() >= 0)
        hosts_.Settings.SetAverageRate(*typed);
    const Currency rate = hosts_.Settings.AverageRate();
    const Currency cost = JobCost(hours, rate);
    const TDateTime startValue = schedule::CombineDateTime(start, hosts_.Schedule.WorkDayStart());
    TDateTime movedStart = startValue;
    const TDateTime taskEnd = hosts_.Schedule.ComputeTaskEnd(crew, movedStart, startValue, hours);

    schedule::NewScheduleItem item;
    item.Key = hosts_.Schedule.NewScheduleKey();
    item.CustomerName = S(row.Customer);
    item.JobName = S(row.Job);
    item.Description = S(row.Task);
    item.Notes = data::SplitLines(S(row.Notes));
    item.Start = movedStart;
    item.End = taskEnd;
    item.Hours = hours;
    item.HourlyRate = rate.ToDouble();
    item.TotalCost = cost.ToDouble();
    item.JobRow = false;
    item.Active = true;
    item.CustomerListId = S(row.ParentListID);
    item.ItemListId = S(row.ListID);
    item.JobListId = S(row.EditSequence);
    item.FullName = S(row.FullName);
    item.JobStatus = row.Status;
    item.New = false;
    item.LengthUnit = -1;
    item.Link = 0;
    item.Chain = 0;
    item.Row = 0;
    item.Root = false;
    item.RepeatPeriod = 0;
    item.RepeatCount = 1;
    item.RepeatRule = 0;
    item.RepeatHours = 0;
    item.SingleAdd = !gathering_;
    item.FindOrCreate = true;
    item.AddToTaskList = true;
    const QString name = row.Customer + u':' + row.Job;
    if (!hosts_.Schedule.AddTaskToSchedule(item)) {
        view_.ShowStatus(name + QStringLiteral(" has already been imported"));
        return false;
    }
    importedReport_ = name + QStringLiteral(" imported");
    view_.ShowStatus(importedReport_);
    hosts_.Tasks.ShowMainStatus(0, importedReport_);
    hosts_.Tasks.ShowMainStatus(1, QStringLiteral("1 task added"));
    newTaskKey = item.Key;
    return true;
}

bool ImportQBLogic::ImportUndatedJob(const QBJobRow& row)
{
    const std::string customer = S(row.Customer);
    const std::string job = S(row.Job);
    hosts_.Records.ApplyCustomerQuery();
    d_.JobsTable.locateIgnoringCase("DESC;CUSTNAME", {db::Value(job), db::Value(customer)});
    using Item = data::ScheduleItemRecord;
    const std::string names = data::ScheduleItemFieldNames(&Item::JOBNAME, &Item::DESC, &Item::CUSTNAME);
    if (d_.ChartsTable2.locateIgnoringCase(names,
                                           {db::Value(job), db::Value(S(row.Task)), db::Value(customer)})) {
        view_.ShowStatus(row.Customer + u':' + row.Job + QStringLiteral(" has already been imported"));
        return false;
    }
    if (hosts_.Tasks.TaskEditorOpen()) {
        // Its caption and fields would be replaced under the user's edit.
        hosts_.Exchange.Messages().ShowStopMessage(
            QStringLiteral("Close the task editor before importing jobs"), kTarnwick);
        stopAll_ = true;
        return false;
    }
    std::int32_t customerKey = 0, jobKey = 0;
    {
        data::BusyScope busy(hosts_.Exchange.Busy().BusyFlag());
        db::WriteBatch batch;
        std::string first, last;
        data::SplitPersonName(customer, first, last);
        db::Table& customers = d_.CustomersTable2;
        if (customers.locateIgnoringCase("FIRST;LAST", {db::Value(first), db::Value(last)})) {
            customerKey = customers.fieldByName("CID").asInteger();
            customers.edit();
            view_.ShowStatus(QStringLiteral("Updating ") + row.Customer);
        } else {
            customerKey = data::UniqueKeyValue(keys_, d_.CustomersTable3, "CID");
            customers.append();
            customers.fieldByName("PHOTO").setAsBoolean(false);
        }
        customers.fieldByName("CID").setAsInteger(customerKey);
        customers.fieldByName("S1").setAsBoolean(false);
        customers.fieldByName("S3").setAsBoolean(true);
        customers.fieldByName("USEALT").setAsBoolean(false);
        SetFieldText(customers.fieldByName("LISTID"), row.ParentListID);
        SetFieldText(customers.fieldByName("NAME"), row.Customer);
        SetFieldText(customers.fieldByName("FIRST"), Q(first));
        SetFieldText(customers.fieldByName("LAST"), Q(last));
        SetFieldText(customers.fieldByName("FULLNAME"), row.FullName);
        customers.post();
        customers.refresh();
        d_.CustomersTable.refresh();

        db::Table& jobs = d_.JobsTable2;
        if (jobs.locateIgnoringCase("DESC;CUSTNAME", {db::Value(job), db::Value(customer)})) {
            jobKey = jobs.fieldByName("JID").asInteger();
            jobs.edit();
            view_.ShowStatus(QStringLiteral("Updating ") + row.Customer + u':' + row.Job);
        } else {
            jobKey = data::UniqueKeyValue(keys_, d_.JobsTable3, "JID");
            jobs.append();
        }
        jobs.fieldByName("JID").setAsInteger(jobKey);
        jobs.fieldByName("BIDID").setAsInteger(0);
        jobs.fieldByName("CID").setAsInteger(customerKey);
        SetFieldText(jobs.fieldByName("DESC"), row.Job);
        SetFieldText(jobs.fieldByName("LISTID"), row.ListID);
        SetFieldText(jobs.fieldByName("CUSTNAME"), row.Customer);
        SetFieldText(jobs.fieldByName("FULLNAME"), row.FullName);
        jobs.post();
        batch.commit();
        jobs.refresh();
        d_.JobsTable.refresh();
    }
    if (!d_.CustomersTable.locate("CID", db::Value(double(customerKey))))
        return false;
    hosts_.Records.ApplyCustomerQuery();
    if (!d_.JobsTable.locate("JID", db::Value(double(jobKey))))
        return false;

    tasks::EditorArguments args;
    args.Table = &d_.ChartsTable;
    args.IsMainView = true;
    args.Edit = false;
    args.HelpLevel = helpLevel_;
    args.Description = job;
    if (row.Start)
        args.Start = DayOf(*row.Start);
    else if (row.ProjectedEnd)
        args.Start = DayOf(*row.ProjectedEnd) - 1.0;
    args.AddMissingData = true;
    args.NotesText = S(row.Notes);
    args.CustomerListId = S(row.ParentListID);
    args.ListId = S(row.ListID);
    args.JobListId = S(row.EditSequence);
    args.FullName = S(row.FullName);
    args.RebuildOnClose = false;
    args.Status = row.Status;
    args.Modal = true;
    args.SkipOverlapCheck = true;
    return hosts_.Tasks.ShowTaskEditor(args);
}

}  // namespace tw::exchange
