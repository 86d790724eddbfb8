#include "exchange/qbexport/exportjob.h"

#include <cmath>
#include <set>
#include <unordered_map>

#include "data/datetimetext.h"
#include "data/quartergrid.h"
#include "data/services/busyscopes.h"
#include "exchange/qb/libraryerror.h"
#include "exchange/qbexport/exportrecords.h"

namespace tw::exchange::qbexport {
using namespace records;

namespace {

const QString kTarnwick = QStringLiteral("Tarnwick");
const QString kSummaryText = QStringLiteral("Summary");

// Another cursor on the model's file, with an order of its own.
void OpenLike(db::Table& own, const db::Table& model, const std::string& index = {})
{
    if (own.active())
        own.close();
    own.setDatabaseName(model.databaseName());
    own.setFolder(model.folder());
    own.setTableName(model.tableName());
    own.setIndexName(index);
    own.open();
}

// Trimmed of blanks and control characters at both ends; a to z upper-cased.
QString MatchForm(const QString& text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text[b].unicode() <= u' ')
        ++b;
    while (e > b && text[e - 1].unicode() <= u' ')
        --e;
    QString s = text.mid(b, e - b);
    for (QChar& c : s)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    return s;
}

// The schedule keeps notes as lines each ended by a line break; QuickBooks
// keeps the text, which a sent break after the last line would change.
QString NotesForQuickBooks(QString notes)
{
    if (notes.endsWith(u'\n'))
        notes.chop(notes.endsWith(QStringLiteral("\r\n")) ? 2 : 1);
    return notes;
}

}  // namespace

bool MatchesLeadingChars(const QString& a, const QString& b, int count)
{
    const QString x = MatchForm(a);
    const QString y = MatchForm(b);
    if (x.isEmpty() || y.isEmpty())
        return false;
    const qsizetype n = std::min<qsizetype>({static_cast<qsizetype>(std::max(count, 0)), x.size(), y.size()});
    return QStringView(x).left(n) == QStringView(y).left(n);
}

ExportJobToQB::ExportJobToQB(ExportJobTables tables, ExportJobServices services, ExportJobView& view)
    : tables_(tables),
      services_(std::move(services)),
      view_(view),
      cursors_(std::make_unique<ExportCursors>())
{}

ExportJobToQB::~ExportJobToQB() = default;

void ExportJobToQB::OpenCursors()
{
    OpenLike(cursors_->customers, tables_.CustomersTable);
    OpenLike(cursors_->jobs, tables_.JobsTable2);
    OpenLike(cursors_->charts, tables_.ChartsTable);
    OpenLike(cursors_->crews, tables_.CrewsTable2, "DESC");
    OpenLike(cursors_->icrews, tables_.ICrewsTable2);
}

bool ExportJobToQB::Summary() const
{
    return view_.ExportTypeIndex() == kResourceSummary;
}

