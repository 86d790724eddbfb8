// The main window's side of "Export to QuickBooks": the window over the data
// module's views, the setup dialog's accounting settings and the session's
// accounting link.
#include "app/mainscreen.h"
#include "app/querypage.h"
#include "settings/setupdialog.h"
#include "exchange/qb/sessionfactory.h"
#include "platform/registry/registry.h"

namespace tw::app {

void TMainScreen::ExportToQBClick()
{
    if (!exportJobToQB_) {
        data::TEstimateData& d = *data_;
        exportHost_ = std::make_unique<QbExportHost>(session_, queryPage_->Logic());
        QbExportHost& host = *exportHost_;
        settings::TQMSetup& setup = SetupDialog();
        host.ShowSetup = [this](bool) { SetupDialog().ShowSetup(SetupDialog().QuickBooksSetupTab()); };
        exportJobToQB_ = std::make_unique<exchange::TExportJobToQB>(
            exchange::qbexport::ExportJobTables{d.CustomersTable, d.ChartsTable, d.ChartsTable3, d.JobsTable2,
                                                d.CrewsTable2, d.ICrewsTable2, d.ParamsTable},
            exchange::qbexport::ExportJobServices{host, host, setup.AccountingSettings(), setup.EditionView(),
                                                  host, [] {
                                                      registry::TRegistry registry;
                                                      return qb::CreateSessionManager(registry);
                                                  }});
    }
    Guarded([this] { exportJobToQB_->Open(State.HelpLevel, false); });
}

}  // namespace tw::app
