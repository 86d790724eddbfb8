// The main window's side of "Import Quillmark job": the window, its tables
// on the Quillmark database in use, and what an import does to the
// Add / Edit / Query page.
#include "app/mainscreen.h"
#include "app/querypage.h"
#include "exchange/importqmform.h"
#include "exchange/quillmark/quillmarktables.h"

namespace tw::app {

void TMainScreen::ImportFromQMClick()
{
    if (!importQM_) {
        data::TEstimateData& d = *data_;
        quillmarkTables_ = std::make_unique<exchange::quillmark::QuillmarkTables>();
        QuillmarkImportWindow& window = *this;
        quillmarkHost_ = std::make_unique<QuillmarkHost>(session_, window);
        importQM_ = std::make_unique<exchange::TImportQM>(
            *quillmarkTables_,
            exchange::quillmark::ScheduleCursors{d.CustomersTable2, d.CustomersTable3, d.JobsTable2,
                                                 d.JobsTable3},
            *quillmarkHost_, *quillmarkHost_, *quillmarkHost_, State.Keys);
    }
    // Without a Quillmark database the window opens on empty lists, and its
    // import button says what is missing.
    if (!quillmarkTables_->IsOpen() && !State.EstimatorAlias.empty() && !State.EstimatorFolder.empty())
        Guarded([this] { quillmarkTables_->Open(State.EstimatorFolder); });
    importQM_->SetPlotColour(fieldColour_);
    importQM_->Open(State.HelpLevel);
}

std::int32_t TMainScreen::CurrentResource()
{
    return queryPage_->Logic().GetCurrentResource();
}

void TMainScreen::RefreshCustomerViews()
{
    data_->CustomersTable.refresh();
    data_->JobsTable.refresh();
    queryPage_->ShowControls();
}

void TMainScreen::SetCustomersLabel(const QString& caption)
{
    queryPage_->Logic().Controls.CustomersLabel = caption.toStdString();
    queryPage_->ShowControls();
}

void TMainScreen::EnableJobsNavigator()
{
    queryPage_->Logic().Controls.Select.JobsNavigator = true;
    queryPage_->ShowControls();
}

void TMainScreen::UpdateSelectControls()
{
    queryPage_->UpdateSelectControls();
}

}  // namespace tw::app
