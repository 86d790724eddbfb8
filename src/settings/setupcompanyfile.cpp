// The setup dialog's accounting page: which company file the accounting
// exchange opens, automatic access or a file located by hand.
#include "settings/setupdialoglogic.h"

#include "data/services/userinterface.h"
#include "platform/db/table.h"
#include "settings/companyfilesearch.h"

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

void SetupDialogLogic::FindQBWFilesClick()
{
    const QString drive = view_.SearchDrive();
    ui_.SetBusyCursor(true);
    view_.SetStatusText("Please wait, searching for QuickBooks files on drive " + drive);
    view_.SetCompanyFiles({});
    const QStringList files = FindCompanyFiles(drive);
    view_.SetCompanyFiles(files);
    if (files.isEmpty())
        view_.SetStatusText("No QuickBooks company files found on drive " + drive);
    else
        view_.SetStatusText(QString::number(files.size()) + " QuickBooks company files found on drive " + drive
                            + ".  Left-click a file and click Save");
    ui_.SetBusyCursor(false);
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

}  // namespace tw::settings
