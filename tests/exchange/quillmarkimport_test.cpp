// The Quillmark bid import without its window: the section summaries read
// back by another program (python3-dbfread), a failed write that leaves the
// old summaries whole, and the import run against a recording host.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>

#include "exchange/quillmark/bidimport.h"
#include "exchange/quillmark/bidsummaries.h"
#include "exchange/quillmarkfixture.h"
#include "platform/db/failing_fs.h"
#include "platform/db/fileio.h"
#include "support/exchangerecorder.h"
#include "workstationhost.h"

namespace tw::exchange::quillmark {
namespace {

using test::ExchangeRecorder;

class RecordingHost : public BidImportHost, public ImportStatusView {
public:
    std::string alias = "VAZOdiz";
    bool accept = true;
    std::vector<schedule::NewScheduleItem> items;
    QStringList panel0, panel1, mainStatus, labels;
    int pushes = 0;
    std::int32_t shownCustomer = 0, shownJob = 0;
    std::int32_t nextKey = 1000;

    std::string QMAliasInUse() const override { return alias; }
    std::int32_t GetCurrentResource() override { return 7; }
    TDateTime WorkDayStart() const override { return EncodeTime(8, 0, 0, 0); }
    TDateTime ComputeTaskEnd(std::int32_t, TDateTime& start, TDateTime startValue, float hours) override
    {
        start = startValue;
        return startValue + hours / 24.0;
    }
    std::int32_t NewScheduleKey() override { return nextKey++; }
    bool AddTaskToSchedule(const schedule::NewScheduleItem& item) override
    {
        if (accept)
            items.push_back(item);
        return accept;
    }
    void PushChartUpdates() override { ++pushes; }
    void RefreshCustomers() override {}
    void SetCustomersLabel(const QString& caption) override { labels << caption; }
    void EnableJobsNavigator() override {}
    void ShowCustomerAndJob(std::int32_t customerId, std::int32_t jobId) override
    {
        shownCustomer = customerId;
        shownJob = jobId;
    }
    void ShowMainStatus(const QString& text) override { mainStatus << text; }
    void ShowBidStatus(const QString& text) override { panel0 << text; }
    void ShowSectionStatus(const QString& text) override { panel1 << text; }
};

std::string RunPython(const std::string& folder, const std::string& program)
{
    const std::string script = folder + "/read.py";
    std::ofstream(script) << program;
    const std::string cmd = "/usr/bin/python3 " + script + " " + folder + " 2>&1";
    std::string output;
    FILE* pipe = ::popen(cmd.c_str(), "r");
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    if (pipe)
        ::pclose(pipe);
    return output;
}

// The summary rows as another program reads them, one line per row.
std::set<std::string> SummaryRows(const std::string& folder)
{
    const std::string out = RunPython(folder, R"(
import sys, os
from dbfread import DBF
f = sys.argv[1]
for r in DBF(os.path.join(f, 'hourssum.DBF')):
    print('hours|%d|%.4f|%.4f|%s' % (r['BIDID'], r['RATE'], r['HOURSSUM'], r['RATEDESC']))
for r in DBF(os.path.join(f, 'matssum.DBF')):
    print('mats|%d|%s|%d|%.4f|%.4f|%.4f' % (r['BIDID'], r['MATSDESC'], r['MATSID'], r['MATSSUM'] or 0,
          r['LABORSUM'] or 0, r['HOURS'] or 0))
wo2 = [n for n in os.listdir(f) if n.lower() == 'wo2.dbf'][0]
for r in DBF(os.path.join(f, wo2)):
    print('wo2|%d|%s|%s' % (r['PID'], r['LOCATION'], r['SECTION']))
)");
    std::set<std::string> rows;
    size_t start = 0;
    while (start < out.size()) {
        const size_t end = out.find('\n', start);
        rows.insert(out.substr(start, end - start));
        start = end == std::string::npos ? out.size() : end + 1;
    }
    return rows;
}

class QuillmarkImportTest : public ::testing::Test {
protected:
    void TearDown() override { db::SetFileSystem(nullptr); }

    void Import(std::int32_t bidId)
    {
        ASSERT_TRUE(tables.BidTable.locate("BIDID", static_cast<double>(bidId)));
        BidImportServices services{tables, folders.Cursors(), host, host, recorder, recorder, keys};
        ImportFromQM(services);
    }

