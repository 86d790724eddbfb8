#pragma once
// What "Import from QuickBooks" needs of the running program: the session's
// settings, tables, calendars and task adder, the accounting link the
// registry names, and what the other feature units lend it (ExchangeUnits).
// The accounting settings and the edition choice are the setup dialog's.

#include "app/features/featurecontext.h"
#include "exchange/unit/sessionexchangehooks.h"
#include "exchange/importqb/importqbview.h"

namespace tw::app {

class CalendarPages;
class CustomerDialogs;
class QueryFilters;
class QuerySelection;
class QueryScreens;
class SetupDialogSource;
class TaskEditing;

// What the exchange windows take from the other feature units.
struct ExchangeUnits {
    QuerySelection& Query;
    QueryFilters& Filters;
    QueryScreens& Screens;
    TaskEditing& Editor;
    CustomerDialogs& Customers;
    CalendarPages& Calendar;
    SetupDialogSource& Setup;
};


class QuickBooksImportHost : public exchange::ImportExchangeHost,
                             public exchange::ImportSettings,
                             public exchange::ImportScheduleHost,
                             public exchange::ImportTaskPages,
                             public exchange::ImportRecordPages,
                             public SessionExchangeHooks,
                             public SessionScheduleAdding {
public:
    QuickBooksImportHost(const FeatureContext& context, const ExchangeUnits& units);

    exchange::ImportQBHosts Hosts() { return {*this, *this, *this, *this, *this}; }

    // ImportExchangeHost
    exchange::ExchangeMessages& Messages() override { return *this; }
    exchange::ExchangeBusyHooks& Busy() override { return *this; }
    exchange::ExchangeSettings& Settings() override;
    exchange::SetupEditionView& Setup() override;
    std::unique_ptr<qb::SessionManager> CreateSessionManager() override;

    // ImportSettings
    QStringList JobStatusTexts() const override;
    void SetJobStatusTexts(const QStringList& texts) override;
    Currency AverageRate() const override;
    void SetAverageRate(Currency rate) override;
    int WorkCalendarMode() const override;

    // ImportScheduleHost
    std::int32_t GetCurrentResource() override;
    float WorkingHoursBetween(std::int32_t crewId, TDateTime start, TDateTime end) override;
    TDateTime ComputeTaskEnd(std::int32_t crewId, TDateTime& start, TDateTime startValue,
                             float hours) override;
    TDateTime WorkDayStart() override;
    TDateTime WorkDayEnd() override;
    void AddThenPush(const std::function<std::set<std::int32_t>()>& adds) override;

    // ImportTaskPages
    int TaskEditorLeft() const override;
    bool TaskEditorOpen() const override;
    bool ShowTaskEditor(const tasks::EditorArguments& arguments) override;
    std::int32_t CurrentTaskKey() override;
    void LocateCurrentTask(std::int32_t chartsId) override;
    void ShowMainStatus(int panel, const QString& text) override;

    // ImportRecordPages
    void ScheduleChanged(data::ScheduleChanges changes) override;
    void ApplyCustomerQuery() override;
    void ShowCustomerCount() override;
    bool DefineCustomField(int kind, const QString& name) override;
    void LoadCustomFieldNames(int kind) override;
    void ShowWorkCalendar(std::int32_t resourceId) override;

private:
    AppSession& session_;
    FeatureContext context_;
    ExchangeUnits units_;
};

}  // namespace tw::app
