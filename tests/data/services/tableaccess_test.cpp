// Opening and closing all tables on scratch folders: a new installation, a
// folder that is no schedule database, damaged tables, read-only copies and
// the Quillmark tables.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <vector>

#include "data/layouts/layouts.h"
#include "data/services/recordservices.h"
#include "servicesfixture.h"

namespace tw::data::testing {
namespace {

using db::FieldType;

void ExpectLayoutWritten(const std::string& folder, const std::string& file, const TableLayout& layout)
{
    SCOPED_TRACE(folder + "/" + file);
    ASSERT_TRUE(db::TableExists(folder, file));
    db::Table t;
    t.setFolder(folder);
    t.setTableName(file);
    t.open();
    ASSERT_EQ(t.fieldDefs().size(), layout.fields.size());
    for (size_t i = 0; i < layout.fields.size(); ++i) {
        EXPECT_EQ(t.fieldDefs()[i].name, layout.fields[i].name);
        EXPECT_EQ(t.fieldDefs()[i].type, layout.fields[i].type) << layout.fields[i].name;
        EXPECT_EQ(t.fieldDefs()[i].width, layout.fields[i].width) << layout.fields[i].name;
    }
    ASSERT_EQ(t.indexDefs().size(), layout.indexes.size());
    for (size_t i = 0; i < layout.indexes.size(); ++i) {
        EXPECT_EQ(t.indexDefs()[i].name, layout.indexes[i].name);
        EXPECT_EQ(t.indexDefs()[i].expression, layout.indexes[i].expression);
    }
}

TEST_F(ServicesTest, FirstOpenCreatesEveryTableAndTwinInItsLayout)
{
    OpenFreshTables();
    EXPECT_FALSE(state_.TablesBusy);
    for (const TableLayout& layout : Layouts(Database::Parameters))
        ExpectLayoutWritten(program_, layout.fileName, layout);
    for (const TableLayout& layout : Layouts(Database::Scheduler)) {
        if (SameTableName(layout.fileName, "Charts.DBF"))
            EXPECT_FALSE(db::TableExists(schedule_, layout.fileName)) << "the older layout is never made";
        else
            ExpectLayoutWritten(schedule_, layout.fileName, layout);
    }
    for (const ReferenceTable& pair : ReferenceTables())
        ExpectLayoutWritten(program_, pair.referenceFile, *FindLayout(pair.database, pair.liveFile));

    // The settings tables are read as one record; mycomp.dbf gets its one.
    for (db::Table* t : {&data_->ParamsTable, &data_->ETable, &data_->QBSetupTable}) {
        t->open();
        EXPECT_EQ(t->recordCount(), 1) << t->tableName();
    }
    EXPECT_EQ(data_->MyCompanyTable.recordCount(), 1);
    EXPECT_NE(data_->MyCompanyTable.fieldByName("CID").asInteger(), 0);
    // The lock was taken and given back around the shared tables.
    data_->AccessTable.refresh();
    data_->AccessTable.first();
    EXPECT_FALSE(data_->AccessTable.fieldByName("USE").asBoolean());
}

// A restore or a backup closes and reopens every table inside its own busy
// step; the closing and the opening leave that step busy.
TEST_F(ServicesTest, ClosingAndOpeningInsideABusyStepLeaveItBusy)
{
    OpenFreshTables();
    state_.TablesBusy = true;
    ops_->CloseAllTables();
    EXPECT_TRUE(state_.TablesBusy);
    EXPECT_FALSE(state_.ClosingTables);
    ops_->OpenAllTables(false);
    EXPECT_TRUE(state_.TablesBusy);
    state_.TablesBusy = false;
    ops_->CloseAllTables();
    EXPECT_FALSE(state_.TablesBusy);
}

TEST_F(ServicesTest, EmptyCompanyTableGetsExactlyOneRecord)
{
    OpenFreshTables();
    const std::int32_t cid = data_->MyCompanyTable.fieldByName("CID").asInteger();
    ops_->CloseAllTables();
    ops_->OpenAllTables(true);
    EXPECT_EQ(data_->MyCompanyTable.recordCount(), 1);
    EXPECT_EQ(data_->MyCompanyTable.fieldByName("CID").asInteger(), cid);

    ops_->CloseAllTables();
    data_->MyCompanyTable.open();
    EmptyTable(data_->MyCompanyTable);
    data_->MyCompanyTable.close();
    ops_->OpenAllTables(true);
    EXPECT_EQ(data_->MyCompanyTable.recordCount(), 1);
}

// A folder that is not a schedule database opens nothing of it, says so, and
// leaves the handlers free to run again.
TEST_F(ServicesTest, FolderWithoutSharedScheduleIsRefused)
{
    struct Case {
        const char* name;
        bool firstRun;
        bool strayTable;
    };
    for (const Case& c : {Case{"not a first run, empty folder", false, false},
                          Case{"first run, folder holds other tables", true, true},
                          Case{"not a first run, folder holds other tables", false, true}}) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(schedule_);
        std::filesystem::create_directories(schedule_);
        if (c.strayTable)
            WriteTable(schedule_, "notes.dbf", {MakeField("TEXT", FieldType::Char, 10)});
        ui_.Messages.clear();
        state_.FirstRun = c.firstRun;
        ops_->OpenAllTables(true);
        ASSERT_EQ(ui_.Messages.size(), 2u);
        EXPECT_EQ(ui_.Messages[0].text, "Invalid database");
        EXPECT_EQ(ui_.Messages[1].text, "Find the correct database");
        EXPECT_EQ(ui_.Messages[1].caption, "Tarnwick");
        EXPECT_EQ(ui_.Messages[1].icon, MessageIcon::Stop);
        EXPECT_FALSE(state_.TablesBusy);
        EXPECT_FALSE(state_.TablesOpen);
        EXPECT_FALSE(db::TableExists(schedule_, "customers.dbf"));
        EXPECT_FALSE(data_->CustomersTable.active());
        EXPECT_TRUE(data_->ParamsTable.active());
        ops_->CloseAllTables();
    }
}

TEST_F(ServicesTest, DamagedTablesAreReportedOnceAndLeftAlone)
{
    OpenFreshTables();
    ops_->CloseAllTables();
    const std::string junk(700, '\x7f');
    for (const char* file : {"customers.dbf", "jobs.dbf"}) {
        std::ofstream f(schedule_ + "/" + file, std::ios::binary | std::ios::trunc);
        f << junk;
    }
    ops_->OpenAllTables(true);

    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].text,
              "Table customers.dbf may be damaged- use Smart restore to load a backup file "
              "or switch to a different database");
    EXPECT_EQ(ui_.Messages[0].caption, "Tarnwick");
    EXPECT_EQ(ReadFile(schedule_ + "/customers.dbf"), junk);
    EXPECT_EQ(ReadFile(schedule_ + "/jobs.dbf"), junk);
    EXPECT_FALSE(state_.SharedTablesUsable);
    EXPECT_FALSE(state_.TablesOpen);
    EXPECT_FALSE(state_.TablesBusy);
    EXPECT_FALSE(data_->CustomersTable2.active());
    EXPECT_TRUE(data_->CrewsTable.active()) << "the other tables are opened";
}

