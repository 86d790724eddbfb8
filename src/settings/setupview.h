#pragma once
// The setup dialog's controls as its logic reads and writes them, one view
// per page; the dialog implements them over its widgets, tests over plain
// values. Setters never call
// the logic back: the window keeps its controls' signals quiet while the
// logic sets them, and raises a handler only for the user's own clicks.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

namespace tw::settings {

// The typed SMTP values of the e-mail page, as the edits over eparams.dbf
// hold them (each edit limited to its field's width).
struct EmailFieldTexts {
    QString Host;      // EMAILH
    QString Port;      // EMAILPRT
    QString UserId;    // EMAILUID
    QString Password;  // EMAILPW, shown as typed
    QString From;      // EMAILFR
};

// What a search of a volume for company files gave; Stopped when the user
// ended it early (Files then holds what it had found).
struct CompanyFileSearchResult {
    QStringList Files;
    bool Stopped = false;
};

// The job status edits in the page's order: Pending, Awarded, In progress,
// None, Closed, Not awarded.
using StatusEditTexts = std::array<QString, 6>;

// The dialog around its pages: its status bar, closing it, and the controls
// of several pages that change the database.
class SetupDialogView {
public:
    virtual ~SetupDialogView() = default;

    // The dialog's status bar, repainted at once.
    virtual void SetStatusText(const QString& text) = 0;
    virtual void CloseDialog() = 0;
    // The controls that change the database: automatic access and the
    // company-file group (that one only while automatic access is off), the
    // installer and test buttons, the access choice, the edition, the work
    // calendar and the job status Save.
    virtual void SetDatabaseChangesEnabled(bool enabled) = 0;
};

class GeneralPageView {
public:
    virtual ~GeneralPageView() = default;

    virtual int QuickBooksEditionIndex() const = 0;
    virtual void SetQuickBooksEditionIndex(int index) = 0;
    virtual int HelpLevelIndex() const = 0;
    virtual void SetHelpLevelIndex(int index) = 0;
    virtual int TaskHintLevelIndex() const = 0;
    virtual void SetTaskHintLevelIndex(int index) = 0;
    virtual bool ShowResourcesChecked() const = 0;
    virtual void SetShowResourcesChecked(bool checked) = 0;
    virtual int WorkCalendarIndex() const = 0;
    virtual void SetWorkCalendarIndex(int index) = 0;
    virtual int ResourceDisplayIndex() const = 0;
    virtual void SetResourceDisplayIndex(int index) = 0;
};

class AccountingPageView {
public:
    virtual ~AccountingPageView() = default;

    virtual bool EnableAutoAccessChecked() const = 0;
    virtual void SetEnableAutoAccessChecked(bool checked) = 0;
    virtual void SetCompanyFileGroupEnabled(bool enabled) = 0;
    virtual QString CompanyPath() const = 0;
    virtual void SetCompanyPath(const QString& path) = 0;
    virtual void SetCompanyFiles(const QStringList& files) = 0;
    // The entry picked in the found files; none when nothing is selected.
    virtual std::optional<QString> SelectedCompanyFile() const = 0;
    // The mount point chosen for the search.
    virtual QString SearchDrive() const = 0;
    // The search for company files over a volume (FindCompanyFiles); the
    // window runs it off its own thread, showing its progress with a way to stop.
    virtual CompanyFileSearchResult SearchCompanyFiles(const QString& volumeRoot) = 0;
    // The open dialog for a company file ("qbw|*.qbw"); none when cancelled.
    virtual std::optional<QString> ChooseCompanyFile(const QString& initialFolder) = 0;
};

class SecurityPageView {
public:
    virtual ~SecurityPageView() = default;

    virtual int AccessIndex() const = 0;
    virtual void SetAccessIndex(int index) = 0;
    virtual void SetAccessPanelEnabled(bool enabled) = 0;
    virtual void SetReadOnlyMessage(const QString& text) = 0;
    virtual void SetPasswordMessage(const QString& text) = 0;
    virtual QString OldPassword() const = 0;
    virtual QString NewPassword1() const = 0;
    virtual QString NewPassword2() const = 0;
    virtual void ClearPasswordEdits() = 0;
};

class EmailPageView {
public:
    virtual ~EmailPageView() = default;

    virtual bool SelectOutlookChecked() const = 0;
    virtual void SetSelectOutlookChecked(bool checked) = 0;
    virtual bool UseAuthChecked() const = 0;
    virtual void SetUseAuthChecked(bool checked) = 0;
    virtual QString OutlookPath() const = 0;
    virtual void SetOutlookPath(const QString& path) = 0;
    // The Outlook group: its panel, the path and the Browse button.
    virtual void SetOutlookControlsEnabled(bool enabled) = 0;
    // The SMTP group: its panel, five labels, five edits and UseAuth.
    virtual void SetDirectSettingsEnabled(bool enabled) = 0;
    // The user id and password edits with their labels.
    virtual void SetAuthenticationFieldsEnabled(bool enabled) = 0;
    virtual EmailFieldTexts EmailFields() const = 0;
    virtual void SetEmailFields(const EmailFieldTexts& fields) = 0;
    // The open dialog for the mail program ("exe|*.exe"); none when cancelled.
    virtual std::optional<QString> ChooseMailProgram() = 0;
};

// The drive box lists volumes by their mount point; the file list follows
// the tree's folder.
class AutoBackupPageView {
public:
    virtual ~AutoBackupPageView() = default;

    virtual bool EnableAutoBackupChecked() const = 0;
    virtual void SetEnableAutoBackupChecked(bool checked) = 0;
    virtual void SetMediaPanelEnabled(bool enabled) = 0;
    virtual QString BackupDrive() const = 0;
    virtual void SetBackupDrive(const QString& root) = 0;
    virtual QString TreeBaseFolder() const = 0;
    virtual void SetTreeBaseFolder(const QString& folder) = 0;
    // One level up, the list following.
    virtual void TreeGoUp() = 0;
    virtual QString ListFolder() const = 0;
    virtual void SetListHint(const QString& text) = 0;
    // The page's own status line, repainted at once.
    virtual void SetBackupStatus(const QString& text) = 0;
    // The pie's used and free slices and the label under it.
    virtual void ShowDriveSpace(std::uint64_t usedBytes, std::uint64_t freeBytes, const QString& label) = 0;
};

class JobStatusPageView {
public:
    virtual ~JobStatusPageView() = default;

    virtual StatusEditTexts StatusEdits() const = 0;
    virtual void SetStatusEdits(const StatusEditTexts& texts) = 0;
};

// The dialog and each of its pages; each page's handlers use only their own.
struct SetupPageViews {
    SetupDialogView& Dialog;
    GeneralPageView& General;
    AccountingPageView& Accounting;
    SecurityPageView& Security;
    EmailPageView& Email;
    AutoBackupPageView& AutoBackup;
    JobStatusPageView& JobStatus;
};

}  // namespace tw::settings
