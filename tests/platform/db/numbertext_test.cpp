// Reading number fields: whatever text a field holds, the value read is
// exactly what the standard conversion makes of it, for the texts this engine
// writes and for those other writers leave.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/db/dbf_format.h"

namespace tw::db {
namespace {

FieldLayout NumberField(int width)
{
    FieldLayout f;
    f.def.name = "N";
    f.def.type = FieldType::Float;
    f.def.width = width;
    f.def.decimals = 0;
    f.dbfType = 'F';
    f.offset = 0;
    return f;
}

// The value the standard conversion gives for the trimmed text, or nothing
// (a decimal comma is no number to any dBase reader).
bool Reference(std::string text, double& out)
{
    while (!text.empty() && text.front() == ' ')
        text.erase(text.begin());
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    if (!text.empty() && text.front() == '+')
        text.erase(text.begin());
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

void ExpectSameAsReference(const std::string& text)
{
    const int width = static_cast<int>(text.size());
    FieldLayout f = NumberField(width);
    std::vector<std::uint8_t> record(text.begin(), text.end());
    double ours = 0;
    double theirs = 0;
    const bool read = DecodeNumber(f, record.data(), ours);
    const bool refRead = Reference(text, theirs);
    ASSERT_EQ(read, refRead) << "\"" << text << "\"";
    if (read) {
        EXPECT_EQ(std::memcmp(&ours, &theirs, sizeof ours), 0)
            << "\"" << text << "\": " << ours << " against " << theirs;
    }
}

TEST(NumberText, ReadsEveryTextAsTheStandardConversionDoes)
{
    for (const char* text : {"0",
                             "-0",
                             "12",
                             "+12",
                             "12.",
                             "12.000",
                             "-12.5",
                             ".5",
                             "-.5",
                             ".000",
                             ".",
                             "-.",
                             "-",
                             "+",
                             "0.05",
                             "   46000.25000000",
                             "56545828.00000000",
                             "1e5",
                             "1,5",
                             "--5",
                             "0000123.5000",
                             "123456789012345",
                             "1234567890123456",
                             "12345678901234567",
                             "0.1",
                             "0.3",
                             "2.675",
                             "9007199254740993",
                             "0.000000000000000000000001",
                             "99999999999.99999999",
                             "1.5 2",
                             "12a"})
        ExpectSameAsReference(text);
}

TEST(NumberText, ReadsWhatTheEngineWritesBitForBit)
{
    // Random values written at the widths and decimals the layouts use.
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> any(-1e9, 1e9);
    std::uniform_int_distribution<int> digits(0, 10);
    for (int i = 0; i < 20000; ++i) {
        const int decimals = digits(random);
        char text[64];
        std::snprintf(text, sizeof text, "%20.*f", decimals, any(random) / std::pow(10.0, digits(random)));
        ExpectSameAsReference(text);
    }
}

}  // namespace
}  // namespace tw::db
