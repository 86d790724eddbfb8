// The text conversions of field values, on field layouts a foreign or damaged
// file may declare (any type letter, width and decimals): decode whatever
// bytes a record holds, encode texts and numbers into it, never past it.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/db/dbf_format.h"

using namespace tw::db;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    static const char kTypes[] = "CNFDLMBGX";
    FieldLayout f;
    f.dbfType = kTypes[data[0] % (sizeof kTypes - 1)];
    const FieldType types[] = {FieldType::Char,    FieldType::Smallint, FieldType::Float, FieldType::Date,
                               FieldType::Logical, FieldType::Memo,     FieldType::Binary};
    f.def.type = types[data[0] % 7];
    f.def.width = data[1] == 0 ? 1 : data[1];
    f.def.decimals = data[2];
    f.def.name = "F";
    f.offset = 1;
    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);
    // Exactly as long as the record: any overrun shows under the sanitizers.
    std::vector<std::uint8_t> rec(1 + static_cast<std::size_t>(f.def.width), ' ');
    std::memcpy(rec.data() + 1, text.data(), std::min(text.size(), rec.size() - 1));
    (void)DecodeValue(f, rec.data());
    double d = 0;
    (void)DecodeNumber(f, rec.data(), d);
    (void)DecodeMemoBlock(f, rec.data());
    (void)IsBlank(f, rec.data());
    (void)AnsiToUtf8(text);
    std::string ansi;
    (void)Utf8ToAnsi(text, ansi);
    std::uint64_t bits = 0;
    std::memcpy(&bits, data + 3, std::min<std::size_t>(8, size - 3));
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    for (double x : {v, 1e308, -1e308, 12345.678, static_cast<double>(bits % 100000)}) {
        (void)RoundForField(f, x);
        try {
            EncodeNumber(f, rec.data(), x, "fuzz.dbf");
        } catch (const DbError&) {
        }
    }
    try {
        EncodeText(f, rec.data(), text, "fuzz.dbf");
    } catch (const DbError&) {
    }
    try {
        EncodeDate(f, rec.data(), static_cast<std::int64_t>(bits % 5000000) - 700000, "fuzz.dbf");
    } catch (const DbError&) {
    }
    try {
        EncodeMemoBlock(f, rec.data(), static_cast<std::uint32_t>(bits), "fuzz.dbf");
    } catch (const DbError&) {
    }
    EncodeBlank(f, rec.data());
    return 0;
}
