#pragma once
// The custom-field word search: a value matches a slot when one of its words
// begins with one of the words the user typed into that slot, ignoring case.
// Words are split at the six separators "," "." "-" ";" ":" and the blank;
// every other character (digits, slashes, tabs, quotes) belongs to a word.
//
//   SearchWords words;
//   words.ParseSearchWords("Smith, 42", 0);   // slot 0 gets "Smith" and "42"
//   words.SlotMatches(0, "SMITHSON-42b");     // true

#include <QString>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tw::customers {

inline constexpr int kCustomFieldSlots = 7;
// A slot holds at most this many search words; further ones are ignored.
inline constexpr int kMaxSearchWords = 11;
// A value is split into at most this many words.
inline constexpr int kMaxValueWords = 101;

bool IsSearchSeparator(char c);

// Splits a text into words, one call at a time.
class WordSplitter {
public:
    explicit WordSplitter(std::string_view text) : text_(text) {}
    // The next word; empty when only separators were left.
    std::string NextSearchWord();

private:
    std::string_view text_;
    std::size_t WordPosition = 0;
};

// True when valueWord begins with searchWord, both compared in capitals.
bool WordStartsWith(std::string_view valueWord, std::string_view searchWord);

class SearchWords {
public:
    // Replaces the slot's words by those of text; true when it has any.
    bool ParseSearchWords(std::string_view text, int slot);
    void Clear();
    bool HasWords() const;
    const std::vector<std::string>& Words(int slot) const { return words_[slot]; }
    // True when a word of value starts with a word of the slot; a slot without
    // words never matches, nor does an empty value.
    bool SlotMatches(int slot, std::string_view value) const;

private:
    std::array<std::vector<std::string>, kCustomFieldSlots> words_;
    std::array<std::vector<QString>, kCustomFieldSlots> upperWords_;
};

}  // namespace tw::customers
