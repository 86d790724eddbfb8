#pragma once
// Printing as a feature unit: the print and preview dialog
// (reports::TPrintPreview) and the page format dialog, made once at the first
// opening, over the session's report cursors, its working-time engine, the
// Visualize page's chart and the page format the session keeps. The chart's
// print button opens it on the chart's period; the report prints the query's
// selection; its e-mail button hands the chosen report to the e-mail unit.

#include <memory>

#include "app/features/featurecontext.h"
#include "reports/unit/printrequest.h"
#include "reports/printpreviewhost.h"

namespace tw::reports {
class ChartPages;
class TPageFormat;
class TPrintPreview;
}  // namespace tw::reports

namespace tw::app {

class ChartButtons;
class ChartSelection;
class QuerySelection;
class ScheduleEmail;

class PrintingFeature final : public reports::PrintPreviewHost {
public:
    PrintingFeature(const FeatureContext& context, ChartButtons& buttons, ChartSelection& chart,
                    QuerySelection& query, ScheduleEmail& email);
    ~PrintingFeature() override;

    // The chart's print button: the dialog on the period the chart shows,
    // unless a dependency set-up is under way.
    void PrintPreviewButtonClick();
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
    data::UserInterface& Interface() override { return context_.UI; }

    FeatureContext context_;
    ChartSelection& chart_;
    QuerySelection& query_;
    ScheduleEmail& email_;
    reports::ReportServices services_;
    reports::TPrintPreview* printPreview_ = nullptr;
    reports::TPageFormat* pageFormat_ = nullptr;
    std::shared_ptr<reports::ChartPages> chartPages_;
};

}  // namespace tw::app
