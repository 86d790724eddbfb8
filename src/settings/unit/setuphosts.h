#pragma once
// The setup dialog's side of the running program: the session's settings
// copied into the dialog's working set when it is shown and back whenever a
// step of the main window needs them and when it closes. What the dialog
// changes on the main window's pages goes through SetupScreens, which the
// Utilities feature unit implements and tests fake; the tables are opened
// again through the TableReopener handed in. No window is needed here.

#include <cstdint>
#include <memory>
#include <string>

#include "app/session/appsession.h"
#include "exchange/exchangeservices.h"
#include "data/jobstatus.h"
#include "settings/setuphost.h"
#include "settings/setupsettings.h"
#include "settings/unit/tablereopener.h"

namespace tw::settings {
class SetupDialogLogic;
}

namespace tw::app {

// What the setup dialog's changes show on the main window and its pages.
class SetupScreens {
public:
    virtual ~SetupScreens() = default;

    // The session's help level on every page.
    virtual void ApplyHelpLevel() = 0;
    // A resource's calendar on the Work calendar page (made when it has none).
    virtual void ShowWorkCalendar(std::int32_t resourceId) = 0;
    // The Work calendar page from the mode in force.
    virtual void RefreshWorkCalendar() = 0;
    virtual void ApplyReadOnlyAccess(bool readOnly) = 0;
    // The password window; true when the password given was right.
    virtual bool AskPassword() = 0;
    virtual void ShowJobStatusTexts(const data::JobStatusTexts& texts) = 0;
    virtual void ShowResourceCaptionMode(int mode) = 0;
    // The Add / Edit / Query page's status choice (-1: none) and its
    // restriction box.
    virtual int TaskStatusIndex() const = 0;
    // Shown, not chosen: the query does not run for it.
    virtual void SetTaskStatusIndex(int index) = 0;
    // As the user's untick: the query runs without the status.
    virtual void UntickRestrictToSelectedStatus() = 0;
    // The root of the volume the program started on.
    virtual std::string StartDrive() const = 0;
    // Ends the program at once, nothing saved.
    virtual void TerminateProgram() = 0;
    // A help page of the program folder by its file name; a failure is told
    // to the user.
    virtual void OpenHelpPage(const QString& page) = 0;
};

// Also the accounting link's settings between showings of the dialog: the
// run's, with the edition check's flag kept in the dialog's working set.
class SessionSetupHost : public settings::SetupHost, public exchange::ExchangeSettings {
public:
    SessionSetupHost(AppSession& session, SetupScreens& screens, TableReopener& tables)
        : session_(session), screens_(screens), tables_(tables)
    {
    }

    // The dialog's logic, once it is made: it writes qbsetup.dbf.
    settings::SetupDialogLogic* Logic = nullptr;

    // The dialog's working set of the run's settings.
    settings::SetupSettings Settings;
    // From the session, before the dialog is shown.
    void Load();
    // Into the session.
    void Store();

    void ApplyHelpLevel(int level) override;
    void EnsureResourceCalendars() override;
    void CompanyRecordChanged() override;
    void RecomputeAllTaskEnds() override;
    void ShowWorkCalendarMode(int mode) override;
    void ApplyReadOnlyAccess(bool readOnly) override;
    void CloseAllTables() override;
    void OpenAllTables() override;
    bool AskPassword() override;
    void TerminateProgram() override;
    void OpenHelpPage(const QString& page) override { screens_.OpenHelpPage(page); }
    int TaskStatusIndex() const override;
    void SetTaskStatusIndex(int index) override;
    void SetTaskStatusItems(const QStringList& items) override;
    void UntickRestrictToSelectedStatus() override;
    void ApplyJobStatusTexts(const QStringList& texts) override;
    std::unique_ptr<qb::SessionManager> OpenAccountingLink() override;
    void SettingsShowing() override { Load(); }
    void SettingsChanged() override { Store(); }

    int QBEdition() const override { return session_.Settings.QBEdition; }
    void SetQBEdition(int edition) override;
    void WriteUSCAN(int edition) override;
    QString QBCompanyFile() const override { return session_.Settings.QBCompanyFile; }
    bool QBAccessChecked() const override { return Settings.QBAccessChecked; }
    void SetQBAccessChecked(bool checked) override { Settings.QBAccessChecked = checked; }
    bool QBAccessPermitted() override { return true; }

private:
    AppSession& session_;
    SetupScreens& screens_;
    TableReopener& tables_;
};

}  // namespace tw::app