    std::int64_t Count(db::Table& t)
    {
        t.refresh();
        return t.recordCount();
    }

    test::QuillmarkFolders folders;
    const std::string& qm = folders.qm;
    QuillmarkTables& tables = folders.tables;
    db::Table& customers2 = folders.customers2;
    db::Table& jobs2 = folders.jobs2;
    RecordingHost host;
    ExchangeRecorder recorder;
    data::RecordKeys keys;
};

const std::set<std::string> kOtherBidRows = {
    "hours|777|30.0000|12.0000|",
    "mats|777|Other|777|6.0000|0.0000|0.0000",
};

TEST_F(QuillmarkImportTest, SummariesRebuiltAndReadByAnotherProgram)
{
    SummariseBidSections(tables, recorder, keys, 500);
    std::set<std::string> expected = {
        // Labour by rate over both projects; 47.3, without an exact binary form,
        // finds the row it wrote in the first project.
        "hours|500|40.0000|160.0000|Journeyman",
        "hours|500|55.0000|165.0000|Foreman",
        "hours|500|47.3000|94.6000|",
        // Sections by case and blanks; MATSID is the bid plus the line's place.
        "mats|500|Gutters|500|0.0000|94.6000|2.0000",
        "mats|500|ROOF|501|30.0000|0.0000|0.0000",
        "mats|500|Roof|502|35.5000|325.0000|7.0000",
        "mats|500|Trim|506|23.0000|0.0000|0.0000",
        "mats|500|Paint|501|0.0000|0.0000|0.0000",
        "wo2|11|North|Roof",
    };
    expected.insert(kOtherBidRows.begin(), kOtherBidRows.end());
    EXPECT_EQ(SummaryRows(qm), expected);
    EXPECT_FALSE(recorder.busy);
}

TEST_F(QuillmarkImportTest, FindBidProjectNarrowsProjects)
{
    EXPECT_EQ(FindBidProject(tables, recorder, 500), 2);
    EXPECT_EQ(tables.ProjectsTable3.filter(), "(PID = 11) OR (PID = 12)");
    EXPECT_EQ(FindBidProject(tables, recorder, 501), 0);
    EXPECT_EQ(tables.ProjectsTable3.filter(), "PID = 9999999999");
    EXPECT_FALSE(recorder.busy);
}

TEST_F(QuillmarkImportTest, BidWithoutProjectsLosesItsOldRowsOnly)
{
    SummariseBidSections(tables, recorder, keys, 500);
    SummariseBidSections(tables, recorder, keys, 777);
    EXPECT_EQ(SummaryRows(qm).count("mats|777|Other|777|6.0000|0.0000|0.0000"), 0u);
    EXPECT_EQ(SummaryRows(qm).count("hours|500|55.0000|165.0000|Foreman"), 1u);
}

TEST_F(QuillmarkImportTest, FailedWriteMidRebuildLeavesOldSummaries)
{
    const std::set<std::string> before = SummaryRows(qm);
    db::test::FailingFs fs;
    fs.diskFullFor = [](const std::string& path) { return path.find("matssum") != std::string::npos; };
    // Files are opened through the file system in place when a table opens.
    tables.Close();
    db::SetFileSystem(&fs);
    tables.Open(qm);
    Import(500);
    tables.Close();
    db::SetFileSystem(nullptr);
    ASSERT_EQ(recorder.boxes.size(), 1);
    EXPECT_TRUE(recorder.boxes[0].startsWith("Dbi error: ")) << recorder.boxes[0].toStdString();
    EXPECT_EQ(SummaryRows(qm), before);
    // The cursor and the busy flag come back; what was posted before stays.
    EXPECT_FALSE(recorder.hourglass);
    EXPECT_FALSE(recorder.busy);
    EXPECT_TRUE(host.items.empty());
    EXPECT_TRUE(jobs2.locate("DESC;CUSTNAME", {std::string("Roof renewal"), std::string("Alder Roofing")}));
}

TEST_F(QuillmarkImportTest, LineArithmeticIsFixedPoint)
{
    struct Case {
        const char* name;
        PartLine line;
        const char* amount;
    };
    const Case cases[] = {
        {"type 2 by length", {2, 2, 3, 6, 0, 0, 4}, "28.0000"},
        {"type 3 by length and weight", {3, 2, 1, 0, 0, 1.5f, 10}, "30.0000"},
        {"type 5 by metres", {5, 2, 0, 0, 1.25f, 0, 8}, "20.0000"},
        {"type 6 by metres and weight", {6, 1, 0, 0, 2, 0.5f, 3}, "3.0000"},
        {"type 7 has no rule", {7, 3, 9, 9, 9, 9, 2.5f}, "7.5000"},
        {"single-precision price", {1, 3, 0, 0, 0, 0, 19.99f}, "59.9700"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaterialsAmount(c.line).ToText(), c.amount) << c.name;
    // The amount is a truncated product: 1.3333 h at 40.01 is 53.345333.
    EXPECT_EQ(LabourOfLine(1, 1.3333f, 40.01f).Amount.ToText(), "53.3453");
    EXPECT_EQ(LabourOfLine(-1, 1.3333f, 40.01f).Amount.ToText(), "-53.3453");
    EXPECT_EQ(LabourOfLine(2, 1.5f, 47.3f).Hours.ToText(), "3.0000");
}

TEST_F(QuillmarkImportTest, HourlyRateOfASection)
{
    struct Case {
        double labour;
        float hours;
        const char* rate;
    };
    const Case cases[] = {
        {300, 8, "37.5000"},
        {325, 7, "46.4285"},  // truncated, not rounded
        {70.95, 1.5f, "47.3000"},
        {40, 0.00004f, "0.0000"},  // hours that are 0 at four decimals: no division by zero
    };
    for (const Case& c : cases)
        EXPECT_EQ(SectionHourlyRate(Currency::FromDouble(c.labour), c.hours).ToText(), c.rate) << c.hours;
}

TEST_F(QuillmarkImportTest, ImportMakesOneTaskPerSectionWithLabourHours)
{
    Import(500);
    ASSERT_EQ(host.items.size(), 2u);
    const schedule::NewScheduleItem& gutters = host.items[0];
    const schedule::NewScheduleItem& roof = host.items[1];
    EXPECT_EQ(gutters.Description, "Gutters");
    EXPECT_FLOAT_EQ(gutters.Hours, 2);
    EXPECT_DOUBLE_EQ(gutters.HourlyRate, 47.3);
    EXPECT_DOUBLE_EQ(gutters.TotalCost, 94.6);
    EXPECT_EQ(roof.Description, "Roof");
    EXPECT_FLOAT_EQ(roof.Hours, 7);
    EXPECT_DOUBLE_EQ(roof.HourlyRate, 46.4285);
    EXPECT_DOUBLE_EQ(roof.TotalCost, 325);
    EXPECT_EQ(*roof.Notes, (std::vector<std::string>{"Strip old shingles", "Check flashing"}));
    EXPECT_TRUE(gutters.Notes->empty());
    for (const auto& item : host.items) {
        EXPECT_EQ(item.CustomerName, "Alder Roofing");
        EXPECT_EQ(item.JobName, "Roof renewal");
        EXPECT_DOUBLE_EQ(item.Start, EncodeDate(2026, 3, 5) + EncodeTime(8, 0, 0, 0));
        EXPECT_EQ(item.JobStatus, 3);
        EXPECT_EQ(item.LengthUnit, -1);
        EXPECT_TRUE(item.AddToTaskList);
        EXPECT_TRUE(item.FindOrCreate);
        EXPECT_FALSE(item.SingleAdd);
    }
    EXPECT_NEAR(roof.End - roof.Start, 7 / 24.0, 1e-9);
    EXPECT_EQ(host.panel1, (QStringList{"", "ROOF has no labor hours", "Trim has no labor hours",
                                        "Paint has no labor hours"}));
    EXPECT_EQ(host.panel0, (QStringList{"", "Roof renewal imported"}));
    EXPECT_EQ(host.mainStatus, QStringList{"2 tasks added"});
    EXPECT_EQ(host.pushes, 1);
    // The customer is matched by its exact name and nothing is copied.
    EXPECT_EQ(Count(customers2), 3);
    ASSERT_TRUE(jobs2.locate("BIDID", 500.0));
    EXPECT_EQ(jobs2.fieldByName("CID").asInteger(), 70);
    EXPECT_EQ(jobs2.fieldByName("CUSTNAME").asString(), "Alder Roofing");
    EXPECT_EQ(host.shownCustomer, 70);
    EXPECT_EQ(host.shownJob, jobs2.fieldByName("JID").asInteger());
    EXPECT_FALSE(recorder.hourglass);
    EXPECT_FALSE(recorder.busy);
    EXPECT_TRUE(recorder.boxes.isEmpty());

    // A second import adds the tasks to the same job again.
    Import(500);
    EXPECT_EQ(host.items.size(), 4u);
    EXPECT_EQ(Count(jobs2), 2);
}

// Run inside a step that holds the busy flag already (the setup dialog's, or
// the main window's while another step runs), the import and the summaries
// leave it held: clearing it would wake the grids' handlers mid-step.
TEST_F(QuillmarkImportTest, AnOuterBusyStepStaysBusy)
{
    recorder.busy = true;
    SummariseBidSections(tables, recorder, keys, 500);
    EXPECT_TRUE(recorder.busy) << "summaries";
    Import(500);
    EXPECT_EQ(host.items.size(), 2u);
    EXPECT_TRUE(recorder.busy) << "import";
    EXPECT_FALSE(recorder.hourglass);
}

TEST_F(QuillmarkImportTest, RefusedTasksAreReported)
{
    host.accept = false;
    Import(500);
    EXPECT_EQ(host.panel1.mid(1, 2), (QStringList{"Gutters has already been imported", "ROOF has no labor hours"}));
    EXPECT_EQ(host.panel0.last(), "Roof renewal has already been imported");
    EXPECT_EQ(host.mainStatus, QStringList{"Roof renewal has already been imported"});
}

TEST_F(QuillmarkImportTest, NewCustomerFromCompanyAndNoValidTasks)
{
    Import(501);  // "Birch, Anna", a long description, no projects
    ASSERT_TRUE(customers2.locate("NAME", std::string("Birch, Anna")));
    EXPECT_EQ(customers2.fieldByName("CID").asInteger(), 2);
    EXPECT_EQ(customers2.fieldByName("FIRST").asString(), "Anna");
    EXPECT_EQ(customers2.fieldByName("LAST").asString(), "Birch");
    EXPECT_EQ(host.labels, QStringList{"All customers"});
    EXPECT_EQ(host.panel0.last(), "No valid tasks found");
    EXPECT_EQ(host.mainStatus, QStringList{"No valid tasks found"});
    // The job made in this run goes again.
    EXPECT_EQ(Count(jobs2), 1);
}

TEST_F(QuillmarkImportTest, JobNameIsCutTo41Characters)
{
    test::AppendRows(qm, {{"iproj.dbf", {{"IPID", "5"}, {"BIDID", "501"}, {"PID", "13"}}}});
    Import(501);
    EXPECT_EQ(host.panel0.last(), "Kitchen extension with a rear garden room imported");
    EXPECT_TRUE(jobs2.locate("BIDID", 501.0));
    EXPECT_EQ(jobs2.fieldByName("DESC").asString(), "Kitchen extension with a rear garden room");
}

TEST_F(QuillmarkImportTest, InvalidCustomerOrBidWritesNothing)
{
    for (std::int32_t bid : {502, 503}) {  // company 0, company missing from company.dbf
        host.panel0.clear();
        Import(bid);
        EXPECT_EQ(host.panel0.last(), "Invalid customer or bid") << bid;
        EXPECT_EQ(Count(customers2), 3) << bid;
        EXPECT_EQ(Count(jobs2), 1) << bid;
        EXPECT_TRUE(host.items.empty());
        EXPECT_FALSE(recorder.hourglass);
    }
}

TEST_F(QuillmarkImportTest, TakenCompanyKeyDrawsANewCustomerKey)
{
    Import(504);
    ASSERT_TRUE(customers2.locate("NAME", std::string("Dunmore, Pat")));
    const std::int32_t key = customers2.fieldByName("CID").asInteger();
    EXPECT_NE(key, 4);
    EXPECT_GT(key, 0);
    EXPECT_EQ(customers2.fieldByName("PHONE1").asString(), "555-0104");
    ASSERT_TRUE(customers2.locate("CID", 4.0));
    EXPECT_EQ(customers2.fieldByName("NAME").asString(), "Holder of four");
    ASSERT_TRUE(jobs2.locate("BIDID", 504.0));
    EXPECT_EQ(jobs2.fieldByName("CID").asInteger(), key);
    EXPECT_EQ(host.shownCustomer, key);
    ASSERT_EQ(host.items.size(), 1u);
    EXPECT_EQ(host.items[0].CustomerName, "Dunmore, Pat");
}

TEST_F(QuillmarkImportTest, NoValidTasksKeepsAnOlderJobOfTheSameBid)
{
    Import(505);  // parts only; job 900 came from this bid earlier
    EXPECT_EQ(host.panel0.last(), "No valid tasks found");
    EXPECT_TRUE(jobs2.locate("JID", 900.0));
    EXPECT_EQ(Count(jobs2), 1);
    // "cedar works" differs from "Cedar Works" in case: a customer of its own.
    EXPECT_EQ(Count(customers2), 4);
}

TEST_F(QuillmarkImportTest, WithoutAQuillmarkDatabaseNothingHappens)
{
    host.alias.clear();
    const std::set<std::string> before = SummaryRows(qm);
    Import(500);
    EXPECT_EQ(recorder.boxes, QStringList{"Tarnwick: The Quillmark database must be selected before import"});
    EXPECT_EQ(SummaryRows(qm), before);
    EXPECT_EQ(Count(jobs2), 1);
}

// The whole way: a real working copy, the customer matched in the shared
// customers.dbf, tasks on the calendar, and a second workstation that sees them.
TEST(QuillmarkImportScheduleTest, ImportedTasksReachTheSharedSchedule)
{
    schedule::test::OneWorkstation one;
    const std::string qm = test::MakeTempFolder("qmws");
    test::CreateFromLayouts(qm, data::Database::Estimator, test::QuillmarkFiles());
    test::AppendRows(qm, test::QuillmarkRows());
    test::AppendRows(one.shared.path(), test::ScheduleRows());
    test::WorkstationHost host(*one.ws);
    QuillmarkTables tables;
    tables.Open(qm);
    RecordingHost status;
    ExchangeRecorder recorder;
    ASSERT_TRUE(tables.BidTable.locate("BIDID", 500.0));
    BidImportServices services{tables, host.Cursors(), host, status, recorder, recorder, host.keys};
    ImportFromQM(services);
    EXPECT_TRUE(recorder.boxes.isEmpty()) << recorder.boxes.join('\n').toStdString();
    EXPECT_EQ(host.mainStatus, "2 tasks added");

    schedule::test::TempFolder otherProgram;
    schedule::test::CreateProgramFolder(otherProgram.path());
    schedule::test::Workstation second(otherProgram.path(), one.shared.path());
    db::Table& shared = second.IChartsTable;
    shared.refresh();
    std::map<std::string, std::vector<double>> seen;
    std::string roofNotes;
    for (shared.first(); !shared.eof(); shared.next()) {
        const std::string desc = shared.fieldByName("DESC").asString();
        seen[desc] = {shared.fieldByName("SD").asFloat(), shared.fieldByName("ED").asFloat(),
                      shared.fieldByName("HOURS").asFloat(), shared.fieldByName("COST").asFloat(),
                      shared.fieldByName("TCOST").asFloat(), shared.fieldByName("CID").asFloat()};
        if (desc == "Roof")
            roofNotes = shared.fieldByName("NOTES").asMemo();
    }
    const TDateTime day = EncodeDate(2026, 3, 5);
    ASSERT_EQ(seen.count("Roof"), 1u);
    ASSERT_EQ(seen.count("Gutters"), 1u);
    EXPECT_NEAR(seen["Roof"][0], day + 8.0 / 24, 1e-6);
    EXPECT_NEAR(seen["Roof"][1], day + 15.0 / 24, 1e-6);
    EXPECT_NEAR(seen["Gutters"][1], day + 10.0 / 24, 1e-6);
    EXPECT_EQ(seen["Roof"][2], 7);
    EXPECT_DOUBLE_EQ(seen["Roof"][3], 46.4285);
    EXPECT_DOUBLE_EQ(seen["Roof"][4], 325);
    EXPECT_DOUBLE_EQ(seen["Gutters"][3], 47.3);
    EXPECT_EQ(seen["Roof"][5], 70);  // the customer matched by its exact name
    EXPECT_NE(roofNotes.find("Strip old shingles"), std::string::npos);
    EXPECT_NE(roofNotes.find("Check flashing"), std::string::npos);
    tables.Close();
    std::filesystem::remove_all(qm);
}

}  // namespace
}  // namespace tw::exchange::quillmark