TEST_F(ServicesTest, MissingTableOfAnExistingDatabaseGetsTheEmptyTwin)
{
    OpenFreshTables();
    ops_->CloseAllTables();
    // The twin still holds the records of an earlier upgrade.
    data_->RPhotosTable.open();
    data_->RPhotosTable.append();
    data_->RPhotosTable.fieldByName("CID").setAsInteger(5);
    data_->RPhotosTable.post();
    data_->RPhotosTable.close();
    db::DeleteTable(schedule_, "photos.dbf");

    ops_->OpenAllTables(true);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_TRUE(state_.TablesOpen);
    ASSERT_TRUE(data_->PhotosTable.active());
    EXPECT_EQ(data_->PhotosTable.recordCount(), 0);
    EXPECT_EQ(data_->PhotosTable.fieldDefs().size(),
              FindLayout(Database::Scheduler, "photos.dbf")->fields.size());
}

TEST_F(ServicesTest, ReadOnlyCopyOpensTheEditedViewsReadOnly)
{
    OpenFreshTables();
    ops_->CloseAllTables();
    state_.ReadOnlyCopy = true;
    ops_->OpenAllTables(true);
    db::Table* readOnly[] = {&data_->ChartsTable,    &data_->CustomFieldsTable, &data_->CustomFieldsTable2,
                             &data_->CustomersTable, &data_->JobsTable,         &data_->CrewsTable};
    for (db::Table* t : readOnly) {
        EXPECT_TRUE(t->active());
        EXPECT_TRUE(t->readOnly()) << t->tableName();
    }
    for (db::Table* t : {&data_->ChartsTable2, &data_->CustomersTable2, &data_->CustomersTable3,
                         &data_->JobsTable2, &data_->CrewsTable2, &data_->CustomFieldsTable3})
        EXPECT_FALSE(t->readOnly()) << t->tableName();
    EXPECT_THROW(data_->CustomersTable.append(), db::DbError);

    ops_->CloseAllTables();
    state_.ReadOnlyCopy = false;
    ops_->OpenAllTables(true);
    for (db::Table* t : readOnly)
        EXPECT_FALSE(t->readOnly()) << t->tableName();
}

