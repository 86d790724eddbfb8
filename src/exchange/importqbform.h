#pragma once
// "Import from QuickBooks": the company's customers and jobs listed by job
// status, the import of the selected or of every listed job, and the imports
// of employees, customers and custom fields. The window only shows and
// forwards; ImportQBLogic (importqb/importqblogic.h) does the work.

#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QWidget>

#include <memory>

#include "exchange/importqb/importqblogic.h"

class QDialog;
class QLabel;

namespace Ui {
class TImportQB;
}

namespace tw::controls {
class TFcProgressBar;
class TFcBitBtn;
}  // namespace tw::controls

namespace tw::exchange {

class TImportQB : public QWidget, public ImportQBView {
    Q_OBJECT
public:
    TImportQB(data::TEstimateData& data, data::RecordKeys& keys, const ImportQBHosts& hosts,
              QWidget* parent = nullptr);
    ~TImportQB() override;

    // Shows the window (modeless, on top), or only restores it when it is
    // open; help level 0 switches the hints on, 1 off, anything else leaves them.
    void Open(int helpLevel);
    // The main window's plot colour: the list's background.
    void SetPlotColour(const QColor& colour) { plotColour_ = colour; }
    // How long a run goes before its progress window appears.
    void SetProgressDelay(int milliseconds) { progressDelay_ = milliseconds; }

    ImportQBLogic& Logic() { return *logic_; }
    Ui::TImportQB& Controls() { return *ui_; }
    // The progress window while it is shown; nullptr otherwise.
    QDialog* ProgressWindow() const { return progressShown_ ? progress_ : nullptr; }
    controls::TFcBitBtn* StopButton() const { return stop_; }

    // ImportQBView
    void ShowStatus(const QString& text) override;
    void BeginProgress(int total) override;
    bool StepProgress(int done) override;
    void EndProgress() override;
    bool ListOptionChecked(int item) const override;
    void SetListOptionCaption(int item, const QString& caption) override;
    QString HourlyRateText() const override;
    void SetHourlyRateText(const QString& text) override;
    void SetEmployeesEnabled(bool enabled) override;
    void SetHintsShown(bool shown) override;
    void ReloadRows() override;
    std::optional<int> SelectedIndex() const override;
    std::vector<int> ShownIndexes() const override;
    int WindowWidth() const override { return width(); }
    void PlaceWindow(int left) override;
    void LayOut() override;
    void ShowWindow() override;
    void RestoreWindow() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs a button's work with the other windows' input held off.
    template <typename Work>
    void Run(Work&& work);
    QList<QWidget*> HintedControls() const;

    std::unique_ptr<Ui::TImportQB> ui_;
    std::unique_ptr<ImportQBLogic> logic_;
    ImportExchangeHost& exchange_;
    QColor plotColour_;
    QHash<QWidget*, QString> hints_;
    // The progress window of a long run.
    QDialog* progress_ = nullptr;
    controls::TFcProgressBar* progressBar_ = nullptr;
    QLabel* progressText_ = nullptr;
    controls::TFcBitBtn* stop_ = nullptr;
    QElapsedTimer progressClock_;
    int progressTotal_ = 0;
    int progressDelay_ = 500;
    bool progressShown_ = false;
    bool stopPressed_ = false;
};

}  // namespace tw::exchange
