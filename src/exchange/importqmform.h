#pragma once
// "Import Quillmark job": the Quillmark companies on the left, the chosen
// company's bids on the right, and the button that imports the selected bid.
// The window only shows and forwards; ImportQMBrowser filters the lists and
// ImportFromQM (bidimport.h) does the import.

#include <QColor>
#include <QHash>
#include <QList>
#include <QWidget>

#include <memory>

#include "exchange/quillmark/bidimport.h"
#include "controls/status/fcstatuspane.h"
#include "exchange/quillmark/importqmbrowser.h"

class QLabel;

namespace Ui {
class TImportQM;
}

namespace tw::controls {
class CursorModel;
}

namespace tw::exchange {

class TImportQM : public QWidget, public quillmark::ImportQMView, public quillmark::ImportStatusView {
    Q_OBJECT
public:
    TImportQM(quillmark::QuillmarkTables& tables, quillmark::ScheduleCursors schedule,
              quillmark::BidImportHost& host, ExchangeMessages& messages, ExchangeBusyHooks& busy,
              data::RecordKeys& keys, QWidget* parent = nullptr);
    ~TImportQM() override;

    // Shows the window (modeless, on top); help level 0 switches the hints
    // on, 1 off, anything else leaves them.
    void Open(int helpLevel);
    // The main window's plot colour: the grids' background.
    void SetPlotColour(const QColor& colour) { plotColour_ = colour; }

    void ImportFromQMClick();
    void DoneClick() { close(); }

    Ui::TImportQM& Controls() { return *ui_; }
    controls::TFcStatusPane& StatusPanel(int index) { return *panels_[index]; }

    // ImportQMView
    bool RestrictToActiveChecked() const override;
    bool RestrictToApprovedChecked() const override;
    void UntickRestrictions() override;
    void SetCompanyCaption(const QString& text) override;
    void SetBidCaption(const QString& text) override;
    void SetHintsShown(bool shown) override;
    void ReloadCompanies() override;
    void ReloadBids() override;
    void LayOut() override;
    void ShowWindow() override;
    void RestoreWindow() override;

    // ImportStatusView
    void ShowBidStatus(const QString& text) override;
    void ShowSectionStatus(const QString& text) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SyncBidCursor();
    QList<QWidget*> HintedControls() const;

    std::unique_ptr<Ui::TImportQM> ui_;
    quillmark::QuillmarkTables& tables_;
    quillmark::BidImportServices services_;
    quillmark::ImportQMBrowser browser_;
    controls::CursorModel* companyModel_ = nullptr;
    controls::CursorModel* bidModel_ = nullptr;
    controls::TFcStatusPane* panels_[2] = {nullptr, nullptr};
    QColor plotColour_;
    bool clicksEnabled_ = true;
    QHash<QWidget*, QString> hints_;
};

}  // namespace tw::exchange
