#include <gtest/gtest.h>

#include <array>
#include <string>

#include "data/datetimetext.h"
#include "data/durationtext.h"
#include "data/filtertexts.h"
#include "data/jobstatus.h"
#include "data/nametexts.h"
#include "data/textroutines.h"
#include "data/updatecount.h"
#include "platform/datetime/localetexts.h"

namespace tw::data {
namespace {

TEST(FilterTexts, AndFilterParenthesisesBothSides)
{
    EXPECT_EQ(AndFilter("CID = 5", "NOT JOB"), "(CID = 5) AND (NOT JOB)");
    EXPECT_EQ(AndFilter("", "NOT JOB"), "(NOT JOB)");
    EXPECT_EQ(AndFilter("NOT JOB", ""), "(NOT JOB) AND ()");
}

TEST(FilterTexts, OrFilterRestartsOnlyWhenAsked)
{
    OrFilter filter;
    filter.FilterText = "left over";
    filter.FilterTextRestart = true;
    filter.AddOrFilter("CHARTSID = 1");
    filter.AddOrFilter("CHARTSID = 2");
    filter.AddOrFilter("CHARTSID = 3");
    EXPECT_EQ(filter.FilterText, "(CHARTSID = 1) OR (CHARTSID = 2) OR (CHARTSID = 3)");
    EXPECT_FALSE(filter.FilterTextRestart);
    filter.AddOrFilter("CHARTSID = 4");
    EXPECT_EQ(filter.FilterText, "(CHARTSID = 1) OR (CHARTSID = 2) OR (CHARTSID = 3) OR (CHARTSID = 4)");
    filter.FilterTextRestart = true;
    filter.AddOrFilter("CID = 9");
    EXPECT_EQ(filter.FilterText, "(CID = 9)");
}

TEST(NameTexts, QuickBooksFullNameParts)
{
    struct Case {
        const char* in;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {"Customer:Kitchen:Tiling", "Customer", "Kitchen"},
        {"  Customer:Job", "Customer", "Job"},
        {"Customer:Job  ", "Customer", "Job"},
        {"Customer", "Customer", "Customer"},
        {"Customer:", "Customer", "Customer:"},
        {":Job", "", "Job"},
        {"A::B", "A", "A::B"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextBeforeColon(c.in), c.first) << c.in;
        EXPECT_EQ(FullNameFirstPart(c.in), c.first) << c.in;
        EXPECT_EQ(FullNameSecondPart(c.in), c.second) << c.in;
    }
}

TEST(NameTexts, FullNameLevelAndPart)
{
    struct Case {
        const char* in;
        int level;
        int n;
        const char* part;
    };
    const Case cases[] = {
        {"Smith", 0, 0, "Smith"},
        {"Smith:Kitchen", 1, 1, "Kitchen"},
        {"Smith:Kitchen:Tiles", 2, 2, "Tiles"},
        {"Smith:Kitchen:Tiles:Grout", 3, 3, "Grout"},
        {"Smith:Kitchen:Tiles:Grout", 3, 2, "Tiles:Grout"},  // later colons are kept
        {"  Smith:Kitchen:Tiles  ", 2, 2, "Tiles"},          // blanks around the name do not count
        {"Smith:Kitchen", 1, 3, "Smith:Kitchen"},            // fewer colons than n: the whole name
        {"Smith:Kitchen", 1, 0, "Smith:Kitchen"},
        {"Smith::", 2, 2, ""},
        {":", 1, 1, ""},
        {"", 0, 1, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FullNameLevel(c.in), c.level) << c.in;
        EXPECT_EQ(FullNamePart(c.n, c.in), c.part) << c.in << " n=" << c.n;
    }
}

TEST(NameTexts, PersonNames)
{
    struct Case {
        const char* in;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {"Lastname,Firstname", "Firstname", "Lastname"},
        {"Lastname", "", "Lastname"},
        {",Firstname", "Firstname", ""},
        {"  Lastname, Firstname  ", "Firstname", "Lastname"},
        {"Lastname, First Second", "First Second", "Lastname"},
        {"Last,First,More", "FirstMore", "Last"},
    };
    for (const Case& c : cases) {
        std::string first = "stale";
        std::string last = "stale";
        SplitPersonName(c.in, first, last);
        EXPECT_EQ(first, c.first) << c.in;
        EXPECT_EQ(last, c.last) << c.in;
    }
}

TEST(NameTexts, SplitAtCommaKeepsBlanksAndDropsEveryComma)
{
    struct Case {
        const char* in;
        const char* before;
        const char* after;
    } cases[] = {
        {"Smith, John", "Smith", " John"},
        {"A,B,C", "A", "BC"},
        {"Smith, John, Jr", "Smith", " John Jr"},
        {" Smith ", " Smith ", ""},
        {",", "", ""},
        {",,", "", ""},
    };
    for (const Case& c : cases) {
        std::string after = "stale";
        std::string before = "stale";
        SplitAtComma(c.in, after, before);
        EXPECT_EQ(before, c.before) << c.in;
        EXPECT_EQ(after, c.after) << c.in;
    }
}

TEST(NameTexts, QuickBooksNamesAreCutTo41Characters)
{
    const std::string exact(41, 'x');
    EXPECT_EQ(CutToQuickBooksName(exact), exact);
    EXPECT_EQ(CutToQuickBooksName(exact + "y"), exact);
    EXPECT_EQ(CutToQuickBooksName(""), "");
    // 41 characters of two bytes each stay whole.
    std::string accented;
    for (int i = 0; i < 42; ++i)
        accented += "\xC3\xA9";
    EXPECT_EQ(CutToQuickBooksName(accented), accented.substr(0, 82));
}

TEST(TextRoutines, ContainsText)
{
    struct Case {
        const char* text;
        const char* part;
        bool expected;
    };
    const Case cases[] = {
        {"Microsoft Windows XP", "XP", true},
        {"Windows Server 2003", "2003", true},
        {"Windows 7", "xp", false},
        {"XP", "XP", true},
        {"X", "XP", false},
        {"", "", false},
        {"abc", "", true},
        {"abcabd", "abd", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ContainsText(c.text, c.part), c.expected) << c.text << " / " << c.part;
}

TEST(TextRoutines, SwapPasswordLetters)
{
    // Lower-case letters become control codes and back, in reverse order.
    EXPECT_EQ(SwapPasswordLetters("abc"), std::string("\x03\x02\x01"));
    EXPECT_EQ(SwapPasswordLetters(std::string("\x03\x02\x01")), "abc");
    // Upper case, digits and punctuation keep their codes.
    EXPECT_EQ(SwapPasswordLetters("A1b!"),
              std::string("!\x02"
                          "1A"));
    // Codes above 127 are negative as signed bytes and count as below 27.
    EXPECT_EQ(SwapPasswordLetters("\xE9"), "I");
    EXPECT_EQ(SwapPasswordLetters(""), "");
    const std::string password = "Secret9pass";
    EXPECT_EQ(SwapPasswordLetters(SwapPasswordLetters(password)), password);
}

TEST(TextRoutines, DropSeconds)
{
    EXPECT_EQ(DropSeconds("12/8/2026 10:15:00 AM"), "12/8/2026 10:15 AM");
    EXPECT_EQ(DropSeconds("8.12.2026 14:30:00"), "8.12.2026 14:30");
    EXPECT_EQ(DropSeconds("13:45"), "13:45");
    EXPECT_EQ(DropSeconds("1:2:3 x:y:z"), "1:2 x:y:z");
}

// The sum is not rounded back to a single: the value a record gets keeps
// the single's digits plus one.
TEST(UpdateCount, RaisesTheSingleByOneWithoutRoundingTheSum)
{
    EXPECT_EQ(NextUpdateCount(1.1f), 2.100000023841858);
    EXPECT_NE(NextUpdateCount(1.1f), static_cast<double>(2.1f));
    EXPECT_EQ(NextUpdateCount(0.0f), 1.0);
    // Beyond 2^24 the sum still grows, where a single could not.
    EXPECT_EQ(NextUpdateCount(16777216.0f), 16777217.0);
    EXPECT_EQ(static_cast<float>(NextUpdateCount(16777216.0f)), 16777216.0f);
}

TEST(JobStatus, DefaultAndLoadedTexts)
{
    const JobStatusTexts defaults;
    const char* expected[] = {"Awarded", "Closed", "In progress", "None", "Not awarded", "Pending"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(defaults.JobStatusName(i), expected[i]);
        EXPECT_EQ(defaults.JobStatusFromName(expected[i]), i);
    }
    EXPECT_EQ(defaults.JobStatusName(7), "None");
    EXPECT_EQ(defaults.JobStatusName(-1), "None");
    EXPECT_EQ(defaults.JobStatusFromName("closed"), 3);
    EXPECT_EQ(defaults.JobStatusFromName(" Closed"), 3);

    // Blank texts fall back; the same text for two numbers resolves in the
    // order Closed, Awarded, In progress, Not awarded, Pending.
    const JobStatusTexts loaded({"Won", "  ", "Busy", "", "Lost", "Won"});
    EXPECT_EQ(loaded.JobStatusName(0), "Won");
    EXPECT_EQ(loaded.JobStatusName(1), "Closed");
    EXPECT_EQ(loaded.JobStatusName(3), "None");
    EXPECT_EQ(loaded.JobStatusFromName("Won"), 0);
    EXPECT_EQ(loaded.JobStatusFromName("Awarded"), 3);
}

class LocaleTextsTest : public ::testing::Test {
protected:
    void SetUp() override { locale::PinLocale("en_US"); }
    void TearDown() override { locale::PinLocale("en_US"); }
};

TEST_F(LocaleTextsTest, DateTimeTextWithoutSeconds)
{
    const TDateTime day = EncodeDate(2026, 12, 8);
    EXPECT_EQ(DateTimeText(day + EncodeTime(10, 15, 0, 0)), "12/8/2026 10:15 AM");
    EXPECT_EQ(DateTimeText(day + EncodeTime(14, 30, 45, 0)), "12/8/2026 2:30 PM");
    EXPECT_EQ(DateTimeText(day), "12/8/2026 midnight");
    EXPECT_EQ(DateTimeText(day + EncodeTime(0, 15, 0, 0)), "12/8/2026 12:15 AM");

    locale::PinLocale("de_DE");
    EXPECT_EQ(DateTimeText(day + EncodeTime(14, 30, 0, 0)), "08.12.2026 14:30");
    EXPECT_EQ(DateTimeText(day), "08.12.2026 midnight");
}

TEST(DurationText, ChoosesTheUnitFromTheCalendar)
{
    const CalendarHours week40;  // 8 a day, 40 a week, 173.5 a month, 2082 a year
    struct Case {
        float hours;
        const char* number;
        int unit;
        const char* word;
    };
    const Case cases[] = {
        {8.0f, "8.00", 0, " hours"},     {80.0f, "80.00", 0, " hours"},   // twice a week is still hours
        {80.25f, "10.0", 1, " days"},    {173.5f, "21.7", 1, " days"},    // a month is still days
        {180.0f, "4.5", 2, " weeks"},    {2082.0f, "52.0", 2, " weeks"},  // a year is still weeks
        {2100.0f, "12.1", 3, " months"},
    };
    for (const Case& c : cases) {
        int unit = -1;
        std::string word;
        EXPECT_EQ(DurationText(week40, unit, c.hours, word), c.number) << c.hours;
        EXPECT_EQ(unit, c.unit) << c.hours;
        EXPECT_EQ(word, c.word) << c.hours;
    }
}

TEST(DurationText, KeepsAGivenUnit)
{
    const CalendarHours day9{9.0f, 45.0f, 195.0f, 2340.0f};
    struct Case {
        int unit;
        float hours;
        const char* number;
        const char* word;
    };
    const Case cases[] = {
        {0, 500.0f, "500.00", " hours"}, {1, 4.5f, "0.5", " days"},    {2, 90.0f, "2.0", " weeks"},
        {3, 390.0f, "2.0", " months"},   {7, 97.5f, "0.5", " months"},
    };
    for (const Case& c : cases) {
        int unit = c.unit;
        std::string word;
        EXPECT_EQ(DurationText(day9, unit, c.hours, word), c.number) << c.unit;
        EXPECT_EQ(unit, c.unit);
        EXPECT_EQ(word, c.word) << c.unit;
    }
}

}  // namespace
}  // namespace tw::data
