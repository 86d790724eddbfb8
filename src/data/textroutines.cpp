#include "data/textroutines.h"

#include <algorithm>
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

}  // namespace tw::data
