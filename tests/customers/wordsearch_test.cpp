// The word split and the prefix match of the custom-field search.
#include <gtest/gtest.h>

#include "customers/wordsearch.h"

namespace tw::customers {
namespace {

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> words;
    WordSplitter s(text);
    for (std::string w = s.NextSearchWord(); !w.empty(); w = s.NextSearchWord())
        words.push_back(w);
    return words;
}

TEST(WordSplitter, SplitsAtTheSixSeparatorsOnly)
{
    EXPECT_EQ(Split("Smith, 42"), (std::vector<std::string>{"Smith", "42"}));
    EXPECT_EQ(Split("a.b-c;d:e f,g"), (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g"}));
    // Slashes, tabs and quotes belong to words.
    EXPECT_EQ(Split("12/5\tx \"q\""), (std::vector<std::string>{"12/5\tx", "\"q\""}));
    EXPECT_TRUE(Split(" ,;: .- ").empty());
    EXPECT_TRUE(Split("").empty());
}

struct MatchCase {
    const char* name;
    const char* search;
    const char* value;
    bool matches;
};

class SlotMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(SlotMatch, AnyValueWordStartingWithAnySearchWord)
{
    const MatchCase& c = GetParam();
    SearchWords words;
    words.ParseSearchWords(c.search, 2);
    EXPECT_EQ(words.SlotMatches(2, c.value), c.matches) << c.search << " / " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SlotMatch,
    ::testing::Values(MatchCase{"NameAndNumber", "Smith, 42", "Smithson-42b", true},
                      MatchCase{"OnlyInsideAWord", "Smith", "Blacksmith", false},
                      MatchCase{"IgnoresCase", "sMiTh", "SMITHERS", true},
                      MatchCase{"NonAsciiCase", "\xC3\xA4rger", "\xC3\x84RGERLICH", true},
                      MatchCase{"SearchLongerThanValueWord", "Smithsonian", "Smith", false},
                      MatchCase{"EmptyValue", "Smith", "", false},
                      MatchCase{"OnlySeparatorsSearch", " ,; ", "anything", false},
                      MatchCase{"SecondValueWord", "gate", "front gate code", true},
                      MatchCase{"SeparatorInsideSearch", "12/5", "12/5/2026", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SearchWords, ASlotKeepsElevenWords)
{
    SearchWords words;
    EXPECT_TRUE(words.ParseSearchWords("aa bb cc dd ee ff gg hh ii jj kk ll", 0));
    ASSERT_EQ(words.Words(0).size(), 11u);
    EXPECT_EQ(words.Words(0).back(), "kk");
    EXPECT_TRUE(words.SlotMatches(0, "kkx"));
    EXPECT_FALSE(words.SlotMatches(0, "ll"));
}

TEST(SearchWords, AValueIsReadUpToItsHundredAndFirstWord)
{
    SearchWords words;
    words.ParseSearchWords("last", 0);
    std::string value;
    for (int i = 0; i < 101; ++i)
        value += "w ";
    EXPECT_FALSE(words.SlotMatches(0, value + "last"));
    value.resize(value.size() - 2);
    EXPECT_TRUE(words.SlotMatches(0, value + "last"));
}

TEST(SearchWords, SlotsAreSeparateAndEmptyOnesNeverMatch)
{
    SearchWords words;
    EXPECT_FALSE(words.HasWords());
    EXPECT_FALSE(words.ParseSearchWords("", 1));
    words.ParseSearchWords("dog", 3);
    EXPECT_TRUE(words.HasWords());
    EXPECT_TRUE(words.SlotMatches(3, "Dog bites"));
    EXPECT_FALSE(words.SlotMatches(1, "Dog bites"));
    words.Clear();
    EXPECT_FALSE(words.SlotMatches(3, "Dog bites"));
}

}  // namespace
}  // namespace tw::customers
