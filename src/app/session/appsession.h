#pragma once
// What one running program has, without a window: the data module with its
// tables, the network lock, the whole-table operations, the schedule
// synchronisation, the calendars, the task adder, the settings tables and
// the run's state. main builds it before any window; the windows are handed
// it and delegate to it; tests build one without a display.
//
//   AppSession session(db::DefaultAliasConfigPath());
//   TMainScreen window(session);            // attaches its user interface
//   ...
//   session.Adder().AddTaskToSchedule(item);  // pushed to the shared tables

#include <memory>
#include <string>

#include "app/session/sessioninterface.h"
#include "app/startupstate.h"
#include "app/startuptables.h"
#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/networklock.h"
#include "data/services/schedulenotice.h"
#include "data/services/tableoperations.h"
#include "query/querystate.h"
#include "schedule/holidaylist.h"
#include "schedule/sync/addtask.h"
#include "schedule/sync/calendartables.h"
#include "schedule/sync/schedulesync.h"
#include "schedule/sync/scheduletables.h"

namespace tw::app {

class AppSession {
public:
    // aliasFile: the file of database names the data module reads.
    explicit AppSession(const std::string& aliasFile);
    ~AppSession();
    AppSession(const AppSession&) = delete;
    AppSession& operator=(const AppSession&) = delete;

    // The run's state, shared with the data services.
    data::MainScreenState State;
    // The run's state by concern (app/startupstate.h).
    RunFlags Flags;
    RunSettings Settings;
    ChartState Chart;
    // The custom-field search in force, kept by the Add / Edit / Query side.
    query::QueryState Query;
    schedule::HolidayList Holidays;
    // "The schedule changed": raised once by whoever changed it, heard by the
    // pages that show it (data/services/schedulenotice.h).
    data::ScheduleNotice Changes;

    data::TEstimateData& Data() { return *data_; }
    // Messages, the status bar and the hourglass; a window attaches its own.
    SessionInterface& Interface() { return interface_; }
    data::NetworkLock& Lock() { return *lock_; }
    data::TableOperations& Tables() { return *tables_; }
    schedule::ScheduleTables& ScheduleTables() { return *scheduleTables_; }
    schedule::ScheduleSync& Sync() { return *sync_; }
    schedule::CalendarTables& Calendars() { return *calendars_; }
    // Every new schedule item enters the schedule here.
    schedule::ScheduleAdder& Adder() { return *adder_; }
    StartupSettingsTables& SettingsTables() { return *settingsTables_; }

    // Every task's end again from its start, hours and calendar, after a
    // calendar changed; a failure reaches the user as an "Error" box.
    void RecomputeAllTaskEnds();
    // The shutdown's last step: the lock record given back if an operation
    // cut short left it held by this copy (never one another copy holds).
    void ReleaseHeldLock();

private:
    SessionInterface interface_;
    std::unique_ptr<data::TEstimateData> data_;
    std::unique_ptr<data::NetworkLock> lock_;
    std::unique_ptr<data::TableOperations> tables_;
    std::unique_ptr<schedule::ScheduleTables> scheduleTables_;
    std::unique_ptr<schedule::ScheduleSync> sync_;
    std::unique_ptr<schedule::CalendarTables> calendars_;
    std::unique_ptr<schedule::ScheduleAdder> adder_;
    std::unique_ptr<StartupSettingsTables> settingsTables_;
};

}  // namespace tw::app
