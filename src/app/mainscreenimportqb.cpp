// The main window's side of "Import from QuickBooks": the window, made at
// its first opening from the Add / Edit / Query page.
#include "app/importqbhost.h"
#include "app/mainscreen.h"
#include "exchange/importqbform.h"

namespace tw::app {

void TMainScreen::ImportFromQBClick()
{
    if (!importQB_) {
        importQBHost_ = std::make_unique<QuickBooksImportHost>(session_, *this);
        importQB_ = std::make_unique<exchange::TImportQB>(*data_, State.Keys, *importQBHost_);
    }
    importQB_->SetPlotColour(FieldColour());
    importQB_->Open(State.HelpLevel);
}

}  // namespace tw::app
