// The bid import on a Quillmark database written by another dBase program
// alone (python3-dbf: dBase III "N" numbers, "F" numbers, work orders in
// files without an extension, and the sample shipped in examples/quillmark),
// with no file of ours beside its tables: the tags the layouts name are built
// in memory, follow the table as it changes, and are never written into the
// estimating product's folder. A rebuild of the summaries killed at any
// moment leaves every table whole, old or new, as python3-dbfread reads it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "exchange/quillmark/bidimport.h"
#include "exchange/quillmark/bidsummaries.h"
#include "exchange/quillmarkfixture.h"
#include "support/exchangerecorder.h"

namespace tw::exchange::quillmark {
namespace {

namespace fs = std::filesystem;
using test::ExchangeRecorder;

const std::string kSample = TW_EXAMPLES_DIR "/quillmark";

std::string RunCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pipe ? ::pclose(pipe) : -1;
    return status == 0 ? output : "FAILED: " + command + "\n" + output;
}

// Bid 101 as another program reads it: its summary rows, the work-order
// sections, one line each; "FAILED" when a table cannot be read whole.
std::set<std::string> BidRows(const std::string& folder)
{
    const std::string script = fs::path(folder).parent_path() / "bidrows.py";
    std::ofstream(script) << R"(
import sys, os
from dbfread import DBF
f = sys.argv[1]
def table(name):
    found = [n for n in os.listdir(f) if n.lower() in (name, name + '.dbf')]
    return DBF(os.path.join(f, found[0]), char_decode_errors='strict')
for name in ('company', 'bid', 'projects', 'iproj', 'estimate', 'labor', 'rates', 'wo1'):
    list(table(name))
for r in table('hourssum'):
    if r['BIDID'] == 101:
        print('hours|%.4f|%.4f|%s' % (r['RATE'], r['HOURSSUM'], r['RATEDESC']))
for r in table('matssum'):
    if r['BIDID'] == 101:
        print('mats|%s|%d|%.4f|%.4f|%.4f' % (r['MATSDESC'], r['MATSID'], r['MATSSUM'] or 0,
              r['LABORSUM'] or 0, r['HOURS'] or 0))
for r in table('wo2'):
    print('wo2|%d|%s|%s' % (r['PID'], r['LOCATION'], r['SECTION']))
)";
    const std::string out = RunCommand("/usr/bin/python3 " + script + " " + folder);
    std::set<std::string> rows;
    std::size_t start = 0;
    while (start < out.size()) {
        const std::size_t end = out.find('\n', start);
        rows.insert(out.substr(start, end - start));
        start = end == std::string::npos ? out.size() : end + 1;
    }
    return rows;
}

const std::set<std::string> kOldRows = {"wo2|11|North slope|"};
const std::set<std::string> kNewRows = {
    "hours|28.0000|168.0000|Labourer",      "hours|40.0000|880.0000|Journeyman",
    "hours|55.0000|220.0000|Foreman",       "mats|Gutters|101|30.0000|168.0000|6.0000",
    "mats|Roof|103|100.0000|1100.0000|26.0000", "mats|Flashing|101|42.0000|0.0000|0.0000",
    "wo2|11|North slope|Roof",
};

std::set<std::string> FilesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

class TaskRecorder : public test::SilentImportHost, public ImportStatusView {
public:
    std::vector<schedule::NewScheduleItem> items;
    QStringList sections;
    bool AddTaskToSchedule(const schedule::NewScheduleItem& item) override
    {
        items.push_back(item);
        return true;
    }
    void ShowBidStatus(const QString&) override {}
    void ShowSectionStatus(const QString& text) override { sections << text; }
};

// A Quillmark folder made the way a case says, and the schedule tables the
// import matches customers and jobs in.
class ForeignDatabase {
public:
    explicit ForeignDatabase(const std::string& options)
        : root(test::MakeTempFolder("qmforeign")), qm(root + "/qm"), sched(root + "/sched")
    {
        fs::create_directories(sched);
        if (options.empty()) {
            fs::copy(kSample, qm);
            for (const std::string& name : FilesIn(qm))
                if (name.ends_with(".py") || name.ends_with(".md"))
                    fs::remove(fs::path(qm) / name);
        } else {
            fs::create_directories(qm);
            made = RunCommand("/usr/bin/python3 " + kSample + "/make_sample.py " + qm + " " + options);
        }
        test::CreateFromLayouts(sched, data::Database::Scheduler, test::ScheduleFiles());
        test::AppendRows(sched, test::ScheduleRows());
    }
    ~ForeignDatabase()
    {
        for (db::Table* t : {&customers2, &customers3, &jobs2, &jobs3})
            t->close();
        fs::remove_all(root);
    }

