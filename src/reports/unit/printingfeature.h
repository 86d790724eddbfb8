#pragma once
// Printing as a feature unit: the print and preview dialog
// (reports::TPrintPreview) and the page format dialog, made once at the first
// opening, over the session's report cursors, its working-time engine, the
// Visualize page's chart and the page format the session keeps. Its e-mail
// button hands the chosen report to the e-mail feature.

#include <memory>

#include "app/features/featurecontext.h"
#include "app/tabs/tabview.h"
#include "reports/printpreviewhost.h"

namespace tw::reports {
class ChartPages;
class TPageFormat;
class TPrintPreview;
}  // namespace tw::reports

namespace tw::app {

class PrintingFeature : public reports::PrintPreviewHost {
public:
    PrintingFeature(const FeatureContext& context, const MainFeatures& features);
    ~PrintingFeature() override;

    // The dialog on the chart's period and grid.
    void Open(const PrintRequest& request);
    reports::TPrintPreview* Dialog() const { return printPreview_; }

private:
    void Create();

    // What the dialog reaches: the session's cursors and settings, the pages.
    reports::ReportTables Tables() override;
    const reports::ReportServices& Services() const override { return services_; }
    reports::SelectionState Selection() override;
    reports::ChartPages* Chart() override;
    int PageFormatCode() const override;
    QString Caption() const override;
    bool MailThroughClient() const override;
    void SendEmail(int helpLevel, const reports::ChartPeriod& period, const QString& message) override;
    QPoint Position() const override;
    void StorePosition(const QPoint& topLeft) override;
    void ShowError(const QString& text) override;

    FeatureContext context_;
    const MainFeatures& features_;
    reports::ReportServices services_;
    reports::TPrintPreview* printPreview_ = nullptr;
    reports::TPageFormat* pageFormat_ = nullptr;
    std::shared_ptr<reports::ChartPages> chartPages_;
};

}  // namespace tw::app
