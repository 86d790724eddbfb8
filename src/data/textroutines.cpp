#include "data/textroutines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace tw::data {

std::string TrimBlanks(std::string_view text)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t first = 0;
    size_t last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

bool ContainsText(std::string_view text, std::string_view part)
{
    if (text.empty() || part.size() > text.size())
        return false;
    return text.find(part) != std::string_view::npos;
}

std::string SwapPasswordLetters(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        int code = static_cast<std::int8_t>(*it);
        if (code > 96)
            code -= 96;
        else if (code < 27)
            code += 96;
        result += static_cast<char>(static_cast<std::uint8_t>(code));
    }
    return result;
}

std::string DropSeconds(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    int colons = 0;
    bool skipping = false;
    for (char c : text) {
        if (skipping) {
            if (c != ' ')
                continue;
            skipping = false;
        } else if (c == ':' && ++colons == 2) {
            skipping = true;
            continue;
        }
        result += c;
    }
    return result;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const size_t feed = text.find('\n');
        if (feed == std::string_view::npos) {
            lines.emplace_back(text);
            break;
        }
        lines.emplace_back(text.substr(0, feed));
        text.remove_prefix(feed + 1);
    }
    return lines;
}

std::string DecimalText(std::string_view text)
{
    std::string trimmed = TrimBlanks(text);
    if (trimmed.find('.') != std::string::npos || std::count(trimmed.begin(), trimmed.end(), ',') != 1)
        return trimmed;
    // "1,000" is a thousand to an en_US user and one to a decimal-comma one:
    // left as it is (and so refused) rather than guessed. The program's own
    // texts never carry three decimals.
    const std::size_t comma = trimmed.find(',');
    const std::string_view after = std::string_view(trimmed).substr(comma + 1);
    if (after.size() == 3 && after.find_first_not_of("0123456789") == std::string_view::npos)
        return trimmed;
    trimmed[comma] = '.';
    return trimmed;
}

std::optional<double> ParseNumber(std::string_view text)
{
    const std::string trimmed = DecimalText(text);
    if (trimmed.empty())
        return std::nullopt;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace tw::data