TEST_F(ServicesTest, QuillmarkDatabase)
{
    OpenFreshTables();
    ops_->CloseAllTables();

    // No Quillmark database: nothing opened, nothing shown.
    ops_->OpenAllTables(true);
    EXPECT_TRUE(ui_.Messages.empty());
    EXPECT_FALSE(data_->BidTable.active());
    ops_->CloseAllTables();

    // A folder without the Quillmark tables: two boxes once, the name dropped.
    const std::string quillmark = root_ + "/quillmark";
    std::filesystem::create_directories(quillmark);
    state_.EstimatorAlias = "VAZOdiz";
    state_.EstimatorFolder = quillmark;
    ops_->OpenAllTables(true);
    ASSERT_EQ(ui_.Messages.size(), 2u);
    EXPECT_EQ(ui_.Messages[0].text, "Invalid Quillmark database name");
    EXPECT_EQ(ui_.Messages[1].text, "Find the correct Quillmark database");
    EXPECT_TRUE(state_.EstimatorAlias.empty());
    EXPECT_TRUE(state_.EstimatorFolder.empty());
    EXPECT_TRUE(state_.TablesOpen) << "the schedule database is not affected";
    ops_->CloseAllTables();

    // A folder with them: every one opens, with its index.
    for (const TableLayout& layout : Layouts(Database::Estimator))
        WriteTable(quillmark, layout.fileName, layout.fields, layout.indexes);
    data_->Aliases.AddStandardAlias("VAZOdiz", quillmark);
    data_->EstimatorDatabase.setAliasName("VAZOdiz");
    state_.EstimatorFolder = quillmark;
    ui_.Messages.clear();
    ops_->OpenAllTables(true);
    EXPECT_TRUE(ui_.Messages.empty());
    for (db::Table* t : {&data_->BidTable, &data_->BidTable2, &data_->CompanyTable, &data_->EstimateTable3,
                         &data_->HourssumTable, &data_->IProjectTable, &data_->WorkOrder1Table,
                         &data_->WorkOrder2Table, &data_->MatssumTable})
        EXPECT_TRUE(t->active()) << t->tableName();
    ops_->CloseAllTables();

    // The database as the estimating product writes it: made by another dBase
    // program, without a file of ours beside its tables, the work orders in
    // files without an extension. Every table opens with the tags its layout
    // names, and nothing is written into that folder to do it.
    const std::string foreign = root_ + "/foreign";
    std::filesystem::create_directories(foreign);
    const std::string make = "/usr/bin/python3 '" TW_EXAMPLES_DIR "/quillmark/make_sample.py' '" + foreign
        + "' --numbers=N --bare-work-orders";
    ASSERT_EQ(std::system(make.c_str()), 0) << make;
    auto files = [&] {
        std::set<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(foreign))
            names.insert(e.path().filename().string());
        return names;
    };
    const std::set<std::string> written = files();
    ASSERT_TRUE(written.count("wo1") && !written.count("wo1.dbf"));
    data_->Aliases.AddStandardAlias("Foreign", foreign);
    data_->EstimatorDatabase.setAliasName("Foreign");
    state_.EstimatorAlias = "Foreign";
    state_.EstimatorFolder = foreign;
    ui_.Messages.clear();
    ops_->OpenAllTables(true);
    for (const auto& message : ui_.Messages)
        ADD_FAILURE() << message.text;
    for (db::Table* t : {&data_->BidTable, &data_->BidTable2, &data_->CompanyTable, &data_->EstimateTable3,
                         &data_->HourssumTable, &data_->IProjectTable, &data_->WorkOrder1Table,
                         &data_->WorkOrder2Table, &data_->MatssumTable})
        EXPECT_TRUE(t->active()) << t->tableName();
    std::vector<std::string> companies;
    for (data_->CompanyTable.first(); !data_->CompanyTable.eof(); data_->CompanyTable.next())
        companies.push_back(data_->CompanyTable.fieldByName("NAME").asString());
    EXPECT_EQ(companies, (std::vector<std::string>{"Alder Roofing", "Birch, Anna", "Cedar Works"}));
    EXPECT_EQ(data_->WorkOrder1Table.recordCount(), 2);
    ops_->CloseAllTables();
    EXPECT_EQ(files(), written);
}

TEST_F(ServicesTest, CloseAllTablesClosesEveryComponentItOpened)
{
    OpenFreshTables();
    ops_->CloseAllTables();
    for (db::Table* t : data_->AllTables())
        EXPECT_FALSE(t->active()) << t->tableName();
    EXPECT_FALSE(state_.TablesOpen);
    EXPECT_FALSE(state_.TablesBusy);
    EXPECT_FALSE(state_.ClosingTables);
}

TEST_F(ServicesTest, AssignmentsAreRebuiltOnlyWhenAllowed)
{
    OpenFreshTables();
    ops_->CloseAllTables();
    state_.RebuildAssignments = true;
    ops_->OpenAllTables(false);
    EXPECT_TRUE(state_.RebuildAssignments);
    ops_->CloseAllTables();
    ops_->OpenAllTables(true);
    EXPECT_FALSE(state_.RebuildAssignments);
}

}  // namespace
}  // namespace tw::data::testing
