#pragma once
// What "Export to QuickBooks" needs of the running program: the message
// boxes and hourglass, the selection of the Add / Edit / Query page, the
// working calendars, the help set and the setup dialog's accounting page.
// The accounting settings and the edition choice are the setup dialog's.

#include "exchange/unit/sessionexchangehooks.h"
#include "exchange/exchangeservices.h"
#include "exchange/qbexport/exportjob.h"

namespace tw::query {
class QueryPageLogic;
}
namespace tw::settings {
class TQMSetup;
}

namespace tw::app {

class AppSession;

class QbExportHost : public exchange::qbexport::ExportJobHost, public SessionExchangeHooks {
public:
    // The setup dialog shows its accounting page when asked.
    QbExportHost(AppSession& session, query::QueryPageLogic& query, settings::TQMSetup& setup);

    // ExportJobHost
    bool SelectionInForce() const override;
    bool ResourceSearchActive() const override;
    std::string ResourceSearchFilter() const override;
    bool RestrictTasksToCrew() const override;
    std::int32_t CurrentResourceId() const override;
    float WorkingHoursBetween(std::int32_t crewId, TDateTime start, TDateTime end) override;
    void ShowQuickBooksSetup(bool restricted) override;
    void OpenHelpPage(const QString& page) override;

private:
    AppSession& session_;
    query::QueryPageLogic& query_;
    settings::TQMSetup& setup_;
};

}  // namespace tw::app
