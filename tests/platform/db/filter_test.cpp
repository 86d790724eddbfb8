#include "platform/db/filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/datetime/datetime.h"
#include "platform/datetime/localetexts.h"

namespace tw::db {
namespace {

class RowAccessor : public RecordAccessor {
public:
    explicit RowAccessor(const std::vector<Value>& row) : row_(row) {}
    Value fieldValue(std::size_t index) const override { return row_.at(index); }

private:
    const std::vector<Value>& row_;
};

Value Day(int year, int month, int day)
{
    return DateValue{static_cast<std::int32_t>(std::floor(EncodeDate(year, month, day)))};
}

// Four schedule-like records: two tasks of customer 12345 (one a job row
// marked S1), one record of another customer crossing the year end, and one
// record whose every field is blank.
class FilterTest : public ::testing::Test {
protected:
    void SetUp() override { locale::PinLocale("en_US"); }
    void TearDown() override { locale::PinLocale(""); }

    const std::vector<FieldDef> fields_ = {
        {"CHARTSID", FieldType::Float, 20, 8}, {"CID", FieldType::Float, 20, 8},
        {"BIDID", FieldType::Smallint, 6, 0},  {"DESC", FieldType::Char, 30, 0},
        {"SDD", FieldType::Date, 8, 0},        {"EDD", FieldType::Date, 8, 0},
        {"S1", FieldType::Logical, 1, 0},      {"JOB", FieldType::Logical, 1, 0},
        {"NOTES", FieldType::Memo, 10, 0},     {"CONTACT1", FieldType::Char, 20, 0},
        {"CONTACT1", FieldType::Char, 20, 0},
    };
    const std::vector<std::vector<Value>> rows_ = {
        {1.0, 12345.0, 3.0, std::string("Kitchen"), Day(2026, 12, 1), Day(2026, 12, 5), false, false,
         std::string("n"), std::string("Ann"), std::string("Zed")},
        {2.0, 12345.0, 0.0, std::string("Kitchen tiles  "), Day(2026, 11, 28), Day(2026, 12, 2), true, true,
         std::string(), std::string("Zed"), std::string("Ann")},
        {40.0, -2.5, 5.0, std::string(), Day(2026, 12, 31), Day(2027, 1, 3), std::monostate(), false,
         std::string(), std::string(), std::string()},
        std::vector<Value>(11, std::monostate()),
    };

