// The setup dialog's accounting page: which company file the accounting
// exchange opens, automatic access or a file located by hand.
#include "settings/setupdialoglogic.h"

#include "data/services/userinterface.h"
#include "exchange/qb/sessionmanager.h"
#include "platform/db/table.h"
#include "settings/setupaccesstest.h"

namespace tw::settings {

namespace {

constexpr std::size_t kCompanyPathFieldWidth = 254;

}  // namespace

void SetupDialogLogic::EnableAutoAccessClick()
{
    if (!pages_.Accounting.EnableAutoAccessChecked()) {
        pages_.Accounting.SetCompanyFileGroupEnabled(true);
        settings_.QBManualCompanyFile = 1;
        return;
    }
    settings_.QBManualCompanyFile = 0;
    pages_.Accounting.SetCompanyFileGroupEnabled(false);
    if (!settings_.TablesOpen || !shown_)
        return;
    pages_.Accounting.SetCompanyPath(QString());
    if (!WriteRecord(tables_.QbSetup, [](db::Table& setup) { setup.fieldByName("CPATH").setAsString(""); },
                     true))
        return;
    settings_.QBAccessChecked = false;
    settings_.QBCompanyFile.clear();
}

void SetupDialogLogic::CompanyPathChange()
{
    if (shown_)
        settings_.QBCompanyFile = pages_.Accounting.CompanyPath();
}

void SetupDialogLogic::CompanyFilesClick()
{
    const std::optional<QString> file = pages_.Accounting.SelectedCompanyFile();
    if (!file)
        return;
    pages_.Accounting.SetCompanyPath(*file);
    settings_.QBAccessChecked = false;
    settings_.QBCompanyFile = *file;
}

void SetupDialogLogic::BrowseToQBWFileClick()
{
    const std::optional<QString> file = pages_.Accounting.ChooseCompanyFile(pages_.Accounting.SearchDrive());
    if (!file)
        return;
    pages_.Accounting.SetCompanyPath(*file);
    settings_.QBAccessChecked = false;
    settings_.QBCompanyFile = *file;
}

// The search shows its own progress with a Stop button instead of the hourglass,
// so that a search of a large volume can be ended.
void SetupDialogLogic::FindQBWFilesClick()
{
    const QString drive = pages_.Accounting.SearchDrive();
    pages_.Dialog.SetStatusText("Please wait, searching for QuickBooks files on drive " + drive);
    pages_.Accounting.SetCompanyFiles({});
    const CompanyFileSearchResult result = pages_.Accounting.SearchCompanyFiles(drive);
    pages_.Accounting.SetCompanyFiles(result.Files);
    const QString found = QString::number(result.Files.size()) + " QuickBooks company files found on drive " + drive;
    if (result.Stopped)
        pages_.Dialog.SetStatusText("Search stopped: " + found);
    else if (result.Files.isEmpty())
        pages_.Dialog.SetStatusText("No QuickBooks company files found on drive " + drive);
    else
        pages_.Dialog.SetStatusText(found + ".  Left-click a file and click Save");
}

void SetupDialogLogic::QBOkClick()
{
    if (!shown_)
        return;
    const QString path = pages_.Accounting.CompanyPath().trimmed();
    if (!PathFits(path, kCompanyPathFieldWidth, "The company file's path"))
        return;
    if (!WriteRecord(tables_.QbSetup, [&](db::Table& setup) {
            setup.fieldByName("CPATH").setAsString(path.toStdString());
        }, true))
        return;
    settings_.QBAccessChecked = false;
    settings_.QBCompanyFile = path;
    CloseDialog();
}

// Boxes, the status line and the hourglass of an exchange run from this dialog.
class SetupDialogLogic::AccountingServices : public exchange::ExchangeMessages,
                                             public exchange::ExchangeStatus,
                                             public exchange::ExchangeBusyHooks {
public:
    AccountingServices(SetupDialogView& dialog, data::UserInterface& ui, SetupSettings& settings)
        : dialog_(dialog), ui_(ui), settings_(settings)
    {
    }
    void ShowStopMessage(const QString& text, const QString& caption) override
    {
        ui_.ShowMessage(text.toStdString(), caption.toStdString(), data::MessageIcon::Stop);
    }
    void ShowStatus(const QString& text) override { dialog_.SetStatusText(text); }
    data::UserInterface& Interface() override { return ui_; }
    bool& BusyFlag() override { return settings_.Busy; }

private:
    SetupDialogView& dialog_;
    data::UserInterface& ui_;
    SetupSettings& settings_;
};

SetupDialogLogic::SetupDialogLogic(const SetupPageViews& pages, SetupHost& host, data::UserInterface& ui,
                                   SetupSettings& settings, SetupTables tables, const VolumeList& volumes)
    : accounting_(std::make_unique<AccountingServices>(pages.Dialog, ui, settings)),
      pages_(pages), host_(host), ui_(ui), settings_(settings), tables_(tables), volumes_(volumes)
{
}

SetupDialogLogic::~SetupDialogLogic() = default;

void SetupDialogLogic::TestQBAccessClick()
{
    exchange::ExchangeServices services{*accounting_, *accounting_, *accounting_, *this, *this};
    const bool verified =
        RunAccessTest(services, [this] { return host_.OpenAccountingLink(); }, ui_, settings_.HelpLevel == 1);
    pages_.Dialog.SetStatusText(AccessTestStatus(verified));
}

void SetupDialogLogic::SetQBEdition(int edition)
{
    settings_.QBEdition = edition;
    host_.SettingsChanged();
}

void SetupDialogLogic::SetQBAccessChecked(bool checked)
{
    settings_.QBAccessChecked = checked;
}

void SetupDialogLogic::WriteUSCAN(int edition)
{
    WriteRecord(tables_.QbSetup, [edition](db::Table& setup) { setup.fieldByName("USCAN").setAsInteger(edition); },
                true);
}

// The edition check moves the choice itself; with the handler held off by
// SetEditionClickEnabled(false) this changes nothing else.
void SetupDialogLogic::SetEditionChoice(int item)
{
    pages_.General.SetQuickBooksEditionIndex(item);
    QuickBooksEditionClick();
}

}  // namespace tw::settings
