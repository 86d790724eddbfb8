// The customer screens on 2,000 customers, 20,000 schedule records and seven
// custom fields of each kind. Aims: one step of the customer form (its
// values, photo and custom values) under 10 ms; a word search over every
// task's custom values under 100 ms; a 12-megapixel photo decoded at 1:8
// under 50 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "customers/customertab.h"
#include "customers/customfields.h"
#include "customers/jpegpicture.h"
#include "scratchinstallation.h"

using namespace tw;
using namespace tw::customers;

namespace {

constexpr int kCustomers = 2000;
constexpr int kScheduleRecords = 20000;

const char* const kWords[] = {"gate",  "dog",   "permit", "ladder", "roof",
                              "north", "alarm", "key",    "van",    "blue"};

std::string ValueFor(int record, int column)
{
    return std::string(kWords[(record + column) % 10]) + " " + std::to_string(record % 97) + "-"
        + kWords[(record * 7 + column) % 10];
}

// No window and no other page: the steps measured are the logic's own.
struct NoWindow : CustomerTabView, CustomFieldsHost {
    void ShowCustomer() override {}
    void ShowCustomerPhoto() override {}
    void SetWindowCaption(const std::string&) override {}
    void SetCustomersLabel(const std::string&) override {}
    void SetJobsLabel(const std::string&) override {}
    void SetTasksLabel(const std::string&) override {}
    void ApplyCustomerQuery() override {}
    void PullChartRecord(std::int32_t) override {}
    void PushChartRecord(std::int32_t) override {}
    void RestrictToCustomer() override {}
    void RestrictTasksToCrew() override {}
    void UpdateSelectControls() override {}
    void ApplyQueryFilters() override {}
};

struct Installation : data::testing::ScratchInstallation {
    Installation()
    {
        ops_->OpenAllTables(true);
        state_.FirstRun = false;
        data::TEstimateData& d = *data_;
        const CustomFieldTables fieldTables{d.CustomersTable,    d.CustomersTable2,    d.CrewsTable,
                                            d.CrewsTable2,       d.ChartsTable,        d.ChartsTable2,
                                            d.CustomFieldsTable, d.CustomFieldsTable2, d.CustomFieldsTable3};
        fields = std::make_unique<CustomFields>(fieldTables, d.Views(), window, queryState, state_, ui_);
        const CustomerTabTables tabTables{
            d.CustomersTable, d.CustomersTable2, d.CustomersTable3, d.PhotosTable,
            d.JobsTable,      d.JobsTable2,      d.ChartsTable2,    d};
        tab = std::make_unique<CustomerTab>(tabTables, window, state_, ui_);
        for (int kind = kCustomerFields; kind <= kTaskFields; ++kind) {
            for (int i = 1; i <= 7; ++i)
                fields->Rules.DefineCustomField(kind, "", "FIELD " + std::to_string(i));
        }
        db::Table& c = data_->CustomersTable3;
        for (int i = 0; i < kCustomers; ++i) {
            c.append();
            c.fieldByName("CID").setAsInteger(i + 1);
            c.fieldByName("NAME").setAsString("Customer " + std::to_string(100000 + i));
            c.fieldByName("LAST").setAsString("Customer " + std::to_string(100000 + i));
            c.fieldByName("PHOTO").setAsBoolean(i % 4 == 0);
            for (int col = 1; col <= 7; ++col)
                c.fieldByName("CFV" + std::to_string(col)).setAsString(ValueFor(i, col));
            c.post();
        }
        db::Table& t = data_->ChartsTable3;
        for (int i = 0; i < kScheduleRecords; ++i) {
            t.append();
            t.fieldByName("CHARTSID").setAsInteger(i + 1);
            t.fieldByName("CID").setAsInteger(i % kCustomers + 1);
            t.fieldByName("DESC").setAsString("Task " + std::to_string(i));
            for (int col = 1; col <= 7; ++col)
                t.fieldByName("CFV" + std::to_string(col)).setAsString(ValueFor(i, col));
            t.post();
        }
        data_->CustomersTable.refresh();
        data_->ChartsTable2.refresh();
        data_->Views().CustomerPage = &photoShown;
    }

