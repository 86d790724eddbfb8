#pragma once
// The setup dialog's side of the running program: the session's settings
// copied into the dialog's working set when it is shown and back whenever a
// step of the main window needs them and when it closes, and the few steps
// that are the main window's, given as callbacks.

#include <functional>
#include <memory>

#include "app/session/appsession.h"
#include "exchange/exchangeservices.h"
#include "data/jobstatus.h"
#include "settings/setuphost.h"
#include "settings/setupsettings.h"

namespace tw::settings {
class SetupDialogLogic;
}

namespace tw::app {

struct SetupWindowSteps {
    std::function<void()> ApplyHelpLevel;
    std::function<void(std::int32_t resourceId)> ShowWorkCalendar;
    // The Work calendar page from the mode in force.
    std::function<void()> RefreshWorkCalendar;
    std::function<void()> RecomputeAllTaskEnds;
    std::function<void(bool readOnly)> ApplyReadOnlyAccess;
    std::function<void()> CloseAllTables;
    std::function<void()> OpenAllTables;
    std::function<bool()> AskPassword;
    std::function<void(const data::JobStatusTexts& texts)> ShowJobStatusTexts;
    std::function<void(int mode)> ShowResourceCaptionMode;
    // The Add / Edit / Query page's status choice and its restriction box.
    std::function<int()> TaskStatusIndex;
    std::function<void(int index)> SetTaskStatusIndex;
    std::function<void()> UntickRestrictToSelectedStatus;
    // The root of the volume the program started on.
    std::function<std::string()> StartDrive;
};

// Also the accounting link's settings between showings of the dialog: the
// run's, with the edition check's flag kept in the dialog's working set.
class SessionSetupHost : public settings::SetupHost, public exchange::ExchangeSettings {
public:
    SessionSetupHost(AppSession& session, SetupWindowSteps& steps) : session_(session), steps_(steps) {}

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
    SetupWindowSteps& steps_;
};

}  // namespace tw::app
