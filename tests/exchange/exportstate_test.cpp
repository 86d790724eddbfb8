// The Export to QuickBooks dialog's state without its window: what opening
// loads and shows, the export type and cost options, the two settings, and
// the name comparison of the item look-up.
#include <gtest/gtest.h>

#include "exportfixture.h"
#include "platform/datetime/localetexts.h"

namespace tw::exchange::qbexport::test {
namespace {

using tw::test::FixtureRow;

TEST(MatchesLeadingCharsTest, ComparesTrimmedUpperCasedLeadingCharacters)
{
    struct Case {
        const char* a;
        const char* b;
        int count;
        bool match;
    };
    const Case cases[] = {
        {"Plumbing repair", "Plumber", 4, true},
        {"Plumbing repair", "Plumber", 6, false},
        {"Paint", "Painting", 7, true},
        {"Painting work", "Paint", 7, true},
        {"  tile work\t", "TILE WORK", 20, true},
        {"Tile", "Tale", 4, false},
        {"Tile", "Tale", 1, true},
        {"", "Tile", 4, false},
        {" \t", "Tile", 4, false},
        {"Tile", "", 4, false},
        {"\xc3\xa9tage", "\xc3\x89TAGE", 5, false},  // only a to z change case
        {"Zone 1", "zone 2", 5, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesLeadingChars(QString::fromUtf8(c.a), QString::fromUtf8(c.b), c.count), c.match)
            << c.a << " / " << c.b << " / " << c.count;
}

class ExportStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world_.AddRows({
            {"customers.dbf",
             {{"CID", "1"}, {"NAME", "Marsh, Lena"}, {"LISTID", "L1"}, {"FULLNAME", "Marsh, Lena"}}},
            {"customers.dbf", {{"CID", "2"}, {"NAME", "Ashdown Farms"}}},
            {"jobs.dbf", {{"JID", "10"}, {"CID", "1"}, {"DESC", "Kitchen refit"}, {"LISTID", "J10"}}},
            {"jobs.dbf", {{"JID", "11"}, {"CID", "1"}, {"DESC", "Loft"}}},
            {"Charts.DBF",
             {{"CHARTSID", "100"},
              {"CID", "1"},
              {"JID", "10"},
              {"DESC", "Tile splashback"},
              {"LISTID", "T100"},
              {"JLID", "E7"},
              {"NOTES", "Grey grout"}}},
            {"Charts.DBF", {{"CHARTSID", "101"}, {"CID", "1"}, {"JID", "99"}, {"DESC", "Skirting"}}},
            {"Charts.DBF", {{"CHARTSID", "200"}, {"CID", "2"}, {"JID", "0"}, {"DESC", "Gutters"}}},
            {"params.dbf", {{"MATCHC", "9"}, {"EXPORT", "T"}}},
        });
        world_.SetField("Charts.DBF", "CHARTSID", 100, "SD", std::to_string(At(2026, 3, 2, 8, 10)));
        world_.SetField("Charts.DBF", "CHARTSID", 100, "ED", std::to_string(At(2026, 3, 4, 0)));
    }
    ExportWorld world_;
};

TEST_F(ExportStateTest, OpeningLoadsTheTaskItsCustomerAndJobAndTheSettings)
{
    tw::locale::PinLocale("en_US");
    world_.Start(1, 100);
    world_.logic->Open(0, false);
    const ExportState& s = world_.logic->State();
    EXPECT_TRUE(s.IsOpen);
    EXPECT_EQ(s.CustomerListID, "L1");
    EXPECT_EQ(s.JobListID, "J10");
    EXPECT_EQ(s.TaskListID, "T100");
    EXPECT_EQ(s.TaskEditSequence, "E7");
    EXPECT_EQ(s.TaskNotes, "Grey grout");
    EXPECT_EQ(world_.view.texts.customer, "Marsh, Lena");
    EXPECT_EQ(world_.view.texts.job, "Kitchen refit");
    EXPECT_EQ(world_.view.texts.start, "3/2/2026 8:15 AM");
    EXPECT_EQ(world_.view.texts.end, "3/4/2026 midnight");
    // A stored count above 20 stays as it is.
    EXPECT_EQ(world_.view.count, 9);
    EXPECT_EQ(world_.view.itemName, "Tile spla");
    EXPECT_TRUE(world_.view.costChecked);
    EXPECT_TRUE(world_.view.countEnabled);
    EXPECT_TRUE(world_.view.typeEnabled);
    EXPECT_EQ(world_.view.exportType, kSingleTask);
    EXPECT_EQ(world_.view.shown, 1);
    EXPECT_EQ(world_.view.statuses, QStringList{""});
}

TEST_F(ExportStateTest, AJobThatIsGoneFallsBackToTheCustomersFirstJobOrToNone)
{
    world_.Start(1, 101);
    world_.logic->Open(0, false);
    EXPECT_EQ(world_.logic->State().JobDescription, "Kitchen refit");
    world_.logic->FormClose();

    world_.CustomersTable.locate("CID", db::Value(2.0));
    world_.ChartsTable.locate("CHARTSID", db::Value(200.0));
    world_.logic->Open(0, false);
    EXPECT_EQ(world_.logic->State().JobDescription, "");
    EXPECT_EQ(world_.logic->State().JobID, 0);
}

TEST_F(ExportStateTest, ASecondOpenKeepsTheTaskLoadedFirst)
{
    world_.Start(1, 100);
    world_.logic->Open(0, false);
    world_.ChartsTable.locate("CHARTSID", db::Value(200.0));
    world_.logic->Open(0, false);
    EXPECT_EQ(world_.logic->State().TaskText, "Tile splashback");
    EXPECT_EQ(world_.view.restored, 1);
    EXPECT_EQ(world_.view.shown, 1);
}

TEST_F(ExportStateTest, ASelectionInForceOpensTheSummaryAndSwitchingBackRestoresTheTask)
{
    world_.SetParam("EXPORT", "F");
    world_.host.selectionInForce = true;
    world_.Start(1, 100);
    world_.logic->Open(0, false);
    RecordingExportView& v = world_.view;
    EXPECT_EQ(v.exportType, kResourceSummary);
    EXPECT_FALSE(v.typeEnabled);
    EXPECT_FALSE(v.jobPanelEnabled);
    EXPECT_TRUE(v.costChecked);
    EXPECT_TRUE(v.labelEnabled);
    EXPECT_FALSE(v.countEnabled);
    EXPECT_EQ(v.count, 7);
    EXPECT_EQ(v.itemName, "Summary");
    EXPECT_EQ(world_.logic->State().TaskText, "Summary");
    EXPECT_EQ(world_.logic->State().MatchCount, 9);

    v.exportType = kSingleTask;
    world_.logic->ExportTypeClick();
    EXPECT_TRUE(v.costChecked);
    EXPECT_TRUE(v.jobPanelEnabled);
    EXPECT_EQ(v.count, 9);
    EXPECT_EQ(v.itemName, "Tile spla");
    EXPECT_EQ(world_.logic->State().TaskText, "Tile splashback");

    // The check the summary put on is what closing saves.
    world_.logic->FormClose();
    EXPECT_EQ(world_.Param("EXPORT"), "True");
}

TEST_F(ExportStateTest, HintsFollowTheHelpLevel)
{
    world_.Start(1, 100);
    for (auto [level, before, after] : {std::tuple{1, true, false}, std::tuple{0, false, true},
                                        std::tuple{2, false, false}, std::tuple{2, true, true}}) {
        world_.view.hints = before;
        world_.logic->Open(level, false);
        EXPECT_EQ(world_.view.hints, after) << level;
        world_.logic->FormClose();
    }
}

TEST_F(ExportStateTest, TheCountIsSavedAtEachChangeAndTheCostBoxOnClosingOnly)
{
    world_.Start(1, 100);
    world_.logic->Open(0, false);
    world_.view.countText = " 12 ";
    world_.logic->MatchCountUpDownClick();
    EXPECT_EQ(world_.Param("MATCHC"), "12");
    EXPECT_EQ(world_.view.itemName, "Tile splashb");

    world_.view.costChecked = false;
    world_.logic->ExportCostClick();
    EXPECT_FALSE(world_.view.countEnabled);
    EXPECT_FALSE(world_.view.labelEnabled);
    EXPECT_EQ(world_.Param("EXPORT"), "True");
    world_.logic->FormClose();
    EXPECT_EQ(world_.Param("EXPORT"), "False");
    // Closed already: a second close (the program's end) writes nothing.
    world_.SetParam("EXPORT", "T");
    world_.logic->FormClose();
    EXPECT_EQ(world_.Param("EXPORT"), "True");
}

TEST_F(ExportStateTest, SetupAndHelpGoToTheMainWindow)
{
    world_.Start(1, 100);
    world_.logic->Open(0, true);
    world_.logic->CallQBSetupClick();
    world_.logic->ExportCostHelpClick();
    EXPECT_EQ(world_.host.calls, QStringList({"setup restricted", "help Exporting.htm"}));
}

}  // namespace
}  // namespace tw::exchange::qbexport::test