void ExportJobToQB::Open(int helpLevel, bool restricted)
{
    if (state_.IsOpen) {
        view_.RestoreWindow();
        return;
    }
    state_ = ExportState{};
    state_.IsOpen = true;
    state_.SetupRestricted = restricted;
    view_.ShowStatus(QString());
    if (helpLevel == 1)
        view_.SetHintsShown(false);
    else if (helpLevel == 0)
        view_.SetHintsShown(true);
    OpenCursors();

    db::Table& customer = tables_.CustomersTable;
    db::Table& item = tables_.ChartsTable;
    state_.CustomerListID = Text(customer, "LISTID");
    state_.CustomerFullName = Text(customer, "FULLNAME");
    state_.CustomerLookupName = Text(customer, "NAME");
    state_.CustomerID = Integer(customer, "CID");
    // The item's job, else the customer's first job in record order.
    db::Table& jobs = cursors_->jobs;
    if (LocateKey(jobs, "JID", Integer(item, ItemField(&Item::JID)))
        || LocateKey(jobs, "CID", state_.CustomerID)) {
        state_.JobID = jobs.fieldByName("JID").asInteger();
        state_.JobListID = Text(jobs, "LISTID");
        state_.JobFullName = Text(jobs, "FULLNAME");
        state_.JobDescription = Text(jobs, "DESC");
    }
    state_.TaskChartsID = Integer(item, ItemField(&Item::CHARTSID));
    state_.TaskListID = Text(item, ItemField(&Item::LISTID));
    state_.TaskEditSequence = Text(item, ItemField(&Item::JLID));
    state_.CustomerName = state_.CustomerLookupName;
    state_.TaskText = Text(item, ItemField(&Item::DESC));
    loadedTaskText_ = state_.TaskText;
    state_.TaskNotes = NotesForQuickBooks(Text(item, ItemField(&Item::NOTES)));
    TaskTexts shown{state_.CustomerName, state_.JobDescription, state_.TaskText, {}, {}};
    if (HasRecord(item)) {
        const TDateTime start = item.fieldByName(ItemField(&Item::SD)).asDateTime();
        const TDateTime end = item.fieldByName(ItemField(&Item::ED)).asDateTime();
        shown.start = QString::fromStdString(data::DateTimeText(data::RoundUpToQuarterHour(start)));
        shown.end = QString::fromStdString(data::DateTimeText(data::RoundUpToQuarterHour(end)));
    }
    view_.ShowTask(shown);

    // A count below 1 would match every item; it is read as one never set.
    const int stored = Integer(tables_.ParamsTable, "MATCHC");
    state_.MatchCount = stored < 1 ? 4 : stored;
    view_.ShowMatchCount(state_.MatchCount);
    view_.SetItemName(state_.TaskText.left(state_.MatchCount));

    view_.SetExportCostChecked(HasRecord(tables_.ParamsTable)
                               && tables_.ParamsTable.fieldByName("EXPORT").asBoolean());
    ExportCostClick();
    if (services_.host.SelectionInForce()) {
        view_.SetExportTypeIndex(kResourceSummary);
        view_.SetExportTypeEnabled(false);
    } else {
        view_.SetExportTypeEnabled(true);
    }
    ExportTypeClick();
    view_.ShowWindow();
}

void ExportJobToQB::ExportTypeClick()
{
    if (!state_.IsOpen)
        return;
    if (!Summary()) {
        view_.SetJobPanelEnabled(true);
        view_.SetMatchCountEnabled(true);
        // The loaded task's text as it stands now, found by its key.
        state_.TaskText = LocateKey(cursors_->charts, ItemField(&Item::CHARTSID), state_.TaskChartsID)
            ? Text(cursors_->charts, ItemField(&Item::DESC))
            : loadedTaskText_;
        view_.SetItemName(state_.TaskText.left(state_.MatchCount));
        view_.ShowMatchCount(state_.MatchCount);
        return;
    }
    view_.SetJobPanelEnabled(false);
    if (!view_.ExportCostChecked()) {
        view_.SetExportCostChecked(true);
        ExportCostClick();
    }
    view_.SetItemName(kSummaryText);
    view_.ShowMatchCount(kSummaryMatchCount);
    view_.SetMatchCountEnabled(false);
    state_.TaskText = kSummaryText;
}

void ExportJobToQB::ExportCostClick()
{
    const bool on = view_.ExportCostChecked();
    view_.SetMatchCountEnabled(on);
    view_.SetMatchLabelEnabled(on);
}

void ExportJobToQB::MatchCountUpDownClick()
{
    state_.MatchCount = view_.MatchCountText().trimmed().toInt();
    QString desc = loadedTaskText_;
    if (LocateKey(cursors_->charts, ItemField(&Item::CHARTSID), state_.TaskChartsID))
        desc = Text(cursors_->charts, ItemField(&Item::DESC));
    view_.SetItemName(desc.left(state_.MatchCount));
    SaveMatchCount();
}

void ExportJobToQB::SaveMatchCount()
{
    db::Table& params = tables_.ParamsTable;
    params.edit();
    params.fieldByName("MATCHC").setAsInteger(state_.MatchCount);
    params.post();
    params.refresh();
}