    // "1" for each record the filter accepts, "0" for each it refuses.
    std::string matching(const std::string& text) const
    {
        const auto filter = Filter::parse(text, fields_);
        if (filter == nullptr)
            return "no filter";
        std::string result;
        for (const auto& row : rows_)
            result += filter->matches(RowAccessor(row)) ? '1' : '0';
        return result;
    }
};

TEST_F(FilterTest, AcceptsTheRecordsEachConditionDescribes)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        // numbers by value; a blank number equals no literal
        {"CID = 12345", "1100"},
        {"cid = 12345", "1100"},
        {"CID = 12345.0", "1100"},
        {"CID = +12345", "1100"},
        {"CID = '12345'", "1100"},
        {"CID <> 12345", "0011"},
        {"CID < 0", "0010"},
        {"CID > -3", "1110"},
        {"CID <= -2.5", "0010"},
        {"CID >= 12345", "1100"},
        {"CHARTSID > 0", "1110"},
        {"CHARTSID = 0", "0000"},
        {"BIDID = 3", "1000"},
        {"BIDID >= 0", "1110"},
        // texts: exact and case-sensitive, trailing blanks ignored on both sides
        {"DESC = 'Kitchen'", "1000"},
        {"DESC = 'kitchen'", "0000"},
        {"DESC = 'Kitchen tiles'", "0100"},
        {"DESC = \"Kitchen tiles   \"", "0100"},
        {"DESC = ''", "0011"},
        {"DESC <> ''", "1100"},
        {"DESC > 'Kitchen'", "0100"},
        {"DESC < 'Kitchen tiles'", "1011"},
        {"CONTACT1 = 'Ann'", "1000"},
        // logical fields; a blank logical is false
        {"S1", "0100"},
        {"NOT S1", "1011"},
        {"NOT JOB", "1011"},
        {"JOB", "0100"},
        {"S1 = TRUE", "0100"},
        {"S1 <> true", "1011"},
        {"s1 = False", "1011"},
        {"TRUE", "1111"},
        {"FALSE OR S1", "0100"},
        {"(CID = 12345) AND (S1)", "0100"},
        // dates in the locale's short date order; a blank date equals no date
        {"SDD = '12/1/2026'", "1000"},
        {"SDD <> '12/1/2026'", "0111"},
        {"EDD > '12/31/2026'", "0010"},
        {"(SDD >= '12/1/2026') AND (EDD <= '12/31/2026')", "1000"},
        {"((SDD >= '12/1/2026') AND (EDD <= '12/31/2026')) OR ((SDD <= '12/1/2026') AND "
         "(EDD >= '12/1/2026')) OR ((SDD <= '12/31/2026') AND (EDD >= '12/31/2026'))",
         "1110"},
        // precedence NOT > AND > OR, parentheses, keywords in any case
        {"S1 OR JOB AND CHARTSID = 1", "0100"},
        {"(S1 OR JOB) AND CHARTSID = 1", "0000"},
        {"NOT S1 AND JOB", "0000"},
        {"NOT (S1 AND JOB)", "1011"},
        {"NOT S1 OR JOB", "1111"},
        {"NOT NOT S1", "0100"},
        {"NOT (S1 OR CHARTSID = 1)", "0011"},
        {"not s1 and not job", "1011"},
        {"((CID = 12345)) AND ((NOT JOB))", "1000"},
        {"(CID=12345)AND(NOT S1)", "1000"},
        {"  CID=12345  ", "1100"},
        // set-tested equality lists mixed with other terms
        {"(CHARTSID = 2) OR (CHARTSID = 4) OR (CHARTSID = 6) OR (CHARTSID = 8) OR (CHARTSID = 40)", "0110"},
        {"(CHARTSID = 3) OR (CHARTSID = 4) OR (CHARTSID = 6) OR (CHARTSID = 8) OR S1", "0100"},
        {"NOT ((CHARTSID = 1) OR (CHARTSID = 4) OR (CHARTSID = 6) OR (CHARTSID = 8))", "0111"},
        {"(CHARTSID = 1) OR (CHARTSID = 4) OR (CID = 12345) OR (CID = -2.5) OR (CID = 5) OR (CID = 6)",
         "1110"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matching(c.text), c.expected) << c.text;
}

TEST_F(FilterTest, BlankTextIsNoFilter)
{
    for (const char* text : {"", "   ", "\t\n "})
        EXPECT_EQ(Filter::parse(text, fields_), nullptr) << '"' << text << '"';
}

TEST_F(FilterTest, LongListsStayFlatAndExact)
{
    // The resource and search filters: hundreds of OR-joined key terms.
    std::string odd;
    for (int k = 1; k < 1000; k += 2)
        odd += (odd.empty() ? "(CHARTSID = " : " OR (CHARTSID = ") + std::to_string(k) + ")";
    EXPECT_EQ(matching(odd), "1000");
    EXPECT_EQ(matching("NOT (" + odd + ")"), "0111");
    EXPECT_EQ(matching("(" + odd + ") AND (NOT JOB)"), "1000");

    std::string everyKey = "(CHARTSID = 40)";
    for (int k = 1000; k < 1500; ++k)
        everyKey += " OR (CHARTSID = " + std::to_string(k) + ")";
    EXPECT_EQ(matching(everyKey), "0010");

    std::string conjunction = "CHARTSID > 0";
    for (int k = 0; k < 2000; ++k)
        conjunction += " AND CID <> 99";
    EXPECT_EQ(matching(conjunction), "1110");

    std::string nots;
    for (int k = 0; k < 10001; ++k)
        nots += "NOT ";
    EXPECT_EQ(matching(nots + "S1"), "1011");

    EXPECT_EQ(matching(std::string(100, '(') + "S1" + std::string(100, ')')), "0100");
}

TEST_F(FilterTest, DatesFollowTheLocalesOrder)
{
    locale::PinLocale("de_DE");
    EXPECT_EQ(matching("SDD = '1.12.2026'"), "1000");
    EXPECT_EQ(matching("EDD >= '31.12.2026'"), "0010");
}

TEST_F(FilterTest, MalformedFiltersNameThePositionAndWhatWasExpected)
{
    const struct {
        std::string text;
        int position;
        const char* says;
    } cases[] = {
        {"(CID = 1", 9, "expected ')' to close the '(' at position 1, found the end of the filter"},
        {"((S1) AND (JOB)", 16, "expected ')'"},
        {"CID = 1)", 8, "')' without a matching '('"},
        {"FOO = 1", 1, "unknown field 'FOO'"},
        {"S1 AND CHARTS = 1", 8, "unknown field 'CHARTS'"},
        {"CID =", 6, "expected a number after '=' for the field CID, found the end of the filter"},
        {"CID == 1", 6, "expected a number after '='"},
        {"CID = 1 AND", 12, "expected a field name, NOT or '(', found the end of the filter"},
        {"CID = 1 OR OR S1", 12, "expected a field name, NOT or '(', found 'OR'"},
        {"AND S1", 1, "expected a field name"},
        {"NOT", 4, "expected a field name"},
        {"CID 1", 5, "expected a comparison operator after CID, found '1'"},
        {"CID", 4, "expected a comparison operator after CID"},
        {"CID = 1 S1", 9, "expected AND, OR or the end of the filter, found 'S1'"},
        {"DESC = 'abc", 8, "unterminated quoted text"},
        {"DESC = \"abc'", 8, "unterminated quoted text"},
        {"()", 2, "expected a condition inside the parentheses, found ')'"},
        {"(S1) AND ()", 11, "expected a condition inside the parentheses"},
        {"SDD >= '13/45/2026'", 8, "invalid date '13/45/2026' for the field SDD"},
        {"SDD >= ''", 8, "invalid date"},
        {"SDD >= 12", 8, "expected a quoted date"},
        {"CID = 'abc'", 7, "expected a number"},
        {"CID = ''", 7, "expected a number"},
        {"CID = TRUE", 7, "expected a number"},
        {"DESC = 5", 8, "expected a quoted text"},
        {"DESC = JOB", 8, "expected a quoted text"},
        {"S1 < TRUE", 1, "can only be compared with = or <>"},
        {"S1 = 1", 6, "expected TRUE or FALSE"},
        {"NOTES = 'x'", 1, "the memo field NOTES cannot be used in a filter"},
        {"CID = 1 # 2", 9, "unexpected character '#'"},
        {"CID = 1 - 2", 9, "unexpected character '-'"},
        {"DESC = 'Café' AND X = 1", 19, "unknown field 'X'"},
        {std::string(101, '(') + "S1" + std::string(101, ')'), 101, "nested more than 100 deep"},
    };
    for (const auto& c : cases) {
        try {
            Filter::parse(c.text, fields_);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const DbError& e) {
            EXPECT_EQ(e.code(), ErrorCode::InvalidFilter) << c.text;
            const std::string message = e.what();
            EXPECT_NE(message.find("at position " + std::to_string(c.position) + ":"), std::string::npos)
                << c.text << "\n  " << message;
            EXPECT_NE(message.find(c.says), std::string::npos) << c.text << "\n  " << message;
        }
    }
}

}  // namespace
}  // namespace tw::db
