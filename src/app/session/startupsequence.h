#pragma once
// The start-up's database work on a session: opening the three databases and
// every table, reading the settings, and bringing the schedule in step with
// the other workstations. The main window runs it from its Start timer; the
// steps that show something go to the window through StartupWindow.
//
//   StartupSequence startup(session, window);
//   if (!startup.OpenDatabases())   // the program ends; the window was told
//       return;
//   ...
//   if (startup.SynchroniseSchedule())
//       poll->start();
//
// A failure of the table engine in one step reaches the user as its own text
// in an "Error" box and the start-up goes on with the next step.

#include <string>

#include "app/session/appsession.h"
#include "data/jobstatus.h"
#include "platform/datetime/datetime.h"

namespace tw::app {

// What the start-up shows on its window.
class StartupWindow {
public:
    virtual ~StartupWindow() = default;
    // The Utilities page's lines naming the databases in use.
    virtual void ShowScheduleDatabaseInUse(const std::string& text) = 0;
    virtual void ShowEstimatingDatabaseInUse(const std::string& text) = 0;
    // A database did not open: the message, and the end of the program for
    // the schedule and parameters databases.
    virtual void ShowDatabaseFailure(const std::string& text) = 0;
    virtual void EndAfterDatabaseFailure() = 0;
    // The controls that change data follow the read-only setting.
    virtual void ApplyReadOnlyAccess(bool readOnly) = 0;
    // The pages take up the tables just opened.
    virtual void AttachPages() = 0;
    // The window's size and hints, once the settings are read.
    virtual void LayOut() = 0;
    virtual void ShowChartPeriod(TDateTime start, TDateTime end) = 0;
    virtual void ShowJobStatusTexts(const data::JobStatusTexts& texts) = 0;
    virtual void ShowResourceCaptionMode(int mode) = 0;
};

class StartupSequence {
public:
    StartupSequence(AppSession& session, StartupWindow& window);

    // A first run's database names, pointed at the installer's folders
    // (Settings.FirstRunPaths); false when one could not be saved.
    bool CreateFirstRunAliases();
    // From closing what is open to the last setting read at the first
    // showing. False when the schedule or the parameters database did not
    // open; the window has ended the program then.
    bool OpenDatabases();
    // Pulls what the other workstations changed and drops what they deleted;
    // true when the 15-second poll should run (not after a conversion of the
    // older schedule table, which is pushed as a whole).
    bool SynchroniseSchedule();
    // The Work calendar page's mode, as mycomp.dbf keeps it.
    void ReadWorkCalendarMode();
    void ReadEmailSettings();
    void RecomputeAllTaskEnds();

private:
    template <typename Work>
    void Guarded(Work&& work);
    bool OpenScheduleDatabase();
    bool OpenEstimatorDatabase();
    bool OpenParametersDatabase();
    void ReadDatabaseFolders();
    void FinishInterruptedRestore();
    void RemoveRunLeftovers();
    void CheckParamsTable();
    void ReadFirstSettings();
    void OpenAllTables();
    void RestoreChartPeriod();
    void ReindexWhenDue();
    void ReadJobStatusTexts();
    void ReadQuickBooksSettings();
    void ReadUpdateCounter();

    AppSession& s_;
    StartupWindow& window_;
};

}  // namespace tw::app
