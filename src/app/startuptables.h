#pragma once
// The start-up's and the shutdown's work on the settings tables (params.dbf,
// qbsetup.dbf, eparams.dbf and the company record), without a window. Each
// step reads what its part of the program needs and leaves the rest alone; a
// table that is closed or holds no record leaves the values as they were.
// Errors of the table engine are thrown; the window shows them and goes on.

#include "app/startupstate.h"
#include "data/services/mainstate.h"
#include "platform/db/table.h"

#include <string>

namespace tw::app {

struct SettingsTables {
    db::Table& ParamsTable;
    db::Table& QBSetupTable;
    db::Table& ETable;
    db::Table& MyCompanyTable;
};

class StartupSettingsTables {
public:
    StartupSettingsTables(SettingsTables tables, data::MainScreenState& state, RunSettings& settings,
                          ChartState& chart, RunFlags& flags);

    void ReadFirstSettings();
    // The saved chart period; where none is saved, a quarter hour from the start of the run.
    void ReadChartPeriod();
    void ReadSelectionSettings();
    void ReadPasswordSetting();
    // Whether the indexes are due to be rebuilt: every few days, and on a first run.
    bool ReindexDue();
    void ReadBackupSettings();
    // The job status names, each falling back to its own text where the table has none.
    void ReadJobStatusTexts();
    void ReadPageFormat();
    // A first run stores the installer's backup folder and the restore
    // folder and creates the backup folder; later runs read both back.
    void SetUpBackupFolders();
    void ReadQuickBooksSettings();
    // mycomp.dbf PAPERO; the current mode when the table has no record.
    int ReadWorkCalendarMode();
    void ReadEmailSettings();
    void ReadCompanyName();
    void ReadSortChoice();
    // params.dbf PASSWORD as stored; "" without a settings record.
    std::string StoredPassword();
    // The keys of the current customer, schedule item and resource are the
    // caller's, 0 where there is none.
    void SaveRunSettings(int page, std::int32_t customer, std::int32_t scheduleItem, std::int32_t resource);

private:
    SettingsTables tables_;
    data::MainScreenState& state_;
    RunSettings& settings_;
    ChartState& chart_;
    RunFlags& flags_;
};

// The one record of a settings table, current; nullptr when the table is
// closed or holds no record.
db::Table* SettingsRecord(db::Table& table);

// The key of the current record, 0 when the table is closed or empty.
std::int32_t CurrentKey(db::Table& table, const char* field);

}  // namespace tw::app
