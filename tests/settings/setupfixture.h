#pragma once
// The setup dialog's logic over the program folder's own new settings
// tables, with a view and a main window that record what was asked.

#include "app/testfolder.h"
#include "data/services/tablecreation.h"
#include "exchange/qb/sessionmanager.h"
#include "platform/db/table.h"
#include "settings/companyfilesearch.h"
#include "settings/setupdialoglogic.h"
#include "settings/volumes.h"
#include "support/recordinguserinterface.h"

#include <QStringList>

#include <algorithm>
#include <memory>
#include <vector>

namespace tw::settings::testing {

// Every page of the dialog over plain values.
class RecordingSetupView : public SetupDialogView,
                           public GeneralPageView,
                           public AccountingPageView,
                           public SecurityPageView,
                           public EmailPageView,
                           public AutoBackupPageView,
                           public JobStatusPageView {
public:
    SetupPageViews Pages() { return {*this, *this, *this, *this, *this, *this, *this}; }

    void SetStatusText(const QString& text) override { Status = text; }
    void CloseDialog() override { ++Closes; }
    void SetDatabaseChangesEnabled(bool enabled) override { DatabaseChangesEnabled = enabled; }

    bool EnableAutoAccessChecked() const override { return AutoAccess; }
    void SetEnableAutoAccessChecked(bool checked) override { AutoAccess = checked; }
    void SetCompanyFileGroupEnabled(bool enabled) override { CompanyFileEnabled = enabled; }
    QString CompanyPath() const override { return Company; }
    void SetCompanyPath(const QString& path) override { Company = path; }
    void SetCompanyFiles(const QStringList& files) override { CompanyFiles = files; }
    std::optional<QString> SelectedCompanyFile() const override { return SelectedFile; }
    QString SearchDrive() const override { return Search; }
    // The search as the window runs it, on this thread; StopSearch stands for
    // the user's Stop before the first folder.
    CompanyFileSearchResult SearchCompanyFiles(const QString& volumeRoot) override
    {
        CompanyFileSearchProgress progress;
        progress.stop = StopSearch;
        CompanyFileSearchResult result{FindCompanyFiles(volumeRoot, &progress), StopSearch};
        FoldersSearched = progress.foldersSearched;
        return result;
    }
    std::optional<QString> ChooseCompanyFile(const QString& initialFolder) override
    {
        ChooserFolder = initialFolder;
        return PickedFile;
    }

    int QuickBooksEditionIndex() const override { return Edition; }
    void SetQuickBooksEditionIndex(int index) override { Edition = index; }
    int HelpLevelIndex() const override { return HelpLevel; }
    void SetHelpLevelIndex(int index) override { HelpLevel = index; }
    int TaskHintLevelIndex() const override { return HintLevel; }
    void SetTaskHintLevelIndex(int index) override { HintLevel = index; }
    bool ShowResourcesChecked() const override { return ShowResources; }
    void SetShowResourcesChecked(bool checked) override { ShowResources = checked; }
    int WorkCalendarIndex() const override { return WorkCalendar; }
    void SetWorkCalendarIndex(int index) override { WorkCalendar = index; }
    int ResourceDisplayIndex() const override { return ResourceDisplay; }
    void SetResourceDisplayIndex(int index) override { ResourceDisplay = index; }

    int AccessIndex() const override { return Access; }
    void SetAccessIndex(int index) override { Access = index; }
    void SetAccessPanelEnabled(bool enabled) override { AccessPanelEnabled = enabled; }
    void SetReadOnlyMessage(const QString& text) override { ReadOnlyMsg = text; }
    void SetPasswordMessage(const QString& text) override { PasswordMsg = text; }
    QString OldPassword() const override { return Old; }
    QString NewPassword1() const override { return New1; }
    QString NewPassword2() const override { return New2; }
    void ClearPasswordEdits() override { Old = New1 = New2 = QString(); }

    bool SelectOutlookChecked() const override { return Outlook; }
    void SetSelectOutlookChecked(bool checked) override { Outlook = checked; }
    bool UseAuthChecked() const override { return UseAuth; }
    void SetUseAuthChecked(bool checked) override { UseAuth = checked; }
    QString OutlookPath() const override { return MailProgram; }
    void SetOutlookPath(const QString& path) override { MailProgram = path; }
    void SetOutlookControlsEnabled(bool enabled) override { OutlookEnabled = enabled; }
    void SetDirectSettingsEnabled(bool enabled) override { DirectEnabled = enabled; }
    void SetAuthenticationFieldsEnabled(bool enabled) override { AuthFieldsEnabled = enabled; }
    EmailFieldTexts EmailFields() const override { return Email; }
    void SetEmailFields(const EmailFieldTexts& fields) override { Email = fields; }
    std::optional<QString> ChooseMailProgram() override { return PickedProgram; }

    bool EnableAutoBackupChecked() const override { return AutoBackup; }
    void SetEnableAutoBackupChecked(bool checked) override { AutoBackup = checked; }
    void SetMediaPanelEnabled(bool enabled) override { MediaEnabled = enabled; }
    QString BackupDrive() const override { return Drive; }
    void SetBackupDrive(const QString& root) override { Drive = root; }
    QString TreeBaseFolder() const override { return TreeBase; }
    void SetTreeBaseFolder(const QString& folder) override { TreeBase = ListPath = folder; }
    // A tree cannot go above its base folder.
    void TreeGoUp() override
    {
        if (ListPath != TreeBase)
            ListPath = ListPath.left(std::max<qsizetype>(ListPath.lastIndexOf('/'), 1));
    }
    QString ListFolder() const override { return ListPath; }
    void SetListHint(const QString& text) override { ListHint = text; }
    void SetBackupStatus(const QString& text) override { BackupStatus = text; }
    void ShowDriveSpace(std::uint64_t usedBytes, std::uint64_t freeBytes, const QString& label) override
    {
        Used = usedBytes;
        Free = freeBytes;
        SizeLabel = label;
    }

    StatusEditTexts StatusEdits() const override { return Statuses; }
    void SetStatusEdits(const StatusEditTexts& texts) override { Statuses = texts; }

    QString Status = QStringLiteral("(untouched)");
    int Closes = 0;
    bool DatabaseChangesEnabled = true;
    int Edition = -1, HelpLevel = -1, HintLevel = -1, WorkCalendar = -1, ResourceDisplay = -1;
    bool ShowResources = false;
    bool AutoAccess = false, CompanyFileEnabled = true;
    QString Company, Search, ChooserFolder;
    bool StopSearch = false;
    int FoldersSearched = -1;
    QStringList CompanyFiles;
    std::optional<QString> SelectedFile, PickedFile;
    int Access = -1;
    bool AccessPanelEnabled = true;
    QString ReadOnlyMsg, PasswordMsg, Old, New1, New2;
    bool Outlook = false, UseAuth = false;
    QString MailProgram;
    bool OutlookEnabled = true, DirectEnabled = true, AuthFieldsEnabled = true;
    EmailFieldTexts Email;
    std::optional<QString> PickedProgram;
    StatusEditTexts Statuses;
    bool AutoBackup = false, MediaEnabled = true;
    QString Drive, TreeBase, ListPath, ListHint, BackupStatus, SizeLabel;
    std::uint64_t Used = 1, Free = 1;
};

// Volumes as a test lays them out: mount points under the test's folder.
class FixedVolumes : public VolumeList {
public:
    std::vector<Volume> Volumes() const override { return List; }
    std::vector<Volume> List;
};

class RecordingSetupHost : public SetupHost {
public:
    void ApplyHelpLevel(int level) override { Calls.push_back("help level " + std::to_string(level)); }
    void EnsureResourceCalendars() override { Calls.push_back("resource calendars"); }
    void CompanyRecordChanged() override { Calls.push_back("company record changed"); }
    void RecomputeAllTaskEnds() override { Calls.push_back("recompute task ends"); }
    void ShowWorkCalendarMode(int mode) override { Calls.push_back("calendar mode " + std::to_string(mode)); }
    void ApplyReadOnlyAccess(bool readOnly) override { Calls.push_back(readOnly ? "read-only" : "read-write"); }
    void CloseAllTables() override { Calls.push_back("close tables"); }
    void OpenAllTables() override { Calls.push_back("open tables"); }
    bool AskPassword() override
    {
        Calls.push_back("ask password");
        return PasswordGiven;
    }
    void TerminateProgram() override { Calls.push_back("terminate"); }
    void OpenHelpPage(const QString& page) override { HelpPages << page; }
    int TaskStatusIndex() const override { return StatusIndex; }
    void SetTaskStatusIndex(int index) override { StatusIndex = index; }
    void SetTaskStatusItems(const QStringList& items) override
    {
        StatusItems = items;
        StatusIndex = -1;  // a radio group loses its selection with its items
    }
    void UntickRestrictToSelectedStatus() override { RestrictToSelectedStatus = false; }
    void ApplyJobStatusTexts(const QStringList& texts) override { AppliedTexts = texts; }
    std::unique_ptr<qb::SessionManager> OpenAccountingLink() override
    {
        Calls.push_back("open accounting link");
        return Link ? Link() : nullptr;
    }
    // Counted apart from the main window's steps.
    void SettingsShowing() override { ++Showings; }
    void SettingsChanged() override { ++Changes; }