    // A move of the customers view loads the photo the page would show.
    struct PhotoShown final : data::CustomerPageView {
        Installation& inst;
        explicit PhotoShown(Installation& i) : inst(i) {}
        void ShowMovedCustomer() override { benchmark::DoNotOptimize(inst.tab->CurrentPhoto()); }
        void SetUseAlt(bool) override {}
    };

    PhotoShown photoShown{*this};
    NoWindow window;
    query::QueryState queryState;
    std::unique_ptr<CustomFields> fields;
    std::unique_ptr<CustomerTab> tab;
};

Installation& Shared()
{
    static Installation installation;
    return installation;
}

void BM_CustomerFormStep(benchmark::State& st)
{
    Installation& in = Shared();
    in.fields->Open(false, kCustomerFields, false, 2);
    in.data_->CustomersTable.first();
    for (auto _ : st) {
        in.tab->NavigatorClick(NavigatorAction::Next);
        if (in.data_->CustomersTable.eof() || in.tab->CurrentCustomerId() == kCustomers) {
            st.PauseTiming();
            in.data_->CustomersTable.first();
            st.ResumeTiming();
        }
    }
    in.fields->FormDestroy();
}
BENCHMARK(BM_CustomerFormStep)->Unit(benchmark::kMillisecond);

// The custom fields window opened for a search of tasks.
Installation& TaskSearch()
{
    Installation& in = Shared();
    in.fields->Open(true, 0, false, 2);
    in.fields->Form.SearchSelection = 2;
    in.fields->SearchSelectionClick();
    return in;
}

void BM_TaskWordSearch(benchmark::State& st)
{
    Installation& in = TaskSearch();
    int found = 0;
    for (auto _ : st) {
        in.fields->Words.Clear();
        in.fields->Words.ParseSearchWords("permit, 42", 2);
        in.fields->Words.ParseSearchWords("alarm", 5);
        in.fields->SearchRunning = true;
        found = in.fields->RunSearch(kTaskFields);
    }
    st.counters["matches"] = found;
    in.fields->FormDestroy();
}
BENCHMARK(BM_TaskWordSearch)->Unit(benchmark::kMillisecond);

// Two searches in turn, so that every run rewrites the marks of the matches
// of both: the case of a new search after another one.
void BM_TaskWordSearchMovingMarks(benchmark::State& st)
{
    Installation& in = TaskSearch();
    bool other = false;
    for (auto _ : st) {
        in.fields->Words.Clear();
        in.fields->Words.ParseSearchWords(other ? "ladder" : "permit", 2);
        other = !other;
        in.fields->SearchRunning = true;
        benchmark::DoNotOptimize(in.fields->RunSearch(kTaskFields));
    }
    in.fields->FormDestroy();
}
BENCHMARK(BM_TaskWordSearchMovingMarks)->Unit(benchmark::kMillisecond);

void BM_DecodeTwelveMegapixelsAtOneEighth(benchmark::State& st)
{
    DecodedPicture picture;
    picture.Width = 4000;
    picture.Height = 3000;
    picture.Rgb.resize(static_cast<std::size_t>(picture.Width) * picture.Height * 3);
    // Gradients with a little grain: about what a photo of a house holds.
    for (int y = 0; y < picture.Height; ++y) {
        for (int x = 0; x < picture.Width; ++x) {
            std::uint8_t* px = picture.Rgb.data() + (static_cast<std::size_t>(y) * picture.Width + x) * 3;
            const unsigned grain = (static_cast<unsigned>(x * 7919 + y * 104729) * 2654435761u) >> 28;
            px[0] = static_cast<std::uint8_t>(x * 200 / picture.Width + grain);
            px[1] = static_cast<std::uint8_t>(y * 200 / picture.Height + grain);
            px[2] = static_cast<std::uint8_t>((x + y) * 100 / picture.Height + grain);
        }
    }
    const std::vector<std::uint8_t> jpeg = EncodeJpeg(picture, 90);
    for (auto _ : st) {
        auto decoded = DecodeJpeg(jpeg, kScaleEighth);
        benchmark::DoNotOptimize(decoded);
    }
    st.counters["jpeg_kB"] = static_cast<double>(jpeg.size()) / 1024.0;
}
BENCHMARK(BM_DecodeTwelveMegapixelsAtOneEighth)->Unit(benchmark::kMillisecond);

}  // namespace
