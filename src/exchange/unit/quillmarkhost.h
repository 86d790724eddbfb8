#pragma once
// What the Quillmark import needs of the running program: the session's
// schedule, calendars, task adder, record keys and synchronisation, and the
// few steps where the main window itself must act (QuillmarkImportWindow).

#include <cstdint>
#include <string>

#include <QString>

#include "exchange/unit/sessionexchangehooks.h"
#include "exchange/exchangeservices.h"
#include "exchange/quillmark/bidimport.h"

namespace tw::app {

class AppSession;

// The main window's part while an import runs: the Add / Edit / Query page's
// views. Its end goes out as the schedule notice.
class QuillmarkImportWindow {
public:
    virtual ~QuillmarkImportWindow() = default;
    // The resource selected on the page (one is made when there is none).
    virtual std::int32_t CurrentResource() = 0;
    // The customers and jobs grids after customers.dbf or jobs.dbf changed.
    virtual void RefreshCustomerViews() = 0;
    virtual void SetCustomersLabel(const QString& caption) = 0;
    virtual void EnableJobsNavigator() = 0;
};

class QuillmarkHost : public exchange::quillmark::BidImportHost,
                      public SessionExchangeHooks,
                      public SessionScheduleAdding {
public:
    QuillmarkHost(AppSession& session, QuillmarkImportWindow& window);

    // BidImportHost
    std::string QMAliasInUse() const override;
    std::int32_t GetCurrentResource() override;
    TDateTime WorkDayStart() const override;
    TDateTime ComputeTaskEnd(std::int32_t crewId, TDateTime& start, TDateTime startValue,
                             float hours) override;
    void PushChartUpdates() override;
    void RefreshCustomers() override;
    void SetCustomersLabel(const QString& caption) override;
    void EnableJobsNavigator() override;
    void ShowCustomerAndJob(std::int32_t customerId, std::int32_t jobId) override;
    void ShowMainStatus(const QString& text) override;

private:
    AppSession& session_;
    QuillmarkImportWindow& window_;
};

}  // namespace tw::app
