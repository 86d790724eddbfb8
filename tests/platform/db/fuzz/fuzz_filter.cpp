// The filter parser and evaluator: any text is parsed or refused with a
// DbError; what parses is evaluated on a few records.
#include <cstdint>
#include <string_view>

#include "platform/db/filter.h"

using namespace tw::db;

namespace {

class Record final : public RecordAccessor {
public:
    explicit Record(int k) : k_(k) {}
    Value fieldValue(std::size_t index) const override
    {
        switch (index) {
        case 0: return k_ == 0 ? Value{} : Value{static_cast<double>(k_ * 7)};
        case 1: return k_ == 1 ? Value{} : Value{std::string(static_cast<std::size_t>(k_), 'a')};
        case 2: return k_ == 2 ? Value{} : Value{DateValue{45000 + k_}};
        case 3: return Value{k_ % 2 == 0};
        default: return Value{static_cast<double>(k_)};
        }
    }

private:
    int k_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<FieldDef> fields = {
        {"CHARTSID", FieldType::Float, 20, 8}, {"NAME", FieldType::Char, 30, 0},
        {"SDD", FieldType::Date, 8, 0},        {"S1", FieldType::Logical, 1, 0},
        {"QTY", FieldType::Smallint, 6, 0},    {"NOTES", FieldType::Memo, 10, 0}};
    try {
        auto f = Filter::parse(std::string_view(reinterpret_cast<const char*>(data), size), fields);
        if (f)
            for (int k = 0; k < 4; ++k)
                (void)f->matches(Record(k));
    } catch (const DbError&) {
    }
    return 0;
}
