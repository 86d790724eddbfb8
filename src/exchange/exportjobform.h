#pragma once
// "Export to QuickBooks": the task, its customer, job and dates, the export
// type, the cost options and "Send to QuickBooks". The window only shows and
// forwards; ExportJobToQB (qbexport/exportjob.h) holds the state and runs
// the export.

#include <QHash>
#include <QWidget>

#include <memory>

#include "exchange/qbexport/exportjob.h"

namespace Ui {
class TExportJobToQB;
}

namespace tw::exchange {

class TExportJobToQB : public QWidget, public qbexport::ExportJobView {
    Q_OBJECT
public:
    TExportJobToQB(qbexport::ExportJobTables tables, qbexport::ExportJobServices services,
                   QWidget* parent = nullptr);
    ~TExportJobToQB() override;

    // Help level 0 switches the hints on, 1 off; restricted shows the setup
    // dialog in its restricted form.
    void Open(int helpLevel, bool restricted);

    Ui::TExportJobToQB& Controls() { return *ui_; }
    qbexport::ExportJobToQB& Logic() { return logic_; }

    // ExportJobView
    void ShowStatus(const QString& text) override;
    void SetHintsShown(bool shown) override;
    void ShowTask(const qbexport::TaskTexts& texts) override;
    int ExportTypeIndex() const override;
    void SetExportTypeIndex(int index) override;
    void SetExportTypeEnabled(bool enabled) override;
    void SetJobPanelEnabled(bool enabled) override;
    bool ExportCostChecked() const override;
    void SetExportCostChecked(bool checked) override;
    void SetMatchLabelEnabled(bool enabled) override;
    void SetMatchCountEnabled(bool enabled) override;
    void ShowMatchCount(int count) override;
    QString MatchCountText() const override;
    void SetItemName(const QString& text) override;
    void ShowWindow() override;
    void RestoreWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void StepMatchCount(bool up);
    QList<QWidget*> HintedControls() const;

    std::unique_ptr<Ui::TExportJobToQB> ui_;
    qbexport::ExportJobToQB logic_;
    QHash<QWidget*, QString> hints_;
    int position_ = 4;  // the up-down's position, 1 to 20
    bool clicksEnabled_ = true;
};

}  // namespace tw::exchange
