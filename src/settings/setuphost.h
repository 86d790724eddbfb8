#pragma once
// What the setup dialog needs of the main window beyond the settings it
// holds: balloon help, the work calendars, the read-only switch, reopening
// every table, the start-up password dialog, ending the program, the query
// page's status choice and the help pages. The application session
// implements it; tests record what was asked.

#include <QString>
#include <QStringList>

#include <memory>

namespace tw::qb {
class SessionManager;
}

namespace tw::settings {

class SetupHost {
public:
    virtual ~SetupHost() = default;

    // Balloon help on or off at once.
    virtual void ApplyHelpLevel(int level) = 0;
    // Gives every resource its calendar record (one per resource mode).
    virtual void EnsureResourceCalendars() = 0;
    // mycomp.dbf was written: the company page, when not in view, reads it again.
    virtual void CompanyRecordChanged() = 0;
    // Every task's start and end on the calendars now in force; the chart
    // is drawn again.
    virtual void RecomputeAllTaskEnds() = 0;
    // The calendar page: the shared calendar (mode 0), or the calendar of the
    // current resource with the resource choice enabled (mode 1).
    virtual void ShowWorkCalendarMode(int mode) = 0;

    // Enables or disables the main window's editing controls.
    virtual void ApplyReadOnlyAccess(bool readOnly) = 0;
    virtual void CloseAllTables() = 0;
    virtual void OpenAllTables() = 0;
    // The start-up password dialog, modal; true when the password was given.
    virtual bool AskPassword() = 0;
    // Asks the application to end after the dialog closes.
    virtual void TerminateProgram() = 0;
    // A help page of the program folder by its file name; a failure is
    // told to the user.
    virtual void OpenHelpPage(const QString& page) = 0;

    // The query page's status choice and its "restrict to the selected
    // status" box (unticking it drops the query's status restriction).
    virtual int TaskStatusIndex() const = 0;
    virtual void SetTaskStatusIndex(int index) = 0;
    virtual void SetTaskStatusItems(const QStringList& items) = 0;
    virtual void UntickRestrictToSelectedStatus() = 0;
    // The new status texts reach the task editor, charts and reports.
    virtual void ApplyJobStatusTexts(const QStringList& texts) = 0;

    // The accounting link's session manager; none when no link is installed.
    virtual std::unique_ptr<qb::SessionManager> OpenAccountingLink() = 0;
    // The dialog is about to load its controls: the settings it works on
    // are brought up to date with the run's.
    virtual void SettingsShowing() = 0;
    // The dialog closed, or the accounting link changed a setting while no
    // handler ran (its edition check corrects the edition): the main window
    // takes the settings.
    virtual void SettingsChanged() = 0;
};

}  // namespace tw::settings