    void OpenSchedule()
    {
        for (db::Table* t : {&customers2, &customers3, &jobs2, &jobs3}) {
            t->setFolder(sched);
            t->setTableName(t == &customers2 || t == &customers3 ? "customers.dbf" : "jobs.dbf");
            t->open();
        }
    }

    std::string root, qm, sched, made;
    db::Table customers2, customers3, jobs2, jobs3;
};

struct Variant {
    const char* name;
    const char* options;  // for make_sample.py; none: the shipped sample
};

const Variant kVariants[] = {
    {"the shipped sample", ""},
    {"dBase III N numbers", "--numbers=N"},
    {"F numbers", "--numbers=F"},
    {"work orders without an extension", "--numbers=N --bare-work-orders"},
};

TEST(QuillmarkForeignTest, EveryBidCaseOnADatabaseOfAnotherProgram)
{
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.name);
        ForeignDatabase db(v.options);
        ASSERT_EQ(db.made.find("FAILED"), std::string::npos) << db.made;
        const std::set<std::string> before = FilesIn(db.qm);
        for (const std::string& name : before) {
            const std::string ext = fs::path(name).extension().string();
            EXPECT_TRUE(ext == ".dbf" || ext == ".DBF" || ext == ".dbt" || ext.empty()) << name;
        }
        EXPECT_EQ(BidRows(db.qm), kOldRows);

        QuillmarkTables tables;
        ASSERT_NO_THROW(tables.Open(db.qm));
        db.OpenSchedule();
        // The browse lists come in the orders of the tags "NAME" and "DESC".
        std::vector<std::string> companies, bids;
        for (tables.CompanyTable.first(); !tables.CompanyTable.eof(); tables.CompanyTable.next())
            companies.push_back(tables.CompanyTable.fieldByName("NAME").asString());
        EXPECT_EQ(companies, (std::vector<std::string>{"Alder Roofing", "Birch, Anna", "Cedar Works"}));
        for (tables.BidTable.first(); !tables.BidTable.eof(); tables.BidTable.next())
            bids.push_back(tables.BidTable.fieldByName("DESC").asString());
        EXPECT_EQ(bids, (std::vector<std::string>{"Garden fence", "Kitchen extension", "Roof renewal"}));

        TaskRecorder host;
        ExchangeRecorder recorder;
        data::RecordKeys keys;
        ASSERT_TRUE(tables.BidTable.locate("BIDID", 101.0));
        BidImportServices services{tables, {db.customers2, db.customers3, db.jobs2, db.jobs3}, host, host,
                                   recorder, recorder, keys};
        ImportFromQM(services);
        EXPECT_TRUE(recorder.boxes.isEmpty()) << recorder.boxes.join('\n').toStdString();
        EXPECT_EQ(host.mainStatus, "2 tasks added");
        EXPECT_EQ(host.sections, (QStringList{"", "Flashing has no labor hours"}));

        // One task per section with labour: hours, rate and cost by rate.
        ASSERT_EQ(host.items.size(), 2u);
        EXPECT_EQ(host.items[0].Description, "Gutters");
        EXPECT_FLOAT_EQ(host.items[0].Hours, 6);
        EXPECT_DOUBLE_EQ(host.items[0].HourlyRate, 28);
        EXPECT_DOUBLE_EQ(host.items[0].TotalCost, 168);
        EXPECT_TRUE(host.items[0].Notes->empty());
        EXPECT_EQ(host.items[1].Description, "Roof");
        EXPECT_FLOAT_EQ(host.items[1].Hours, 26);
        EXPECT_DOUBLE_EQ(host.items[1].HourlyRate, 42.3076);
        EXPECT_DOUBLE_EQ(host.items[1].TotalCost, 1100);
        EXPECT_EQ(*host.items[1].Notes,
                  (std::vector<std::string>{"Strip old tiles and check the battens", "Scaffold on the north side"}));
        EXPECT_DOUBLE_EQ(host.items[1].Start, EncodeDate(2027, 3, 1) + 1.0 / 3);
        // The company matched the customer of the same name: no new customer.
        EXPECT_EQ(host.items[1].CustomerName, "Alder Roofing");
        db.customers2.refresh();
        EXPECT_EQ(db.customers2.recordCount(), 3);
        ASSERT_TRUE(db.jobs2.locate("BIDID", 101.0));
        EXPECT_EQ(db.jobs2.fieldByName("CID").asInteger(), 70);

        // The rate rows came in the order of the tag "RATE" this run built
        // and kept up as it wrote them.
        std::vector<double> rates;
        for (tables.HourssumTable.first(); !tables.HourssumTable.eof(); tables.HourssumTable.next())
            rates.push_back(tables.HourssumTable.fieldByName("RATE").asFloat());
        EXPECT_EQ(rates, (std::vector<double>{28, 40, 55}));
        tables.Close();

        EXPECT_EQ(BidRows(db.qm), kNewRows);
        // What the engine keeps beside a table it wrote is its record
        // journal; no index definitions were left in that folder.
        for (const std::string& name : FilesIn(db.qm))
            EXPECT_TRUE(before.count(name) || name.ends_with(".twr")) << name;
    }
}

