#pragma once
// The setup dialog: every option of the program on six pages of the
// library's page control (General, QuickBooks, Job status definitions,
// Security, E-Mail, Auto backup). Made once for the run and shown modally;
// what its controls do is SetupDialogLogic's, which it drives through the
// page views it implements.
//
//   TQMSetup setup(host, ui, settings, tables, volumes, mainWindow);
//   setup.ShowSetup();                           // the page last shown
//   setup.ShowSetup(setup.QuickBooksSetupTab()); // the accounting page

#include <QDialog>

#include <functional>
#include <memory>

#include "settings/setupdialoglogic.h"

namespace Ui {
class TQMSetup;
}

class QFileSystemModel;
class QSortFilterProxyModel;

namespace tw::controls {
class TFcTabSheet;
}

namespace tw::settings {

class TQMSetup : public QDialog,
                 private SetupDialogView,
                 private GeneralPageView,
                 private AccountingPageView,
                 private SecurityPageView,
                 private EmailPageView,
                 private AutoBackupPageView,
                 private JobStatusPageView {
    Q_OBJECT
public:
    TQMSetup(SetupHost& host, data::UserInterface& ui, SetupSettings& settings, SetupTables tables,
             const VolumeList& volumes, QWidget* parent = nullptr);
    ~TQMSetup() override;

    // Loads every setting into the controls and shows the dialog modally;
    // page, when given, becomes the active page (otherwise the page last
    // shown stays). Returns when the dialog closes. While it is shown already,
    // it is only brought back to its normal state.
    void ShowSetup(controls::TFcTabSheet* page = nullptr);

    controls::TFcTabSheet* GeneralSetupTab() const;
    controls::TFcTabSheet* QuickBooksSetupTab() const;
    controls::TFcTabSheet* JobStatusTab() const;
    controls::TFcTabSheet* SecurityTab() const;
    controls::TFcTabSheet* EMailSetupTab() const;
    controls::TFcTabSheet* AutoBackupTab() const;

    SetupDialogLogic& Logic() { return *logic_; }
    // The accounting link's view of the dialog and of the run's accounting
    // settings, for every exchange's edition check: the settings the owner
    // gives (the run's), or else the dialog's own working set.
    exchange::SetupEditionView& EditionView() { return *logic_; }
    exchange::ExchangeSettings& AccountingSettings() { return accounting_ ? *accounting_ : *logic_; }
    void SetAccountingSettings(exchange::ExchangeSettings* settings) { accounting_ = settings; }

    void done(int result) override;

private:
    // The page views over the widgets; each setter keeps the handlers quiet.
    void SetStatusText(const QString& text) override;
    void CloseDialog() override;
    void SetDatabaseChangesEnabled(bool enabled) override;
    int QuickBooksEditionIndex() const override;
    void SetQuickBooksEditionIndex(int index) override;
    int HelpLevelIndex() const override;
    void SetHelpLevelIndex(int index) override;
    int TaskHintLevelIndex() const override;
    void SetTaskHintLevelIndex(int index) override;
    bool ShowResourcesChecked() const override;
    void SetShowResourcesChecked(bool checked) override;
    int WorkCalendarIndex() const override;
    void SetWorkCalendarIndex(int index) override;
    int ResourceDisplayIndex() const override;
    void SetResourceDisplayIndex(int index) override;
    bool EnableAutoAccessChecked() const override;
    void SetEnableAutoAccessChecked(bool checked) override;
    void SetCompanyFileGroupEnabled(bool enabled) override;
    QString CompanyPath() const override;
    void SetCompanyPath(const QString& path) override;
    void SetCompanyFiles(const QStringList& files) override;
    std::optional<QString> SelectedCompanyFile() const override;
    QString SearchDrive() const override;
    CompanyFileSearchResult SearchCompanyFiles(const QString& volumeRoot) override;
    std::optional<QString> ChooseCompanyFile(const QString& initialFolder) override;
    int AccessIndex() const override;
    void SetAccessIndex(int index) override;
    void SetAccessPanelEnabled(bool enabled) override;
    void SetReadOnlyMessage(const QString& text) override;
    void SetPasswordMessage(const QString& text) override;
    QString OldPassword() const override;
    QString NewPassword1() const override;
    QString NewPassword2() const override;
    void ClearPasswordEdits() override;
    bool SelectOutlookChecked() const override;
    void SetSelectOutlookChecked(bool checked) override;
    bool UseAuthChecked() const override;
    void SetUseAuthChecked(bool checked) override;
    QString OutlookPath() const override;
    void SetOutlookPath(const QString& path) override;
    void SetOutlookControlsEnabled(bool enabled) override;
    void SetDirectSettingsEnabled(bool enabled) override;
    void SetAuthenticationFieldsEnabled(bool enabled) override;
    EmailFieldTexts EmailFields() const override;
    void SetEmailFields(const EmailFieldTexts& fields) override;
    std::optional<QString> ChooseMailProgram() override;
    bool EnableAutoBackupChecked() const override;
    void SetEnableAutoBackupChecked(bool checked) override;
    void SetMediaPanelEnabled(bool enabled) override;
    QString BackupDrive() const override;
    void SetBackupDrive(const QString& root) override;
    QString TreeBaseFolder() const override;
    void SetTreeBaseFolder(const QString& folder) override;
    void TreeGoUp() override;
    QString ListFolder() const override;
    void SetListHint(const QString& text) override;
    void SetBackupStatus(const QString& text) override;
    void ShowDriveSpace(std::uint64_t usedBytes, std::uint64_t freeBytes, const QString& label) override;
    StatusEditTexts StatusEdits() const override;
    void SetStatusEdits(const StatusEditTexts& texts) override;

    void ConnectHandlers();
    // Runs a handler of the logic for the user's own change, never while the
    // logic itself moves the controls; a failure of the tables or of a step
    // of the main window reaches the user as a message.
    void Handle(const std::function<void()>& handler);
    void FillDriveBoxes();
    void ShowListFolder(const QString& folder);

    std::unique_ptr<Ui::TQMSetup> ui;
    data::UserInterface& messages_;
    const VolumeList& volumes_;
    SetupHost& host_;
    std::unique_ptr<SetupDialogLogic> logic_;
    exchange::ExchangeSettings* accounting_ = nullptr;
    QFileSystemModel* folderModel_ = nullptr;
    QSortFilterProxyModel* folderTree_ = nullptr;  // the base folder and what lies under it
    QFileSystemModel* fileModel_ = nullptr;
    QString treeBase_;
    QString listFolder_;
    int quiet_ = 0;
};

}  // namespace tw::settings
