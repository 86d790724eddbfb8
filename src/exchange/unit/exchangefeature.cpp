#include "exchange/unit/exchangefeature.h"

#include "exchange/unit/importqbhost.h"
#include "exchange/unit/qbexporthost.h"
#include "query/unit/queryunit.h"
#include "settings/unit/utilitiesunit.h"
#include "exchange/exportjobform.h"
#include "exchange/importqbform.h"
#include "exchange/importqmform.h"
#include "exchange/qb/sessionfactory.h"
#include "exchange/quillmark/quillmarktables.h"
#include "platform/registry/registry.h"
#include "settings/setupdialog.h"

namespace tw::app {

ExchangeFeature::ExchangeFeature(const FeatureContext& context, const ExchangeUnits& units,
                                 QueryRequests& requests, ExchangeWindow& window)
    : context_(context),
      units_(units),
      window_(window)
{
    requests.OnExchange([this](QueryRequests::Exchange wanted) {
        switch (wanted) {
        case QueryRequests::Exchange::ImportFromQM: ImportFromQMClick(); break;
        case QueryRequests::Exchange::ExportToQB: ExportToQBClick(); break;
        case QueryRequests::Exchange::ImportFromQB: ImportFromQBClick(); break;
        }
    });
}

ExchangeFeature::~ExchangeFeature() = default;

void ExchangeFeature::ImportFromQMClick()
{
    AppSession& s = context_.Session;
    if (!importQM_) {
        data::TEstimateData& d = s.Data();
        quillmarkTables_ = std::make_unique<exchange::quillmark::QuillmarkTables>();
        QuillmarkImportWindow& window = *this;
        quillmarkHost_ = std::make_unique<QuillmarkHost>(s, window);
        importQM_ = std::make_unique<exchange::TImportQM>(
            *quillmarkTables_,
            exchange::quillmark::ScheduleCursors{d.CustomersTable2, d.CustomersTable3, d.JobsTable2,
                                                 d.JobsTable3},
            *quillmarkHost_, *quillmarkHost_, *quillmarkHost_, s.State.Keys);
    }
    // Without a Quillmark database the window opens on empty lists, and its
    // import button says what is missing.
    const data::SessionSettings& run = s.State;
    if (!quillmarkTables_->IsOpen() && !run.EstimatorAlias.empty() && !run.EstimatorFolder.empty())
        ShowingErrors(context_.UI, [this, &run] { quillmarkTables_->Open(run.EstimatorFolder); });
    importQM_->SetPlotColour(window_.FieldColour());
    importQM_->Open(run.HelpLevel);
}

void ExchangeFeature::ExportToQBClick()
{
    AppSession& s = context_.Session;
    if (!exportJobToQB_) {
        data::TEstimateData& d = s.Data();
        settings::TQMSetup& setup = units_.Setup.SetupDialog();
        exportHost_ = std::make_unique<QbExportHost>(s, units_.Screens.Logic(), setup);
        QbExportHost& host = *exportHost_;
        exportJobToQB_ = std::make_unique<exchange::TExportJobToQB>(
            exchange::qbexport::ExportJobTables{d.CustomersTable, d.ChartsTable, d.ChartsTable3, d.JobsTable2,
                                                d.CrewsTable2, d.ICrewsTable2, d.ParamsTable},
            exchange::qbexport::ExportJobServices{host, host, setup.AccountingSettings(), setup.EditionView(),
                                                  host, [] {
                                                      registry::TRegistry registry;
                                                      return qb::CreateSessionManager(registry);
                                                  }});
    }
    ShowingErrors(context_.UI, [this, &s] { exportJobToQB_->Open(s.State.HelpLevel, false); });
}

void ExchangeFeature::ImportFromQBClick()
{
    AppSession& s = context_.Session;
    if (!importQB_) {
        importQBHost_ = std::make_unique<QuickBooksImportHost>(context_, units_);
        importQB_ = std::make_unique<exchange::TImportQB>(s.Data(), s.State.Keys, importQBHost_->Hosts());
    }
    importQB_->SetPlotColour(window_.FieldColour());
    importQB_->Open(s.State.HelpLevel);
}

std::int32_t ExchangeFeature::CurrentResource()
{
    return units_.Query.CurrentResource();
}

void ExchangeFeature::RefreshCustomerViews()
{
    units_.Screens.RefreshCustomerViews();
}

void ExchangeFeature::SetCustomersLabel(const QString& caption)
{
    units_.Filters.SetCustomersLabel(caption.toStdString());
}

void ExchangeFeature::EnableJobsNavigator()
{
    units_.Screens.EnableJobsNavigator();
}

}  // namespace tw::app
