#pragma once
// Small text helpers shared by the windows of several subsystems.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::data {

// The text without leading and trailing blanks (and control characters).
std::string TrimBlanks(std::string_view text);

// True when part occurs in text (case-sensitive); false when text is empty
// or shorter than part. An empty part occurs in any non-empty text.
bool ContainsText(std::string_view text, std::string_view part);

// The password letter substitution: on each character's signed 8-bit code c,
// c > 96 becomes c - 96 and c < 27 becomes c + 96; the result comes out in
// reverse order. Stored passwords and typed ones pass through it alike.
std::string SwapPasswordLetters(std::string_view text);

// Removes the seconds from a time text: the second ':' and what follows it up
// to the next blank are dropped ("10:15:00 AM" -> "10:15 AM",
// "14:30:00" -> "14:30"); a text with a single colon passes unchanged.
std::string DropSeconds(std::string_view text);

// One entry per line of text, split at line feeds; a last piece without a
// line feed counts only when it is not empty ("a\nb\n" and "a\nb" both give
// two lines, "a\n\nb" three).
std::vector<std::string> SplitLines(std::string_view text);

// Trimmed, with a lone comma as the decimal point: under a locale with a
// decimal comma the program's own number texts come out as "1,5". A comma
// before exactly three digits ("1,000") may be a thousands separator and is
// left alone.
std::string DecimalText(std::string_view text);

// A number as typed: blanks around it allowed, '.' (or a lone ',') as the
// decimal point. Nothing for any other text; never throws.
std::optional<double> ParseNumber(std::string_view text);

}  // namespace tw::data
