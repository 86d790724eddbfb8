#pragma once
// The "Import Quillmark job" window without its widgets: the companies on
// the left (all, or the active ones), the chosen company's bids on the right
// (all, or the approved ones), the window's set-up when it opens, and where
// each control goes for a client size. The window implements ImportQMView.

#include <QRect>
#include <QSize>
#include <QString>

#include "exchange/exchangeservices.h"
#include "exchange/quillmark/quillmarktables.h"

namespace tw::exchange::quillmark {

class ImportQMView {
public:
    virtual ~ImportQMView() = default;
    virtual bool RestrictToActiveChecked() const = 0;
    virtual bool RestrictToApprovedChecked() const = 0;
    // Unticks both boxes without running their handlers.
    virtual void UntickRestrictions() = 0;
    virtual void SetCompanyCaption(const QString& text) = 0;  // Label1
    virtual void SetBidCaption(const QString& text) = 0;      // Label2
    // The hints of both grids and both buttons.
    virtual void SetHintsShown(bool shown) = 0;
    // The grids read their cursors afresh.
    virtual void ReloadCompanies() = 0;
    virtual void ReloadBids() = 0;
    // Lays the controls out for the current size and widens the first bid
    // column to fill its grid.
    virtual void LayOut() = 0;
    virtual void ShowWindow() = 0;
    virtual void RestoreWindow() = 0;
};

class ImportQMBrowser {
public:
    ImportQMBrowser(QuillmarkTables& tables, ImportQMView& view, ExchangeBusyHooks& busy);

    // Shows the window: a second call while it shows only restores it.
    void Open(int helpLevel);
    // The window was closed (hidden): the next Open sets it up afresh.
    void Closed() { OpenFlag = false; }
    bool IsOpen() const { return OpenFlag; }

    void RestrictToActiveClick();
    void RestrictToApprovedClick();
    // Only a click in the company grid re-filters the bids, never the keyboard.
    void CustomerGridCellClick() { ApplyBidFilter(); }

    void ApplyCompanyFilter();
    void ApplyBidFilter();

private:
    QuillmarkTables& tables_;
    ImportQMView& view_;
    ExchangeBusyHooks& busy_;
    bool OpenFlag = false;
};

// Where the window's controls go for a client size; sizes under 800 x 440
// grow to it.
struct ImportQMLayout {
    QSize Client;
    QRect CustomerGrid, ImportFromQM, BidGrid, StatusBar, Done, RestrictToActive, RestrictToApproved;
    int FirstBidColumn = 0;
    int StatusPanel = 0;  // the width of each of the two panels
};

inline constexpr QSize kImportQMMinimumSize{800, 440};
inline constexpr int kDoneWidth = 75;

ImportQMLayout ImportQMLayoutFor(QSize client);

}  // namespace tw::exchange::quillmark
