// Converting the older schedule table: its records reach the working copy and
// the shared tables before its files go, and only a real old table in a
// folder other than the program folder is converted.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "schedule/sync/chartsconversion.h"
#include "workstation.h"
#include "support/recordinguserinterface.h"

using namespace tw;
using namespace tw::schedule;
using namespace tw::schedule::test;

namespace {

class Conversion : public ::testing::Test, protected OneWorkstation {
protected:
    void CreateOldTable(const std::string& folder, int records)
    {
        const data::TableLayout* old = data::FindLayout(data::Database::Scheduler, "Charts.DBF");
        db::CreateTable(folder, "charts.dbf", old->fields, old->indexes);
        db::Table t;
        Workstation::Open(t, folder, "charts.dbf");
        for (int k = 1; k <= records; ++k) {
            t.append();
            t.fieldByName("CHARTSID").setAsInteger(k);
            t.fieldByName("DESC").setAsString("old " + std::to_string(k));
            t.fieldByName("COST").setAsFloat(12.345678);
            t.fieldByName("ORDER").setAsInteger(k * 25);
            t.fieldByName("SDD").setAsDate(46000);
            t.fieldByName("JOB").setAsBoolean(k == 1);
            t.fieldByName("TDESC").setAsString("never read");
            t.post();
        }
    }

    bool Convert(const std::string& folder)
    {
        return ConvertChartsTable(ws->tables, ws->state, ws->ui, ws->sync, "scheduler", folder);
    }
};

TEST_F(Conversion, OldRecordsReachWorkingCopyAndSharedTablesBeforeTheOldFilesGo)
{
    CreateOldTable(shared.path(), 3);
    std::ofstream(shared.file("CHARTS.MDX")) << "index";
    // A working record of the same key keeps what the old layout lacks.
    PutItem(ws->ChartsTable5, {2, "working", 1.0f, "working notes"});
    ws->ChartsTable5.edit();
    ws->ChartsTable5.fieldByName("TDESC").setAsString("Crew B");
    ws->ChartsTable5.fieldByName("CFV3").setAsString("blue");
    ws->ChartsTable5.fieldByName("S2").setAsBoolean(true);
    ws->ChartsTable5.post();

    ASSERT_TRUE(Convert(shared.path()));
    EXPECT_FALSE(ws->state.TablesBusy);
    db::Table& w = ws->ChartsTable5;
    w.refresh();
    EXPECT_EQ(w.recordCount(), 3);
    ASSERT_TRUE(w.locate("CHARTSID", db::Value(2.0)));
    EXPECT_EQ(w.fieldByName("DESC").asString(), "old 2");
    EXPECT_EQ(w.fieldByName("TDESC").asString(), "Crew B");
    EXPECT_EQ(w.fieldByName("CFV3").asString(), "blue");
    EXPECT_TRUE(w.fieldByName("S2").asBoolean());
    EXPECT_TRUE(w.fieldByName("NOTES").isNull());
    EXPECT_EQ(w.fieldByName("COST").asFloat(), 12.3457);
    EXPECT_EQ(w.fieldByName("RCOUNT").asInteger(), 1);
    EXPECT_EQ(w.fieldByName("ORDER").asInteger(), 50);
    // One above the starting counter, the same for every record, with the
    // single's digits kept: 2.10000002 as stored, not 2.0999999.
    EXPECT_NEAR(w.fieldByName("UPDATE").asFloat(), 2.100000023841858, 5e-9);
    EXPECT_EQ(ws->state.UpdateCounter, 1.1f);
    ASSERT_TRUE(w.locate("CHARTSID", db::Value(3.0)));
    EXPECT_TRUE(w.fieldByName("TDESC").isNull());

    // Shared, so the next removal of obsolete records keeps them.
    EXPECT_EQ(DescOf(ws->IChartsTable, 1), "old 1");
    EXPECT_EQ(DescOf(ws->IChartsTable, 3), "old 3");
    EXPECT_FALSE(LockInUse(ws->AccessTable));
    EXPECT_FALSE(ws->sync.RemoveObsoleteTasks());

    for (const char* name : {"charts.dbf", "CHARTS.MDX", "charts.dbt", "charts.twi"})
        EXPECT_FALSE(std::filesystem::exists(shared.file(name))) << name;
    EXPECT_TRUE(db::TableExists(shared.path(), "ICharts.DBF"));
    EXPECT_FALSE(Convert(shared.path())) << "once per folder";
}

TEST_F(Conversion, OnlyARealOldTableOutsideTheProgramFolderIsConverted)
{
    // The working copy is "charts.dbf" too, as names match without case.
    PutItem(ws->ChartsTable5, {1, "working", 1.0f});
    EXPECT_FALSE(Convert(prog.path()));
    ws->state.ProgramFolder.clear();  // known or not: it is the working copy's folder
    EXPECT_FALSE(Convert(prog.path() + "/."));
    EXPECT_TRUE(db::TableExists(prog.path(), "Charts.DBF"));
    EXPECT_EQ(DescOf(ws->ChartsTable5, 1), "working");

    TempFolder other;
    db::CreateTable(other.path(), "charts.dbf", {{"CHARTSID", db::FieldType::Float, 20, 8}});
    EXPECT_FALSE(Convert(other.path()));
    EXPECT_TRUE(db::TableExists(other.path(), "charts.dbf"));

    TempFolder empty;
    EXPECT_FALSE(Convert(empty.path()));
    EXPECT_FALSE(ws->state.TablesBusy);
}

TEST_F(Conversion, OldFilesStayWhenThePushCannotBeDone)
{
    CreateOldTable(shared.path(), 2);
    // Another workstation holds the lock and never lets go: this copy breaks
    // it and leaves the shared tables alone.
    data::MainScreenState otherState;
    data::RecordingUserInterface otherUi;
    db::Table otherAccess;
    Workstation::Open(otherAccess, shared.path(), "Access.dbf");
    data::NetworkLock other(otherAccess, otherState, otherUi);
    ASSERT_TRUE(other.UpdateAccessRecord(true));

    EXPECT_TRUE(Convert(shared.path()));
    EXPECT_FALSE(ws->state.SharedTablesUsable);
    EXPECT_EQ(DescOf(ws->ChartsTable5, 2), "old 2");
    EXPECT_EQ(DescOf(ws->IChartsTable, 2), "<missing>");
    EXPECT_TRUE(db::TableExists(shared.path(), "charts.dbf")) << "the next start converts again";
}

}  // namespace
