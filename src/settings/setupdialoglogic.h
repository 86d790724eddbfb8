#pragma once
// The setup dialog without its window: the show routine's loading of the
// general, accounting, security, e-mail, job status and auto backup pages, the Shown guard and the handlers of
// those pages. Settings are written where and when the dialog writes them:
// params.dbf USEPASSWD and PASSWORD, the job status texts, SF3 and BUDIR;
// eparams.dbf; qbsetup.dbf USCAN, MATCH and CPATH; mycomp.dbf PAPERO.

#include "exchange/exchangeservices.h"
#include "settings/setuphost.h"
#include "settings/setupsettings.h"
#include "settings/setupview.h"

#include <functional>
#include <memory>

namespace tw::db {
class Table;
}
namespace tw::data {
class UserInterface;
}

namespace tw::settings {

class VolumeList;

// The open settings tables of the program folder, one record each.
struct SetupTables {
    db::Table& Params;   // params.dbf
    db::Table& EParams;  // eparams.dbf
    db::Table& QbSetup;  // qbsetup.dbf
    db::Table& MyCompany;  // mycomp.dbf of the schedule database
};

// Besides its pages, the dialog is the accounting link's view of the run's
// accounting settings and of its own edition choice and status bar, whether
// it is shown or not (every exchange's edition check goes through it).
class SetupDialogLogic : public exchange::ExchangeSettings, public exchange::SetupEditionView {
public:
    SetupDialogLogic(const SetupPageViews& pages, SetupHost& host, data::UserInterface& ui,
                     SetupSettings& settings, SetupTables tables, const VolumeList& volumes);
    ~SetupDialogLogic() override;

    bool Shown() const { return shown_; }
    bool ReadOnlyChoice() const { return readOnlyChoice_; }

    // Loads every setting of these pages into the controls and marks the
    // dialog shown; a second call while shown does nothing and gives false.
    bool ShowSetup();
    // Any way of closing the dialog.
    void FormClose();

    // General page.
    void QuickBooksEditionClick();
    void HelpLevelSelectionClick();
    void TaskHintLevelClick();
    void ShowResourcesClick() { TaskHintLevelClick(); }
    void WorkCalendarClick();
    void GeneralSettingsOKClick();
    // False while the accounting edition check sets the edition itself.
    void SetEditionClickEnabled(bool enabled) override { editionClickEnabled_ = enabled; }

    // Accounting page (the access test aside).
    void EnableAutoAccessClick();
    void CompanyPathChange();
    void CompanyFilesClick();
    void BrowseToQBWFileClick();
    void FindQBWFilesClick();
    void QBOkClick();
    // Opens a session as every exchange does and queries the customers.
    void TestQBAccessClick();

    // The accounting link's settings: the run's, through this dialog.
    int QBEdition() const override { return settings_.QBEdition; }
    void SetQBEdition(int edition) override;
    void WriteUSCAN(int edition) override;
    QString QBCompanyFile() const override { return settings_.QBCompanyFile; }
    bool QBAccessChecked() const override { return settings_.QBAccessChecked; }
    void SetQBAccessChecked(bool checked) override;
    bool QBAccessPermitted() override { return true; }
    // The edition check's part of the dialog.
    void ShowVersionsStatus(const QString& text) override { pages_.Dialog.SetStatusText(text); }
    void SetEditionChoice(int item) override;

    // Security page.
    void ShowSecurityState(int choice);
    void AccessPanelClick();
    void SecuritySaveClick();
    void CallLoginClick();
    void SavePasswordClick();

    // E-mail page.
    void SelectOutlookClick();
    void UseAuthClick();
    void BrowseForOutlookClick();
    void SaveEMailSettingsClick();

    // Job status page.
    void SaveJobStatusDefsClick();

    // Auto backup page. The tree's and the list's change and click handlers
    // share one behaviour: BackupFolderChanged.
    void EnableAutoBackupClick();
    void DriveComboBox2Change();
    void DriveComboBox2Click();
    void BackupFolderChanged();
    void UpClick();
    void SaveBackupFolderClick();
    void ShowDriveFreeSpace(const QString& drive);

private:
    // Edits the table's one record (made when missing), writes it and posts;
    // a failure is shown and nothing of it stays in the record.
    bool WriteRecord(db::Table& table, const std::function<void(db::Table&)>& write, bool refresh);
    // True when the path fits its text field; otherwise the user is told,
    // since a cut path would name another file.
    bool PathFits(const QString& path, std::size_t fieldWidth, const char* what);
    void RefusePassword(const QString& text);
    // Writes what was typed into the SMTP edits; false (after telling the
    // user) when the port is not a number the field can hold.
    bool PostTypedEmailFields();
    void CloseDialog();
    void LoadAutoBackup();
    // The backup drive box, tree and status line on BackupFolder.
    void ShowBackupFolder();

    class AccountingServices;
    std::unique_ptr<AccountingServices> accounting_;
    SetupPageViews pages_;
    SetupHost& host_;
    data::UserInterface& ui_;
    SetupSettings& settings_;
    SetupTables tables_;
    const VolumeList& volumes_;
    bool shown_ = false;
    bool readOnlyChoice_ = false;
    bool editionClickEnabled_ = true;
};

}  // namespace tw::settings