    std::vector<std::string> Calls;
    std::function<std::unique_ptr<qb::SessionManager>()> Link;
    int Showings = 0, Changes = 0;
    bool PasswordGiven = false;
    int StatusIndex = 2;
    QStringList StatusItems;
    bool RestrictToSelectedStatus = true;
    QStringList AppliedTexts;
    QStringList HelpPages;
};

class SetupTest : public app::testing::TestFolder {
protected:
    void SetUp() override
    {
        TestFolder::SetUp();
        std::filesystem::create_directories(dir_);
        data::CreateMissingProgramTables(dir_.string());
        Open(params_, "params.dbf");
        Open(email_, "eparams.dbf");
        Open(qbSetup_, "qbsetup.dbf");
        const std::filesystem::path database = dir_ / "scheduler";
        std::filesystem::create_directories(database);
        data::CreateScheduleDatabase(database.string());
        company_.setFolder(database.string());
        company_.setTableName("mycomp.dbf");
        company_.open();
        company_.append();
        company_.post();
        settings_.JobStatusTexts = {"Awarded", "Closed", "In progress", "None", "Not awarded", "Pending"};
        logic_ = std::make_unique<SetupDialogLogic>(view_.Pages(), host_, ui_, settings_,
                                                    SetupTables{params_, email_, qbSetup_, company_},
                                                    volumes_);
    }
    void TearDown() override
    {
        logic_.reset();
        params_.close();
        email_.close();
        qbSetup_.close();
        company_.close();
        TestFolder::TearDown();
    }

