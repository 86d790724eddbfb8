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
#include "reports/reportframe.h"
#include "reports/reportinputs.h"

namespace Ui {
class TPrintPreview;
}

class QPrintPreviewDialog;

namespace tw::reports {

class TPageFormat;

// What the dialog reaches in the main window; each may be empty.
struct PrintPreviewHost {
    std::function<ReportTables()> Tables;
    ReportServices Services;
    std::function<SelectionState()> Selection;
    std::function<ChartPages*()> Chart;
    std::function<int()> PageFormatCode;
    std::function<QString()> Caption;  // the main window's caption, the first title
    std::function<bool()> MailThroughClient;
    // TSendEmail::Open: help level, mode 0, the period and the message text.
    std::function<void(int helpLevel, int mode, const ChartPeriod& period, const QString& message)> SendEmail;
    // The dialog's remembered top left, kept by the main window.
    std::function<QPoint()> Position;
    std::function<void(const QPoint& topLeft)> StorePosition;
    // A refusal for the user ("Tarnwick" box); a message box when empty.
    std::function<void(const QString& text)> ShowError;
};

class TPrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit TPrintPreview(QWidget* parent = nullptr);
    ~TPrintPreview() override;

    void SetHost(PrintPreviewHost host) { host_ = std::move(host); }
    const PrintPreviewHost& Host() const { return host_; }
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
    PrintPreviewHost host_;
    TPageFormat* pageFormat_ = nullptr;
    bool open_ = false;
    int helpLevel_ = 0;
    ChartPeriod period_;
};

}  // namespace tw::reports
