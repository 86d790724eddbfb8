// Re-index, pack and sort of whole tables on scratch folders.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/datetime/datetime.h"
#include "servicesfixture.h"

namespace tw::data::testing {
namespace {

class MaintenanceTest : public ServicesTest {
protected:
    void SetUp() override
    {
        ServicesTest::SetUp();
        OpenFreshTables();
    }

    static void AddCustomer(db::Table& t, int cid, const char* name)
    {
        t.append();
        t.fieldByName("CID").setAsInteger(cid);
        t.fieldByName("NAME").setAsString(name);
        t.post();
    }
    static void AddJob(db::Table& t, int cid, const char* custName)
    {
        t.append();
        t.fieldByName("CID").setAsInteger(cid);
        t.fieldByName("CUSTNAME").setAsString(custName);
        t.post();
    }
    std::uintmax_t FileSize(const std::string& path) { return std::filesystem::file_size(path); }
};

TEST_F(MaintenanceTest, ReindexPacksEveryTableAndBringsJobsUpToDate)
{
    db::Table& customers = data_->CustomersTable3;
    AddCustomer(customers, 1, "Smith, John");
    AddCustomer(customers, 2, "Brown, Ann");
    for (int i = 0; i < 20; ++i)
        AddCustomer(customers, 100 + i, "Gone");
    for (int i = 0; i < 20; ++i) {
        customers.locate("CID", db::Value(100.0 + i));
        customers.deleteRecord();
    }
    AddJob(data_->JobsTable3, 1, "Smith");
    AddJob(data_->JobsTable3, 2, "Brown, Ann");
    AddJob(data_->JobsTable3, 3, "Nobody");
    const auto sizeBefore = FileSize(schedule_ + "/customers.dbf");
    data_->ParamsTable.first();
    data_->ParamsTable.edit();
    data_->ParamsTable.fieldByName("RIDATE1").setAsDateTime(EncodeDate(2001, 1, 1));
    data_->ParamsTable.post();

    ops_->ReindexDatabase();

    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_LT(FileSize(schedule_ + "/customers.dbf"), sizeBefore);
    EXPECT_TRUE(state_.TablesOpen);
    EXPECT_FALSE(state_.TablesBusy);
    EXPECT_EQ(ui_.StatusText(1), "Reindexing completed");
    EXPECT_EQ(ui_.StatusText(0), "");
    const std::pair<int, const char*> expected[] = {{1, "Smith, John"}, {2, "Brown, Ann"}, {3, "Nobody"}};
    db::Table& jobs = data_->JobsTable3;
    for (const auto& [cid, name] : expected) {
        ASSERT_TRUE(jobs.locate("CID", db::Value(double(cid))));
        EXPECT_EQ(jobs.fieldByName("CUSTNAME").asString(), name);
    }
    data_->ParamsTable.first();
    EXPECT_EQ(data_->ParamsTable.fieldByName("RIDATE1").asDate(), Today());

    // Every table of the list was packed, the shared ones under the lock.
    std::vector<std::string> packed;
    for (const auto& [panel, text] : ui_.StatusHistory)
        if (panel == 0 && text.starts_with("Packed and reindexed "))
            packed.push_back(text);
    EXPECT_EQ(packed.size(), 15u);
    EXPECT_EQ(packed.front(), "Packed and reindexed my company table");
    EXPECT_EQ(packed.back(), "Packed and reindexed tasks table");
    data_->AccessTable.refresh();
    data_->AccessTable.first();
    EXPECT_FALSE(data_->AccessTable.fieldByName("USE").asBoolean());
    EXPECT_TRUE(data_->ITasksTable.exclusive()) << "the component keeps its own sharing setting";
}

TEST_F(MaintenanceTest, ReindexWaitsForTheLockBeforeThePackOfTheSharedTables)
{
    db::Table other;  // another workstation holds the lock for two tries
    other.setFolder(schedule_);
    other.setTableName("Access.dbf");
    other.open();
    other.first();
    other.edit();
    other.fieldByName("USE").setAsBoolean(true);
    other.post();
    ui_.OnSleep = [&] {
        if (ui_.Sleeps.size() == 2) {
            other.edit();
            other.fieldByName("USE").setAsBoolean(false);
            other.post();
        }
    };
    ops_->ReindexDatabase();
    EXPECT_EQ(ui_.Sleeps.size(), 2u);
    const auto& history = ui_.StatusHistory;
    auto waited = std::find(history.begin(), history.end(),
                            std::make_pair(0, std::string("Waiting for network access")));
    auto shared = std::find(history.begin(), history.end(),
                            std::make_pair(0, std::string("Packing and reindexing tasks table")));
    ASSERT_NE(waited, history.end());
    EXPECT_TRUE(
        std::find(waited, history.end(), std::make_pair(0, std::string("Packing and reindexing tasks table")))
        != history.end());
    EXPECT_LT(shared, waited) << "Charts.DBF is packed before the wait, the shared tables after it";
}

TEST_F(MaintenanceTest, ReadOnlyCopyNeverReindexes)
{
    state_.ReadOnlyCopy = true;
    ops_->ReindexDatabase();
    EXPECT_TRUE(ui_.StatusHistory.empty());
    EXPECT_TRUE(state_.TablesOpen);
    data_->ParamsTable.first();
    EXPECT_TRUE(data_->ParamsTable.fieldByName("RIDATE1").isNull());
}

TEST_F(MaintenanceTest, PackOfATableThatCannotBeOpenedIsReportedInTheStatusBar)
{
    ops_->CloseAllTables();
    db::DeleteTable(program_, "printer.dbf");
    ops_->PackTable(data_->PrinterTable, "printing");
    EXPECT_EQ(ui_.StatusText(0), "Failed reindexing printing table");
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_FALSE(data_->PrinterTable.exclusive());
}

TEST_F(MaintenanceTest, SortOfTheWorkingCopy)
{
    ops_->CloseAllTables();
    db::Table& charts = data_->ChartsTable;
    // An empty table sorts to an empty table.
    ops_->SortTable("TWUXData", charts, 5, 0, 0, 0);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_TRUE(charts.active());
    EXPECT_EQ(charts.recordCount(), 0);

    for (const char* desc : {"pump", "Attic", "drain", "Boiler"}) {
        charts.append();
        charts.fieldByName("DESC").setAsString(desc);
        charts.post();
    }
    ops_->SortTable("TWUXData", charts, 5, 0, 0, 0);
    EXPECT_TRUE(ui_.Messages.empty());
    ASSERT_TRUE(charts.active());
    EXPECT_EQ(charts.databaseName(), "Parameters");
    EXPECT_FALSE(charts.exclusive());
    std::vector<std::string> order;
    for (charts.first(); !charts.eof(); charts.next())
        order.push_back(charts.fieldByName("DESC").asString());
    EXPECT_EQ(order, (std::vector<std::string>{"Attic", "Boiler", "drain", "pump"}));
    EXPECT_EQ(ui_.StatusHistory.front(), std::make_pair(0, std::string("Sorting Charts.DBF")));
    for (int panel = 0; panel < 3; ++panel)
        EXPECT_EQ(ui_.StatusText(panel), "");
}

TEST_F(MaintenanceTest, SortThatTheEngineRefusesShowsItsError)
{
    // Another view of the working copy is open, so the file cannot be replaced.
    ASSERT_TRUE(data_->ChartsTable4.active());
    ops_->SortTable("TWUXData", data_->ChartsTable, 5, 0, 0, 0);
    ASSERT_EQ(ui_.Messages.size(), 2u);
    EXPECT_EQ(ui_.Messages[0].caption, "Dbi error");
    EXPECT_EQ(ui_.Messages[0].text, db::ErrorText(db::ErrorCode::TableInUse));
    EXPECT_EQ(ui_.Messages[1].text, "Sort failed");
    EXPECT_EQ(ui_.Messages[1].caption, "Error 2");
    EXPECT_TRUE(data_->ChartsTable.active());
}

TEST_F(MaintenanceTest, SortOfAMissingTableIsReportedInTheStatusBar)
{
    ops_->CloseAllTables();
    db::DeleteTable(program_, "Tasks.DBF");
    ops_->SortTable("TWUXData", data_->TasksTable, 1, 0, 0, 0);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_EQ(ui_.StatusText(0), "Sort failed for ");
    EXPECT_EQ(ui_.StatusText(1), "Tasks.DBF");
    EXPECT_EQ(ui_.StatusText(2), "Sort failed");
}

TEST_F(MaintenanceTest, CustomerCount)
{
    for (int i = 0; i < 3; ++i)
        AddCustomer(data_->CustomersTable3, i + 1, "Customer");
    ops_->ShowCustomerCount();
    EXPECT_EQ(ui_.StatusText(0), "3 customers");
    ops_->CloseAllTables();
    ui_.SetStatusText(0, "unchanged");
    ops_->ShowCustomerCount();
    EXPECT_EQ(ui_.StatusText(0), "unchanged");
}

TEST_F(MaintenanceTest, EngineErrorBox)
{
    ops_->ShowDbiError(db::ErrorCode::Locked);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text, db::ErrorText(db::ErrorCode::Locked));
    EXPECT_EQ(ui_.Messages[0].caption, "Dbi error");
    EXPECT_EQ(ui_.Messages[0].icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace tw::data::testing
