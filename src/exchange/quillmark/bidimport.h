#pragma once
// The import of the selected Quillmark bid: its company becomes or matches a
// customer, the bid becomes or matches a job, the bid's section summaries are
// rebuilt, and every section with labour hours becomes one task of the
// schedule. What it needs of the main window comes through BidImportHost, so
// that the session wires it in a few lines and tests record through it.

#include <cstdint>
#include <string>

#include <QString>

#include "data/currency.h"
#include "data/recordkeys.h"
#include "exchange/exchangeservices.h"
#include "exchange/quillmark/quillmarktables.h"
#include "platform/datetime/datetime.h"
#include "platform/db/table.h"
#include "schedule/sync/addtask.h"

namespace tw::exchange::quillmark {

class BidImportHost : public virtual ScheduleItemAdding {
public:
    virtual ~BidImportHost() = default;
    // The Quillmark database name in use; empty when none is selected.
    virtual std::string QMAliasInUse() const = 0;
    // The current resource's key (a resource is created when there is none).
    virtual std::int32_t GetCurrentResource() = 0;
    // The time of day at which the working day starts.
    virtual TDateTime WorkDayStart() const = 0;
    // The end of hours of work from startValue on the resource's calendar;
    // start gets the first working quarter hour at or after startValue.
    virtual TDateTime ComputeTaskEnd(std::int32_t crewId, TDateTime& start, TDateTime startValue,
                                     float hours) = 0;
    virtual void PushChartUpdates() = 0;
    // The customer tab's views after customers.dbf or jobs.dbf changed.
    virtual void RefreshCustomers() = 0;
    virtual void SetCustomersLabel(const QString& caption) = 0;
    virtual void EnableJobsNavigator() = 0;
    // The end of an import: the main window on the customer and job, its
    // customer and job views read again and the customer query applied.
    virtual void ShowCustomerAndJob(std::int32_t customerId, std::int32_t jobId) = 0;
    // Panel 0 of the main window's status bar, repainted at once.
    virtual void ShowMainStatus(const QString& text) = 0;
};

// The import window's two status panels: the bid, and one section.
class ImportStatusView {
public:
    virtual ~ImportStatusView() = default;
    virtual void ShowBidStatus(const QString& text) = 0;
    virtual void ShowSectionStatus(const QString& text) = 0;
};

// Second cursors of the schedule database for look-ups, edits and appends.
struct ScheduleCursors {
    db::Table& CustomersTable2;
    db::Table& CustomersTable3;  // key look-ups only
    db::Table& JobsTable2;
    db::Table& JobsTable3;  // key look-ups only
};

struct BidImportServices {
    QuillmarkTables& quillmark;
    ScheduleCursors schedule;
    BidImportHost& host;
    ImportStatusView& status;
    ExchangeMessages& messages;
    ExchangeBusyHooks& busy;
    data::RecordKeys& keys;
};

// The hourly rate of a section: its labour amount over its hours, truncated.
// Hours above 0 that are 0 at four decimals give a rate of 0.
Currency SectionHourlyRate(Currency labour, float hours);

// Imports the current bid of quillmark.BidTable. Failures reach the user as a
// status text or a box; a table error ends the run with the engine's text,
// keeping what was already posted.
void ImportFromQM(BidImportServices& services);

}  // namespace tw::exchange::quillmark