    void Open(db::Table& table, const char* file)
    {
        table.setFolder(dir_.string());
        table.setTableName(file);
        table.open();
    }

    // Fields as another cursor reads them from the file.
    std::string StoredText(const char* file, const char* field)
    {
        db::Table table;
        Open(table, file);
        table.first();
        return table.fieldByName(field).asString();
    }
    bool StoredFlag(const char* file, const char* field)
    {
        db::Table table;
        Open(table, file);
        table.first();
        return table.fieldByName(field).asBoolean();
    }
    std::int64_t StoredNumber(const char* file, const char* field)
    {
        db::Table table;
        Open(table, file);
        table.first();
        return table.fieldByName(field).asInteger();
    }
    void Write(db::Table& table, const std::function<void(db::Table&)>& write)
    {
        table.first();
        table.edit();
        write(table);
        table.post();
    }

    std::int64_t StoredCompanyMode()
    {
        db::Table table;
        table.setFolder((dir_ / "scheduler").string());
        table.setTableName("mycomp.dbf");
        table.open();
        table.first();
        return table.fieldByName("PAPERO").asInteger();
    }

    db::Table params_, email_, qbSetup_, company_;
    RecordingSetupView view_;
    RecordingSetupHost host_;
    data::RecordingUserInterface ui_;
    SetupSettings settings_;
    FixedVolumes volumes_;
    std::unique_ptr<SetupDialogLogic> logic_;
};

}  // namespace tw::settings::testing
