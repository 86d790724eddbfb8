#pragma once
// The accounting and estimating exchange as a feature unit: "Import Quillmark
// job", "Export to QuickBooks" and "Import from QuickBooks", each window made
// at its first opening from the Add / Edit / Query page's request, over the
// session's tables and the hosts that lend it the program's services. What an
// import shows on the Add / Edit / Query page while it runs goes to that
// unit's screens; its end goes out as the schedule notice, raised once by
// each import, the Quillmark one and every QuickBooks one (jobs, customers,
// employees), with what it changed.

#include <memory>

#include <QString>

#include "app/features/appearanceunit.h"
#include "app/features/featurecontext.h"
#include "exchange/unit/importqbhost.h"
#include "exchange/unit/quillmarkhost.h"

namespace tw::exchange {
class TExportJobToQB;
class TImportQB;
class TImportQM;
namespace quillmark {
class QuillmarkTables;
}
}  // namespace tw::exchange

namespace tw::settings {
class TQMSetup;
}

namespace tw::app {

class QbExportHost;
class QueryRequests;

class ExchangeFeature final : private QuillmarkImportWindow {
public:
    // requests: the Add / Edit / Query page, whose buttons open the windows.
    ExchangeFeature(const FeatureContext& context, const ExchangeUnits& units, QueryRequests& requests,
                    ExchangeWindow& window);
    ~ExchangeFeature() override;

    void ImportFromQMClick();
    void ExportToQBClick();
    void ImportFromQBClick();
    // The windows once opened, else null.
    exchange::TImportQM* ImportQM() const { return importQM_.get(); }
    exchange::TExportJobToQB* ExportJobToQB() const { return exportJobToQB_.get(); }
    exchange::TImportQB* ImportQB() const { return importQB_.get(); }

private:
    // What an import from Quillmark does on the Add / Edit / Query page.
    std::int32_t CurrentResource() override;
    void RefreshCustomerViews() override;
    void SetCustomersLabel(const QString& caption) override;
    void EnableJobsNavigator() override;

    FeatureContext context_;
    ExchangeUnits units_;
    ExchangeWindow& window_;
    std::unique_ptr<exchange::quillmark::QuillmarkTables> quillmarkTables_;
    std::unique_ptr<QuillmarkHost> quillmarkHost_;
    std::unique_ptr<exchange::TImportQM> importQM_;
    std::unique_ptr<QbExportHost> exportHost_;
    std::unique_ptr<exchange::TExportJobToQB> exportJobToQB_;
    std::unique_ptr<QuickBooksImportHost> importQBHost_;
    std::unique_ptr<exchange::TImportQB> importQB_;
};

}  // namespace tw::app