void ExportJobToQB::CallQBSetupClick()
{
    services_.host.ShowQuickBooksSetup(state_.SetupRestricted);
}

void ExportJobToQB::ExportCostHelpClick()
{
    services_.host.OpenHelpPage(QStringLiteral("Exporting.htm"));
}

void ExportJobToQB::FormClose()
{
    if (!state_.IsOpen)
        return;
    state_.IsOpen = false;
    db::Table& params = tables_.ParamsTable;
    params.edit();
    params.fieldByName("EXPORT").setAsBoolean(view_.ExportCostChecked());
    params.post();
    params.refresh();
    for (db::Table* t :
         {&cursors_->customers, &cursors_->jobs, &cursors_->charts, &cursors_->crews, &cursors_->icrews})
        t->close();
}

bool ExportJobToQB::LoadedRecordsExist()
{
    struct Check {
        db::Table& table;
        const char* key;
        std::int32_t id;
        const QString& name;
    };
    const Check checks[] = {
        {cursors_->customers, "CID", state_.CustomerID, state_.CustomerLookupName},
        {cursors_->jobs, "JID", state_.JobID, state_.JobDescription},
        {cursors_->charts, ItemField(&Item::CHARTSID), state_.TaskChartsID, state_.TaskText},
    };
    for (const Check& c : checks) {
        if (c.id == 0 && &c.table == &cursors_->jobs)
            continue;  // no job was loaded: the run neither looks one up nor adds one
        c.table.refresh();
        if (!LocateKey(c.table, c.key, c.id)) {
            services_.messages.ShowStopMessage(c.name + QStringLiteral(" no longer exists"), kTarnwick);
            return false;
        }
    }
    return true;
}

void ExportJobToQB::ExportJobClick()
{
    if (!state_.IsOpen)
        return;
    if (!Summary() && !LoadedRecordsExist())
        return;
    ExchangeServices services{services_.messages, view_, services_.busy, services_.settings, services_.setup};
    QbSessionFrame frame(services, services_.factory);
    frame.Run(QbOperation::ExportRun, [this](QbSession& session) { Run(session); });
}