// Another program adds a company while the import window has the list open:
// the next refresh shows it in its place in the "NAME" order.
TEST(QuillmarkForeignTest, TheTagsFollowAnotherProgramsChanges)
{
    ForeignDatabase db("--numbers=F");
    ASSERT_EQ(db.made.find("FAILED"), std::string::npos) << db.made;
    QuillmarkTables tables;
    tables.Open(db.qm);
    auto names = [&] {
        std::vector<std::string> list;
        for (tables.CompanyTable.first(); !tables.CompanyTable.eof(); tables.CompanyTable.next())
            list.push_back(tables.CompanyTable.fieldByName("NAME").asString());
        return list;
    };
    ASSERT_EQ(names().size(), 3u);
    const std::string add = fs::path(db.root) / "add.py";
    std::ofstream(add) << R"(
import sys, os, dbf, warnings
warnings.simplefilter('ignore')
t = dbf.Table(os.path.join(sys.argv[1], 'company.dbf'))
t.open(dbf.READ_WRITE)
t.append({'cid': 4, 'name': 'aspen decks'})
t.close()
)";
    ASSERT_EQ(RunCommand("/usr/bin/python3 " + add + " " + db.qm), "");
    tables.CompanyTable.refresh();
    EXPECT_EQ(names(), (std::vector<std::string>{"Alder Roofing", "aspen decks", "Birch, Anna", "Cedar Works"}));
    tables.Close();
}

// A rebuild of bid 101's summaries, over and over, killed at moments spread
// across it: each table reads whole with dbfread straight after the kill, and
// holds the summaries as they were or as rebuilt once the next open of ours
// has finished what the journals hold.
TEST(QuillmarkForeignTest, AKilledSummaryRebuildLeavesTheTablesWholeOldOrNew)
{
    ForeignDatabase pristine("--numbers=N");
    ASSERT_EQ(pristine.made.find("FAILED"), std::string::npos) << pristine.made;
    const std::string qm = pristine.root + "/run";
    int unfinished = 0, rebuilt = 0;
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE(round);
        fs::remove_all(qm);
        fs::copy(pristine.qm, qm);
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            // The parent stops reading before it kills: a write to the closed
            // pipe must not end this process before the kill does.
            ::signal(SIGPIPE, SIG_IGN);
            try {
                QuillmarkTables tables;
                tables.Open(qm);
                ExchangeRecorder busy;
                data::RecordKeys keys;
                (void)!::write(ready[1], "r", 1);
                for (;;) {
                    SummariseBidSections(tables, busy, keys, 101);
                    (void)!::write(ready[1], "d", 1);
                }
            } catch (...) {
            }
            ::_exit(3);
        }
        ::close(ready[1]);
        char signal = 0;
        const bool started = ::read(ready[0], &signal, 1) == 1;
        // On a loaded machine no short wait may see a rebuild through; in the
        // last round the kill comes only after one has finished.
        if (round == 23)
            ASSERT_EQ(::read(ready[0], &signal, 1), 1) << "no rebuild finished";
        ::close(ready[0]);
        // In the first rebuild, or somewhere in a later one.
        std::this_thread::sleep_for(std::chrono::microseconds(round * round * 40));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(started) << "the rebuilding process ended early";
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;

        // A record journal whose head is zero is one whose write finished.
        bool journal = false;
        for (const auto& e : fs::directory_iterator(qm)) {
            const std::string ext = e.path().extension().string();
            std::string head(8, '\0');
            if (ext == ".twr")
                std::ifstream(e.path(), std::ios::binary).read(head.data(), 8);
            journal = journal || ext == ".twb" || head != std::string(8, '\0');
        }
        const std::set<std::string> raw = BidRows(qm);
        for (const std::string& row : raw)
            ASSERT_EQ(row.find("FAILED"), std::string::npos) << row;
        if (!journal) {
            EXPECT_TRUE(raw == kNewRows || raw == kOldRows);
        }
        unfinished += journal;

        // The next opener of ours finishes or drops what the journals hold.
        QuillmarkTables reopened;
        ASSERT_NO_THROW(reopened.Open(qm));
        reopened.Close();
        const std::set<std::string> after = BidRows(qm);
        EXPECT_TRUE(after == kNewRows || after == kOldRows);
        rebuilt += after == kNewRows;
    }
    EXPECT_GT(rebuilt, 0);
    RecordProperty("KillsInsideAWrite", unfinished);
}

}  // namespace
}  // namespace tw::exchange::quillmark
