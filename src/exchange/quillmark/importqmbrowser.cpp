#include "exchange/quillmark/importqmbrowser.h"

#include <algorithm>
#include <string>

#include "data/services/busyscopes.h"

namespace tw::exchange::quillmark {

ImportQMBrowser::ImportQMBrowser(QuillmarkTables& tables, ImportQMView& view, ExchangeBusyHooks& busy)
    : tables_(tables), view_(view), busy_(busy)
{}

void ImportQMBrowser::Open(int helpLevel)
{
    if (OpenFlag) {
        view_.RestoreWindow();
        return;
    }
    OpenFlag = true;
    view_.UntickRestrictions();
    if (helpLevel == 1)
        view_.SetHintsShown(false);
    else if (helpLevel == 0)
        view_.SetHintsShown(true);
    RestrictToActiveClick();
    RestrictToApprovedClick();
    view_.LayOut();
    view_.ShowWindow();
}

void ImportQMBrowser::RestrictToActiveClick()
{
    view_.SetCompanyCaption(view_.RestrictToActiveChecked() ? QStringLiteral("Active Quillmark customers")
                                                            : QStringLiteral("Quillmark customers"));
    ApplyCompanyFilter();
}

void ImportQMBrowser::RestrictToApprovedClick()
{
    view_.SetBidCaption(view_.RestrictToApprovedChecked() ? QStringLiteral("Approved Quillmark bids")
                                                          : QStringLiteral("Quillmark bids"));
    ApplyBidFilter();
}

void ImportQMBrowser::ApplyCompanyFilter()
{
    db::Table& companies = tables_.CompanyTable;
    if (!companies.active())
        return;
    companies.setFiltered(false);
    if (view_.RestrictToActiveChecked()) {
        companies.setFilter("NOT S1");
        companies.setFiltered(true);
    }
    companies.refresh();
    view_.ReloadCompanies();
}

void ImportQMBrowser::ApplyBidFilter()
{
    db::Table& bids = tables_.BidTable;
    db::Table& companies = tables_.CompanyTable;
    if (!bids.active() || !companies.active() || companies.recNo() == 0)
        return;
    const std::int32_t id = companies.fieldByName("CID").asInteger();
    if (id == 0)
        return;
    const std::string text = view_.RestrictToApprovedChecked()
                                 ? "(CID = " + std::to_string(id) + ") AND (S3)"
                                 : "CID = " + std::to_string(id);
    {
        const data::BusyScope busy(busy_.BusyFlag());
        bids.setFiltered(false);
        bids.setFilter(text);
        bids.setFiltered(true);
    }
    bids.refresh();
    view_.ReloadBids();
}

namespace {
// As wide as the room beside the import button allows; the longer caption
// takes two lines there.
constexpr int kRestrictionWidth = 198;
constexpr int kTwoLines = 30;
}  // namespace

ImportQMLayout ImportQMLayoutFor(QSize client)
{
    ImportQMLayout l;
    const int width = std::max(client.width(), kImportQMMinimumSize.width());
    const int height = std::max(client.height(), kImportQMMinimumSize.height());
    l.Client = QSize(width, height);
    l.CustomerGrid = QRect(16, 40, 297, height - 214);
    l.ImportFromQM = QRect(216, l.CustomerGrid.y() + l.CustomerGrid.height() + 30, 97, 65);
    l.BidGrid = QRect(336, 40, width - 390, height - 122);
    l.StatusBar = QRect(8, l.ImportFromQM.y() + 81, width - kDoneWidth - 30, 19);
    l.Done = QRect(l.StatusBar.x() + l.StatusBar.width() + 5, l.StatusBar.y() - 5, kDoneWidth, 25);
    l.RestrictToActive = QRect(16, l.CustomerGrid.y() + l.CustomerGrid.height() + 40, kRestrictionWidth, kTwoLines);
    l.RestrictToApproved =
        QRect(16, l.RestrictToActive.y() + l.RestrictToActive.height() + 10, kRestrictionWidth, 17);
    l.FirstBidColumn = l.BidGrid.width() - 210;
    l.StatusPanel = l.StatusBar.width() / 2 - 10;
    return l;
}

}  // namespace tw::exchange::quillmark
