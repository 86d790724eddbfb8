#pragma once
// "Print, Preview or E-Mail schedule": the user picks one of the four
// reports, its title and what it includes, and previews, prints or mails it
// in the page format of "Page setup". The window only gathers the choices;
// the reports, the page-format rule and the two-pass frame are window-free
// (reports/reportframe.h), so preview, print and the e-mail's PDF agree.

#include <functional>

#include <QDialog>
#include <QPoint>

#include "controls/choices/fcglyphbutton.h"
#include "reports/chartimagereport.h"
#include "reports/printpreviewhost.h"
#include "reports/reportframe.h"
#include "reports/reportinputs.h"

namespace Ui {
class TPrintPreview;
}

class QPrintPreviewDialog;

namespace tw::reports {

class TPageFormat;

class TPrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit TPrintPreview(QWidget* parent = nullptr);
    ~TPrintPreview() override;

    // Not owned; until it is set the dialog has nothing to report on.
    void SetHost(PrintPreviewHost* host) { host_ = host; }
    void SetPageFormatDialog(TPageFormat* dialog) { pageFormat_ = dialog; }

    void Open(int helpLevel, double spanDays, double gridInterval, double gridCount, TDateTime chartStart,
              TDateTime chartEnd);
    bool IsOpen() const { return open_; }

    void SelectionClick();
    void EnforceResourceNotes();
    void PageFormatButtonClick();
    void PreviewEstimateClick();
    void PrintEstimateClick();
    void CallSendEMailClick();

    int ChartTypeIndex() const;
    void SetChartTypeIndex(int index);
    ReportOptions Options() const;
    ReportRequest Request() const;
    QString StatusText() const;
    // The PDF of the report chosen here, as the e-mail attaches it.
    PdfResult ChosenReportPdf() const;

    // How the preview window is shown; modal by default. Tests and the
    // screenshot show it without blocking.
    std::function<void(QPrintPreviewDialog& preview)> ShowPreview;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // The chosen report with all it reads kept beside it.
    struct Chosen;
    std::unique_ptr<Chosen> Choose();
    void FormClose();
    void SetStatus(const QString& text);
    void Refuse(const QString& text);

    Ui::TPrintPreview* ui;
    // The chart type choices by ChartType.
    controls::TFcRadioButton* chartTypes_[4] = {};
    PrintPreviewHost* host_ = nullptr;
    TPageFormat* pageFormat_ = nullptr;
    bool open_ = false;
    int helpLevel_ = 0;
    ChartPeriod period_;
};

}  // namespace tw::reports
