#pragma once
// The main window's operations on whole tables: the structure check and
// upgrade of a live table against its reference twin, opening and closing all
// tables, the re-index, pack and sort, the engine's error box and the
// customer count. They run on the data module's components and the main
// window's run state, and reach the user only through UserInterface, so the
// main window delegates to them and tests call them directly.
//
//   TableOperations tables(data, state, ui, lock);
//   tables.CloseAllTables();
//   tables.OpenAllTables(true);   // creates what a fresh program folder lacks

#include <string>

#include "data/services/estimatedata.h"
#include "data/services/mainstate.h"
#include "data/services/networklock.h"
#include "data/services/userinterface.h"
#include "platform/db/table.h"
#include "platform/db/types.h"

namespace tw::data {

class TableOperations {
public:
    TableOperations(TEstimateData& data, MainScreenState& state, UserInterface& ui, NetworkLock& lock);

    // Checks the live table against its reference twin and upgrades it to the
    // twin's layout when they differ. True when the table is usable (and then
    // open): unchanged, upgraded, created because it was missing, or left as
    // it was after an upgrade that could not be completed (reported once per
    // run). False only when the upgrade was refused because the folder lies on
    // a network server; the program then ends. A table that exists but cannot
    // be read is never replaced: its DbError goes to the caller, which reports
    // it as possibly damaged.
    bool CheckTableStructure(db::Table& table, db::Table& reference, const std::string& folder);

    // Gives every task of the working copy the assignment row of its primary
    // resource in ICrews.DBF, after crews.dbf was upgraded.
    void RebuildCrewIndex();

    void OpenTable(db::Table& table, db::Table& reference, bool quillmarkTable, bool closeAfter, bool check,
                   const std::string& folder);
    // Makes what the program folder lacks (its tables, with one record in each
    // settings table, and every reference twin) before anything is opened. A
    // schedule folder without ICharts.dbf is refused, except on the first run
    // in a folder that holds no table yet: that one becomes a new, empty
    // schedule database.
    void OpenAllTables(bool rebuildAllowed);
    static void CloseTable(db::Table& table, bool refresh);
    void CloseAllTables();

    void ReindexDatabase();
    void PackTable(db::Table& table, const std::string& label);
    // databaseName: the database name under which the table is sorted;
    // field1..field4 the 1-based numbers of the sort fields, most significant
    // first (0: unused).
    void SortTable(const std::string& databaseName, db::Table& table, int field1, int field2, int field3,
                   int field4);
    void ShowDbiError(db::ErrorCode code);
    void ShowCustomerCount();

private:
    bool UpgradeTable(db::Table& table, db::Table& reference, const std::string& folder);
    void CarryOverRecords(db::Table& live, db::Table& reference);
    void FixUpAfterUpgrade(db::Table& live);
    void ReportDamagedDatabase();
    void ReportDamagedTable(const std::string& fileName);

    TEstimateData& data_;
    MainScreenState& state_;
    UserInterface& ui_;
    NetworkLock& lock_;
};

}  // namespace tw::data
