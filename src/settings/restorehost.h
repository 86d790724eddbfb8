#pragma once
// What "Smart restore" needs of the running program: its folders, the
// selected archive, the Yes/No questions, the flags, and the steps that
// close, reopen and rebuild every table and screen after the tables are
// back. The application session implements it; tests record what was asked.
//
// Boxes, status texts and the hourglass go through data::UserInterface.

#include <string>

namespace tw::settings {

class RestoreHost {
public:
    virtual ~RestoreHost() = default;

    // The path of the file selected in the Utilities tab's file list; empty when none.
    virtual std::string SelectedBackupFile() const = 0;
    virtual std::string RestoreFolder() const = 0;
    virtual std::string DatabaseFolder() const = 0;
    virtual std::string ProgramFolder() const = 0;
    virtual bool SharedTablesUsable() const = 0;
    // On Linux no elevation exists: the program goes on with the restored data.
    virtual bool OldWindows() const { return true; }

    // A question box without owner: Yes and No, No the default, question icon.
    virtual bool Question(const std::string& text, const std::string& caption) = 0;

    // The run's TablesBusy flag, which the step holds while it works on the tables.
    virtual bool& TablesBusy() = 0;
    virtual void SetBackingUp(bool backingUp) = 0;
    virtual void CloseAllTables() = 0;
    virtual void OpenAllTables() = 0;
    // An old-layout charts.dbf in folder into the working copy; true when converted.
    virtual bool ConvertChartsTable(const std::string& folder) = 0;
    virtual void PullChartUpdates(bool force) = 0;
    virtual void ReindexDatabase() = 0;
    virtual bool TableUpgraded() const = 0;
    virtual void RebuildCrewIndex() = 0;
    // The Work calendar tab from mycomp.dbf PAPERO and crews.dbf.
    virtual void ShowRestoredCalendar() = 0;
    // Free space of the chosen drive, the selection controls and the customer query.
    virtual void RefreshAfterRestore() = 0;
    virtual void SetCustomersLabel(const std::string& text) = 0;
    virtual void CloseMainWindow() = 0;
};

}  // namespace tw::settings