void ExportJobToQB::Run(QbSession& session)
{
    ExportState& s = state_;
    bool nothingAdded = true;
    bool taskSent = false;  // the task's add or update reached QuickBooks
    if (!Summary()) {
        if (!s.CustomerListID.isEmpty() || !s.CustomerLookupName.isEmpty())
            s.CustomerListID = FindQBCustomer(session, s.CustomerListID, s.CustomerLookupName);
        if (!s.JobListID.isEmpty() || !s.JobDescription.isEmpty())
            s.JobListID =
                FindQBCustomer(session, s.JobListID, s.CustomerLookupName + u':' + s.JobDescription);
        if (!s.TaskListID.isEmpty() || !s.TaskText.isEmpty())
            s.TaskListID = FindQBCustomer(session, s.TaskListID,
                                          s.CustomerLookupName + u':' + s.JobDescription + u':' + s.TaskText);

        const auto set = [](const QString& id) { return !id.isEmpty(); };
        const auto addTask = [&] {
            if (AddQBTaskJob(session)) {
                taskSent = true;
                view_.ShowStatus(s.TaskText + QStringLiteral(" added to QB"));
            }
        };
        bool toCost = false;
        if (!set(s.CustomerListID) && !set(s.JobListID) && !set(s.TaskListID)) {
            nothingAdded = false;
            if (AddQBCustomer(session))
                view_.ShowStatus(s.CustomerName + QStringLiteral(" added to QB"));
        }
        const bool c = set(s.CustomerListID), j = set(s.JobListID), t = set(s.TaskListID);
        if (!c && (j || t)) {
            const char* caption = !j ? "Error 1" : (!t ? "Error 2" : "Error 3");
            services_.messages.ShowStopMessage(QStringLiteral("Should not happen"),
                                               QString::fromLatin1(caption));
            toCost = true;
        }
        if (!toCost && c && !j && !t) {
            nothingAdded = false;
            // Without a job there is nothing to add; the task add then refuses to go without a parent.
            if (!s.JobDescription.isEmpty() && AddQBJob(session))
                view_.ShowStatus(s.JobDescription + QStringLiteral(" added to QB"));
            addTask();
        }
        if (!toCost && set(s.CustomerListID) && !set(s.JobListID) && set(s.TaskListID)) {
            addTask();
            toCost = true;
        }
        if (!toCost && set(s.CustomerListID) && set(s.JobListID) && !set(s.TaskListID)) {
            addTask();
            toCost = true;
        }
        if (!toCost && set(s.CustomerListID) && set(s.JobListID) && set(s.TaskListID) && nothingAdded) {
            if (UpdateQBTaskJob(session)) {
                taskSent = true;
                view_.ShowStatus(s.TaskText + QStringLiteral(" updated in QB"));
            }
        }
    }

    if (!view_.ExportCostChecked()) {
        const bool done = Summary() || taskSent;
        view_.ShowStatus(s.TaskText + (done ? QStringLiteral(" exported") : QStringLiteral(" not exported")));
        return;
    }
    // The frame holds the hourglass until the session is closed; its boxes
    // are read under the normal cursor.
    if (!FindQBItem(session, s.TaskText)) {
        const data::NormalCursor normal(services_.busy.Interface());
        services_.messages.ShowStopMessage(QStringLiteral("Unable to find matching QuickBooks item"),
                                           kTarnwick);
        return;
    }
    const Currency cost = Summary() ? SummaryCost() : TaskCost();
    if (!UpdateQBItem(session, s.QBItemKind, s.QBItemListID, s.QBItemEditSequence, cost, s.QBItemPriceForm,
                      s.TaskText)) {
        const data::NormalCursor normal(services_.busy.Interface());
        services_.messages.ShowStopMessage(QStringLiteral("Unable to update QuickBooks item"), kTarnwick);
        return;
    }
    view_.ShowStatus(s.TaskText + QStringLiteral(" exported, QB item ") + s.QBItemName
                     + QStringLiteral(" updated"));
}

std::optional<QbSession::Sent> ExportJobToQB::SendGuarded(QbSession& session,
                                                          const std::function<bool(qb::MsgSetRequest&)>& fill,
                                                          const QbSession::Rules& rules)
{
    try {
        return session.Send(fill, rules);
    } catch (const qb::LibraryError& e) {
        services_.messages.ShowStopMessage(QbLibraryFailureText(e.Call(), e.Text()),
                                           QStringLiteral("QuickBooks error"));
        return std::nullopt;
    }
}

QString ExportJobToQB::FindQBCustomer(QbSession& session, const QString& listId, const QString& fullName)
{
    // Not guarded: a library error here ends the run through the session frame.
    const QbSession::Sent sent = session.Send(
        [](qb::MsgSetRequest& set) {
            qb::CustomerQueryRq* q = set.AppendCustomerQueryRq();
            if (!q)
                return false;
            q->ActiveStatus = qb::ENActiveStatus::All;
            return true;
        },
        RequestRules(1));
    if (sent.outcome != QbSession::Outcome::Found && sent.outcome != QbSession::Outcome::NothingFound)
        return QString();
    const auto* list = sent.response->DetailAs<qb::CustomerRet>();
    if (!list)
        return QString();
    for (const qb::CustomerRet& entry : *list) {
        if (!entry.ListID)
            continue;
        if (*entry.ListID == listId) {
            if (entry.EditSequence)
                state_.TaskEditSequence = *entry.EditSequence;
            return listId;
        }
        if (entry.FullName && *entry.FullName == fullName) {
            if (entry.EditSequence)
                state_.TaskEditSequence = *entry.EditSequence;
            return *entry.ListID;
        }
    }
    return QString();
}

bool ExportJobToQB::MatchesLeadingChars(const QString& a, const QString& b) const
{
    return qbexport::MatchesLeadingChars(a, b, Summary() ? kSummaryMatchCount : state_.MatchCount);
}

}  // namespace tw::exchange::qbexport
