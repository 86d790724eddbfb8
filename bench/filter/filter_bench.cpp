// Filter evaluation over 100,000 in-memory schedule records: the shapes the
// query tab sets on the working copy, and parsing the longest of them.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/datetime/datetime.h"
#include "platform/datetime/localetexts.h"
#include "platform/db/filter.h"

namespace {

using tw::db::DateValue;
using tw::db::FieldDef;
using tw::db::FieldType;
using tw::db::Value;

constexpr int kRecords = 100000;

const std::vector<FieldDef>& Fields()
{
    static const std::vector<FieldDef> fields = {
        {"CHARTSID", FieldType::Float, 20, 8}, {"CID", FieldType::Float, 20, 8},
        {"SDD", FieldType::Date, 8, 0},        {"EDD", FieldType::Date, 8, 0},
        {"JOB", FieldType::Logical, 1, 0},     {"DESC", FieldType::Char, 40, 0},
    };
    return fields;
}

class Table {
public:
    Table()
    {
        const auto first = static_cast<std::int32_t>(std::floor(tw::EncodeDate(2026, 1, 1)));
        for (int k = 0; k < kRecords; ++k) {
            const std::int32_t start = first + k % 730;
            rows_.push_back({double(k + 1), double(1000 + k % 300), DateValue{start},
                             DateValue{start + k % 9}, k % 7 == 0, std::string("Task ") + std::to_string(k)});
        }
    }
    const std::vector<std::vector<Value>>& rows() const { return rows_; }

private:
    std::vector<std::vector<Value>> rows_;
};

class RowAccessor : public tw::db::RecordAccessor {
public:
    const std::vector<Value>* row = nullptr;
    Value fieldValue(std::size_t index) const override { return (*row)[index]; }
};

std::string KeyList(int terms)
{
    std::string text;
    for (int k = 0; k < terms; ++k)
        text += (k == 0 ? "(CHARTSID = " : " OR (CHARTSID = ") + std::to_string(1 + k * 97) + ")";
    return text;
}

void Scan(benchmark::State& state, const std::string& text)
{
    tw::locale::PinLocale("en_US");
    static const Table table;
    const auto filter = tw::db::Filter::parse(text, Fields());
    RowAccessor accessor;
    for (auto _ : state) {
        int matches = 0;
        for (const auto& row : table.rows()) {
            accessor.row = &row;
            matches += filter->matches(accessor) ? 1 : 0;
        }
        benchmark::DoNotOptimize(matches);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_NotJob(benchmark::State& state)
{
    Scan(state, "NOT JOB");
}
void BM_CustomerKey(benchmark::State& state)
{
    Scan(state, "CID = 1042");
}
void BM_DateRange(benchmark::State& state)
{
    Scan(state,
         "(((SDD >= '12/1/2026') AND (EDD <= '12/31/2026')) OR ((SDD <= '12/1/2026') AND "
         "(EDD >= '12/1/2026')) OR ((SDD <= '12/31/2026') AND (EDD >= '12/31/2026'))) AND (NOT JOB)");
}
void BM_KeyList500(benchmark::State& state)
{
    Scan(state, "(" + KeyList(500) + ") AND (NOT JOB)");
}

void BM_ParseKeyList500(benchmark::State& state)
{
    const std::string text = KeyList(500);
    for (auto _ : state)
        benchmark::DoNotOptimize(tw::db::Filter::parse(text, Fields()));
}

BENCHMARK(BM_NotJob);
BENCHMARK(BM_CustomerKey);
BENCHMARK(BM_DateRange);
BENCHMARK(BM_KeyList500);
BENCHMARK(BM_ParseKeyList500);

}  // namespace
