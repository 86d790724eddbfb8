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
    if (!view_.EnableAutoAccessChecked()) {
        view_.SetCompanyFileGroupEnabled(true);
        settings_.QBManualCompanyFile = 1;
        return;
    }
    settings_.QBManualCompanyFile = 0;
    view_.SetCompanyFileGroupEnabled(false);
    if (!settings_.TablesOpen || !shown_)
        return;
    view_.SetCompanyPath(QString());
    if (!WriteRecord(tables_.QbSetup, [](db::Table& setup) { setup.fieldByName("CPATH").setAsString(""); },
                     true))
        return;
    settings_.QBAccessChecked = false;
    settings_.QBCompanyFile.clear();
}

void SetupDialogLogic::CompanyPathChange()
{
    if (shown_)
        settings_.QBCompanyFile = view_.CompanyPath();
}

void SetupDialogLogic::CompanyFilesClick()
{
    const std::optional<QString> file = view_.SelectedCompanyFile();
    if (!file)
        return;
    view_.SetCompanyPath(*file);
    settings_.QBAccessChecked = false;
    settings_.QBCompanyFile = *file;
}

void SetupDialogLogic::BrowseToQBWFileClick()
{
    const std::optional<QString> file = view_.ChooseCompanyFile(view_.SearchDrive());
    if (!file)
        return;
    view_.SetCompanyPath(*file);
    settings_.QBAccessChecked = false;
    settings_.QBCompanyFile = *file;
}

// The search shows its own progress with a Stop button instead of the hourglass,
// so that a search of a large volume can be ended.
void SetupDialogLogic::FindQBWFilesClick()
{
    const QString drive = view_.SearchDrive();
    view_.SetStatusText("Please wait, searching for QuickBooks files on drive " + drive);
    view_.SetCompanyFiles({});
    const CompanyFileSearchResult result = view_.SearchCompanyFiles(drive);
    view_.SetCompanyFiles(result.Files);
    const QString found = QString::number(result.Files.size()) + " QuickBooks company files found on drive " + drive;
    if (result.Stopped)
        view_.SetStatusText("Search stopped: " + found);
    else if (result.Files.isEmpty())
        view_.SetStatusText("No QuickBooks company files found on drive " + drive);
    else
        view_.SetStatusText(found + ".  Left-click a file and click Save");
}

void SetupDialogLogic::QBOkClick()
{
    if (!shown_)
        return;
    const QString path = view_.CompanyPath().trimmed();
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
    AccountingServices(SetupView& view, data::UserInterface& ui, SetupSettings& settings)
        : view_(view), ui_(ui), settings_(settings)
    {
    }
    void ShowStopMessage(const QString& text, const QString& caption) override
    {
        ui_.ShowMessage(text.toStdString(), caption.toStdString(), data::MessageIcon::Stop);
    }
    void ShowStatus(const QString& text) override { view_.SetStatusText(text); }
    void SetHourglass(bool on) override { ui_.SetBusyCursor(on); }
    bool& BusyFlag() override { return settings_.Busy; }

private:
    SetupView& view_;
    data::UserInterface& ui_;
    SetupSettings& settings_;
};

SetupDialogLogic::SetupDialogLogic(SetupView& view, SetupHost& host, data::UserInterface& ui,
                                   SetupSettings& settings, SetupTables tables, const VolumeList& volumes)
    : accounting_(std::make_unique<AccountingServices>(view, ui, settings)),
      view_(view), host_(host), ui_(ui), settings_(settings), tables_(tables), volumes_(volumes)
{
}

SetupDialogLogic::~SetupDialogLogic() = default;

void SetupDialogLogic::TestQBAccessClick()
{
    exchange::ExchangeServices services{*accounting_, *accounting_, *accounting_, *this, *this};
    const bool verified =
        RunAccessTest(services, [this] { return host_.OpenAccountingLink(); }, ui_, settings_.HelpLevel == 1);
    view_.SetStatusText(AccessTestStatus(verified));
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
    view_.SetQuickBooksEditionIndex(item);
    QuickBooksEditionClick();
}

}  // namespace tw::settings
