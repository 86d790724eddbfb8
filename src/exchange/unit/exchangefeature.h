#pragma once
// The accounting and estimating exchange as a feature unit: "Import Quillmark
// job", "Export to QuickBooks" and "Import from QuickBooks", each window made
// at its first opening from the Add / Edit / Query page, over the session's
// tables and the hosts that lend it the program's services. What an import
// does to the Add / Edit / Query page (its grids, labels and navigators) goes
// to the page itself.

#include <memory>

#include <QColor>
#include <QString>

#include "app/features/featurecontext.h"
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
class QuickBooksImportHost;

// What the exchange windows take from the main window itself; the setup
// dialog that holds the accounting settings is the Utilities unit's.
class ExchangeWindow {
public:
    virtual ~ExchangeWindow() = default;
    // The colour the entry fields are drawn in.
    virtual QColor FieldColour() const = 0;
};

class ExchangeFeature : private QuillmarkImportWindow {
public:
    ExchangeFeature(const FeatureContext& context, const MainFeatures& features, ExchangeWindow& window);
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
    void ApplyCustomerQuery() override;
    void UpdateSelectControls() override;

    FeatureContext context_;
    const MainFeatures& features_;
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
