// The Quillmark bid import at size: a bid of 2,000 estimate lines in 3
// projects and 12 sections imported (summaries rebuilt, 12 tasks added and
// pushed) into a schedule of 5,000 tasks; the import window opened on 5,000
// companies and 20,000 bids; a company click re-filtering the bids.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>

#include "controls/testapplication.h"
#include "exchange/importqmform.h"
#include "exchange/quillmarkfixture.h"
#include "support/exchangerecorder.h"
#include "support/schedulefill.h"
#include "ui_importqmform.h"
#include "workstationhost.h"

using namespace tw;
using namespace tw::exchange::quillmark;

namespace {

class QuietStatus : public ImportStatusView {
public:
    void ShowBidStatus(const QString&) override {}
    void ShowSectionStatus(const QString&) override {}
};

// 2,000 lines of bid 500 over projects 11 to 13, 12 sections, half of them
// labour at four rates; a company and its bid.
void FillLargeBid(const std::string& qm)
{
    std::vector<test::FixtureRow> rows = {
        {"company.dbf", {{"CID", "1"}, {"NAME", "Alder Roofing"}}},
        {"bid.dbf", {{"BIDID", "500"}, {"CID", "1"}, {"DESC", "Large bid"}, {"DATE", "2026-03-05"}}},
    };
    for (int p = 0; p < 3; ++p)
        rows.push_back({"iproj.dbf", {{"IPID", std::to_string(p + 1)}, {"BIDID", "500"},
                                      {"PID", std::to_string(11 + p)}}});
    for (int p = 0; p < 3; ++p)
        rows.push_back({"projects.DBF", {{"PID", std::to_string(11 + p)}, {"CID", "1"}}});
    for (int i = 0; i < 2000; ++i) {
        const std::string pid = std::to_string(11 + i % 3);
        const std::string section = "Section " + std::to_string(i % 12);
        if (i % 24 < 12)
            rows.push_back({"estimate.dbf", {{"PID", pid}, {"ISPART", "T"}, {"TYPE", std::to_string(i % 8)},
                                             {"QTY", "2"}, {"FEET", "3"}, {"INCHES", "4"}, {"METERS", "1.5"},
                                             {"WEIGHTPER", "0.7"}, {"PRICE", "12.35"}, {"SECTION", section}}});
        else
            rows.push_back({"estimate.dbf", {{"PID", pid}, {"ISPART", "F"}, {"QTY", "1"}, {"HOURS", "0.75"},
                                             {"RATE", std::to_string(40 + 5 * (i % 4)) + ".3"},
                                             {"LABORID", "1"}, {"SECTION", section}}});
    }
    rows.push_back({"labor.dbf", {{"LABORID", "1"}, {"RATEID", "100"}}});
    rows.push_back({"rates.DBF", {{"RATEID", "100"}, {"DESC", "Journeyman"}}});
    test::AppendRows(qm, rows);
}

void BM_ImportLargeBid(benchmark::State& state)
{
    schedule::test::OneWorkstation one;
    test::FillSchedule(one.ws->ChartsTable5, 5000);
    one.ws->sync.PushChartUpdates();
    const std::string qm = test::MakeTempFolder("qmbench");
    test::CreateFromLayouts(qm, data::Database::Estimator, test::QuillmarkFiles());
    FillLargeBid(qm);
    test::WorkstationHost host(*one.ws);
    QuillmarkTables tables;
    tables.Open(qm);
    QuietStatus status;
    test::ExchangeRecorder recorder;
    tables.BidTable.locate("BIDID", 500.0);
    BidImportServices services{tables, host.Cursors(), host, status, recorder, recorder, host.keys};
    for (auto _ : state) {
        // Each run adds the bid's tasks again, as a second import does.
        ImportFromQM(services);
    }
    if (host.mainStatus != "12 tasks added" || !recorder.boxes.isEmpty())
        state.SkipWithError(("the import did not add 12 tasks: " + host.mainStatus + recorder.boxes.join(" ")).toStdString().c_str());
    tables.Close();
    std::filesystem::remove_all(qm);
}
BENCHMARK(BM_ImportLargeBid)->Unit(benchmark::kMillisecond)->Iterations(5);

struct LargeLists {
    LargeLists()
    {
        qm = test::MakeTempFolder("qmlists");
        test::CreateFromLayouts(qm, data::Database::Estimator, test::QuillmarkFiles());
        std::vector<test::FixtureRow> rows;
        for (int c = 1; c <= 5000; ++c)
            rows.push_back({"company.dbf", {{"CID", std::to_string(c)}, {"NAME", "Company " + std::to_string(c)},
                                            {"S1", c % 7 == 0 ? "T" : "F"}}});
        for (int b = 1; b <= 20000; ++b)
            rows.push_back({"bid.dbf", {{"BIDID", std::to_string(b)}, {"CID", std::to_string(1 + b % 5000)},
                                        {"DESC", "Bid " + std::to_string(b)}, {"DATE", "2026-03-05"},
                                        {"S3", b % 3 == 0 ? "T" : "F"}}});
        test::AppendRows(qm, rows);
        tables.Open(qm);
    }
    ~LargeLists()
    {
        tables.Close();
        std::filesystem::remove_all(qm);
    }
    std::string qm;
    QuillmarkTables tables;
};

struct WindowOnLargeLists {
    WindowOnLargeLists()
        : window(lists.tables, ScheduleCursors{customers, customers, customers, customers}, host, recorder,
                 recorder, keys)
    {}
    LargeLists lists;
    db::Table customers;  // the window's schedule cursors; no import runs here
    test::SilentImportHost host;
    test::ExchangeRecorder recorder;
    data::RecordKeys keys;
    exchange::TImportQM window;
};

void BM_OpenWindowOnLargeLists(benchmark::State& state)
{
    controls::testing::TestApplication();
    WindowOnLargeLists w;
    for (auto _ : state) {
        w.window.Open(0);
        state.PauseTiming();
        w.window.close();
        state.ResumeTiming();
    }
    if (w.window.Controls().CustomerGrid->model()->rowCount() != 5000
        || w.window.Controls().BidGrid->model()->rowCount() != 4)
        state.SkipWithError("the window did not show 5,000 companies and the first one's 4 bids");
}
BENCHMARK(BM_OpenWindowOnLargeLists)->Unit(benchmark::kMillisecond);

void BM_CompanyClickRefiltersBids(benchmark::State& state)
{
    controls::testing::TestApplication();
    WindowOnLargeLists w;
    w.window.Open(0);
    QTableView* grid = w.window.Controls().CustomerGrid;
    int row = 0;
    for (auto _ : state) {
        row = (row + 997) % grid->model()->rowCount();
        emit grid->clicked(grid->model()->index(row, 0));
    }
    if (w.window.Controls().BidGrid->model()->rowCount() != 4)
        state.SkipWithError("a click did not show the company's 4 bids");
    w.window.close();
}
BENCHMARK(BM_CompanyClickRefiltersBids)->Unit(benchmark::kMillisecond);

}  // namespace
